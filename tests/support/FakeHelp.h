#pragma once

#include "core/Config.h"
#include "core/Help.h"
#include "core/Log.h"
#include "platform/OnlineHelpCheck.h"
#include "platform/ShellOpener.h"
#include "support/FakeClock.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempFolder.h"
#include "support/TransactionWatch.h"

#include <QStringList>
#include <functional>

namespace qzc::test {

/// A desktop that records what it was asked to open.
class FakeShellOpener final : public ShellOpener {
public:
    bool open(const QString& path) override {
        opened << path;
        return succeeds;
    }
    QStringList opened;
    bool succeeds = true;
};

/// An online help site that answers as told and counts the questions; whileAsked runs
/// while it is asked, as the events that the wait lets through.
class FakeOnlineHelpCheck final : public OnlineHelpCheck {
public:
    bool isOnlineHelpReachable(const QString& address) override {
        transactions.checkClosed(QStringLiteral("the online help check"));
        asked << address;
        if (whileAsked)
            whileAsked();
        return reachable;
    }
    QStringList asked;
    bool reachable = false;
    TransactionWatch transactions;
    std::function<void()> whileAsked;
};

/// Help around a temporary program folder, with a fake desktop and a fake help site.
class HelpRig {
public:
    HelpRig() : config(folder.path()), log(clock), help(config, shell, online, log, messages) {}

    TempFolder folder;
    FakeClock clock;
    Config config;
    Log log;
    FakeShellOpener shell;
    FakeOnlineHelpCheck online;
    ScriptedMessageBox messages;
    Help help;
};

} // namespace qzc::test
