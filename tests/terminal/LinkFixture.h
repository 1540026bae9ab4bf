#pragma once

#include "core/Log.h"
#include "support/FakeClock.h"
#include "support/FakeDesktopHost.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingRequestHandler.h"
#include "terminal/LinkSettings.h"
#include "terminal/LinkState.h"
#include "terminal/ProcessQueue.h"
#include "terminal/RadioLink.h"

namespace qzc::test {

/// The receiver, the sender and the queue around an in-memory port.
struct LinkFixture {
    FakeClock clock;
    Log log{clock};
    LinkSettings settings;
    LinkState state;
    FakeSerialPort port;
    FakeDesktopHost host;
    RecordingRequestHandler handler;
    cls_ProcessQueue queue{log, clock, settings, state, handler};
    RadioLink link{log, clock, settings, state, port, queue, host};

    /// Frame bodies the queue has handed on so far (address, L, data).
    QList<QByteArray> queuedBodies() {
        queue.doQueue();
        QList<QByteArray> bodies;
        for (const RecordingRequestHandler::Call& call : handler.calls)
            bodies.append(call.address + QByteArray(1, static_cast<char>(call.data.size())) + call.data);
        return bodies;
    }
};

} // namespace qzc::test
