#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

class Config;
class Log;
class MessageBox;
class OnlineHelpCheck;
class ShellOpener;

/// The help pages: a topic number names a page of the help folder beside the program, or
/// of the online help site when the ini file names one and it answers.
class Help {
public:
    /// Main-section ini key: the address of the online help folder (ending in "/Help/").
    /// Empty (the default): local help only, and nothing is asked of the network.
    static inline const QString onlineHelpKey = QStringLiteral("OnlineHelpFolder");
    /// Main-section ini key: the address of a page-translation service, up to the point
    /// where its query parameters follow; used for languages other than "en".
    static inline const QString translatorKey = QStringLiteral("OnlineHelpTranslator");

    Help(const Config& config, ShellOpener& shell, OnlineHelpCheck& online, Log& log, MessageBox& messages)
        : config_(config), shell_(shell), online_(online), log_(log), messages_(messages) {}

    /// The page of a topic: topic 1 and unknown topics directly in the help folder, topics
    /// 2 to 27 in its sub-folder "html" (joined with separator).
    static QString helpPage(qint16 topic, const QString& separator);

    /// What showHelp opens: topic 0 with a page gives the page as it is; any other call the
    /// topic's page in the online help folder when it answers, else in the local one.
    QString helpTarget(qint16 topic, const QString& page);
    /// Opens helpTarget with the desktop (openTarget).
    void showHelp(qint16 topic, const QString& page = {}) { openTarget(helpTarget(topic, page)); }
    /// Opens a help target with the desktop. A target that cannot be opened is logged, and the
    /// director is told where the page is. Nothing is opened once the program has begun to
    /// end: the online check lets events run while it waits, the program's end among them.
    void openTarget(const QString& target);

private:
    const Config& config_;
    ShellOpener& shell_;
    OnlineHelpCheck& online_;
    Log& log_;
    MessageBox& messages_;
};

} // namespace qzc
