#include "harness/RadioRig.h"

#include "core/ByteArrays.h"
#include "core/Config.h"
#include "support/Fixtures.h"
#include "support/SimWire.h"

namespace qzc::fuzz {

namespace {

// The link answers a knock on the in-memory port as the base station does.
const QByteArray kKnock = test::wire::frame(0xFF, 3, QByteArray(1, '\x01')).left(5);

} // namespace

SessionByte SessionByte::decode(quint8 byte) {
    static constexpr qint16 modes[] = {1, 1, 0, 2};
    static constexpr int styles[] = {0, 1, 2, -1};
    return SessionByte{modes[byte & 3], styles[(byte >> 2) & 3], byte >> 4};
}

quint8 SessionByte::encode(qint16 gameMode, int feedbackStyle, int readSize) {
    const int mode = gameMode == 0 ? 2 : gameMode == 2 ? 3 : 0;
    const int style = feedbackStyle < 0 ? 3 : feedbackStyle & 3;
    return static_cast<quint8>(mode | (style << 2) | ((readSize & 0x0F) << 4));
}

RadioRig::RadioRig() : requests_(rig_.dispatcher) {}

RadioRig::~RadioRig() {
    data().harness.log.setWindowSink(nullptr);
}

QString RadioRig::logFilePath() const {
    return rig_.data.harness.event.logFilePath();
}

bool RadioRig::start() {
    test::EventBuilder event = test::fixtures::clubEvening();
    event.setStanza(1, 1, 5);
    event.setStanza(2, 1, 5);
    if (!rig_.start(event)) {
        failure_ = rig_.failure();
        return false;
    }
    test::EventHarness& harness = data().harness;
    // The run needs no result to survive a power cut; without the wait for the disk the
    // fuzzer gets through many more inputs.
    harness.db.execSQL(QStringLiteral("PRAGMA synchronous=OFF"), QStringLiteral("fuzz"), true);
    harness.log.setWindowSink(&logWatch_);
    harness.log.setMirroring(true);
    // Every frame in and out is logged, as a director who switches the history on has it.
    harness.config.writeMain(QStringLiteral("History"), QStringLiteral("1"));

    auto port = std::make_unique<test::FakeSerialPort>();
    port_ = port.get();
    port_->onWrite = [this](const QByteArray& frame) {
        if (frame.startsWith(kKnock))
            port_->pendingReads.append(test::wire::frame(0xFF, 3, QByteArray(1, '\x55')));
    };
    station_ = std::make_unique<BaseStation>(harness.config, harness.log, harness.clock, linkHost_, rig_.host,
                                             requests_, std::move(port));
    rig_.dispatcher.attachSender(*station_);
    station_->initQueueSize();
    station_->LoadPortSettings();
    if (!station_->bs_OpenCommunication(true)) {
        failure_ = QStringLiteral("the link did not come up");
        return false;
    }

    // The terminal registers and logs in at A1 (section 1, table 1) as a terminal does.
    const QByteArray login = QByteArray(1, static_cast<char>(SessionByte::encode(1, 1, 0))) +
                             test::wire::terminalFrame(loggedInTerminal, test::wire::bytes("0A 03 14")) +
                             test::wire::terminalFrame(loggedInTerminal, test::wire::bytes("14 01 01"));
    const QStringList problems = run(login);
    const bool loggedIn =
        sentFrames().size() == 2 && sentFrames()[1].mid(4, 3) == test::wire::bytes("15 11 03");
    if (!problems.isEmpty() || !loggedIn) {
        failure_ = QStringLiteral("the terminal did not log in: ") + problems.join(QStringLiteral("; ")) +
                   QStringLiteral(" sent: ");
        for (const QByteArray& frame : sentFrames())
            failure_ += BytesToHex(frame) + QStringLiteral(" / ");
        return false;
    }
    return true;
}

void RadioRig::applySession(const SessionByte& session) {
    rig_.host.mode = session.gameMode;
    data().setSetting(QStringLiteral("custom_qz_feedbackstyle"), QString::number(session.feedbackStyle));
}

void RadioRig::feed(const QByteArray& bytes) {
    // What a read of the port sets off: the port poll hands the bytes to the receiver, which
    // queues every complete frame; the queue works off what it holds.
    port_->pendingReads.append(bytes);
    station_->timerPort_Timer();
    station_->timer_Queue_Timer();
}

QStringList RadioRig::run(const QByteArray& input) {
    // Some time passes between two inputs, as between two frames of an evening.
    data().harness.clock.advance(10);
    port_->written.clear();
    requests_.requests.clear();
    logWatch_.escaped.clear();
    // What the main window would have worked off or shown meanwhile.
    rig_.host.gridQueue.clear();
    rig_.host.notices.clear();
    rig_.host.analyzeRestarts.clear();
    rig_.host.stanzaStates.clear();
    rig_.host.clickedSections.clear();
    if (input.isEmpty())
        return {};

    const SessionByte session = SessionByte::decode(static_cast<quint8>(input[0]));
    applySession(session);
    const QByteArray bytes = input.mid(1);
    // Nothing of an earlier input waits in the receive buffer.
    station_->ReceiveMessage(QByteArray(), true);
    const qsizetype step = session.readSize == 0 ? bytes.size() : session.readSize;
    for (qsizetype at = 0; at < bytes.size(); at += step)
        feed(bytes.mid(at, step));

    QStringList problems = checkReplyFrames(port_->written, requests_.requests);
    problems += logWatch_.escaped;
    // The database is looked at whenever something in it changed; of the bids and played
    // cards, which grow with the run, only the rows added since.
    const qint64 changes = totalChanges();
    if (changes != checkedChanges_) {
        checkedChanges_ = changes;
        problems += rowsNoRequestCouldWrite(data().harness.db, &checkedRows_);
    }
    logTrim_.afterInput(logFilePath());
    return problems;
}

QStringList RadioRig::checkDatabase() {
    return rowsNoRequestCouldWrite(data().harness.db);
}

qint64 RadioRig::totalChanges() {
    QVariant changes;
    if (!data().harness.db.getDBValue(QStringLiteral("SELECT total_changes() AS changes"),
                                      QStringLiteral("changes"), changes))
        return -1;
    return changes.toLongLong();
}

} // namespace qzc::fuzz
