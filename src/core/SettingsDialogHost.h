#pragma once

#include <QtGlobal>

namespace qzc {

/// What the game settings dialog asks of the running program. The main window and the
/// program implement it; tests use a fake.
class SettingsDialogHost {
public:
    virtual ~SettingsDialogHost() = default;

    /// The main window's RefreshTableStatus, after a save flagged every table to reload
    /// its set-up.
    virtual void RefreshTableStatus() = 0;
    /// A save of the event's settings is in force in the store: what was built from the
    /// settings ahead of time (each movement row's play, the terminals' movement blocks)
    /// follows them before the next terminal request.
    virtual void gameSettingsSaved() = 0;
    /// Opens the help page of a topic.
    virtual void showHelp(qint16 topic) = 0;
    /// Quit from the first settings dialog of a new event: the database is closed and the
    /// log written and detached already; the program ends without further work.
    virtual void endProgram() = 0;
};

} // namespace qzc
