#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class GameData;
class Log;
class ScoreDb;
struct EventInfo;

/// The PINs a table's terminal submits for its two sides, under the movement's pair numbers.
struct PinSubmission {
    qint16 nsPair = 0;
    qint16 ewPair = 0;
    /// 0 to 9999.
    int nsPin = 0;
    int ewPin = 0;
    /// Further numbers stored with the NS and the EW side's PIN (the South and West players
    /// of the four-player form); 0 for none.
    qint16 secondNs = 0;
    qint16 secondEw = 0;
};

/// One listed PIN: the pair's label (section letters and the pair in four digits, "A0003") and
/// its PIN as stored.
struct PairPinRecord {
    QString label;
    QString pin;
};

/// The pair PINs of custom_qz_PlayerPIN: stored as the terminals submit them, listed for the
/// director and packed for a terminal. Pairs are stored under the movement's numbers and
/// converted (convertPairNumber) once on the way out.
class PairPins {
public:
    /// Most pairs of one section sent to a terminal: reply 59 holds at most 15 pieces of 102
    /// bytes, and one of exactly 1530 bytes would need a sixteenth, empty piece.
    static constexpr int maxTerminalRecords = 509;

    PairPins(ScoreDb& db, Log& log, const GameData& gameData, const EventInfo& event)
        : db_(db), log_(log), gameData_(gameData), event_(event) {}

    /// A PIN as four digits with leading zeros.
    static QString pinText(int pin);

    /// Stores the PINs of the table's section: the NS pair's and the EW pair's (also a pair
    /// 0), then the second numbers above 0. A pair's row is replaced (in a section whose
    /// pairs keep their direction, the row of that direction), else one is added. Whether they
    /// keep it is read as the terminals are told at login (GameData::hasSeparateNSEWPairs), here
    /// and wherever the PINs are read back. All or
    /// nothing: false, with nothing changed, when a statement fails.
    bool markPairPIN(const QString& tableId, const PinSubmission& pins);

    /// Every listed PIN as "A0003,1234;" records, ordered by section letters, direction (NS
    /// first) and pair; the NS rows of a section whose pairs keep their direction are left
    /// out (their EW rows carry the same pairs). Empty when none is listed or the table
    /// cannot be read.
    QString getPairPINList() const;
    /// The same PINs as records, in the same order; nothing when the table cannot be read.
    std::optional<std::vector<PairPinRecord>> pairPinRecords() const;

    /// The section's PINs for a terminal, by pair: 3 bytes a pair (pair number, first and
    /// last two digits of the PIN), at most 509 pairs, only the EW rows in a section whose
    /// pairs keep their direction; one byte 0 when there is none. A pair whose number does
    /// not fit a byte is left out with a log line. Nothing when the table cannot be read.
    std::optional<QByteArray> getSectionPINData(const QString& letters) const;

private:
    /// The pairs of the section keep their direction, as the terminals are told at login.
    bool keepsDirection(const QString& letters) const;
    bool storePin(qint16 sectionId, qint16 pair, const QString& direction, bool matchDirection, int pin);
    void logDbError(const QString& source) const;

    ScoreDb& db_;
    Log& log_;
    const GameData& gameData_;
    const EventInfo& event_;
};

} // namespace qzc
