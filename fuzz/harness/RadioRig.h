#pragma once

#include "harness/DatabaseCheck.h"
#include "harness/LogFileTrim.h"
#include "harness/LogWatch.h"
#include "harness/ReplyFrameCheck.h"
#include "support/DispatchRig.h"
#include "support/FakeDesktopHost.h"
#include "support/FakeSerialPort.h"
#include "terminal/BaseStation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace qzc::fuzz {

/// The first byte of a radio input: what the director has set and how the port hands the
/// rest of the input over.
///   bits 0-1: the game state: 0 and 1 running, 2 stopped, 3 paused;
///   bits 2-3: the feedback style 0 (traveller or frequencies), 1 (traveller), 2
///             (frequencies), 3 (none, -1);
///   bits 4-7: bytes per read of the port, 0 for the whole input in one read.
struct SessionByte {
    qint16 gameMode = 1;
    int feedbackStyle = 0;
    int readSize = 0;

    static SessionByte decode(quint8 byte);
    static quint8 encode(qint16 gameMode, int feedbackStyle, int readSize);
};

/// The program as the radio target drives it: the start-up sequence run on the club
/// evening (sections A and B, six tables each, five rounds of three boards) in a temporary
/// folder, the real SQLite score database, the game running, terminal 0x0101 registered
/// and logged in at table A1, the base-station link up on an in-memory port and the main
/// window faked. State carries over from one input to the next, as it does during an
/// evening.
class RadioRig {
public:
    static constexpr quint16 loggedInTerminal = 0x0101;

    RadioRig();
    ~RadioRig();
    RadioRig(const RadioRig&) = delete;
    RadioRig& operator=(const RadioRig&) = delete;

    /// Builds the event, starts the program and the link and logs the terminal in; false
    /// (see failure()) when any step fails.
    bool start();
    const QString& failure() const { return failure_; }

    /// Hands one input to the program (SessionByte, then the bytes the port reads) and
    /// works off every frame the receiver cuts out of it. Returns what went wrong: a reply
    /// frame no terminal could take, an exception that escaped the request handling, or a
    /// database row that no valid request could have written. Empty when all is well.
    QStringList run(const QByteArray& input);

    /// The rows of the event's database that no valid request could have written, every row
    /// looked at.
    QStringList checkDatabase();

    /// Frames the program sent during the last input, as the base station got them.
    const QList<QByteArray>& sentFrames() const { return port_->written; }
    /// The program's objects, for the seed corpus and the tests.
    test::GameDataHarness& data() { return rig_.data; }
    QString logFilePath() const;

private:
    void applySession(const SessionByte& session);
    void feed(const QByteArray& bytes);
    qint64 totalChanges();

    test::DispatchRig rig_;
    /// The main window as the link sees it; rig_.host is the game session and the window as
    /// the dispatcher sees them.
    test::FakeDesktopHost linkHost_;
    RequestLog requests_;
    LogWatch logWatch_;
    test::FakeSerialPort* port_ = nullptr;
    std::unique_ptr<BaseStation> station_;
    qint64 checkedChanges_ = -1;
    /// The bids and played cards the checks between inputs have looked at.
    CheckedRows checkedRows_;
    LogFileTrim logTrim_;
    QString failure_;
};

} // namespace qzc::fuzz
