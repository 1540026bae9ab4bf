#pragma once

#include <QObject>
#include <QString>

namespace qzc {

class BaseStation;
class Config;
class GameSession;
class Log;
class MessageBox;
class ProgramLauncher;

/// The main window's commands that talk to the base station below the message queue: the
/// firmware upgrade and version, the knock, and the maintenance commands that send a typed
/// frame or feed one to the receiver as if the base station had sent it.
class BaseStationCommands final : public QObject {
    Q_OBJECT
public:
    struct Services {
        const Config& config;
        Log& log;
        MessageBox& messages;
        ProgramLauncher& launcher;
        GameSession& session;
        BaseStation& baseStation;
    };

    explicit BaseStationCommands(const Services& services);

    /// Starts the firmware-upgrade program named by the ini key FirmwareEXE from the program
    /// folder, after stopping the game and the link (the program needs the serial port).
    /// A missing program is logged and told, and leaves game and link as they were.
    void mnu_sys_firmware_Click();
    void mnu_sys_firmware_version_Click();
    void mnumn_bs_knock_Click();
    /// Asks for a frame body in hex and sends it; the sender adds start byte and checksum.
    void mnumn_bs_tx_Click();
    /// Asks for a whole frame in hex and feeds it to the receiver.
    void mnumn_bs_rx_Click();

private:
    void tell(const QString& text);

    Services s_;
};

} // namespace qzc
