#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "gamedata/PlayerNameMemory.h"
#include "gamedata/PlayerNames.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/ShellOpener.h"

#include <QSaveFile>
#include <QSet>
#include <QStringList>
#include <random>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kSource = QStringLiteral("Import player name");
constexpr qsizetype kMaxNumberLength = 12;
constexpr qsizetype kMaxNameLength = 40;
constexpr int kMaxRejects = 1000;
constexpr int kSearchSamples = 4;
constexpr qint64 kSearchTimeLimitMs = 2000;

/// Replaces the file with text in Windows-1252, or in UTF-8 (which the names-file reader
/// recognises) when the text holds characters that Windows-1252 lacks, so that no name is
/// lost. False when it cannot be written.
bool writeNamesText(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = Ansi::encode(text);
    if (Ansi::decode(bytes) != text)
        bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

QChar separatorOf(const QString& firstLine) {
    return firstLine.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
}

} // namespace

double PlayerNames::importPlayerNames(const QString& filePath, bool rewriteNamesFile, bool keepRejects,
                                      ShellOpener& shell) {
    log_.writeLog(0, QStringLiteral("Load player name list from file"), kSource);
    qint16 errorCode = 0;
    if (!FileExists(filePath))
        return 0;
    const QString text = ReadTextFile(filePath, errorCode);
    if (errorCode != 0)
        return 0;
    // "compeleted" as programs that read the log expect it.
    log_.writeLog(0, QStringLiteral("File input compeleted"), kSource);

    QStringList lines = text.split(kCrLf);
    log_.writeLog(0, QStringLiteral("Lines read ") + QString::number(lines.size() - 1), kSource);
    const QChar separator = separatorOf(lines.first());
    // The empty piece after a final line break is no line of the file.
    if (lines.last().isEmpty())
        lines.removeLast();

    // A menu import adds to the names imported before; the start-up import replaces them.
    if (!rewriteNamesFile)
        fileNameList_.clear();
    QSet<double> taken;
    for (const KnownPlayer& record : fileNameList_)
        taken.insert(record.number);
    const auto limit = static_cast<std::size_t>(maxPlayerNames);
    const std::size_t room = limit - std::min(limit, fileNameList_.size());

    std::vector<KnownPlayer> accepted;
    int rejectCount = 0;
    QString rejectText;
    for (const QString& line : std::as_const(lines)) {
        if (accepted.size() >= room)
            break;
        const QStringList fields = line.split(separator);
        const QString numberText = fields.size() == 2 ? fields[0] : QString();
        QString name = fields.size() == 2 ? fields[1] : QString();
        name.remove(QLatin1Char('#'));
        name.truncate(kMaxNameLength);
        const double number = StrToDouble(numberText);
        // Number 0 means none; a number known already, or repeated, is not imported again.
        const bool valid = !numberText.isEmpty() && numberText.size() <= kMaxNumberLength &&
                           IsNumeric(numberText) && !name.isEmpty() && number != 0 &&
                           !taken.contains(number) && !searchNameList(playerNameList_, number);
        if (valid) {
            accepted.push_back(KnownPlayer{number, name});
            taken.insert(number);
        } else if (keepRejects) {
            ++rejectCount;
            rejectText += line + kCrLf;
            if (rejectCount > kMaxRejects)
                break;
        }
    }
    if (rejectCount > kMaxRejects) {
        accepted.clear();
        rejectText = text;
    }
    fileNameList_.insert(fileNameList_.end(), accepted.begin(), accepted.end());
    log_.writeLog(0, QStringLiteral("Player name loaded."), kSource);

    const QString namesFile = config_.appFolder + namesFileName;
    if (rewriteNamesFile && !accepted.empty() && filePath.toUpper() != namesFile.toUpper())
        addToNamesFile(namesFile, accepted, separator);
    if (!rejectText.isEmpty()) {
        const QString rejectsFile = event_.dumpFolder + rejectsFileName;
        if (writeNamesText(rejectsFile, rejectText)) {
            log_.writeLog(0, QStringLiteral("Invalid player name found and saved."), kSource);
            shell.open(rejectsFile);
        } else {
            log_.writeLog(0, QStringLiteral("Invalid player names could not be saved: ") + rejectsFile,
                          kSource);
        }
    }
    return static_cast<double>(accepted.size());
}

void PlayerNames::addToNamesFile(const QString& namesFile, const std::vector<KnownPlayer>& added,
                                 QChar importSeparator) {
    // Every line the file holds stays; the new names follow in the file's own separator.
    qint16 errorCode = 0;
    QString text = ReadTextFile(namesFile, errorCode);
    if (errorCode != 0) {
        log_.writeLog(0, QStringLiteral("Player name file could not be read, not saved: ") + namesFile,
                      kSource);
        return;
    }
    const QChar separator = text.isEmpty() ? importSeparator : separatorOf(text.section(kCrLf, 0, 0));
    if (!text.isEmpty() && !text.endsWith(kCrLf))
        text += kCrLf;
    for (const KnownPlayer& record : added) {
        // A name holding the file's separator would split its line in two, and a ";" in the
        // first line would make the next start read the whole file with ";".
        text += playerNumberText(record.number) + separator +
                lineFieldText(record.name, QString(separator) + QLatin1Char(';')) + kCrLf;
    }
    if (writeNamesText(namesFile, text))
        log_.writeLog(0, QStringLiteral("Truncated player name file saved."), kSource);
    else
        log_.writeLog(0, QStringLiteral("Player name file could not be saved: ") + namesFile, kSource);
}

double PlayerNames::importFromMenu(const QString& filePath, ShellOpener& shell) {
    const double count = importPlayerNames(filePath, true, true, shell);
    log_.writeLog(0, importedText(count), kSource);
    return count;
}

QString PlayerNames::importedText(double count) {
    return playerNumberText(count) + QStringLiteral(" player names imported.");
}

bool PlayerNames::Time_SearchPlayer() {
    if (playerNameList_.empty())
        return false;
    std::mt19937 random(static_cast<std::mt19937::result_type>(clock_.monotonicMs()));
    std::uniform_int_distribution<std::size_t> pick(0, playerNameList_.size() - 1);
    const qint64 start = clock_.monotonicMs();
    for (int i = 0; i < kSearchSamples; ++i)
        searchNameList(playerNameList_, playerNameList_[pick(random)].number);
    const qint64 elapsed = clock_.monotonicMs() - start;
    log_.writeLog(0, QStringLiteral("Search time: ") + QString::number(elapsed) + QStringLiteral("ms"),
                  QStringLiteral("Time_SearchPlayer"));
    return elapsed < kSearchTimeLimitMs;
}

void PlayerNames::Setup_memoryPlayerName() {
    qzc::Setup_memoryPlayerName(playerNameList_, fileNameList_, log_, [this] { return Time_SearchPlayer(); });
}

} // namespace qzc
