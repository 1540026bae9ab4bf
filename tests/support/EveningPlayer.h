#pragma once

#include "support/TerminalReplies.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

namespace qzc::test {

class BaseStationSimulator;

/// One table whose terminal the player works.
struct PlayedTable {
    /// As "A3"; used in the progress lines only.
    QString label;
    /// The section's number on the wire (1 for "A").
    quint8 sectionNo = 1;
    quint8 table = 0;
    quint16 terminalId = 0;
};

struct EveningOptions {
    /// Pause of a table between two results.
    int paceMs = 0;
    /// How long a terminal waits for a reply before it sends its request again.
    int replyWaitMs = 2000;
    /// Sends of one request before the table gives up (the game-status request excepted).
    int attempts = 30;
    /// Pause before a terminal asks again while the game is stopped or its table is busy.
    int retryMs = 1000;
    quint8 firmwareMajor = 3;
    quint8 firmwareMinor = 20;
};

/// What became of one table.
struct TableOutcome {
    QString label;
    int resultsEntered = 0;
    /// Requests sent again for want of a reply.
    int resends = 0;
    bool finished = false;
    /// Why the table gave up; empty when it did not.
    QString problem;
};

/// Plays an evening on the terminals of a simulated base station: every table asks for the
/// game status until the game runs, logs in to its table, reads its movement from the
/// login reply and enters a result for every board of every round, one after another at
/// the set pace. A terminal that gets no reply sends its request again, as the terminals
/// do (the game-status request without limit and quietly, while the program is not yet
/// listening); a reply marked for reload makes it ask for its settings and movement again.
/// Each step worth telling is told in words. The
/// results are made up from the table and board numbers, so the same evening gives the
/// same results.
class EveningPlayer {
public:
    EveningPlayer(BaseStationSimulator& station, std::vector<PlayedTable> tables, EveningOptions options);

    /// Plays until every table has finished or given up, or until stop is set. progress
    /// gets a line for each step worth telling.
    std::vector<TableOutcome> play(const std::atomic<bool>& stop,
                                   const std::function<void(const QString&)>& progress);

    /// The request data (code first) of the result a table enters for a board; south and
    /// west above 0 make it an individual game's request 54.
    static QByteArray resultRequest(quint8 sectionNo, quint8 table, quint8 board, quint8 ns, quint8 ew,
                                    quint8 south = 0, quint8 west = 0);

private:
    using Clock = std::chrono::steady_clock;

    struct Board {
        quint8 board = 0;
        quint8 seats[4] = {0, 0, 0, 0};
    };

    enum class State { Status, Login, Playing, Reloading, Done, GaveUp };

    struct Terminal {
        PlayedTable table;
        State state = State::Status;
        QByteArray request;
        bool waiting = false;
        int sends = 0;
        Clock::time_point due;
        Clock::time_point deadline;
        std::vector<Board> boards;
        std::size_t next = 0;
        bool waitNoted = false;
        /// The first unanswered game-status request has been told.
        bool silenceNoted = false;
        TableOutcome outcome;
    };

    void sendRequest(Terminal& terminal, Clock::time_point now);
    void handle(Terminal& terminal, const TerminalReply& reply, Clock::time_point now);
    bool readMovement(Terminal& terminal, const QByteArray& settingsAndMovement);
    void playNext(Terminal& terminal, Clock::time_point when);
    void finish(Terminal& terminal, State state, const QString& line);

    BaseStationSimulator& station_;
    std::vector<Terminal> terminals_;
    EveningOptions options_;
    ReplyAssembler replies_;
    std::function<void(const QString&)> progress_;
};

} // namespace qzc::test
