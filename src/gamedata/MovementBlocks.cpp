// The movement block of every table, built ahead of time and handed to its terminal.
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/SectionLetters.h"
#include "gamedata/Firmware.h"
#include "gamedata/GameData.h"
#include "gamedata/SectionDealInput.h"

namespace qzc {

namespace {

const QString kBuildSource = QStringLiteral("preloadMovementMessage");

constexpr int kHeaderSize = 2;
constexpr int kPairsRecordSize = 6;
constexpr int kIndividualRecordSize = 10;
constexpr qint16 kShareSeveral = 62;
constexpr qint16 kShareHighTable = 63;
constexpr int kMaskRounds = 8;

// The seat code (of mem_GetPairPosition) of the partner of a pair's first player: South for
// North, West for East; 0 for none.
qint16 partnerSeatCode(qint16 code) {
    return code == 1 || code == 2 ? static_cast<qint16>(code + 2) : qint16{0};
}

QByteArray emptyBlock() {
    return QByteArray(1, '\0');
}

// The bytes of one table's block, refusing any value that does not fit a byte.
class BlockWriter {
public:
    void put(int value, const char* what) {
        if (value < 0 || value > 255) {
            if (overflow_.isEmpty())
                overflow_ = QLatin1String(what) + QLatin1Char(' ') + QString::number(value);
            value = 0;
        }
        bytes_.append(static_cast<char>(static_cast<quint8>(value)));
    }
    void set(int offset, int value) { bytes_[offset] = static_cast<char>(static_cast<quint8>(value)); }
    int size() const { return static_cast<int>(bytes_.size()); }
    const QByteArray& bytes() const { return bytes_; }
    /// The first value that did not fit, as "table 300"; empty when all fitted.
    const QString& overflow() const { return overflow_; }

private:
    QByteArray bytes_;
    QString overflow_;
};

} // namespace

void GameData::preloadMovementMessage() {
    // A game type changed since the load reaches the sections' numbering, the blocks and
    // every lookup by board, here.
    followGameType();
    buildMovementMessages();
}

void GameData::buildMovementMessages() {
    log_.writeLog(0, QStringLiteral("Preload movement message data from memory"));
    messages_.clear();
    messageByTable_.clear();
    const BlockSettings settings = blockSettings();
    for (const SectionRecord& section : sections_) {
        SectionDealInput dealInput(db_, section.ID);
        for (qint16 table : section.tableNumbers) {
            MovementMessage message = buildMovementMessage(section, table, settings.individual,
                                                           settings.showBoardMatrix, dealInput);
            // A fetch finds the first table of that name.
            if (!messageByTable_.contains(message.tableId))
                messageByTable_.insert(message.tableId, static_cast<int>(messages_.size()));
            messages_.push_back(std::move(message));
        }
    }
    blocksBuiltUnder_ = settings;
}

bool GameData::followMovementSettings() {
    const bool followed = followGameType();
    if (blocksBuiltUnder_ && *blocksBuiltUnder_ != blockSettings())
        buildMovementMessages();
    return followed;
}

GameData::BlockSettings GameData::blockSettings() const {
    return {isIndividualGame(),
            StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_showboardmatrix"))) == 1,
            sectionsReadAsIndividual_};
}

MovementMessage GameData::buildMovementMessage(const SectionRecord& section, qint16 table, bool individual,
                                               bool showBoardMatrix, SectionDealInput& dealInput) const {
    MovementMessage message;
    message.tableId = section.Letter + QString::number(table);
    message.block = emptyBlock();
    if (rows_.empty() || section.stanzaEdge == 0 || table == 0)
        return message;

    const qint16 sectionId = section.ID;
    const bool separate = section.separatePairs;
    // Only an individual game's records have seats of their own to look up.
    const bool fourPlayers = individual && seatsFourPlayers(sectionId);
    const int recordSize = individual ? kIndividualRecordSize : kPairsRecordSize;
    BlockWriter block;
    int roundMask = 0;
    qint16 dealEntryBoard = 0;
    qint16 boardsPerRound = 0;
    int records = 0;

    const RowRange range = sectionRows(sectionId);
    for (int i = range.first; i < range.end; ++i) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.Table != table) {
            if (records > 0)
                break;
            continue;
        }
        if (row.Round < section.stanzaBegin || row.Round > section.stanzaEdge)
            continue;
        if (kHeaderSize + (records + 1) * recordSize > maxBlockOffset + 1)
            break;
        if (records == 0) {
            boardsPerRound = static_cast<qint16>(row.boards.size());
            block.put(boardsPerRound, "boards per round");
            block.put(0, "round mask");
        }

        const qint16 seats[4] = {row.NSPair, row.EWPair, row.South, row.West};
        const int seatCount = individual ? 4 : 2;
        for (int s = 0; s < seatCount; ++s)
            block.put(convertPairNumber(seats[s], event_.bandedPairNumbering), "pair number");

