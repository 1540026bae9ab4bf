#include "platform/IniFile.h"

#include "platform/Ansi.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>
#include <optional>

namespace qzc {

namespace {

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
        return utf8 ? QString::fromUtf8(bytes) : Ansi::decode(bytes);
    }
    QByteArray encode(const QString& text) const { return utf8 ? text.toUtf8() : Ansi::encode(text); }

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
