#include "gamedata/PlayerNameCommands.h"

#include "core/Config.h"
#include "core/DesktopHost.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/SettingsRow.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "gamedata/NameMaintenance.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/ShellOpener.h"

#include <algorithm>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');

} // namespace

double PlayerNameCommands::importPlayerNames(const QString& filePath) {
    s_.desktop.showGridMessage(QStringLiteral("Loading names......"));
    s_.desktop.paintNow();
    s_.clock.sleepMs(1000);
    double count = 0;
    {
        const BusyPointer busy;
        count = s_.names.importFromMenu(filePath, s_.shell);
    }
    s_.desktop.hideGridMessage();
    s_.messages.showStandardMsg(PlayerNames::importedText(count), Config::appTitle,
                                MessageBox::StandardIcon::None);
    return count;
}

QString PlayerNameCommands::pairPinFileText(const QString& tdPin, std::vector<PairPinRecord> records) {
    // A label that is no plain number counts 0; equal ones keep their order.
    std::stable_sort(records.begin(), records.end(), [](const PairPinRecord& a, const PairPinRecord& b) {
        return StrToInt(a.label) < StrToInt(b.label);
    });
    QString text = QStringLiteral("Pair") + kTab + QStringLiteral("PIN") + kCrLf + QStringLiteral("TD") +
                   kTab + lineFieldText(tdPin) + kCrLf;
    for (const PairPinRecord& record : records)
        text += lineFieldText(record.label) + kTab + lineFieldText(record.pin) + kCrLf;
    return text + kCrLf;
}

QString PlayerNameCommands::allNamesText(const std::vector<KnownPlayer>& names) {
    QString text = QStringLiteral("ID,Name") + kCrLf;
    for (const KnownPlayer& player : names)
        text += playerNumberText(player.number) + QLatin1Char(',') +
                lineFieldText(player.name, QStringLiteral(",;")) + kCrLf;
    return text;
}

bool PlayerNameCommands::writeAndOpen(const QString& fileName, const QString& text, const QString& source) {
    const QString path = s_.event.scoreDbFolder + fileName;
    QString error;
    if (!WriteTextFile(path, text, error)) {
        s_.log.writeLog(0, path + QStringLiteral(" could not be written: ") + error, source);
        return false;
    }
    s_.shell.open(path);
    return true;
}

bool PlayerNameCommands::mnu_pincodes_Click() {
    const std::optional<std::vector<PairPinRecord>> records =
        PairPins(s_.db, s_.log, s_.gameData, s_.event).pairPinRecords();
    if (!records)
        return false;
    // The TD PIN the terminals get: the default one while the settings were never saved.
    QString tdPin = s_.settings.getGameSetting(QStringLiteral("custom_qz_tdpin"));
    if (tdPin.isEmpty())
        tdPin = defaultTdPin;
    return writeAndOpen(pinFileName, pairPinFileText(tdPin, *records), QStringLiteral("Display PIN codes"));
}

bool PlayerNameCommands::print_playername_file() {
    const QString text = NameMaintenance(s_.names, s_.db, s_.log, s_.event, s_.config).namesListText();
    return writeAndOpen(nameFileName, text + kCrLf, QStringLiteral("print_playername_file"));
}

bool PlayerNameCommands::labShowAllName_Click() {
    const BusyPointer busy;
    return writeAndOpen(allNamesFileName, allNamesText(s_.names.playerNameList()),
                        QStringLiteral("All names on file"));
}

} // namespace qzc