        // The round's first board and the other tables that play it.
        qint16 firstBoard = 0;
        qint16 share = 0;
        bool sharedBySeveral = false;
        if (!row.boards.isEmpty()) {
            firstBoard = row.boards.first();
            share = mem_GetBoardSet(sectionId, row.Round, firstBoard, table);
            if (share == -1) {
                share = 0;
                sharedBySeveral = true;
            }
            // Only a table that plays the boards enters their deal, and only the tables that
            // play them count as sharing it; the share code above still names them all. Without
            // hand records no deal is entered.
            if (event_.tablePresent.present(SharedTable::HandRecord) && row.playsBoards()) {
                const qint16 dealShare = otherTableWithBoard(sectionId, row.Round, firstBoard, table, true);
                if (dealShare <= 0 || dealShare > table) {
                    if (dealEntryBoard == 0 && askDealInput(dealInput, table, firstBoard, boardsPerRound))
                        dealEntryBoard = firstBoard;
                    if (row.Round >= 1 && row.Round <= kMaskRounds &&
                        mem_Round_dealInput(sectionId, table, firstBoard, row.Round))
                        roundMask |= 1 << (row.Round - 1);
                }
            }
        }
        block.put(firstBoard, "board");

        // Where each seat goes in the next round, and in which direction. Where pairs play (also
        // in the four-seat records of an individual game) the pairs are looked up, and South and
        // West go with North and East.
        const int lookedUp = fourPlayers ? seatCount : 2;
        qint16 nextTables[4] = {0, 0, 0, 0};
        qint16 seatCodes[4] = {0, 0, 0, 0};
        for (int s = 0; s < lookedUp; ++s) {
            QString direction;
            if (separate)
                direction = s == 0 ? QStringLiteral("NS") : QStringLiteral("EW");
            qint16 number = seats[s];
            if (number == 0) {
                const QString sitoutDirection = s >= 2 ? QString() : direction;
                number = mem_GetSitoutPair(sectionId, row.Round, sitoutDirection, s % 2 == 0 ? 1 : 2);
            }
            const auto nextRound = static_cast<qint16>(row.Round + 1);
            nextTables[s] = mem_GetPairPosition(sectionId, nextRound, number, direction, seatCodes[s]);
            if (nextTables[s] == 0)
                nextTables[s] = mem_GetPairPosition(sectionId, nextRound, 0, direction, seatCodes[s]);
        }
        for (int s = lookedUp; s < seatCount; ++s) {
            nextTables[s] = nextTables[s - 2];
            seatCodes[s] = partnerSeatCode(seatCodes[s - 2]);
        }

        if (individual) {
            int nextSeats = 0;
            for (int s = 0; s < 4; ++s) {
                if (seatCodes[s] > 0)
                    nextSeats |= (seatCodes[s] - 1) << (2 * s);
            }
            block.put(nextSeats, "next seats");
        } else {
            int shareByte = share;
            if (share >= kShareSeveral)
                shareByte = kShareHighTable;
            else if (sharedBySeveral || (showBoardMatrix && share == 0))
                shareByte = kShareSeveral;
            if (seatCodes[0] == 2 || seatCodes[0] == 4)
                shareByte |= 0x40;
            if (seatCodes[1] == 2 || seatCodes[1] == 4)
                shareByte |= 0x80;
            block.put(shareByte, "share code");
        }
        for (int s = 0; s < seatCount; ++s)
            block.put(nextTables[s], "table");
        ++records;
    }

    if (records == 0)
        return message;
    if (!block.overflow().isEmpty()) {
        log_.writeLog(0,
                      QStringLiteral("Movement of table ") + message.tableId +
                          QStringLiteral(" not built, ") + block.overflow() +
                          QStringLiteral(" does not fit a byte"),
                      kBuildSource);
        return message;
    }
    message.block = block.bytes();
    message.block[1] = static_cast<char>(static_cast<quint8>(roundMask));
    message.dealEntryBoard = dealEntryBoard;
    return message;
}

bool GameData::askDealInput(SectionDealInput& dealInput, qint16 table, qint16 firstBoard,
                            qint16 boardCount) const {
    if (const std::optional<bool> answer = dealInput.ask(table, firstBoard, boardCount))
        return *answer;
    return DB_Ask_dealInput(dealInput.sectionId(), table, firstBoard, boardCount);
}

QByteArray GameData::getMovementFromMemory(const QString& tableId, qint16 versionMajor,
                                           qint16 versionMinor) const {
    log_.writeLog(0, QStringLiteral("Get movement data from memory"));
    const auto found = messageByTable_.constFind(tableId);
    if (found == messageByTable_.constEnd())
        return emptyBlock();
    const MovementMessage& message = messages_[static_cast<std::size_t>(found.value())];
    QByteArray block = message.block;
    if (block.size() > 1 && isOldFirmware(versionMajor, versionMinor))
        block[1] = static_cast<char>(static_cast<quint8>(message.dealEntryBoard & 0xFF));
    return block;
}

} // namespace qzc
