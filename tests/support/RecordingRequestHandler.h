#pragma once

#include "terminal/RequestHandler.h"

#include <QList>
#include <functional>

namespace qzc::test {

/// A request handler that records every frame handed to it and answers with a set code;
/// an optional action runs inside the call (to stop or feed the queue meanwhile).
class RecordingRequestHandler final : public RequestHandler {
public:
    struct Call {
        QByteArray data;
        QByteArray address;
        QDateTime stamp;
    };

    qint16 doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) override {
        calls.append({data, address, stamp});
        if (during)
            during(calls.size());
        return result;
    }

    QList<Call> calls;
    qint16 result = 0;
    /// Called with the number of calls so far, inside the call.
    std::function<void(qsizetype)> during;
};

} // namespace qzc::test
