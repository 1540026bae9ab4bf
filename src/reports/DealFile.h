#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

class Log;
class ScoreDb;
struct EventInfo;

/// What became of one export of a section's deals.
struct DealFileOutcome {
    bool written = false;
    /// What to tell the director (empty: nothing): that the section has no hand record,
    /// which boards were exported without their deal and why, or why no file was written.
    QString message;
};

/// The deal file of one section for the Brannocke card-dealing machine: a document section,
/// one block for each board 1 to 99 with its deal as 26 letters and a three-digit check
/// number, and a start-up section. A board without a hand record, or whose hand record is
/// not a deal (13 cards a hand, 52 different cards), gets the default deal: north holds
/// the spades, east the hearts, south the diamonds and west the clubs.
class DealFile {
public:
    DealFile(ScoreDb& db, Log& log, const EventInfo& event);

    /// Writes the deal file of the section's hand records over any earlier file at path.
    /// Nothing is written without a HandRecord table (silently) or without a hand record of
    /// a board 1 to 99 in the section.
    DealFileOutcome Brannocke_CreateDealFile(qint16 section, const QString& path);

private:
    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
};

} // namespace qzc
