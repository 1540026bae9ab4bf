#pragma once

#include "terminal/RequestHandler.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <vector>

namespace qzc::fuzz {

/// Passes every request on to the dispatcher and keeps the terminal address and the code
/// of each, so that the replies sent can be matched to the requests.
class RequestLog final : public RequestHandler {
public:
    struct Request {
        QByteArray address;
        /// The code without bit 7.
        int code = 0;
    };

    explicit RequestLog(RequestHandler& inner) : inner_(inner) {}

    qint16 doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) override;

    std::vector<Request> requests;

private:
    RequestHandler& inner_;
};

/// The reply codes that may answer a request code as the terminals know them; empty for a
/// request that gets no reply.
QList<int> replyCodesOf(int requestCode);

/// What is wrong with the frames the program sent while it handled requests: a frame that
/// is not a whole radio frame (start byte, length, checksum, at most 104 data bytes), a
/// reply to a terminal that asked nothing or with a code that answers none of its requests,
/// a piece header that does not count up from 1 to its number of pieces, or a reply whose
/// last pieces never came. Written from the terminal's view of the protocol, apart from the
/// program's own framing and cutting.
QStringList checkReplyFrames(const QList<QByteArray>& frames,
                             const std::vector<RequestLog::Request>& requests);

} // namespace qzc::fuzz
