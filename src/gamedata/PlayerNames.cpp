#include "gamedata/PlayerNames.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "gamedata/FieldValues.h"
#include "gamedata/NameShortening.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <functional>

namespace qzc {

QString playerNumberText(double number) {
    return QString::number(number, 'g', 15);
}

double playerNumberFromBytes(const QByteArray& numberBytes) {
    if (numberBytes.size() < 2)
        return 0;
    QString digits;
    for (const char byte : numberBytes)
        digits += QString::number(static_cast<quint8>(byte)).rightJustified(2, QLatin1Char('0'));
    return StrToDouble(digits);
}

namespace {

// Sorts by number, records of equal number keeping their order. A list that is sorted
// already (as the database mostly gives it) is only checked.
template <typename Record>
void sortByNumber(typename std::vector<Record>::iterator first, typename std::vector<Record>::iterator last) {
    const auto byNumber = [](const Record& a, const Record& b) {
        return a.number < b.number;
    };
    if (!std::is_sorted(first, last, byNumber))
        std::stable_sort(first, last, byNumber);
}

// Cuts high to the last record of a list of size records; false when low..high then holds
// fewer than two records, a start at or past the end included.
bool cutToList(std::size_t size, std::size_t low, std::size_t& high) {
    if (size == 0)
        return false;
    high = std::min(high, size - 1);
    return low < high;
}

template <typename Record>
void sortPlayers(std::vector<Record>& list, std::size_t low, std::size_t high, bool byName) {
    if (!cutToList(list.size(), low, high))
        return;
    const auto first = list.begin() + static_cast<std::ptrdiff_t>(low);
    const auto last = list.begin() + static_cast<std::ptrdiff_t>(high) + 1;
    if (byName)
        std::stable_sort(first, last, [](const Record& a, const Record& b) {
            return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
        });
    else
        sortByNumber<Record>(first, last);
}

// Frees the names of a list in the order of their memory: half a million names freed in the
// order of their numbers walk the heap at random and take several times as long.
void releaseNames(std::vector<KnownPlayer>& list) {
    std::sort(list.begin(), list.end(), [](const KnownPlayer& a, const KnownPlayer& b) {
        return std::less<const QChar*>()(a.name.constData(), b.name.constData());
    });
    std::vector<KnownPlayer>().swap(list);
}

} // namespace

void quickSortPlayers(std::vector<KnownPlayer>& list, std::size_t low, std::size_t high, bool byName) {
    sortPlayers(list, low, high, byName);
}

void quickSortPlayers(std::vector<PlayerNameRecord>& list, std::size_t low, std::size_t high, bool byName) {
    sortPlayers(list, low, high, byName);
}

void quickSortPlayersBy(std::vector<PlayerNameRecord>& list, std::size_t low, std::size_t high,
                        qint16 sortKey) {
    using Less = bool (*)(const PlayerNameRecord&, const PlayerNameRecord&);
    Less less = nullptr;
    switch (qAbs(sortKey)) {
    case 1:
        less = [](const PlayerNameRecord& a, const PlayerNameRecord& b) {
            return a.gridSortValue < b.gridSortValue;
        };
        break;
    case 2:
        less = [](const PlayerNameRecord& a, const PlayerNameRecord& b) {
            return a.pair != b.pair ? a.pair < b.pair : a.gridSortValue < b.gridSortValue;
        };
        break;
    case 3:
        less = [](const PlayerNameRecord& a, const PlayerNameRecord& b) {
            return a.number < b.number;
        };
        break;
    case 4:
        less = [](const PlayerNameRecord& a, const PlayerNameRecord& b) {
            return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
        };
        break;
    default:
        return;
    }
    if (!cutToList(list.size(), low, high))
        return;
    const auto first = list.begin() + static_cast<std::ptrdiff_t>(low);
    const auto last = list.begin() + static_cast<std::ptrdiff_t>(high) + 1;
    if (sortKey > 0)
        std::stable_sort(first, last, less);
    else
        std::stable_sort(first, last,
                         [less](const PlayerNameRecord& a, const PlayerNameRecord& b) { return less(b, a); });
}

PlayerNameLookup PlayerNames::getPlayerName(const QByteArray& numberBytes, double number) const {
    const double key = number != 0 ? number : playerNumberFromBytes(numberBytes);
    if (key == 0)
        return {QStringLiteral("n/a"), QStringLiteral("n/a"), false};
    if (const std::optional<std::size_t> found = searchNameList(playerNameList_, key)) {
        const QString& name = playerNameList_[*found].name;
        if (!name.isEmpty())
            return {truncatePlayerName(name, seatNameLength, config_.namePreference),
                    truncatePlayerName(name, shortNameLength, config_.namePreference), false};
    }
    const QString digits = playerNumberText(key);
    return {digits, digits, true};
}

QString PlayerNames::seatName(const QString& name) const {
    return truncatePlayerName(name, seatNameLength, config_.namePreference);
}

void PlayerNames::logDbError(const QString& source) const {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
}

void PlayerNames::loadPlayerNameList() {
    std::vector<KnownPlayer> loaded;
    if (event_.tablePresent.present(SharedTable::PlayerNames)) {
        log_.writeLog(0, QStringLiteral("Load player name list from database"));
        const QString source = QStringLiteral("Database - loadplayername");
        qint32 rows = 0;
        if (!db_.getDBValue(QStringLiteral("SELECT COUNT(*) AS cnt FROM PlayerNames"), QStringLiteral("cnt"),
                            rows)) {
            logDbError(source);
            return;
        }
        // Only a table that holds more names than the list takes must come sorted, so that
        // the lowest numbers are kept; any other is sorted here, faster than by the database.
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT ID, Name FROM PlayerNames") +
                       (rows > maxPlayerNames ? QStringLiteral(" ORDER BY ID ASC") : QString()));
        if (!query) {
            logDbError(source);
            return;
        }
        loaded.reserve(static_cast<std::size_t>(std::clamp<qint32>(rows, 0, maxPlayerNames)));
        while (query->next()) {
            if (loaded.size() == maxPlayerNames) {
                log_.writeLog(0, QStringLiteral("Maximum of player name list loaded is 500,000"));
                break;
            }
            KnownPlayer& record = loaded.emplace_back();
            const QVariant id = query->value(0);
            if (!id.isNull())
                record.number = id.toDouble();
            record.name = queryText(*query, 1);
        }
    }
    if (!loaded.empty()) {
        log_.writeLog(0, QStringLiteral("Sorting player name by QuickSort"));
        quickSortPlayers(loaded, 0, loaded.size() - 1, false);
    }
    releaseNames(playerNameList_);
    playerNameList_ = std::move(loaded);
}

