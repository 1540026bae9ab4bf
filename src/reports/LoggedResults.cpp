#include "reports/LoggedResults.h"

#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/SectionLetters.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"
#include "gamedata/TerminalNumbers.h"
#include "platform/ShellOpener.h"
#include "scoring/ContractScore.h"
#include "scoring/WireCodes.h"

#include <QFileInfo>
#include <algorithm>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');
// Start byte, two address bytes, L, the code and the two checksum bytes.
constexpr qsizetype kShortestFrameDigits = 14;
// The records begin after the start byte, the address, L and the code.
constexpr qsizetype kRecordsFirstDigit = 10;
constexpr qsizetype kChecksumDigits = 4;
constexpr qint16 kMessageBoxStyle = 48;
constexpr qint16 kHelpTopic = 8;

bool isHexPairs(const QString& text) {
    if (text.size() % 2 != 0)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    });
}

int byteAt(const QString& hex, qsizetype index) {
    return static_cast<int>(hex.mid(index * 2, 2).toUInt(nullptr, 16));
}

bool isAdjustedScore(const QString& text) {
    return std::any_of(adjustedScoreCodes.begin(), adjustedScoreCodes.end(),
                       [&text](const AdjustedScoreCode& code) { return text == QLatin1String(code.text); });
}

// The contract as ReceivedData shows it: "4 S", "3 NT x", "2 H xx".
QString shownContract(const QString& contract) {
    QString shown = contract.left(1) + QLatin1Char(' ') + contract.mid(1);
    if (shown.contains(QLatin1String("xx"), Qt::CaseInsensitive))
        shown.replace(QStringLiteral("XX"), QStringLiteral(" xx"));
    else
        shown.replace(QStringLiteral("X"), QStringLiteral(" x"));
    return shown;
}

// One result record of a frame.
struct LoggedRecord {
    qint16 board = 0;
    SeatNumbers seats{};
    QString contract;
    QString declarer;
    qint16 tricks = 0;
    QString lead;
};

} // namespace

const QStringList LoggedResults::headings = {
    QStringLiteral("ID"),
    QStringLiteral("Section"),
    QStringLiteral("Table"),
    QStringLiteral("Round"),
    QStringLiteral("Board"),
    QStringLiteral("PairNS"),
    QStringLiteral("PairEW"),
    QStringLiteral("Declarer"),
    QStringLiteral("NS/EW"),
    QStringLiteral("Contract"),
    QStringLiteral("Result"),
    QStringLiteral("LeadCard"),
    QStringLiteral("Remarks"),
    QStringLiteral("DateLog"),
    QStringLiteral("TimeLog"),
    QStringLiteral("Processed"),
    QStringLiteral("Processed1"),
    QStringLiteral("Processed2"),
    QStringLiteral("Processed3"),
    QStringLiteral("Processed4"),
    QStringLiteral("Erased"),
    QStringLiteral("custom_qz_score"),
    QStringLiteral("custom_qz_declarer"),
    QStringLiteral("South"),
    QStringLiteral("West"),
    QStringLiteral("custom_qz_scalepoint"),
    QStringLiteral("custom_qz_scalepointmax"),
};

LoggedResults::LoggedResults(GameData& gameData, const EventInfo& event, Log& log, MessageBox& messages,
                             ShellOpener& shell)
    : gameData_(gameData), event_(event), log_(log), messages_(messages), shell_(shell) {}

