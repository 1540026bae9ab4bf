#include "gamedata/PlayerSeats.h"

#include "core/Config.h"
#include "core/DbTransaction.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"
#include "gamedata/NextSeating.h"
#include "gamedata/PlayerNames.h"
#include "gamedata/StoredSeatNames.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"

#include <QSqlQuery>
#include <QStringList>
#include <algorithm>

namespace qzc {

namespace {

const QString kMarkSource = QStringLiteral("Database - markPlayerID");
const QString kNotAvailable = QStringLiteral("n/a");
constexpr int kNameBytes = 20;

QString partnerOf(const QString& direction) {
    if (direction == QLatin1String("N"))
        return QStringLiteral("S");
    if (direction == QLatin1String("S"))
        return QStringLiteral("N");
    if (direction == QLatin1String("E"))
        return QStringLiteral("W");
    if (direction == QLatin1String("W"))
        return QStringLiteral("E");
    return {};
}

QDateTime storedTime(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    const QString text = value.toString().trimmed();
    QDateTime time = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return time.isValid() ? time : QDateTime::fromString(text, Qt::ISODate);
}

} // namespace

void PlayerSeats::logDbError(const QString& source) const {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
}

QString PlayerSeats::timeText() const {
    return clock_.now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

bool PlayerSeats::clearTablePlayerID(const QString& tableId) {
    const qint16 table = tableIdNumber(tableId);
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    if (table < 1 || sectionId < 1)
        return false;
    return db_.execSQL(
        QStringLiteral("UPDATE PlayerNumbers SET [Number]='', custom_qz_names='', custom_qz_pair=0") +
            (config_.NameToScoring ? QStringLiteral(", name=''") : QString()) +
            QStringLiteral(", TimeLog=? WHERE Section=? AND [Table]=?"),
        QStringLiteral("Database - clearTablePlayerID"), false, {timeText(), sectionId, table});
}

bool PlayerSeats::markPlayerID(const QString& tableId, double number, const QString& direction,
                               const StoredSeatName* kept) {
    log_.writeLog(0, QStringLiteral("Mark player ID"));
    const QString numberText = playerNumberText(number);
    const qint16 table = tableIdNumber(tableId);
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(tableId));
    const qint16 pair = gameData_.mem_GetSeatNumber(tableId, direction);
    const bool toScoring = config_.NameToScoring;
    const QString time = timeText();

    DbTransaction transaction(db_);
    auto fail = [this] {
        logDbError(kMarkSource);
        return false;
    };
    if (!transaction.isActive())
        return fail();
    if (number > 0 &&
        !db_.execSQL(
            QStringLiteral("UPDATE PlayerNumbers SET [Number]='', custom_qz_names='', custom_qz_pair=0") +
                (toScoring ? QStringLiteral(", name=''") : QString()) +
                QStringLiteral(", TimeLog=? WHERE Section=? AND [Number]=?"),
            kMarkSource, false, {time, sectionId, numberText}))
        return fail();

    std::optional<QSqlQuery> seat = db_.select(
        QStringLiteral("SELECT Direction FROM PlayerNumbers WHERE Section=? AND [Table]=? AND Direction=?"),
        {sectionId, table, direction});
    if (!seat)
        return fail();
    const bool known = seat->next();
    seat.reset();

    const PlayerNameLookup names = names_.getPlayerName({}, number);
    // A player registered again at his table keeps the names his seat held, and a correction
    // of the scoring program that the check has not yet taken up stays to be taken up; the
    // seat was blanked first. Otherwise the seat gets the listed names.
    const QString displayName = kept != nullptr ? kept->displayNameOr(names.name) : names.name;
    std::optional<QVariant> name;
    if (kept != nullptr && !kept->name.toString().isEmpty())
        name = kept->name;
    else if (toScoring)
        name = names.shortName;
    const QVariant updated = kept != nullptr ? kept->updated : QVariant(0);

    bool written = false;
    if (known) {
        QVariantList values{numberText, displayName};
        if (name)
            values << *name;
        values << pair << updated << time << sectionId << table << direction;
        written = db_.execSQL(QStringLiteral("UPDATE PlayerNumbers SET [Number]=?, custom_qz_names=?") +
                                  (name ? QStringLiteral(", name=?") : QString()) +
                                  QStringLiteral(", custom_qz_pair=?, Updated=?, TimeLog=?"
                                                 " WHERE Section=? AND [Table]=? AND Direction=?"),
                              kMarkSource, false, values);
    } else {
        QVariantList values{sectionId, table, direction, numberText, displayName};
        if (name)
            values << *name;
        values << pair << updated << time;
        written = db_.execSQL(
            QStringLiteral(
                "INSERT INTO PlayerNumbers (Section, [Table], Direction, [Number], custom_qz_names") +
                (name ? QStringLiteral(", name") : QString()) +
                QStringLiteral(", custom_qz_pair, Updated, TimeLog) VALUES (?,?,?,?,?") +
                (name ? QStringLiteral(",?") : QString()) + QStringLiteral(",?,?,?)"),
            kMarkSource, false, values);
    }
    if (!written || !transaction.commit())
        return fail();
    return true;
}

std::optional<RegisteredSeat> PlayerSeats::getPlayerSeat(const QString& sectionLetters, double number) const {
    if (number == 0)
        return std::nullopt;
    // The number is compared as the text PlayerNumbers holds, so that it matches whatever the
    // column's type.
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral("SELECT Direction, [Table] FROM PlayerNumbers WHERE Section=? AND [Number]=?"
                       " ORDER BY [Table], Direction"),
        {gameData_.getSectionID(sectionLetters), playerNumberText(number)});
    if (!query) {
        logDbError(QStringLiteral("Database - getPlayerSeat"));
        return std::nullopt;
    }
    if (!query->next())
        return std::nullopt;
    return RegisteredSeat{queryText(*query, 0).trimmed(), queryInt16(*query, 1)};
}

