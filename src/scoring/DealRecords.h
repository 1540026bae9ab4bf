#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace qzc {

class Clock;
class Log;
class ScoreDb;
class TablePresence;
struct TableAddress;

/// One call of an auction or one card of the play, by the seat that made it.
struct DealCall {
    /// North 0, east 1, south 2, west 3; taken modulo 4.
    int seat = 0;
    QString value;
};

/// The dealt cards, the auction and the play that terminals send, stored in the shared
/// tables HandRecord, BiddingData and PlayData.
class DealRecords {
public:
    enum class Stored { Stored, AlreadyStored, Failed };

    DealRecords(ScoreDb& db, Log& log, const Clock& clock, const TablePresence& tablePresent);

    /// Stores one hand of the board's hand record (the row is made when the board has
    /// none): direction "N", "E", "S" or "W"; cards a run of card texts ("SAH2C9"), a text
    /// without a suit letter keeping the suit before it. False when the score database has
    /// no HandRecord table, the text or direction is not understood, or the row cannot be
    /// written.
    bool inputCard(qint16 sectionId, qint16 board, const QString& direction, const QString& cards);

    /// Stores the calls of one auction request (the cards of one play request) in their
    /// order, all or none, each with a Counter one above the records of the table, round
    /// and board before it, whoever made them. Calls that equal the last ones stored, seats
    /// included, are a request sent again after its answer was lost: AlreadyStored, and
    /// nothing is stored twice.
    Stored inputBidding(const TableAddress& table, qint16 round, qint16 board,
                        const std::vector<DealCall>& calls);
    Stored inputPlay(const TableAddress& table, qint16 round, qint16 board,
                     const std::vector<DealCall>& cards);

private:
    enum class Kind { Bidding, Play };

    bool insertRecord(Kind kind, const TableAddress& table, qint16 round, qint16 board, int seat,
                      const QString& value);
    bool isLastStored(Kind kind, const TableAddress& table, qint16 round, qint16 board,
                      const std::vector<DealCall>& calls);
    Stored storeSequence(Kind kind, const TableAddress& table, qint16 round, qint16 board,
                         const std::vector<DealCall>& calls);

    ScoreDb& db_;
    Log& log_;
    const Clock& clock_;
    const TablePresence& tablePresent_;
};

} // namespace qzc