void PlayerNames::sortPlayerNameList() {
    if (!playerNameList_.empty())
        quickSortPlayers(playerNameList_, 0, playerNameList_.size() - 1, false);
}

void PlayerNames::loadRegisteredNames(bool force) {
    const QString source = QStringLiteral("Database - loadRegisteredNames");
    qint32 count = 0;
    if (!db_.getDBValue(QStringLiteral("SELECT COUNT(*) AS cntrec FROM PlayerNumbers") + namedSeats,
                        QStringLiteral("cntrec"), count)) {
        logDbError(source);
        return;
    }
    if (!force && static_cast<std::size_t>(count) == registeredNameList_.size())
        return;
    std::vector<PlayerNameRecord> loaded;
    if (count > 0) {
        std::optional<QSqlQuery> query = db_.select(
            QStringLiteral("SELECT [Number], custom_qz_names, Section, [Table], Direction, custom_qz_pair"
                           " FROM PlayerNumbers") +
            namedSeats);
        if (!query) {
            logDbError(source);
            return;
        }
        loaded.reserve(static_cast<std::size_t>(count));
        while (query->next()) {
            PlayerNameRecord record;
            record.number = StrToDouble(queryText(*query, 0));
            record.name = queryText(*query, 1);
            record.section = fields::toInt16(query->value(2)).value_or(0);
            record.table = fields::toInt16(query->value(3)).value_or(0);
            record.direction = queryText(*query, 4);
            record.pair = fields::toInt16(query->value(5)).value_or(0);
            loaded.push_back(record);
        }
    }
    registeredNameList_ = std::move(loaded);
    log_.writeLog(
        0, QStringLiteral("Load registered name to memory, ") + QString::number(registeredNameList_.size()),
        QStringLiteral("AnalyzeGameDB"));
    if (registeredNamesReloaded_)
        registeredNamesReloaded_();
}

} // namespace qzc
