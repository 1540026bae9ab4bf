#include "terminal/ProcessQueue.h"

#include "core/ByteArrays.h"
#include "core/Guarded.h"
#include "core/Log.h"
#include "platform/Clock.h"
#include "terminal/LinkSettings.h"
#include "terminal/LinkState.h"
#include "terminal/RequestHandler.h"

namespace qzc {

cls_ProcessQueue::cls_ProcessQueue(Log& log, const Clock& clock, const LinkSettings& settings,
                                   LinkState& state, RequestHandler& handler)
    : log_(log), clock_(clock), settings_(settings), state_(state), handler_(handler) {}

int cls_ProcessQueue::nextIndex(int index) const {
    // The ring as it was allocated: a capacity set since then waits for the next reset.
    const int ringSize = static_cast<int>(qEntries.size()) - 1;
    if (ringSize < 1)
        return 1;
    int next = index + 1;
    while (next > ringSize)
        next -= ringSize;
    return next;
}

bool cls_ProcessQueue::isFull() const {
    return qEntries.size() < 2 || nextIndex(qTail) == qHead;
}

void cls_ProcessQueue::resetQueue() {
    qEntries.assign(static_cast<std::size_t>(qSize) + 1, QueueEntry{});
    qHead = 1;
    qTail = 1;
    ++generation_;
}

void cls_ProcessQueue::pp_qSize(qint16 size) {
    if (size > 10)
        qSize = size;
}

QString cls_ProcessQueue::pp_qStatus() const {
    switch (qStatus) {
    case Idle:
        return QStringLiteral("Idle");
    case Executing:
        return QStringLiteral("Executing");
    case Stop:
        return QStringLiteral("Stop");
    default:
        return {};
    }
}

void cls_ProcessQueue::startProcess() {
    resetQueue();
    qStatus = Idle;
    log_.writeLog(0, QStringLiteral("Process Queue is reset and ready."));
}

void cls_ProcessQueue::stopProcess() {
    qStatus = Stop;
    log_.writeLog(0, QStringLiteral("Process Queue is stop."));
}

qint16 cls_ProcessQueue::msgPut(const QByteArray& bytes, const QDateTime& arrived) {
    if (qStatus == Stop)
        return 2;
    if (isFull())
        return 1;
    const QDateTime now = clock_.now();
    state_.lastRxTime = now;
    qEntries[static_cast<std::size_t>(qTail)] = QueueEntry{bytes, arrived.isValid() ? arrived : now};
    qTail = nextIndex(qTail);
    if (stored_)
        stored_();
    return 0;
}

void cls_ProcessQueue::doQueue() {
    if (qStatus != Idle || running_)
        return;
    running_ = true;
    qStatus = Executing;
    const quint32 generation = generation_;
    // qTail is read again for every entry: frames stored during the run are handled too.
    while (qStatus == Executing && qHead != qTail) {
        handleEntry(qHead);
        if (generation_ != generation)
            break; // restarted while the handler let events run: the old entries are gone
        qEntries[static_cast<std::size_t>(qHead)] = QueueEntry{};
        qHead = nextIndex(qHead);
    }
    // A stop during the run stays in force.
    if (qStatus == Executing)
        qStatus = Idle;
    running_ = false;
}

void cls_ProcessQueue::handleEntry(int index) {
    const QueueEntry entry = qEntries[static_cast<std::size_t>(index)];
    guarded(log_, QStringLiteral("doQueue"), [&] {
        if (!entry.stamp.isValid()) {
            log_.writeLog(0, QStringLiteral("Empty RX data at %1").arg(index), QStringLiteral("doQueue"));
            return;
        }
        const QByteArray data = entry.bytes.mid(3);
        // The age is measured on the full date and time, so a request that crosses
        // midnight is judged by Timeout alone.
        const qint64 delay = entry.stamp.msecsTo(clock_.now());
        log_.writeLog(0, QStringLiteral("Do message, %1, time delay: %2").arg(index).arg(delay),
                      QStringLiteral("doQueue"));
        qint16 result = 3001;
        if (delay < settings_.Timeout)
            result = handler_.doMsg(data, entry.bytes.left(2), entry.stamp);
        if (result != 0)
            log_.writeLog(result, BytesToHex(data), QStringLiteral("ProcessQueue - doMsg"));
    });
}

} // namespace qzc
