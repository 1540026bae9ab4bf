#include "gamedata/RegisteredPlayerChange.h"

#include "core/Config.h"
#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "gamedata/FieldValues.h"
#include "platform/Clock.h"

#include <QSqlQuery>
#include <algorithm>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLabel = QStringLiteral("Edit registered player");
const QString kSeatsChanged =
    QStringLiteral("The seats have changed since the list was shown; the registered player"
                   " is unchanged. The list now shows them as they are.");
constexpr qint16 kRefusalStyle = 49;
constexpr qint16 kQuestionStyle = 308;

/// Another seat than the entry's: section or table differ, or the direction does.
bool atAnotherSeat(const PlayerNameRecord& other, const PlayerNameRecord& entry) {
    return other.section != entry.section || other.table != entry.table ||
           other.direction.trimmed().compare(entry.direction.trimmed(), Qt::CaseInsensitive) != 0;
}

bool isMemberId(const QString& value) {
    return !value.isEmpty() && value.size() <= RegisteredPlayerChange::maxIdLength &&
           std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

RegisteredPlayerChange::Outcome
RegisteredPlayerChange::cmdButton_Click(const QString& mode, const QString& typed,
                                        const PlayerNameRecord& seat,
                                        const std::vector<PlayerNameRecord>& seatNameList) {
    const auto current = std::find_if(seatNameList.begin(), seatNameList.end(),
                                      [&seat](const PlayerNameRecord& r) { return !atAnotherSeat(r, seat); });
    if (current == seatNameList.end()) {
        refuse(QStringLiteral("The seat is no longer listed; the registered player is unchanged."));
        return Outcome::NotWritten;
    }
    if (current->number != seat.number) {
        refuse(kSeatsChanged);
        return Outcome::Changed;
    }
    // A copy: the questions below run an event loop of their own.
    const PlayerNameRecord entry = *current;
    if (mode == QLatin1String("ID"))
        return changeId(typed.trimmed(), entry, seatNameList);
    return changeName(typed.trimmed(), entry, seatNameList);
}

void RegisteredPlayerChange::refuse(const QString& text) {
    s_.messages.showMsg(text, QString(), kRefusalStyle, helpTopic);
}

RegisteredPlayerChange::Outcome
RegisteredPlayerChange::changeName(QString value, const PlayerNameRecord& entry,
                                   const std::vector<PlayerNameRecord>& seatNameList) {
    value.remove(QLatin1Char('#'));
    if (value.size() > maxNameLength) {
        refuse(QStringLiteral("Name must not be longer than ") + QString::number(maxNameLength));
        return Outcome::NotWritten;
    }
    if (value == entry.name)
        return Outcome::NotWritten;
    if (!value.isEmpty()) {
        const auto same =
            std::find_if(seatNameList.begin(), seatNameList.end(), [&](const PlayerNameRecord& r) {
                return atAnotherSeat(r, entry) && r.name == value;
            });
        if (same != seatNameList.end()) {
            const QString question = value + QStringLiteral(" is already linked to") + kCrLf +
                                     QStringLiteral("ID ") + playerNumberText(same->number) +
                                     QStringLiteral(", ") + same->name + QStringLiteral(", @Table ") +
                                     same->tableLabel + QLatin1Char(' ') + same->seatLabel +
                                     QStringLiteral(", #") + QString::number(same->pair) + kCrLf +
                                     QStringLiteral("Use it anyway?");
            if (!s_.messages.showMsg(question, QStringLiteral("Permit identical name?"), kQuestionStyle,
                                     helpTopic))
                return Outcome::NotWritten;
        }
    }
    return writeAsShown(entry, 0, nullptr, value, [&] { return writeSeat(entry, std::nullopt, value); });
}

RegisteredPlayerChange::Outcome
RegisteredPlayerChange::changeId(QString value, const PlayerNameRecord& entry,
                                 const std::vector<PlayerNameRecord>& seatNameList) {
    if (value.isEmpty() || value.compare(QLatin1String("n/a"), Qt::CaseInsensitive) == 0)
        value = QStringLiteral("0");
    // Digits only: a sign, a decimal point or an exponent would store a number no terminal
    // can enter.
    if (!isMemberId(value)) {
        refuse(QStringLiteral("ID must be a number of at most 12 digit"));
        return Outcome::NotWritten;
    }
    const double number = StrToDouble(value);
    if (number == 0)
        value = QStringLiteral("0");
    if (number == entry.number)
        return Outcome::NotWritten;
    if (number != 0) {
        const auto holder =
            std::find_if(seatNameList.begin(), seatNameList.end(), [&](const PlayerNameRecord& r) {
                return atAnotherSeat(r, entry) && r.number == number;
            });
        if (holder != seatNameList.end()) {
            // A copy: the list may be rebuilt while the question is up.
            const PlayerNameRecord partner = *holder;
            const QString question = QStringLiteral("Do you really want to swap positions of") + kCrLf +
                                     QStringLiteral("ID ") + playerNumberText(entry.number) +
                                     QStringLiteral(", ") + entry.name + kCrLf + QStringLiteral(" and ") +
                                     kCrLf + QStringLiteral("ID ") + playerNumberText(partner.number) +
                                     QStringLiteral(", ") + partner.name;
            if (!s_.messages.showMsg(question, QStringLiteral("Swap players?"), kQuestionStyle,
                                     swapHelpTopic))
                return Outcome::NotWritten;
            // The partner's seat gets the entry's number and name, the entry's seat the partner's.
            // A name the scoring program wrote for either player that the game-data check has
            // not yet taken up moves with him, read in the transaction before either seat is
            // written.
            return writeAsShown(entry, number, &partner, value, [&] {
                std::optional<StoredSeatName> entryPending;
                std::optional<StoredSeatName> partnerPending;
                return readPending(entry, entryPending) && readPending(partner, partnerPending) &&
                       writeSeat(partner, playerNumberText(entry.number), entry.name, entryPending) &&
                       writeSeat(entry, playerNumberText(partner.number), partner.name, partnerPending);
            });
        }
    }
    // A seat without a name takes the known player's name, else the ID itself.
    QString name = entry.name;
    if (number != 0 && name.isEmpty()) {
        const std::vector<KnownPlayer>& known = s_.names.playerNameList();
        const std::optional<std::size_t> found = searchNameList(known, number);
        name = found ? s_.names.seatName(known[*found].name) : value;
    }
    return writeAsShown(entry, number, nullptr, value, [&] {
        return writeSeat(entry, value, name != entry.name ? std::optional<QString>(name) : std::nullopt);
    });
}

RegisteredPlayerChange::Outcome RegisteredPlayerChange::writeAsShown(const PlayerNameRecord& entry,
                                                                     double typedNumber,
                                                                     const PlayerNameRecord* partner,
                                                                     const QString& value,
                                                                     const std::function<bool()>& write) {
    SeatCheck check = SeatCheck::Unreadable;
    bool written = false;
    {
        // Ended before the director is told: while the message is up the terminals are
        // answered, and their results must not join this transaction.
        DbTransaction transaction(s_.db);
        if (transaction.isActive())
            check = seatsAsShown(entry, typedNumber, partner);
        else
            s_.log.writeLog(s_.db.lastErrorNumber(), s_.db.lastErrorDescription(), kLabel, true);
        written = check == SeatCheck::AsShown && write();
        if (written)
            written = transaction.commit();
    }
    if (check == SeatCheck::Changed) {
        s_.names.loadRegisteredNames(true);
        refuse(kSeatsChanged);
        return Outcome::Changed;
    }
    return finish(written, entry, value);
}

RegisteredPlayerChange::SeatCheck RegisteredPlayerChange::seatsAsShown(const PlayerNameRecord& entry,
                                                                       double typedNumber,
                                                                       const PlayerNameRecord* partner) {
    std::optional<QSqlQuery> rows =
        s_.db.select(QStringLiteral("SELECT Section, [Table], Direction, [Number] FROM PlayerNumbers") +
                     PlayerNames::namedSeats);
    if (!rows) {
        s_.log.writeLog(s_.db.lastErrorNumber(), s_.db.lastErrorDescription(), kLabel, true);
        return SeatCheck::Unreadable;
    }
    double entryHolds = 0;
    double partnerHolds = 0;
    bool heldElsewhere = false;
    while (rows->next()) {
        PlayerNameRecord seat;
        seat.section = fields::toInt16(rows->value(0)).value_or(0);
        seat.table = fields::toInt16(rows->value(1)).value_or(0);
        seat.direction = queryText(*rows, 2);
        const double holds = StrToDouble(queryText(*rows, 3));
        if (!atAnotherSeat(seat, entry))
            entryHolds = holds;
        else if (partner != nullptr && !atAnotherSeat(seat, *partner))
            partnerHolds = holds;
        else if (typedNumber != 0 && holds == typedNumber && seat.section == entry.section)
            heldElsewhere = true;
    }
    const bool asShown = entryHolds == entry.number && !heldElsewhere &&
                         (partner == nullptr || partnerHolds == partner->number);
    return asShown ? SeatCheck::AsShown : SeatCheck::Changed;
}

bool RegisteredPlayerChange::readPending(const PlayerNameRecord& seat,
                                         std::optional<StoredSeatName>& pending) {
    const std::optional<std::vector<StoredSeatName>> names =
        readStoredSeatNames(s_.db, seat.section, seat.table);
    if (!names) {
        s_.log.writeLog(s_.db.lastErrorNumber(), s_.db.lastErrorDescription(), kLabel, true);
        return false;
    }
    const StoredSeatName* found = findStoredSeatName(*names, seat.number, seat.direction);
    if (found != nullptr && found->pending())
        pending = *found;
    return true;
}

bool RegisteredPlayerChange::writeSeat(const PlayerNameRecord& seat, const std::optional<QString>& number,
                                       const std::optional<QString>& name,
                                       const std::optional<StoredSeatName>& pending) {
    const QString time = s_.clock.now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QVariantList where{seat.section, seat.table, seat.direction};
    const QString condition = QStringLiteral(" WHERE Section=? AND [Table]=? AND Direction=?");
    std::optional<QSqlQuery> row =
        s_.db.select(QStringLiteral("SELECT name FROM PlayerNumbers") + condition, where);
    if (!row) {
        s_.log.writeLog(s_.db.lastErrorNumber(), s_.db.lastErrorDescription(), kLabel, true);
        return false;
    }
    const bool hasRow = row->next();
    row.reset();
    const QVariant updated = pending ? pending->updated : QVariant(0);
    if (!hasRow) {
        return s_.db.execSQL(
            QStringLiteral("INSERT INTO PlayerNumbers (Section,[Table],Direction,[Number],Name,"
                           "custom_qz_names,Updated,TimeLog,Processed,custom_qz_pair)"
                           " VALUES (?,?,?,?,?,?,?,?,0,?)"),
            kLabel, false,
            {seat.section, seat.table, seat.direction, number.value_or(playerNumberText(seat.number)),
             pending ? pending->name : QVariant(name.value_or(seat.name)), name.value_or(seat.name), updated,
             time, seat.pair});
    }
    QString set;
    QVariantList values;
    if (number) {
        set += QStringLiteral("[Number]=?, ");
        values << *number;
    }
    if (name) {
        set += QStringLiteral("custom_qz_names=?, ");
        values << *name;
    }
    // The scoring program reads the column name only while names are sent to it; a name it
    // wrote that is still to be taken up moves with its player all the same.
    if (pending) {
        set += QStringLiteral("name=?, ");
        values << pending->name;
    } else if (name && s_.config.NameToScoring) {
        set += QStringLiteral("name=?, ");
        values << *name;
    }
    return s_.db.execSQL(QStringLiteral("UPDATE PlayerNumbers SET ") + set +
                             QStringLiteral("Updated=?, TimeLog=?") + condition,
                         kLabel, false, values + QVariantList{updated, time} + where);
}

RegisteredPlayerChange::Outcome RegisteredPlayerChange::finish(bool written, const PlayerNameRecord& entry,
                                                               const QString& value) {
    if (!written) {
        refuse(QStringLiteral("The score database refused the change; the registered player is unchanged."));
        return Outcome::Failed;
    }
    s_.log.writeLog(0, QStringLiteral("Updated registered player name for pair #") +
                           QString::number(entry.pair) + QStringLiteral(":") + value);
    s_.names.loadRegisteredNames(true);
    return Outcome::Written;
}

} // namespace qzc
