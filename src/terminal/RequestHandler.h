#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

namespace qzc {

/// Answers one queued terminal request. The message queue hands the frames on oldest
/// first; frames of the base station itself (address high byte 0xFF) are handled by the
/// BaseStation and never reach this handler.
class RequestHandler {
public:
    virtual ~RequestHandler() = default;

    /// data: the frame's L data bytes (data[0] is the message code); address: its two
    /// address bytes; stamp: when it arrived (given to the sender of the first reply piece).
    /// Returns 0 when the frame was handled or ignored, else a program error code that the
    /// queue logs.
    virtual qint16 doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) = 0;
};

} // namespace qzc
