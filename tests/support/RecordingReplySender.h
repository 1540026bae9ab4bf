#pragma once

#include "terminal/ReplySender.h"

#include <QList>

namespace qzc::test {

/// A sender that keeps every frame body handed to it, with its delay flag and stamp.
class RecordingReplySender final : public ReplySender {
public:
    struct Sent {
        QByteArray body;
        bool delay = false;
        QDateTime requestStamp;
    };

    void SendMessage(const QByteArray& frameBody, bool delay, const QDateTime& requestStamp) override {
        sent.append({frameBody, delay, requestStamp});
    }

    QList<QByteArray> bodies() const {
        QList<QByteArray> list;
        for (const Sent& s : sent)
            list.append(s.body);
        return list;
    }

    QList<Sent> sent;
};

} // namespace qzc::test
