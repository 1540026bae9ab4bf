#include "support/TerminalReplies.h"

namespace qzc::test {

bool terminalReplyHasHeader(int code) {
    for (const int withHeader : {21, 25, 57, 59, 101, 103, 107, 109, 111, 115}) {
        if (code == withHeader)
            return true;
    }
    return false;
}

std::optional<TerminalReply> ReplyAssembler::take(const QByteArray& frame) {
    if (frame.size() < 7 || static_cast<quint8>(frame[1]) == 0xFF)
        return std::nullopt;
    const auto id =
        static_cast<quint16>((static_cast<quint8>(frame[1]) << 8) | static_cast<quint8>(frame[2]));
    const int length = static_cast<quint8>(frame[3]);
    const QByteArray data = frame.mid(4, length);
    const int code = static_cast<quint8>(data[0]);
    TerminalReply piece{id, code & 0x7F, (code & 0x80) != 0, {}};
    if (!terminalReplyHasHeader(piece.code) || data.size() < 2) {
        piece.payload = data.mid(1);
        partial_.remove(id);
        return piece;
    }
    const int header = static_cast<quint8>(data[1]);
    const int pieces = header >> 4;
    const int number = header & 0x0F;
    TerminalReply& collected = partial_[id];
    if (number == 1 || collected.code != piece.code)
        collected = piece;
    collected.reload = collected.reload || piece.reload;
    collected.payload += data.mid(2);
    if (number < pieces)
        return std::nullopt;
    const TerminalReply whole = collected;
    partial_.remove(id);
    return whole;
}

} // namespace qzc::test
