#include "gamedata/SeatNameList.h"

#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "platform/BusyPointer.h"

namespace qzc {

namespace {

constexpr double kNoSeatOrder = 999999;
const QString kSeatLetters = QStringLiteral("NESW");

bool sameSeat(const PlayerNameRecord& a, qint16 section, qint16 table, const QString& direction) {
    return a.section == section && a.table == table &&
           a.direction.trimmed().compare(direction, Qt::CaseInsensitive) == 0;
}

} // namespace

bool SeatNameList::placeSeat(PlayerNameRecord& entry, const NameListChoice& choice) const {
    QString seat = gameData_.mem_GetPairSeat(entry.section, choice.round, entry.pair, entry.direction);
    // A pair that sits out the round has no seat in it.
    if (seat == QLatin1String("Out"))
        seat.clear();
    const QString direction = entry.direction.trimmed().toUpper();
    const bool firstOfPair = direction == QLatin1String("N") || direction == QLatin1String("E");
    int seatCode = 99;
    bool shown = seat.size() >= 3;
    entry.seatLabel.clear();
    if (shown) {
        // A pair's seat ("A3NS"): the member who registered at N or E takes its first seat.
        switch (seat.back().unicode()) {
        case 'N':
            seatCode = 1;
            break;
        case 'E':
            seatCode = 2;
            break;
        case 'S':
            seatCode = seat.endsWith(QLatin1String("NS")) && firstOfPair ? 1 : 3;
            break;
        case 'W':
            seatCode = seat.endsWith(QLatin1String("EW")) && firstOfPair ? 2 : 4;
            break;
        default:
            seatCode = 90;
            break;
        }
        if (seatCode <= 4) {
            entry.seatLabel = kSeatLetters.at(seatCode - 1);
            const bool northSouth = seatCode == 1 || seatCode == 3;
            shown = northSouth ? choice.showNS : choice.showEW;
        }
    }
    QString table = seat;
    while (table.size() > 1 && !table.back().isDigit())
        table.chop(1);
    entry.tableLabel = table;
    entry.gridSortValue = table.isEmpty() ? kNoSeatOrder
                                          : sectionLetterToNo(tableIdLetter(table)) * 10000.0 +
                                                tableIdNumber(table) * 100.0 + seatCode;
    return shown;
}

std::vector<PlayerNameRecord> SeatNameList::unnamedSeats() const {
    std::vector<PlayerNameRecord> seats;
    for (const SectionRecord& section : gameData_.sectionList()) {
        const qsizetype tables = std::min<qsizetype>(section.tableCount, section.tableNumbers.size());
        for (qsizetype i = 0; i < tables; ++i) {
            const qint16 table = section.tableNumbers[i];
            if (table < 1)
                continue;
            const QString tableId = section.Letter + QString::number(table);
            for (qsizetype seat = 0; seat < kSeatLetters.size(); ++seat) {
                const QString direction = kSeatLetters.mid(seat, 1);
                const bool registered =
                    std::any_of(seatNameList_.begin(), seatNameList_.end(), [&](const PlayerNameRecord& r) {
                        return sameSeat(r, section.ID, table, direction);
                    });
                if (registered)
                    continue;
                PlayerNameRecord entry;
                entry.direction = direction;
                entry.section = section.ID;
                entry.table = table;
                entry.pair = gameData_.mem_GetSeatNumber(tableId, direction);
                seats.push_back(entry);
            }
        }
    }
    return seats;
}

void SeatNameList::SetupNameList(const NameListChoice& choice) {
    const BusyPointer busy;
    source_ = choice.source;
    seatNameList_.clear();
    shownNameList_.clear();
    if (choice.source == NameListSource::OnFile) {
        const std::vector<KnownPlayer>& known = names_.playerNameList();
        seatNameList_.reserve(known.size());
        for (const KnownPlayer& player : known) {
            PlayerNameRecord entry;
            entry.number = player.number;
            entry.name = player.name;
            entry.tableLabel = QStringLiteral("---");
            seatNameList_.push_back(entry);
        }
        shownNameList_ = seatNameList_;
        return;
    }
    for (PlayerNameRecord entry : names_.registeredNameList()) {
        entry.tableLabel.clear();
        entry.seatLabel.clear();
        if (placeSeat(entry, choice))
            shownNameList_.push_back(entry);
        seatNameList_.push_back(entry);
    }
    std::vector<PlayerNameRecord> unnamed = unnamedSeats();
    for (PlayerNameRecord& entry : unnamed) {
        if (placeSeat(entry, choice))
            shownNameList_.push_back(entry);
    }
    seatNameList_.insert(seatNameList_.end(), unnamed.begin(), unnamed.end());
}

qint16 SeatNameList::SortNameList(qint16 sortKey) {
    const BusyPointer busy;
    if (sortKey == 0)
        sortKey = 1;
    if (source_ == NameListSource::OnFile && qAbs(sortKey) <= 2)
        sortKey = 4;
    if (shownNameList_.size() > 1)
        quickSortPlayersBy(shownNameList_, 0, shownNameList_.size() - 1, sortKey);
    return sortKey;
}

std::array<QString, SeatNameList::columnCount> SeatNameList::gridHeadings(qint16 sortKey) {
    std::array<QString, columnCount> headings = {QStringLiteral("Index"), QStringLiteral("Table"),
                                                 QStringLiteral("Pair"), QStringLiteral("Member ID"),
                                                 QStringLiteral("Name")};
    const auto sorted = static_cast<std::size_t>(qAbs(sortKey));
    if (sorted >= 1 && sorted < headings.size())
        headings[sorted] += sortKey > 0 ? QLatin1Char('+') : QLatin1Char('-');
    return headings;
}

} // namespace qzc
