#include "core/SectionLetters.h"

#include "core/NumberText.h"

namespace qzc {

QString sectionNoToLetter(qint16 sectionNo) {
    if (sectionNo < 1 || sectionNo > maxSectionLetterNo) {
        return {};
    }
    const int letterIndex = (sectionNo - 1) % 26;
    const int repeat = (sectionNo - 1) / 26 + 1;
    return QString(repeat, QChar(u'A' + letterIndex));
}

qint16 sectionLetterToNo(const QString& letters) {
    const QString wanted = letters.toUpper().trimmed();
    if (wanted.isEmpty()) {
        return 0;
    }
    for (qint16 no = 1; no <= maxSectionLetterNo; ++no) {
        if (sectionNoToLetter(no) == wanted) {
            return no;
        }
    }
    return 0;
}

QString tableIdLetter(const QString& tableId) {
    qsizetype count = 0;
    while (count < tableId.size()) {
        const char16_t c = tableId[count].unicode();
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) {
            break;
        }
        ++count;
    }
    return tableId.left(count);
}

qint16 tableIdNumber(const QString& tableId) {
    constexpr qsizetype maxDigits = 4;
    QString number;
    for (qsizetype length = 1; length <= tableId.size(); ++length) {
        const QString ending = tableId.right(length);
        if (!IsNumeric(ending)) {
            break;
        }
        if (length > maxDigits) {
            return 0;
        }
        number = ending;
    }
    return number.isEmpty() ? 0 : StrToInt(number);
}

qint32 convertPairNumber(qint16 pair, bool bandedPairNumbering) {
    if (!bandedPairNumbering || pair <= 0) {
        return pair;
    }
    const qint32 n = pair;
    if (n < 100) {
        return 2 * n - 1;
    }
    if (n < 200) {
        return 2 * (n - 100);
    }
    if (n < 300) {
        return 2 * (n - 200);
    }
    if (n < 400) {
        return 2 * (n - 300) - 1;
    }
    return 2 * n;
}

} // namespace qzc
