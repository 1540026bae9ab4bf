#pragma once

#include <QString>

namespace qzc {

/// Whether the online help site answers.
class OnlineHelpCheck {
public:
    virtual ~OnlineHelpCheck() = default;
    /// True when a GET of address answers with status 200 in time; false on any failure.
    virtual bool isOnlineHelpReachable(const QString& address) = 0;
};

/// One HTTP GET with a time limit; window events and timers keep running while it waits.
class NetworkHelpCheck final : public OnlineHelpCheck {
public:
    static constexpr int defaultLimitMs = 3000;

    explicit NetworkHelpCheck(int limitMs = defaultLimitMs) : limitMs_(limitMs) {}
    bool isOnlineHelpReachable(const QString& address) override;

private:
    int limitMs_;
};

} // namespace qzc