bool PlayerSeats::markRoundNamesSent(const QString& tableId, qint16 round, const QString& label) {
    return db_.execSQL(
        QStringLiteral("UPDATE Tables SET custom_qz_roundNameSent=?, custom_qz_roundNameSentTime=?"
                       " WHERE Section=? AND [Table]=?"),
        label, false,
        {round, timeText(), gameData_.getSectionID(tableIdLetter(tableId)), tableIdNumber(tableId)});
}

bool PlayerSeats::roundNamesSent(const QString& tableId, qint16 round) {
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT custom_qz_roundNameSent, custom_qz_roundNameSentTime FROM Tables"
                                  " WHERE Section=? AND [Table]=?"),
                   {gameData_.getSectionID(tableIdLetter(tableId)), tableIdNumber(tableId)});
    if (!query || !query->next())
        return false;
    const qint16 sentRound = queryInt16(*query, 0);
    if (round > sentRound)
        return false;
    const QDateTime sentTime = storedTime(query->value(1));
    const qint64 elapsed = sentTime.isValid() ? sentTime.secsTo(clock_.now()) : -1;
    // A terminal that missed the reply asks again at once.
    if (elapsed >= 0 && elapsed < nameRepeatSeconds)
        return false;
    log_.writeLog(0,
                  QStringLiteral("For ") + tableId + QStringLiteral(", player names for round up to ") +
                      QString::number(sentRound) + QStringLiteral(" is already sent"),
                  QStringLiteral("getSeatPlayerName"));
    return true;
}

void PlayerSeats::findHomeSeats(const QString& letters, const SeatNumbers& numbers,
                                std::array<QString, 4>& homeTables,
                                std::array<QString, 4>& directions) const {
    const bool separate = gameData_.mem_GetSectionField(gameData_.getSectionID(letters));
    std::array<bool, 4> placed{};
    for (std::size_t k = 0; k < numbers.size(); ++k)
        placed[k] = numbers[k] == 0;
    for (const MovementRow& row : gameData_.movementRows()) {
        if (row.Round != 1 || row.Letter != letters)
            continue;
        for (std::size_t k = 0; k < numbers.size(); ++k) {
            const qint16 n = numbers[k];
            if (placed[k] || n <= 0)
                continue;
            QString direction;
            if (separate) {
                // The pairs keep their direction: the NS pair is found only at NS, the EW pair only at EW.
                if (k == 0 && row.NSPair == n)
                    direction = QStringLiteral("N");
                else if (k == 1 && row.EWPair == n)
                    direction = QStringLiteral("E");
            } else {
                if (row.NSPair == n)
                    direction = QStringLiteral("N");
                if (row.EWPair == n)
                    direction = QStringLiteral("E");
                if (row.South == n)
                    direction = QStringLiteral("S");
                if (row.West == n)
                    direction = QStringLiteral("W");
            }
            if (direction.isEmpty())
                continue;
            homeTables[k] = letters + QString::number(row.Table);
            directions[k] = direction;
            placed[k] = true;
        }
        if (std::all_of(placed.begin(), placed.end(), [](bool p) { return p; }))
            break;
    }
}

