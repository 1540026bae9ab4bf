#include "reports/HandRecordResultFile.h"

#include "core/Log.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/TextFile.h"
#include "scoring/ContractScore.h"

#include <QHash>
#include <QSqlRecord>
#include <QStringList>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("HandRecord_resultFile");
const QString kCrLf = QStringLiteral("\r\n");

/// A stored text on one line of the file: a line break inside it would end the line.
QString oneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString quoted(const QString& name) {
    return QLatin1Char('"') + oneLine(name) + QLatin1Char('"');
}

QString seatKey(qint16 section, qint16 table, const QString& direction, qint16 pair) {
    return QString::number(section) + QLatin1Char('/') + QString::number(table) + QLatin1Char('/') +
           direction.trimmed().toUpper() + QLatin1Char('/') + QString::number(pair);
}

} // namespace

HandRecordResultFile::HandRecordResultFile(ScoreDb& db, Log& log) : db_(db), log_(log) {}

std::optional<QSqlQuery> HandRecordResultFile::select(const QString& sql) {
    std::optional<QSqlQuery> query = db_.select(sql);
    if (!query)
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
    return query;
}

std::optional<QStringList> HandRecordResultFile::nameLines() {
    qint32 players = 0;
    db_.getDBValue(QStringLiteral("SELECT COUNT(custom_qz_pair) AS cntplayer FROM PlayerNumbers"
                                  " WHERE custom_qz_pair>0"),
                   QStringLiteral("cntplayer"), players);
    if (players <= 0)
        return QStringList();

    // Every seat's name, read once: the first row of a seat and pair counts.
    std::optional<QSqlQuery> seats = select(QStringLiteral(
        "SELECT Section, [Table], Direction, custom_qz_pair, custom_qz_names FROM PlayerNumbers"));
    if (!seats)
        return std::nullopt;
    QHash<QString, QString> names;
    while (seats->next()) {
        const QString key = seatKey(queryInt16(*seats, 0), queryInt16(*seats, 1), queryText(*seats, 2),
                                    queryInt16(*seats, 3));
        if (!names.contains(key))
            names.insert(key, queryText(*seats, 4));
    }

    std::optional<QSqlQuery> tables = select(
        QStringLiteral("SELECT DISTINCT Section.Letter, RoundData.Section, RoundData.[Table], "
                       "RoundData.NSPair, RoundData.EWPair"
                       " FROM RoundData INNER JOIN Section ON RoundData.Section=Section.ID WHERE Round=1"
                       " ORDER BY Letter ASC, NSPair ASC, RoundData.[Table] ASC"));
    if (!tables)
        return std::nullopt;
    QStringList lines{QStringLiteral("[NAMES] (section,pair no,NS/EW,N/E name,S/W name)")};
    while (tables->next()) {
        const QString letter = oneLine(queryText(*tables, 0).trimmed());
        const qint16 section = queryInt16(*tables, 1);
        const qint16 table = queryInt16(*tables, 2);
        auto pairLine = [&](qint16 pair, const char* side, const char* first, const char* second) {
            return letter + QLatin1Char(',') + QString::number(pair) + QLatin1Char(',') +
                   QLatin1String(side) + QLatin1Char(',') +
                   quoted(names.value(seatKey(section, table, QString::fromLatin1(first), pair))) +
                   QLatin1Char(',') +
                   quoted(names.value(seatKey(section, table, QString::fromLatin1(second), pair)));
        };
        lines << pairLine(queryInt16(*tables, 3), "NS", "N", "S")
              << pairLine(queryInt16(*tables, 4), "EW", "E", "W");
    }
    return lines;
}

std::optional<QStringList> HandRecordResultFile::resultLines() {
    std::optional<QSqlQuery> rows = select(
        QStringLiteral("SELECT ReceivedData.*, Section.Letter FROM ReceivedData INNER JOIN Section ON "
                       "ReceivedData.Section=Section.ID"
                       " WHERE NOT Contract='' AND NOT Erased"
                       " ORDER BY Board ASC, Letter ASC, PairNS ASC, ReceivedData.[Table] ASC, Round ASC"));
    if (!rows)
        return std::nullopt;
    const QSqlRecord record = rows->record();
    const int boardColumn = record.indexOf(QStringLiteral("Board"));
    const int letterColumn = record.indexOf(QStringLiteral("Letter"));
    const int nsColumn = record.indexOf(QStringLiteral("PairNS"));
    const int ewColumn = record.indexOf(QStringLiteral("PairEW"));
    const int resultColumn = record.indexOf(QStringLiteral("Result"));
    const int leadColumn = record.indexOf(QStringLiteral("LeadCard"));
    const int scoreColumn = record.indexOf(QStringLiteral("custom_qz_score"));
    const int remarksColumn = record.indexOf(QStringLiteral("Remarks"));
    const int contractColumn = record.indexOf(QStringLiteral("Contract"));

    QStringList lines;
    qint16 previousBoard = 0;
    while (rows->next()) {
        if (lines.isEmpty())
            lines << QStringLiteral(
                "[RESULTS] (section,NS pair no,EW pair no,score,contract,trciks taken,lead)");
        const qint16 board = queryInt16(*rows, boardColumn);
        if (board != previousBoard)
            lines << QLatin1Char('#') + QStringLiteral("%1").arg(board, 2, 10, QLatin1Char('0'));
        previousBoard = board;
        // A result with a remark (an adjusted score, not played) has no contract to show.
        if (!queryText(*rows, remarksColumn).trimmed().isEmpty())
            continue;
        const QString contract = oneLine(queryText(*rows, contractColumn)).remove(QLatin1Char(' '));
        const qint16 tricks = calcTricksMade(contract, queryText(*rows, resultColumn));
        lines << QStringList{oneLine(queryText(*rows, letterColumn).trimmed()),
                             QString::number(queryInt16(*rows, nsColumn)),
                             QString::number(queryInt16(*rows, ewColumn)),
                             QString::number(queryInt16(*rows, scoreColumn)),
                             contract,
                             QString::number(tricks),
                             oneLine(queryText(*rows, leadColumn))}
                     .join(QLatin1Char(','));
    }
    return lines;
}

std::optional<QString> HandRecordResultFile::makeText(QString& reason) {
    const std::optional<QStringList> names = nameLines();
    const std::optional<QStringList> results = names ? resultLines() : std::nullopt;
    if (!names || !results) {
        reason = QStringLiteral("The names and results could not be read from the score database.");
        return std::nullopt;
    }
    const QStringList lines = *names + *results;
    if (lines.isEmpty())
        return QString();
    return lines.join(kCrLf) + kCrLf + kCrLf;
}

ResultFileOutcome HandRecordResultFile::HandRecord_resultFile(const QString& eventDataPath) {
    log_.writeLog(0, QStringLiteral("Start making result file for HandRecord"), kSource);
    ResultFileOutcome outcome;
    const std::optional<QString> text = makeText(outcome.reason);
    if (!text)
        return outcome;
    if (text->isEmpty()) {
        outcome.reason = QStringLiteral("There is neither a name nor a result to write.");
        return outcome;
    }
    const QString path = eventDataPath + fileName;
    QString error;
    if (!WriteTextFile(path, *text, error)) {
        outcome.reason =
            QStringLiteral("The file ") + path + QStringLiteral(" could not be written: ") + error;
        log_.writeLog(0, outcome.reason, kSource, true);
        return outcome;
    }
    log_.writeLog(0, QStringLiteral("Complete result file for HandRecord"), kSource);
    outcome.path = path;
    return outcome;
}

} // namespace qzc
