#pragma once

#include <QByteArray>
#include <QDateTime>

namespace qzc {

/// Where the request dispatcher hands its reply pieces: the link's sender.
class ReplySender {
public:
    virtual ~ReplySender() = default;

    /// Sends frameBody (address, L, data) as a frame. delay: pause the link's
    /// MinTxInterval first; requestStamp: the arrival of the request answered (invalid for
    /// none), a reply grown older than the link's Timeout is dropped.
    virtual void SendMessage(const QByteArray& frameBody, bool delay, const QDateTime& requestStamp) = 0;
};

} // namespace qzc
