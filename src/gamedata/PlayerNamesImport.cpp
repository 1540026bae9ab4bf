#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/TextFile.h"
#include "gamedata/PlayerNameMemory.h"
#include "gamedata/PlayerNames.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/ShellOpener.h"

#include <QSaveFile>
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

/// Replaces the file with text in Windows-1252; false when it cannot be written.
bool writeAnsiFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Ansi::encode(text);
    return file.write(bytes) == bytes.size() && file.commit();
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
    const QChar separator = lines.first().contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    // The empty piece after a final line break is no line of the file.
    if (lines.last().isEmpty())
        lines.removeLast();

    std::vector<PlayerNameRecord> accepted;
    int rejectCount = 0;
    QString rejectText;
    for (const QString& line : std::as_const(lines)) {
        const QStringList fields = line.split(separator);
        const QString numberText = fields.size() == 2 ? fields[0] : QString();
        QString name = fields.size() == 2 ? fields[1] : QString();
        name.remove(QLatin1Char('#'));
        name.truncate(kMaxNameLength);
        const double number = StrToDouble(numberText);
        // Number 0 means none; a number known already is not imported again.
        const bool valid = !numberText.isEmpty() && numberText.size() <= kMaxNumberLength &&
                           IsNumeric(numberText) && !name.isEmpty() && number != 0 &&
                           !searchNameList(playerNameList_, number);
        if (valid) {
            accepted.push_back(PlayerNameRecord{number, name, 0, 0, {}, 0});
            if (accepted.size() >= maxPlayerNames)
                break;
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
    fileNameList_ = std::move(accepted);
    log_.writeLog(0, QStringLiteral("Player name loaded."), kSource);

    const QString namesFile = config_.appFolder + namesFileName;
    if (rewriteNamesFile && !fileNameList_.empty() && filePath.toUpper() != namesFile.toUpper()) {
        QString names;
        for (const PlayerNameRecord& record : fileNameList_)
            names += QString::number(record.number, 'g', 15) + separator + record.name + kCrLf;
        if (writeAnsiFile(namesFile, names))
            log_.writeLog(0, QStringLiteral("Truncated player name file saved."), kSource);
        else
            log_.writeLog(0, QStringLiteral("Player name file could not be saved: ") + namesFile, kSource);
    }
    if (!rejectText.isEmpty()) {
        const QString rejectsFile = event_.dumpFolder + rejectsFileName;
        if (writeAnsiFile(rejectsFile, rejectText)) {
            log_.writeLog(0, QStringLiteral("Invalid player name found and saved."), kSource);
            shell.open(rejectsFile);
        } else {
            log_.writeLog(0, QStringLiteral("Invalid player names could not be saved: ") + rejectsFile,
                          kSource);
        }
    }
    return static_cast<double>(fileNameList_.size());
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