QString LoggedResults::DecodeGameLogForResult(const QString& logText) {
    unboundFrames_ = 0;
    if (logText.isEmpty())
        return {};
    log_.writeLog(0, QStringLiteral("Decode game log file for result"));
    QStringList lines;
    for (QString line : logText.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\r'));
        QString compact = line;
        compact.remove(QLatin1Char(' '));
        compact = compact.toUpper();
        if (!compact.contains(QLatin1String("RX<=")))
            continue;
        const QString frame = GetField(compact, 2, QStringLiteral("<="));
        const QString date = compact.left(10);
        const QString time = compact.mid(10, 8);
        if (frame.size() < kShortestFrameDigits || !isHexPairs(frame)) {
            // Without the arrow, so that a later rebuild does not read this line as a frame.
            log_.writeLog(0, QStringLiteral("Logged frame of ") + date + QLatin1Char(' ') + time +
                                 QStringLiteral(" skipped, it is cut or not in hex: ") + frame);
            continue;
        }
        const int code = byteAt(frame, 4);
        const bool fourPlayers = code == 54 || code == 74;
        if (!fourPlayers && code != 52 && code != 72)
            continue;
        const QString tableId = gameData_.getTQZTableLabel(byteAt(frame, 1) * 256 + byteAt(frame, 2)).tableId;
        if (tableId.isEmpty()) {
            ++unboundFrames_;
            continue;
        }
        const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
        const qint16 table = tableIdNumber(tableId);
        const bool hasRounds = gameData_.mem_HasRound(sectionId);
        const QString records =
            frame.mid(kRecordsFirstDigit, frame.size() - kRecordsFirstDigit - kChecksumDigits);
        const qsizetype recordBytes = fourPlayers ? 8 : 6;

        for (qsizetype first = 0; (first + recordBytes) * 2 <= records.size(); first += recordBytes) {
            const auto byte = [&records, first](qsizetype k) {
                return byteAt(records, first + k);
            };
            LoggedRecord r;
            r.board = static_cast<qint16>(byte(0));
            r.contract = wireContractText(static_cast<qint16>(byte(1)));
            const QString result = wireResultText(static_cast<qint16>(byte(2)));
            r.lead = wireCardText(static_cast<qint16>(byte(3)));
            r.seats = {static_cast<qint16>(byte(4)), static_cast<qint16>(byte(5)),
                       static_cast<qint16>(fourPlayers ? byte(6) : 0),
                       static_cast<qint16>(fourPlayers ? byte(7) : 0)};
            if (result.contains(QLatin1Char('%'))) {
                r.contract = result;
            } else {
                r.declarer = result.left(1);
                r.tricks = StrToInt(result.mid(1));
            }
            const SeatNumbers sent = r.seats;
            r.seats = boardSeatNumbers(gameData_, event_.bandedPairNumbering, tableId, r.board, sent);
            // Filed where the intake filed it, in whichever stanza of the evening.
            std::optional<ResultPlace> place;
            if (hasRounds) {
                place = gameData_.findResultPlace(tableId, r.board,
                                                  ResultSeats{r.seats, sent, event_.bandedPairNumbering},
                                                  GameData::PlaceRounds::Evening);
                if (place)
                    r.seats = place->seats;
            }
            const auto [ns, ew, south, west] = r.seats;
            if (ns == 0 && ew == 0)
                r.contract = QStringLiteral("NP");

            QString contract;
            QString declarer;
            QString relative;
            QString remarks;
            QString lead = r.lead;
            qint16 score = 0;
            if (r.contract == QLatin1String("NP") || r.contract == QLatin1String("LP") ||
                r.contract.isEmpty()) {
                remarks =
                    r.contract == QLatin1String("NP") ? QStringLiteral("Not played") : r.contract.toUpper();
                lead.clear();
            } else if (r.contract == QLatin1String("PASS")) {
                contract = r.contract;
            } else if (isAdjustedScore(r.contract)) {
                remarks = r.contract;
            } else {
                score = calcContractScore(r.board, r.contract, r.declarer, r.tricks);
                contract = shownContract(r.contract);
                declarer = r.declarer;
                relative = formatResultText(contract, r.tricks);
            }

            qint16 declarerNo = 0;
            if (declarer == QLatin1String("N") || declarer == QLatin1String("S"))
                declarerNo = declarer == QLatin1String("S") && south > 0 ? south : ns;
            else if (declarer == QLatin1String("E") || declarer == QLatin1String("W"))
                declarerNo = declarer == QLatin1String("W") && west > 0 ? west : ew;

            // With the movement the round is where the intake files the result (0: nowhere).
            // Without it the round is estimated from the results stored; without boards per
            // round there is no estimate.
            qint16 round = place ? place->round : qint16{0};
            if (!hasRounds && event_.boardsPerRound >= 1)
                round = std::max<qint16>(1, static_cast<qint16>(gameData_.countTableResultsPlayed(tableId) /
                                                                event_.boardsPerRound));

            const QStringList fields = {QString(),
                                        QString::number(sectionId),
                                        QString::number(table),
                                        QString::number(round),
                                        QString::number(r.board),
                                        QString::number(ns),
                                        QString::number(ew),
                                        QString::number(declarerNo),
                                        declarer,
                                        contract,
                                        relative,
                                        lead,
                                        remarks,
                                        date,
                                        time,
                                        QStringLiteral("-1"),
                                        QStringLiteral("0"),
                                        QStringLiteral("0"),
                                        QStringLiteral("0"),
                                        QStringLiteral("0"),
                                        QStringLiteral("0"),
                                        QString::number(score),
                                        declarer,
                                        QString::number(south),
                                        QString::number(west),
                                        QString(),
                                        QString()};
            lines << fields.join(kTab);
        }
    }
    if (unboundFrames_ > 0)
        log_.writeLog(
            0, QString::number(unboundFrames_) +
                   QStringLiteral(" result frames skipped: their tabletops are not logged in to a table."));
    if (lines.isEmpty())
        return {};
    log_.writeLog(0, QString::number(lines.size()) + QStringLiteral(" result line decoded."));
    return headings.join(kTab) + kCrLf + lines.join(kCrLf);
}

