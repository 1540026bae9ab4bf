#include "reports/PersonalRecapFile.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/ScoreDb.h"
#include "core/TextHelpers.h"
#include "gamedata/FieldValues.h"
#include "reports/ReportFile.h"
#include "scoring/ContractScore.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("PersonalRecaps");
const QString kCrLf = QStringLiteral("\r\n");

QString cell(const QString& text, qint16 width) {
    return FixedWidth(text, width, false);
}

QString remarkText(const QString& remarks) {
    const QString upper = remarks.toUpper();
    if (upper == QLatin1String("NP"))
        return QStringLiteral("Not played");
    if (upper == QLatin1String("LP"))
        return QStringLiteral("LATE PLAY");
    return remarks;
}

} // namespace

PersonalRecapFile::PersonalRecapFile(ScoreDb& db, Log& log, MessageBox& messages, const EventInfo& event,
                                     ShellOpener& shell)
    : db_(db), log_(log), messages_(messages), event_(event), shell_(shell) {}

QString PersonalRecapFile::filePath() const {
    return event_.scoreDbFolder + event_.eventFileName + QStringLiteral("_result_personalrecaps.txt");
}

std::optional<QString> PersonalRecapFile::recapText(qint16 section, qint16 pair, qint16 side) {
    QString pairCondition;
    QVariantList params{section};
    if (side == northSouth) {
        pairCondition = QStringLiteral(" AND PairNS=?");
        params << pair;
    } else if (side == eastWest) {
        pairCondition = QStringLiteral(" AND PairEW=?");
        params << pair;
    } else {
        pairCondition = QStringLiteral(" AND (PairNS=? OR PairEW=?)");
        params << pair << pair;
    }
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT * FROM ReceivedData WHERE Section=?") + pairCondition +
                       QStringLiteral(" AND NOT Erased ORDER BY Board ASC, Round ASC"),
                   params);
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
        return std::nullopt;
    }
    const bool both = side != northSouth && side != eastWest;
    QString text = QStringLiteral("RECAP FOR PAIR") +
                   (side == northSouth ? QStringLiteral(" NS")
                    : side == eastWest ? QStringLiteral(" EW")
                                       : QString()) +
                   QStringLiteral(" #") + QString::number(pair) + kCrLf;
    text += cell(QStringLiteral("Brd"), 6) + (both ? cell(QStringLiteral("Seat"), 8) : QString()) +
            cell(QStringLiteral("Contract"), 10) + cell(QStringLiteral("By"), 5) +
            cell(QStringLiteral("Made"), 5) + cell(QStringLiteral("Lead"), 5) +
            cell(QStringLiteral("Pts"), 10) + kCrLf;
    bool any = false;
    while (query->next()) {
        any = true;
        const QSqlRecord row = query->record();
        QString contract = fields::text(row, QStringLiteral("Contract")).toUpper();
        contract.remove(QLatin1Char(' '));
        const QString remarks = fields::text(row, QStringLiteral("Remarks"));
        QString line = cell(QString::number(fields::int16Or(row, QStringLiteral("Board"))), 6);
        if (both)
            line += cell(fields::int16Or(row, QStringLiteral("PairNS")) == pair ? QStringLiteral("NS")
                                                                                : QStringLiteral("EW"),
                         8);
        if (remarks.isEmpty()) {
            const qint16 score = fields::int16Or(row, QStringLiteral("custom_qz_score"));
            const qint16 made = calcTricksMade(contract, fields::text(row, QStringLiteral("Result")));
            line += cell(contract, 10) + cell(fields::text(row, QStringLiteral("custom_qz_declarer")), 5) +
                    cell(QString::number(made), 5) + cell(fields::text(row, QStringLiteral("LeadCard")), 5) +
                    cell(score > 0 ? QLatin1Char('+') + QString::number(score) : QString::number(score), 10);
        } else {
            line += cell(remarkText(remarks), 30);
        }
        text += line + kCrLf;
    }
    if (!any)
        return QString();
    return text + kCrLf;
}

QString PersonalRecapFile::PersonalRecaps(qint16 section, qint16 pair, qint16 side) {
    if (pair <= 0)
        return {};
    const std::optional<QString> text = recapText(section, pair, side);
    if (!text)
        return {};
    if (text->isEmpty()) {
        messages_.showStandardMsg(noResultMessage, Config::appTitle, MessageBox::StandardIcon::None);
        return {};
    }
    return writeAndOpenReport(filePath(), *text, log_, shell_, kSource);
}

} // namespace qzc
