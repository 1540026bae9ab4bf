#include "reports/ResultFile.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "platform/Ansi.h"
#include "reports/ContestantTotals.h"
#include "reports/ResultFileGameData.h"
#include "reports/ResultFileText.h"
#include "reports/ResultRows.h"

#include <QDate>
#include <QDateTime>
#include <QSaveFile>
#include <QStringList>
#include <QVariant>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("makeresultFile_v1");
const QString kCrLf = QStringLiteral("\r\n");

const char* const kGameHeading = "[GAME](Section; BoardsPerRound; Totalboard; Round; ScoringMethod; Filler; "
                                 "EventType; Weighting; Handicap; Date; Name; Session; Acrossthefield)";
const char* const kContestantsHeading =
    "[CONTESTANTS] (section; pair no; N/S/E/W; name; Final result; Final percentage; VP; master points)";
const char* const kResultsHeading = "[RESULTS] (#board; section; round; N pair no; E pair no; S pair no; W "
                                    "pair no; points; contract; Declarer; "
                                    "tricks taken; lead; MP_NS; MP_EW; IMP_NS; IMP_EW; Percentage_NS; "
                                    "Percentage_EW; Datum score; Top; adj. Top; "
                                    "Remark)";

QString formattedDate(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date().toString(QStringLiteral("yyyy-MM-dd"));
    const QString text = value.toString().trimmed();
    QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        date = QDateTime::fromString(text, Qt::ISODate).date();
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

// Boards per round and total boards of a section: from the movement at table 1, else the
// event's values.
std::pair<qint32, qint32> sectionBoards(const ResultFileGameData& game, qint16 section) {
    if (game.movementRows.empty())
        return {game.boardsPerRound, game.totalBoards};
    qint32 perRound = 0;
    qint32 total = 0;
    for (const ResultFileMovementRow& row : game.movementRows) {
        if (row.section == section && row.table == 1) {
            perRound = row.boardCount;
            total += row.boardCount;
        }
    }
    return {perRound, total};
}

QString boardField(qint16 board) {
    return QLatin1Char('#') + QStringLiteral("%1").arg(board, 2, 10, QLatin1Char('0'));
}

QString numberOrEmpty(qint16 value) {
    return value > 0 ? QString::number(value) : QString();
}

QString resultLine(const ResultFileRow& row, bool impMode) {
    QStringList fields;
    fields << boardField(row.board) << resultFileField(row.sectionLetter) << QString::number(row.round)
           << QString::number(row.nsPair) << QString::number(row.ewPair) << numberOrEmpty(row.south)
           << numberOrEmpty(row.west);
    if (row.noContract) {
        for (int i = 8; i <= 21; ++i)
            fields << QString();
    } else {
        const ResultValues& values = impMode ? row.imps : row.matchpoints;
        const QString ns = roundedText(values.ns);
        const QString ew = roundedText(values.ew);
        fields << QString::number(row.score) << resultFileField(row.contract) << resultFileField(row.declarer)
               << QString::number(row.tricks) << resultFileField(row.lead);
        if (impMode)
            fields << QString() << QString() << ns << ew;
        else
            fields << ns << ew << QString() << QString();
        fields << roundedText(values.nsPercentage) << roundedText(values.ewPercentage) << QString()
               << roundedText(values.top) << QString();
    }
    fields << resultFileField(row.remarks);
    return fields.join(QLatin1Char(';'));
}

} // namespace

ResultFile::ResultFile(ScoreDb& db, const GameSettings& settings, Log& log, ScoredBoardSource& boards)
    : db_(db), settings_(settings), log_(log), boards_(boards) {}

QString ResultFile::sectionDate(qint16 section) {
    QVariant value;
    db_.getDBValue(QStringLiteral("SELECT MIN(DateLog) AS evtdate FROM ReceivedData WHERE Section=") +
                       QString::number(section),
                   QStringLiteral("evtdate"), value);
    return formattedDate(value);
}

std::optional<QString> ResultFile::makeResultText(const ResultFileGameData& game, QString& reason) {
    const bool across = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_scoreacrosspair"))) == 1;
    const bool impMode = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_scoringtype"))) == 0;
    const bool individual = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1;

    QStringList lines;
    lines << QString::fromLatin1(kGameHeading);
    for (const ResultFileSection& section : game.sections) {
        const auto [perRound, total] = sectionBoards(game, section.id);
        QStringList fields;
        fields << resultFileField(section.letter);
        if (perRound >= 1 && total >= 1)
            fields << QString::number(perRound) << QString::number(total)
                   << QString::number(total / perRound);
        else
            fields << QString() << QString() << QString();
        for (int i = 5; i <= 9; ++i)
            fields << QString();
        fields << sectionDate(section.id) << QString() << QString()
               << (across ? QStringLiteral("1") : QString());
        lines << fields.join(QLatin1Char(';'));
    }
    lines << QString();

    ResultRowBuilder builder(db_, settings_, log_, boards_);
    std::optional<std::vector<ResultFileRow>> rows = builder.memory_brdResult_setup(0, 0);
    if (!rows) {
        reason = QStringLiteral("The board results could not be read from the score database.");
        return std::nullopt;
    }
    if (rows->empty()) {
        reason = QStringLiteral("No board result is stored yet.");
        return std::nullopt;
    }
    if (!builder.memory_brdResult_scoring(*rows, across, BoardScoringMethod::Matchpoints, game) ||
        (impMode && !builder.memory_brdResult_scoring(*rows, across, BoardScoringMethod::CrossImps, game))) {
        reason = QStringLiteral("The board results could not be scored.");
        return std::nullopt;
    }

    lines << QString::fromLatin1(kContestantsHeading);
    ContestantTotals totals(db_, log_);
    std::optional<std::vector<ContestantTotal>> contestants = totals.buildContestantList(game, individual);
    std::optional<QStringList> contestantLines;
    if (contestants) {
        ContestantTotals::addTotals(*contestants, *rows);
        contestantLines = totals.contestantLines(*contestants, game);
    }
    if (!contestantLines) {
        reason = QStringLiteral("The contestants could not be read from the score database.");
        return std::nullopt;
    }
    lines << *contestantLines;

    lines << QString() << QString::fromLatin1(kResultsHeading);
    for (const ResultFileRow& row : *rows)
        lines << resultLine(row, impMode);

    QString text = lines.join(kCrLf);
    text += kCrLf;
    text += kCrLf;
    return text;
}

ResultFileOutcome ResultFile::makeresultFile_v1(const QString& eventDataPath,
                                                const ResultFileGameData& game) {
    log_.writeLog(0, QStringLiteral("Start making result file style 1"), kSource);
    ResultFileOutcome outcome;
    QString reason;
    const std::optional<QString> text = makeResultText(game, reason);
    const QString path = eventDataPath + fileName;
    if (text) {
        // Written whole or not at all: the companion programs never see a half-written file.
        const QByteArray bytes = Ansi::encode(*text);
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
            log_.writeLog(0, QStringLiteral("Complete result file"), kSource);
            outcome.path = path;
            return outcome;
        }
        reason = QStringLiteral("The file ") + path + QStringLiteral(" could not be written: ") +
                 file.errorString();
        log_.writeLog(0, reason, QStringLiteral("makeresultfile_v1"), true);
    }
    log_.writeLog(0, QStringLiteral("No result file written: ") + reason, kSource);
    outcome.reason = reason;
    return outcome;
}

} // namespace qzc
