#include "scoring/AllDealFile.h"

#include "core/Log.h"
#include "core/NumberText.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "scoring/CardNumbers.h"
#include "scoring/ScoreBytes.h"

#include <QStringList>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int holdingLines = 12;
constexpr std::array<char16_t, 4> kSuitLetters{u'S', u'H', u'D', u'C'};
constexpr int north = 0;
constexpr int east = 1;
constexpr int south = 2;
constexpr int west = 3;

/// The strain (clubs 0 to no trump 4) of a makeable header item; -1 for anything else.
int strainOf(const QString& item) {
    static const QStringList strains = {QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("H"),
                                        QStringLiteral("S"), QStringLiteral("NT")};
    return static_cast<int>(strains.indexOf(item.trimmed().toUpper()));
}

quint8 tricksOf(const QString& text) {
    bool ok = false;
    const int tricks = text.trimmed().toInt(&ok);
    return ok && tricks >= 0 && tricks <= 13 ? static_cast<quint8>(tricks) : DealtCards::unknownTricks;
}

void setHolder(DealtCards& deal, int suit, const QString& holding, int hand) {
    for (const QChar c : holding) {
        const QChar text[2] = {QChar(kSuitLetters[static_cast<std::size_t>(suit)]), c};
        const qint16 card = cardIndex(QString(text, 2));
        if (card > 0)
            deal.holder[static_cast<std::size_t>(card - 1)] = static_cast<quint8>(hand);
    }
}

/// The table of makeable tricks on the lines after the holdings: a header naming the
/// strains of its rows ("Makeable in C/D/H/S/NT"), a line naming the column of each hand,
/// then one row per strain. Only lines whose first field is not empty count.
class MakeableReader {
public:
    explicit MakeableReader(DealtCards& deal) : deal_(deal) {}

    void read(const QStringList& fields) {
        const QString first = fields.value(0);
        if (first.isEmpty())
            return;
        if (first.contains(QStringLiteral("Makeable in "), Qt::CaseInsensitive)) {
            startTable(first);
            return;
        }
        if (state_ == State::Columns) {
            readColumns(fields);
            state_ = State::Rows;
            row_ = 0;
        } else if (state_ == State::Rows) {
            readRow(fields);
            if (++row_ == static_cast<int>(strainAt_.size()))
                state_ = State::Done;
        }
    }

private:
    enum class State { Header, Columns, Rows, Done };

    void startTable(QString header) {
        header.remove(QStringLiteral("Makeable in"), Qt::CaseInsensitive);
        header = header.trimmed();
        for (std::size_t position = 0; position < strainAt_.size(); ++position)
            strainAt_[position] =
                strainOf(GetField(header, static_cast<qint16>(position + 1), QStringLiteral("/")));
        state_ = State::Columns;
    }

    void readColumns(const QStringList& fields) {
        static const QStringList hands = {QStringLiteral("N"), QStringLiteral("E"), QStringLiteral("S"),
                                          QStringLiteral("W")};
        column_.fill(0);
        for (int field = 0; field < 4 && field < fields.size(); ++field) {
            const qsizetype hand = hands.indexOf(fields.at(field).trimmed().toUpper());
            if (hand >= 0)
                column_[static_cast<std::size_t>(hand)] = field;
        }
    }

    void readRow(const QStringList& fields) {
        const int strain = strainAt_[static_cast<std::size_t>(row_)];
        if (strain < 0)
            return;
        for (std::size_t hand = 0; hand < column_.size(); ++hand)
            deal_.makeable[hand * 5 + static_cast<std::size_t>(strain)] =
                tricksOf(fields.value(column_[hand]));
    }

    DealtCards& deal_;
    State state_ = State::Header;
    std::array<int, 5> strainAt_{-1, -1, -1, -1, -1};
    std::array<int, 4> column_{};
    int row_ = 0;
};

} // namespace

DealtCards DealtCards::fromBlock(const QStringList& lines, bool includeMakeable) {
    DealtCards deal;
    if (lines.size() < holdingLines)
        return deal;
    MakeableReader makeable(deal);
    const qsizetype last = includeMakeable ? lines.size() : holdingLines;
    for (qsizetype index = 0; index < last; ++index) {
        const QStringList fields = lines.at(index).split(QLatin1Char('\t'));
        if (index >= holdingLines) {
            makeable.read(fields);
            continue;
        }
        const int suit = static_cast<int>(index % 4);
        switch (index / 4) {
        case 0:
            setHolder(deal, suit, fields.value(1), north);
            setHolder(deal, suit, fields.value(2), north);
            break;
        case 1:
            setHolder(deal, suit, fields.value(0), west);
            setHolder(deal, suit, fields.value(2), east);
            break;
        default:
            setHolder(deal, suit, fields.value(1), south);
            setHolder(deal, suit, fields.value(2), south);
            break;
        }
        if (index == 2) {
            bool ok = false;
            const int number = fields.value(0).trimmed().toInt(&ok);
            if (ok && number >= -32768 && number <= 32767)
                deal.dealNumber = static_cast<qint16>(number);
        }
    }
    return deal;
}

QByteArray DealtCards::payload(bool includeMakeable) const {
    QByteArray bytes(13, '\0');
    for (std::size_t card = 0; card < holder.size(); ++card) {
        const int shift = 6 - 2 * static_cast<int>(card % 4);
        bytes[static_cast<qsizetype>(card / 4)] = static_cast<char>(
            static_cast<quint8>(bytes.at(static_cast<qsizetype>(card / 4))) | ((holder[card] & 3) << shift));
    }
    if (!includeMakeable)
        return bytes;
    appendScoreBytes(bytes, dealNumber);
    for (std::size_t k = 0; k < makeable.size(); k += 2)
        bytes.append(static_cast<char>((makeable[k] & 15) << 4 | (makeable[k + 1] & 15)));
    return bytes;
}

AllDealFile::AllDealFile(Log& log, const QString& path) : log_(log), path_(path) {}

QString AllDealFile::Get_AllDeal(qint16 board) const {
    if (board < 1 || path_.isEmpty())
        return {};
    qint16 errorCode = 0;
    const QString text = ReadTextFile(path_, errorCode);
    if (errorCode != 0) {
        log_.writeLog(0, text.isEmpty() ? path_ : text, QStringLiteral("Get_AllDeal"), true);
        return {};
    }
    if (text.isEmpty())
        return {};
    log_.writeLog(0, QStringLiteral("Get board deal: ") + QString::number(board),
                  QStringLiteral("Get_AllDeal"));

    // Lines end in CRLF; a bare LF is taken as a line end too.
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString block;
    qint16 current = 0;
    bool found = false;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        QString line = lines.at(index);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('#'))) {
            if (line.size() > 1)
                current = StrToInt(line.mid(1));
            if (current == board)
                found = true;
        } else if (found) {
            block += kCrLf + line;
        }
        if (found && current != board)
            break;
    }
    return block;
}

QByteArray AllDealFile::GetDealtCard(qint16 board, bool includeMakeable) const {
    log_.writeLog(0, QStringLiteral("Get dealt card"));
    QString block = Get_AllDeal(board);
    while (block.startsWith(kCrLf))
        block.remove(0, kCrLf.size());
    const QStringList lines = block.isEmpty() ? QStringList() : block.split(kCrLf);
    return DealtCards::fromBlock(lines, includeMakeable).payload(includeMakeable);
}

} // namespace qzc