QByteArray PlayerSeats::getSeatPlayerName(const QString& tableId, qint16 nsPair, qint16 ewPair, qint16 south,
                                          qint16 west) {
    const bool roundRequest = nsPair < 0 || ewPair < 0;
    const bool fourPlayers = gameData_.seatsFourPlayers(gameData_.getSectionID(tableIdLetter(tableId)));
    const NextSeating movement(db_, log_, gameData_);
    qint16 round = 0;
    SeatNumbers numbers{};
    if (roundRequest) {
        // No numbers are sent: a sit-out row, which none fit, is passed over.
        round =
            roundBeingSeated(gameData_, movement, event_.bandedPairNumbering, tableId, SeatNumbers{}).round;
        if (roundNamesSent(tableId, round))
            return QByteArray(1, '\0');
        numbers = gameData_.mem_GetTableSeats(tableId, round);
    } else {
        // Where pairs play South and West sit with their partners: only the pairs must fit a row.
        const bool bothGiven = south >= 0 && west >= 0 && fourPlayers;
        const SeatNumbers sent{nsPair, ewPair, bothGiven ? south : qint16{0}, bothGiven ? west : qint16{0}};
        const std::optional<SeatNumbers> seated =
            movementSeatNumbers(gameData_, movement, event_.bandedPairNumbering, tableId, sent);
        if (!seated) {
            QStringList entered;
            for (const qint16 n : sent)
                entered << QString::number(n);
            log_.writeLog(0,
                          QStringLiteral("For ") + tableId + QStringLiteral(", no round to come seats ") +
                              entered.join(QLatin1Char('/')) + QStringLiteral(": no names for them"),
                          QStringLiteral("getSeatPlayerName"));
        }
        numbers = seated.value_or(SeatNumbers{});
    }

    const QString letters = tableIdLetter(tableId);
    std::array<QString, 4> homeTables;
    std::array<QString, 4> directions;
    findHomeSeats(letters, numbers, homeTables, directions);
    if (!fourPlayers) {
        // Where pairs play South sits with the NS pair and West with the EW pair.
        for (std::size_t k = 2; k < 4; ++k) {
            homeTables[k] = homeTables[k - 2];
            directions[k] = partnerOf(directions[k - 2]);
        }
    }

    QByteArray block(nameBlockSize, '\0');
    const std::vector<PlayerNameRecord>& registered = names_.registeredNameList();
    for (std::size_t k = 0; k < 4; ++k) {
        const qint16 sectionId = gameData_.getSectionID(tableIdLetter(homeTables[k]));
        const qint16 table = tableIdNumber(homeTables[k]);
        const PlayerNameRecord* found = nullptr;
        if (!homeTables[k].isEmpty()) {
            for (const PlayerNameRecord& record : registered) {
                if (record.section == sectionId && record.table == table &&
                    record.direction.trimmed().compare(directions[k], Qt::CaseInsensitive) == 0) {
                    found = &record;
                    break;
                }
            }
        }
        const QString name = found != nullptr ? found->name : kNotAvailable;
        log_.writeLog(0, QStringLiteral("Get seating name: ") +
                             (found != nullptr ? playerNumberText(found->number) : QString()) +
                             QLatin1Char(',') + directions[k] + QLatin1Char(',') + name);
        const QByteArray bytes = Ansi::encode(name).left(kNameBytes);
        block.replace(static_cast<qsizetype>(k) * kNameBytes, bytes.size(), bytes);
    }
    if (roundRequest)
        markRoundNamesSent(tableId, round, QStringLiteral("getSeatPlayerName - update round name sent"));
    return block;
}

} // namespace qzc
