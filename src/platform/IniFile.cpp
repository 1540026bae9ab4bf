#include "platform/IniFile.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>
#include <optional>

namespace qzc {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes keep
// their Latin-1 code points, as Windows maps them.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte <= 0x9F ? QChar(cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QByteArray encodeCp1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes.append(static_cast<char>(c));
            continue;
        }
        char byte = '?';
        for (std::size_t k = 0; k < cp1252High.size(); ++k) {
            if (cp1252High[k] == c) {
                byte = static_cast<char>(0x80 + k);
                break;
            }
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i; // one character, one "?"
        }
        bytes.append(byte);
    }
    return bytes;
}

enum class LineKind { Other, Section, Key };

struct Line {
    QByteArray bytes;  // without the line end
    QByteArray ending; // "\r\n", "\n" or empty for a last line without one
    LineKind kind = LineKind::Other;
    QString name; // the section or key name, trimmed
    QString value;
};

// The file split into lines; only lines that a write touches are encoded anew, so every
// other byte of the file stays as it was.
struct Document {
    QByteArray bom;
    QList<Line> lines;
    bool utf8 = true;
    QByteArray newline = "\r\n";

    QString decode(const QByteArray& bytes) const {
        return utf8 ? QString::fromUtf8(bytes) : decodeCp1252(bytes);
    }
    QByteArray encode(const QString& text) const { return utf8 ? text.toUtf8() : encodeCp1252(text); }

    QByteArray serialize() const {
        QByteArray out = bom;
        for (const Line& line : lines) {
            out += line.bytes;
            out += line.ending;
        }
        return out;
    }
};

void classify(Line& line, const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        line.kind = LineKind::Section;
        line.name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
        return;
    }
    if (trimmed.startsWith(QLatin1Char(';'))) {
        return;
    }
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals > 0) {
        line.kind = LineKind::Key;
        line.name = trimmed.left(equals).trimmed();
        line.value = trimmed.mid(equals + 1).trimmed();
    }
}

Document parse(const QByteArray& content) {
    Document doc;
    QByteArray bytes = content;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        doc.bom = bytes.left(3);
        bytes.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes); // the conversion runs on assignment only
    doc.utf8 = !utf8.hasError();

    const qsizetype firstNewline = bytes.indexOf('\n');
    if (firstNewline == 0 || (firstNewline > 0 && bytes[firstNewline - 1] != '\r')) {
        doc.newline = "\n";
    }

    qsizetype start = 0;
    while (start < bytes.size()) {
        Line line;
        const qsizetype newline = bytes.indexOf('\n', start);
        qsizetype end = newline < 0 ? bytes.size() : newline;
        if (newline >= 0) {
            const bool crlf = end > start && bytes[end - 1] == '\r';
            if (crlf) {
                --end;
            }
            line.ending = crlf ? QByteArray("\r\n") : QByteArray("\n");
        }
        line.bytes = bytes.mid(start, end - start);
        classify(line, doc.decode(line.bytes));
        doc.lines.append(line);
        start = newline < 0 ? bytes.size() : newline + 1;
    }
    return doc;
}

bool sameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

struct Position {
    qsizetype section = -1;     // the section header line
    qsizetype key = -1;         // the key line
    qsizetype lastContent = -1; // the last line of the section that is not blank
};

Position find(const Document& doc, const QString& section, const QString& key) {
    Position pos;
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        const Line& line = doc.lines[i];
        if (pos.section < 0) {
            if (line.kind == LineKind::Section && sameName(line.name, section)) {
                pos.section = i;
                pos.lastContent = i;
            }
            continue;
        }
        if (line.kind == LineKind::Section) {
            break;
        }
        if (pos.key < 0 && line.kind == LineKind::Key && sameName(line.name, key)) {
            pos.key = i;
        }
        if (!doc.decode(line.bytes).trimmed().isEmpty()) {
            pos.lastContent = i;
        }
    }
    return pos;
}

bool hasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// Names that could not be read back as the same section or key are refused.
bool validNames(const QString& section, const QString& key) {
    return !section.isEmpty() && !key.isEmpty() && !hasLineBreak(section) && !hasLineBreak(key) &&
           !section.contains(QLatin1Char(']')) && !key.contains(QLatin1Char('=')) &&
           !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('['));
}

// The file's bytes; empty when it does not exist, nullopt when it exists but cannot be read.
std::optional<QByteArray> readBytes(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return QByteArray();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

QString IniFile::read(const QString& section, const QString& key) const {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || keyName.isEmpty()) {
        return {};
    }
    const std::optional<QByteArray> bytes = readBytes(path_);
    if (!bytes || bytes->isEmpty()) {
        return {};
    }
    const Document doc = parse(*bytes);
    const Position pos = find(doc, sectionName, keyName);
    return pos.key < 0 ? QString() : doc.lines[pos.key].value;
}

bool IniFile::write(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (!validNames(sectionName, keyName) || hasLineBreak(value)) {
        return false;
    }
    const std::optional<QByteArray> original = readBytes(path_);
    if (!original) {
        return false; // never replace a file that could not be read
    }
    Document doc = parse(*original);
    const Position pos = find(doc, sectionName, keyName);

    auto newLine = [&doc](const QString& text) {
        Line line;
        line.bytes = doc.encode(text);
        line.ending = doc.newline;
        return line;
    };
    auto endLastLine = [&doc](qsizetype index) {
        if (index >= 0 && doc.lines[index].ending.isEmpty()) {
            doc.lines[index].ending = doc.newline;
        }
    };

    if (pos.key >= 0) {
        Line& line = doc.lines[pos.key];
        line.bytes = doc.encode(line.name + QLatin1Char('=') + value);
    } else if (pos.section >= 0) {
        endLastLine(pos.lastContent);
        doc.lines.insert(pos.lastContent + 1, newLine(keyName + QLatin1Char('=') + value));
    } else {
        endLastLine(doc.lines.size() - 1);
        doc.lines.append(newLine(QLatin1Char('[') + sectionName + QLatin1Char(']')));
        doc.lines.append(newLine(keyName + QLatin1Char('=') + value));
    }

    const QByteArray content = doc.serialize();
    if (content == *original) {
        return true;
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace qzc
