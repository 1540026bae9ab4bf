#include "core/NamePreferences.h"

#include "core/Config.h"

namespace qzc {

namespace {

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

NamePreferenceChoice NamePreferences::Form_Load() const {
    NamePreferenceChoice choice;
    const qint16 preference = config_.namePreference;
    choice.playerNamePreference = preference >= 0 && preference <= 2 ? preference : qint16(-1);
    choice.sortByNumber = config_.NameListSorting;
    choice.sendToScoring = config_.NameToScoring;
    choice.hideGameSettings = config_.HideGSWindow;
    return choice;
}

bool NamePreferences::save(const NamePreferenceChoice& choice) {
    bool written = true;
    if (choice.playerNamePreference >= 0 && choice.playerNamePreference <= 2) {
        config_.namePreference = choice.playerNamePreference;
        written = config_.writeDefault(QStringLiteral("Player name preference"),
                                       QString::number(choice.playerNamePreference)) &&
                  written;
    }
    config_.HideGSWindow = choice.hideGameSettings;
    written = config_.writeDefault(QStringLiteral("HideGSWindow"), flag(choice.hideGameSettings)) && written;
    config_.NameListSorting = choice.sortByNumber;
    written = config_.writeDefault(QStringLiteral("NameListSorting"), flag(choice.sortByNumber)) && written;
    // The ini key holds "1" when names are not sent ("No").
    config_.NameToScoring = choice.sendToScoring;
    written = config_.writeDefault(QStringLiteral("NameToScoring"), flag(!choice.sendToScoring)) && written;
    return written;
}

} // namespace qzc
