#include "desktop/BaseStationCommands.h"

#include "core/Config.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/TextHelpers.h"
#include "platform/ProgramLauncher.h"
#include "session/GameSession.h"
#include "terminal/BaseStation.h"
#include "terminal/MaintenanceFrames.h"

#include <QDateTime>
#include <QFileInfo>

namespace qzc {

namespace {

constexpr qint16 kOkWarning = 49;
constexpr qint16 kHelpTopic = 3;
const QString kFirmwareSource = QStringLiteral("Start firmware upgrade program");

} // namespace

BaseStationCommands::BaseStationCommands(const Services& services) : s_(services) {
    setObjectName(QStringLiteral("BaseStationCommands"));
}

void BaseStationCommands::tell(const QString& text) {
    s_.messages.showMsg(text, QString(), kOkWarning, kHelpTopic);
}

void BaseStationCommands::mnu_sys_firmware_Click() {
    // The program's file name, a blank and its arguments.
    const QString setting = s_.config.readMain(QStringLiteral("FirmwareEXE")).trimmed();
    const QString program = GetField(setting, 1, QStringLiteral(" ")).trimmed();
    const QString arguments = GetField(setting, 2, QStringLiteral(" ")).trimmed();
    const QString path = s_.config.appFolder + program;
    if (program.isEmpty() || !QFileInfo(path).isFile()) {
        s_.log.writeLog(0, QStringLiteral("File not found, ") + path, kFirmwareSource, true);
        tell(program.isEmpty()
                 ? QStringLiteral("No firmware-upgrade program is named: the ini key FirmwareEXE is empty.")
                 : QStringLiteral("The firmware-upgrade program is not found:\r\n") + path);
        return;
    }
    // The upgrade program needs the serial port. A pending automatic reset ends, so that it
    // does not take the port back, and the game stops, as F4 stops it: no game shown as
    // running while no terminal is answered, and F2 brings back both.
    s_.session.endReset();
    if (s_.session.gameMode() != 0)
        s_.session.command(GameCommand::Stop);
    if (s_.session.linkIsUp())
        s_.session.toggleLink();
    QString error;
    if (!s_.launcher.start(path, arguments.isEmpty() ? QStringList() : QStringList{arguments},
                           s_.config.appFolder, &error)) {
        s_.log.writeLog(0, path + QStringLiteral(": ") + error, kFirmwareSource, true);
        tell(QStringLiteral("The firmware-upgrade program could not be started:\r\n") + path +
             QStringLiteral("\r\n") + error);
    }
}

void BaseStationCommands::mnu_sys_firmware_version_Click() {
    s_.baseStation.requestFirmwareVersion();
}

void BaseStationCommands::mnumn_bs_knock_Click() {
    s_.baseStation.sendKnock();
}

void BaseStationCommands::mnumn_bs_tx_Click() {
    const QString typed =
        s_.messages.InputBox(QStringLiteral("Please input the message to be sent, in Hex values"));
    const TypedFrame body = typedSendBody(typed);
    if (!body.fault.isEmpty()) {
        tell(body.fault);
        return;
    }
    if (!body.bytes.isEmpty())
        s_.baseStation.SendMessage(body.bytes, false, QDateTime());
}

void BaseStationCommands::mnumn_bs_rx_Click() {
    const QString typed =
        s_.messages.InputBox(QStringLiteral("Please input the message to be received, in Hex values"));
    const TypedFrame frame = typedReceiveFrame(typed);
    if (!frame.fault.isEmpty()) {
        tell(frame.fault);
        return;
    }
    if (!frame.bytes.isEmpty())
        s_.baseStation.ReceiveMessage(frame.bytes, true);
}

} // namespace qzc
