#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace qzc {

/// Turns SIGTERM, SIGHUP and SIGINT (the session ending from outside) into a Qt signal
/// delivered on the event loop, so the program can end in order instead of dying with
/// its log still in memory. One object per process.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;

    /// False when the signal handlers could not be installed.
    bool isActive() const { return notifier_ != nullptr; }

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace qzc
