#pragma once

#include "gamedata/PlayerNames.h"
#include "support/FakeDesktopHost.h"
#include "support/GameDataHarness.h"
#include "support/RecordingReplySender.h"
#include "terminal/RequestDispatcher.h"

namespace qzc::test {

class EventBuilder;

/// The request dispatcher of a started program around a fixture event, its main window
/// faked and its replies recorded instead of sent.
class DispatchRig {
public:
    DispatchRig()
        : dispatcher(data.harness.log, data.harness.db, data.harness.settings, data.harness.event,
                     data.harness.config, data.harness.clock, data.gameData, names, host, host) {
        dispatcher.attachSender(sender);
        // The game runs unless a test says otherwise.
        host.mode = 1;
    }

    /// Builds and starts the event and loads its game data, the known players and the
    /// registered ones; false (see failure()) when that fails.
    bool start(EventBuilder& builder) {
        if (!data.start(builder))
            return false;
        names.loadPlayerNameList();
        names.loadRegisteredNames(true);
        return true;
    }
    const QString& failure() const { return data.failure(); }

    /// Hands one request of the terminal to the dispatcher, as the queue does; returns its
    /// result code.
    qint16 request(quint16 terminalId, const QByteArray& requestData) {
        return dispatcher.doMsg(requestData,
                                QByteArray(1, static_cast<char>(terminalId >> 8)) +
                                    QByteArray(1, static_cast<char>(terminalId & 0xFF)),
                                data.harness.clock.now());
    }

    GameDataHarness data;
    PlayerNames names{data.harness.db, data.harness.log, data.harness.event, data.harness.config,
                      data.harness.clock};
    FakeDesktopHost host;
    RecordingReplySender sender;
    RequestDispatcher dispatcher;
};

} // namespace qzc::test
