#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

namespace qzc {

class Clock;
class Log;
class RequestHandler;
struct LinkSettings;
struct LinkState;

/// One slot of the message queue: a frame body (address, L, data) and when it arrived.
struct QueueEntry {
    QByteArray bytes;
    QDateTime stamp;
};

/// The message queue between the serial receiver and the request handler: a ring of
/// qSize slots of which qSize - 1 can be used. The queue timer works it off oldest first;
/// a request older than the link's Timeout is dropped.
class cls_ProcessQueue {
public:
    enum Status : qint16 { Idle = 0, Executing = 1, Stop = 2 };
    static constexpr qint16 defaultSize = 500;

    cls_ProcessQueue(Log& log, const Clock& clock, const LinkSettings& settings, LinkState& state,
                     RequestHandler& handler);

    /// Hands every waiting entry to the request handler. Does nothing unless Idle.
    void doQueue();
    /// Stores one frame body that arrived at arrived (invalid: now); its age counts from
    /// then. 0 stored, 1 queue full, 2 queue stopped.
    qint16 msgPut(const QByteArray& bytes, const QDateTime& arrived = QDateTime());
    /// Called after every frame stored, so that the queue can be run at once.
    void setStoredHandler(std::function<void()> handler) { stored_ = std::move(handler); }
    /// Empties the queue (taking a new capacity) and makes it ready.
    void startProcess();
    /// Stops taking and handling frames, also when a run is under way.
    void stopProcess();

    /// A capacity above 10 takes effect at the next startProcess; others are ignored.
    void pp_qSize(qint16 size);
    qint16 pp_qSize() const { return qSize; }
    /// "Idle", "Executing" or "Stop".
    QString pp_qStatus() const;

private:
    int nextIndex(int index) const;
    bool isFull() const;
    void resetQueue();
    void handleEntry(int index);

    Log& log_;
    const Clock& clock_;
    const LinkSettings& settings_;
    LinkState& state_;
    RequestHandler& handler_;

    std::vector<QueueEntry> qEntries; // indices 1..qSize of the last reset; slot 0 unused
    /// The capacity the next reset allocates.
    qint16 qSize = defaultSize;
    int qHead = 1;
    int qTail = 1;
    qint16 qStatus = Stop;
    // A run is under way; keeps a nested timer tick out even after a restart.
    bool running_ = false;
    // Counts resets, so that a run notices a restart made while it waited.
    quint32 generation_ = 0;
    std::function<void()> stored_;
};

} // namespace qzc
