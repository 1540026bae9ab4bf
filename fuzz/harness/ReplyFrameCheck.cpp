#include "harness/ReplyFrameCheck.h"

#include "core/ByteArrays.h"
#include "support/SimWire.h"
#include "support/TerminalReplies.h"

#include <QHash>
#include <map>

namespace qzc::fuzz {

namespace {

constexpr int maxDataBytes = 104;

quint16 addressOf(const QByteArray& address) {
    return static_cast<quint16>((static_cast<quint8>(address[0]) << 8) | static_cast<quint8>(address[1]));
}

} // namespace

qint16 RequestLog::doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) {
    if (!data.isEmpty() && address.size() >= 2)
        requests.push_back({address.left(2), static_cast<quint8>(data[0]) & 0x7F});
    return inner_.doMsg(data, address, stamp);
}

QList<int> replyCodesOf(int requestCode) {
    // The message-code table of the terminal protocol.
    static const std::map<int, QList<int>> replies = {
        {10, {11}},   {20, {21, 23}},     {24, {25, 27}},     {30, {31}},   {32, {33}},
        {40, {41}},   {52, {51, 53, 55}}, {54, {51, 53, 55}}, {56, {57}},   {58, {59}},
        {60, {61}},   {72, {73}},         {74, {75}},         {80, {81}},   {82, {83}},
        {84, {85}},   {86, {87}},         {88, {89}},         {100, {101}}, {102, {103}},
        {104, {105}}, {106, {107}},       {108, {109}},       {110, {111}}, {114, {115, 111}},
    };
    const auto found = replies.find(requestCode);
    return found == replies.end() ? QList<int>{} : found->second;
}

QStringList checkReplyFrames(const QList<QByteArray>& frames,
                             const std::vector<RequestLog::Request>& requests) {
    QStringList problems;
    // The piece each terminal expects next of a reply in pieces: {code, pieces, next piece}.
    struct Pending {
        int code = 0;
        int pieces = 0;
        int next = 1;
    };
    QHash<quint16, Pending> pending;
    for (const QByteArray& frame : frames) {
        const QString shown = QStringLiteral("frame ") + BytesToHex(frame);
        if (frame.size() < 7 || static_cast<quint8>(frame[0]) != 0xFF) {
            problems << shown + QStringLiteral(": not a frame with data");
            continue;
        }
        const int length = static_cast<quint8>(frame[3]);
        const QByteArray data = frame.mid(4, length);
        if (frame.size() != length + 6 || length < 1 || length > maxDataBytes) {
            problems << shown + QStringLiteral(": length byte %1 does not fit").arg(length);
            continue;
        }
        const auto high = static_cast<quint8>(frame[1]);
        const auto low = static_cast<quint8>(frame[2]);
        if (frame.right(2) != test::wire::frame(high, low, data).right(2)) {
            problems << shown + QStringLiteral(": wrong checksum");
            continue;
        }
        const QByteArray address = frame.mid(1, 2);
        const int code = static_cast<quint8>(data[0]) & 0x7F;
        bool asked = false;
        for (const RequestLog::Request& request : requests)
            asked = asked || (request.address == address && replyCodesOf(request.code).contains(code));
        if (!asked) {
            problems << shown + QStringLiteral(": reply %1 answers no request of the terminal").arg(code);
            continue;
        }
        const quint16 terminal = addressOf(address);
        if (!test::terminalReplyHasHeader(code)) {
            if (pending.contains(terminal))
                problems << shown + QStringLiteral(": comes before the last pieces of reply %1")
                                        .arg(pending[terminal].code);
            pending.remove(terminal);
            continue;
        }
        if (data.size() < 2) {
            problems << shown + QStringLiteral(": no piece header");
            continue;
        }
        const int pieces = static_cast<quint8>(data[1]) >> 4;
        const int piece = static_cast<quint8>(data[1]) & 0x0F;
        Pending expected = pending.value(terminal, Pending{code, pieces, 1});
        if (piece == 1)
            expected = Pending{code, pieces, 1};
        if (pieces < 1 || piece != expected.next || pieces != expected.pieces || code != expected.code) {
            problems << shown + QStringLiteral(": piece %1 of %2 where piece %3 of %4 of reply %5 was due")
                                    .arg(piece)
                                    .arg(pieces)
                                    .arg(expected.next)
                                    .arg(expected.pieces)
                                    .arg(expected.code);
            pending.remove(terminal);
            continue;
        }
        if (piece < pieces)
            pending[terminal] = Pending{code, pieces, piece + 1};
        else
            pending.remove(terminal);
    }
    for (auto it = pending.cbegin(); it != pending.cend(); ++it)
        problems << QStringLiteral("reply %1 to terminal %2 stopped before piece %3 of %4")
                        .arg(it->code)
                        .arg(it.key())
                        .arg(it->next)
                        .arg(it->pieces);
    return problems;
}

} // namespace qzc::fuzz