QString LoggedResults::summaryTable(const QString& rebuilt) {
    static const int kept[] = {2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13};
    QString table =
        QStringList{QStringLiteral("Sec"), QStringLiteral("Tbl"), QStringLiteral("Rd"), QStringLiteral("Bd"),
                    QStringLiteral("NS"),  QStringLiteral("EW"),  QStringLiteral("D"),  QStringLiteral("Ctr"),
                    QStringLiteral("Res"), QStringLiteral("Ld"),  QStringLiteral("Rem")}
            .join(kTab) +
        kCrLf;
    const QStringList rows = rebuilt.split(kCrLf);
    for (qsizetype i = 1; i < rows.size(); ++i) {
        QStringList fields;
        for (const int field : kept)
            fields << GetField(rows[i], static_cast<qint16>(field), QString(kTab));
        table += fields.join(kTab) + kCrLf;
    }
    return table;
}

bool LoggedResults::mnuloggedResults_Click(const QString& desktopFolder, bool historyOn) {
    const auto tell = [this](const QString& text) {
        messages_.showMsg(text, QStringLiteral("Logged results"), kMessageBoxStyle, kHelpTopic);
    };
    log_.writeLog(0, QStringLiteral("Force flush"));
    const QString logPath = event_.logFilePath();
    qint16 readError = 0;
    const QString logText = ReadTextFile(logPath, readError);
    if (readError != 0) {
        tell(QStringLiteral("The log file could not be read:") + kCrLf + logPath);
        return false;
    }
    const QString rebuilt = DecodeGameLogForResult(logText);
    if (rebuilt.isEmpty() && unboundFrames_ > 0) {
        // A new stanza unbinds its tabletops until they log in again.
        tell(QStringLiteral("The results in the log were sent by tabletops that are not logged in to a table "
                            "now:") +
             kCrLf + logPath);
        return false;
    }
    if (rebuilt.isEmpty()) {
        QString text = QStringLiteral("The log holds no results sent by the tabletops:") + kCrLf + logPath;
        if (!historyOn)
            text += kCrLf + QStringLiteral("(Received messages are logged while the ini key History is 1.)");
        tell(text);
        return false;
    }
    const QString fileName = event_.eventFileName + QStringLiteral("_res.txt");
    QString error;
    const QString eventCopy = event_.scoreDbFolder + fileName;
    if (!WriteTextFile(eventCopy, rebuilt + kCrLf, error)) {
        log_.writeLog(0, eventCopy + QStringLiteral(": ") + error, QStringLiteral("Logged results"), true);
        tell(QStringLiteral("The logged results could not be written:") + kCrLf + eventCopy + kCrLf + error);
        return false;
    }
    QString shown = eventCopy;
    if (!desktopFolder.isEmpty()) {
        QString desktopCopy = desktopFolder + fileName;
        // With the event on the desktop (whatever way the path names it) the table must not
        // replace the full results just written.
        if (QFileInfo(desktopCopy).canonicalFilePath() == QFileInfo(eventCopy).canonicalFilePath())
            desktopCopy = desktopFolder + event_.eventFileName + QStringLiteral("_res_table.txt");
        if (WriteTextFile(desktopCopy, summaryTable(rebuilt), error)) {
            shown = desktopCopy;
        } else {
            log_.writeLog(0, desktopCopy + QStringLiteral(": ") + error, QStringLiteral("Logged results"),
                          true);
            tell(QStringLiteral("The table of logged results could not be written to the desktop:") + kCrLf +
                 desktopCopy + kCrLf + error + kCrLf + QStringLiteral("The full results are in ") +
                 eventCopy);
            if (messages_.programEnded())
                return false;
        }
    }
    if (!shell_.open(shown))
        tell(QStringLiteral("The file could not be opened:") + kCrLf + shown);
    return true;
}

} // namespace qzc
