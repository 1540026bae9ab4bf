#include "core/Help.h"

#include "core/Config.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "platform/OnlineHelpCheck.h"
#include "platform/ShellOpener.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <array>

namespace qzc {

namespace {

constexpr std::array<const char*, 26> kTopicPages = {"game_settings.html",
                                                     "base_station.html",
                                                     "main_interface.html",
                                                     "incorrect_database.html",
                                                     "save_changes.html",
                                                     "invalid_entry.html",
                                                     "results.html",
                                                     "preferences.html",
                                                     "no_movement.html",
                                                     "import_player_names.html",
                                                     "finished.html",
                                                     "change_result.html",
                                                     "movement_change.html",
                                                     "players.html",
                                                     "change_id.html",
                                                     "swap_players.html",
                                                     "change_name.html",
                                                     "id_exists.html",
                                                     "names.html",
                                                     "web_publish.html",
                                                     "changing_results.html",
                                                     "save_remark.html",
                                                     "annul.html",
                                                     "ruling.html",
                                                     "about.html",
                                                     "restart_after_change.html"};

constexpr qint16 kExclamationOk = 49;

} // namespace

QString Help::helpPage(qint16 topic, const QString& separator) {
    if (topic == 1)
        return QStringLiteral("talvane_help.html");
    if (topic >= 2 && topic <= 27)
        return QStringLiteral("html") + separator +
               QString::fromLatin1(kTopicPages[static_cast<std::size_t>(topic - 2)]);
    return QStringLiteral("index.html");
}

QString Help::helpTarget(qint16 topic, const QString& page) {
    if (topic == 0 && !page.isEmpty())
        return page;
    QString base = config_.appFolder + QStringLiteral("Help/");
    QString separator = QStringLiteral("/");
    QString online = config_.readMain(onlineHelpKey).trimmed();
    if (!online.isEmpty() && online_.isOnlineHelpReachable(online)) {
        if (!online.endsWith(QLatin1Char('/')))
            online += QLatin1Char('/');
        base = online;
        const QString translator = config_.readMain(translatorKey).trimmed();
        if (config_.helpLanguage != QLatin1String("en") && !translator.isEmpty()) {
            base = translator + QStringLiteral("h1=en&sl=en&tl=") + config_.helpLanguage +
                   QStringLiteral("&u=") + QString::fromLatin1(QUrl::toPercentEncoding(online));
            separator = QStringLiteral("%2F");
        }
    }
    return base + helpPage(topic, separator);
}

void Help::openTarget(const QString& target) {
    if (messages_.programEnded())
        return;
    if (shell_.open(target))
        return;
    log_.writeLog(0, QStringLiteral("Help page could not be opened: ") + target, QStringLiteral("showHelp"));
    const bool web = isWebAddress(target);
    const QString where = web ? target : QDir::toNativeSeparators(target);
    // Without a Help button: help on a page that cannot be opened would fail again.
    if (!web && !QFileInfo::exists(target))
        messages_.showMsg(QStringLiteral("The help page is not found:\r\n") + where, QString(),
                          kExclamationOk, -1);
    else
        messages_.showMsg(
            QStringLiteral("No program could open the help page. Open it in a web browser:\r\n") + where,
            QString(), kExclamationOk, -1);
}

} // namespace qzc
