#include "support/EveningPlayer.h"

#include "support/BaseStationSimulator.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace qzc::test {

namespace {

constexpr int settingsSize = 13;
constexpr int individualBit = 16;

// What the acknowledgement of a result showed the players.
QString feedbackWords(int code) {
    switch (code) {
    case 51:
        return QStringLiteral("with the board's traveller");
    case 53:
        return QStringLiteral("with the board's score frequencies");
    default:
        return QStringLiteral("without feedback");
    }
}

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray bytes;
    for (const int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

} // namespace

EveningPlayer::EveningPlayer(BaseStationSimulator& station, std::vector<PlayedTable> tables,
                             EveningOptions options)
    : station_(station), options_(options) {
    for (PlayedTable& table : tables) {
        Terminal terminal;
        terminal.outcome.label = table.label;
        terminal.table = std::move(table);
        terminals_.push_back(std::move(terminal));
    }
}

QByteArray EveningPlayer::resultRequest(quint8 sectionNo, quint8 table, quint8 board, quint8 ns, quint8 ew,
                                        quint8 south, quint8 west) {
    const int seed = board * 31 + table * 7 + sectionNo * 3;
    const bool four = south > 0 || west > 0;
    int contract = 0;
    int result = 0;
    int lead = 64; // no card
    if (seed % 17 != 0) {
        const int level = 1 + seed % 5;
        const int strain = (seed / 5) % 5;
        const int declarer = (seed / 3) % 4;
        const int tricks = std::clamp(level + 6 + seed % 4 - 1, 0, 13);
        contract = level + 8 * strain + (seed % 11 == 0 ? 64 : 0);
        result = 4 * tricks + declarer;
        lead = 4 * (1 + seed % 13) + (seed / 13) % 4;
    }
    QByteArray request = bytesOf({four ? 54 : 52, board, contract, result, lead, ns, ew});
    if (four)
        request += bytesOf({south, west});
    return request;
}

void EveningPlayer::finish(Terminal& terminal, State state, const QString& line) {
    terminal.state = state;
    terminal.waiting = false;
    terminal.request.clear();
    terminal.outcome.finished = state == State::Done;
    if (state == State::GaveUp)
        terminal.outcome.problem = line;
    progress_(terminal.table.label + QStringLiteral(": ") + line);
}

void EveningPlayer::sendRequest(Terminal& terminal, Clock::time_point now) {
    // Until the program answers the game status (it may still be starting, its settings
    // dialog open) a terminal asks again and again without giving up, and says so once.
    const bool awaitingProgram = terminal.state == State::Status;
    if (!awaitingProgram && terminal.sends >= options_.attempts) {
        finish(terminal, State::GaveUp,
               QStringLiteral("no reply after %1 sends of request %2")
                   .arg(terminal.sends)
                   .arg(static_cast<quint8>(terminal.request[0])));
        return;
    }
    if (terminal.sends > 0) {
        ++terminal.outcome.resends;
        if (!awaitingProgram) {
            progress_(terminal.table.label + QStringLiteral(": no reply, sending request %1 again")
                                                 .arg(static_cast<quint8>(terminal.request[0])));
        } else if (!terminal.silenceNoted) {
            terminal.silenceNoted = true;
            progress_(terminal.table.label +
                      QStringLiteral(": no answer from the program yet, asking quietly until it answers"));
        }
    }
    ++terminal.sends;
    station_.sendTerminalFrame(terminal.table.terminalId, terminal.request);
    terminal.waiting = true;
    terminal.deadline = now + std::chrono::milliseconds(options_.replyWaitMs);
}

bool EveningPlayer::readMovement(Terminal& terminal, const QByteArray& settingsAndMovement) {
    if (settingsAndMovement.size() < settingsSize + 2)
        return false;
    const bool individual = (static_cast<quint8>(settingsAndMovement[1]) & individualBit) != 0;
    const QByteArray block = settingsAndMovement.mid(settingsSize);
    const int boardsPerRound = static_cast<quint8>(block[0]);
    const int recordSize = individual ? 10 : 6;
    std::set<std::tuple<int, int, int>> entered;
    for (std::size_t i = 0; i < terminal.next && i < terminal.boards.size(); ++i) {
        const Board& b = terminal.boards[i];
        entered.insert({b.board, b.seats[0], b.seats[1]});
    }
    std::vector<Board> boards;
    for (qsizetype at = 2; at + recordSize <= block.size(); at += recordSize) {
        Board round;
        const int seats = individual ? 4 : 2;
        for (int s = 0; s < seats; ++s)
            round.seats[s] = static_cast<quint8>(block[at + s]);
        const int first = static_cast<quint8>(block[at + seats]);
        for (int b = 0; first > 0 && b < boardsPerRound; ++b) {
            round.board = static_cast<quint8>(first + b);
            if (!entered.count({round.board, round.seats[0], round.seats[1]}))
                boards.push_back(round);
        }
    }
    terminal.boards = std::move(boards);
    terminal.next = 0;
    return true;
}

void EveningPlayer::playNext(Terminal& terminal, Clock::time_point when) {
    if (terminal.next >= terminal.boards.size()) {
        finish(terminal, State::Done,
               QStringLiteral("every board entered (%1 results)").arg(terminal.outcome.resultsEntered));
        return;
    }
    const Board& b = terminal.boards[terminal.next];
    terminal.state = State::Playing;
    terminal.request = resultRequest(terminal.table.sectionNo, terminal.table.table, b.board, b.seats[0],
                                     b.seats[1], b.seats[2], b.seats[3]);
    terminal.sends = 0;
    terminal.waiting = false;
    terminal.due = when;
}

void EveningPlayer::handle(Terminal& terminal, const TerminalReply& reply, Clock::time_point now) {
    const auto later = now + std::chrono::milliseconds(options_.retryMs);
    const QString& label = terminal.table.label;
    switch (terminal.state) {
    case State::Status: {
        if (reply.code != 11 || reply.payload.isEmpty())
            return;
        const int status = static_cast<quint8>(reply.payload[0]);
        terminal.waiting = false;
        terminal.sends = 0;
        if (status == 4) {
            finish(terminal, State::GaveUp, QStringLiteral("firmware refused by the program"));
        } else if (status & 1) {
            progress_(label +
                      QStringLiteral(": the game runs, logging in to table %1").arg(terminal.table.table));
            terminal.state = State::Login;
            terminal.request = bytesOf({20, terminal.table.sectionNo, terminal.table.table});
            terminal.due = now;
        } else {
            if (!terminal.waitNoted)
                progress_(label + QStringLiteral(": registered, waiting for the game to start"));
            terminal.waitNoted = true;
            terminal.due = later;
        }
        return;
    }
    case State::Login: {
        if ((reply.code != 21 && reply.code != 23) || reply.payload.isEmpty())
            return;
        terminal.waiting = false;
        terminal.sends = 0;
        const int status = static_cast<quint8>(reply.payload[0]);
        if (status == 3) {
            if (reply.code == 23 || !readMovement(terminal, reply.payload.mid(1))) {
                finish(terminal, State::GaveUp,
                       QStringLiteral("logged in, but no movement came with the login"));
                return;
            }
            progress_(label + QStringLiteral(": logged in with settings and movement, %1 boards to play")
                                  .arg(terminal.boards.size()));
            playNext(terminal, now);
        } else if (status == 0) {
            finish(terminal, State::Done,
                   QStringLiteral("logged in, but the table has no board left to play"));
        } else if (status == 5) {
            progress_(label + QStringLiteral(": table refused (another terminal holds it, or its stanza is "
                                             "half played), trying again"));
            terminal.due = later;
        } else if (status == 9) {
            finish(terminal, State::GaveUp, QStringLiteral("the section has no such table"));
        } else if (status == 1) {
            finish(terminal, State::GaveUp, QStringLiteral("the program could not log the table in"));
        } else {
            finish(terminal, State::GaveUp, QStringLiteral("unknown login status %1").arg(status));
        }
        return;
    }
    case State::Playing: {
        if (reply.code != 51 && reply.code != 53 && reply.code != 55)
            return;
        terminal.waiting = false;
        ++terminal.outcome.resultsEntered;
        const Board& b = terminal.boards[terminal.next];
        progress_(label + QStringLiteral(": board %1 acknowledged ").arg(b.board) +
                  feedbackWords(reply.code) +
                  (reply.reload ? QStringLiteral("; the table must reload its set-up") : QString()));
        ++terminal.next;
        if (reply.reload) {
            terminal.state = State::Reloading;
            terminal.request = bytesOf({110});
            terminal.sends = 0;
            terminal.due = now;
            return;
        }
        playNext(terminal, now + std::chrono::milliseconds(options_.paceMs));
        return;
    }
    case State::Reloading: {
        if (reply.code != 111 && reply.code != 115)
            return;
        terminal.waiting = false;
        if (reply.code == 111 && !readMovement(terminal, reply.payload)) {
            finish(terminal, State::GaveUp, QStringLiteral("reload without a movement"));
            return;
        }
        // The new set-up is taken over; the program may clear the table's reload mark.
        station_.sendTerminalFrame(terminal.table.terminalId, bytesOf({112}));
        progress_(label + (reply.code == 111
                               ? QStringLiteral(": settings and movement reloaded")
                               : QStringLiteral(": settings reloaded, the movement is unchanged")));
        playNext(terminal, now + std::chrono::milliseconds(options_.paceMs));
        return;
    }
    case State::Done:
    case State::GaveUp:
        return;
    }
}

std::vector<TableOutcome> EveningPlayer::play(const std::atomic<bool>& stop,
                                              const std::function<void(const QString&)>& progress) {
    progress_ = progress ? progress : [](const QString&) {
    };
    const Clock::time_point start = Clock::now();
    for (Terminal& terminal : terminals_) {
        terminal.state = State::Status;
        terminal.request = bytesOf({10, options_.firmwareMajor, options_.firmwareMinor});
        terminal.due = start;
    }
    qsizetype seen = station_.frameCount();
    const auto active = [](const Terminal& t) {
        return t.state != State::Done && t.state != State::GaveUp;
    };

    while (!stop && std::any_of(terminals_.begin(), terminals_.end(), active)) {
        Clock::time_point now = Clock::now();
        Clock::time_point wake = now + std::chrono::milliseconds(50);
        for (Terminal& terminal : terminals_) {
            if (!active(terminal))
                continue;
            if (!terminal.waiting && now >= terminal.due)
                sendRequest(terminal, now);
            else if (terminal.waiting && now >= terminal.deadline)
                sendRequest(terminal, now);
            if (active(terminal))
                wake = std::min(wake, terminal.waiting ? terminal.deadline : terminal.due);
        }
        const auto waitMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
        station_.waitForFrames(static_cast<int>(seen + 1), static_cast<int>(std::max<qint64>(waitMs, 1)));

        const QList<QByteArray> frames = station_.framesReceivedFrom(seen);
        seen += frames.size();
        now = Clock::now();
        for (const QByteArray& frame : frames) {
            const std::optional<TerminalReply> reply = replies_.take(frame);
            if (!reply)
                continue;
            for (Terminal& terminal : terminals_) {
                if (terminal.table.terminalId == reply->terminalId && terminal.waiting)
                    handle(terminal, *reply, now);
            }
        }
    }

    std::vector<TableOutcome> outcomes;
    for (const Terminal& terminal : terminals_)
        outcomes.push_back(terminal.outcome);
    return outcomes;
}

} // namespace qzc::test
