#pragma once

#include <QByteArray>
#include <QHash>
#include <QtGlobal>
#include <optional>

namespace qzc::test {

/// A reply as a terminal reads it once all its pieces are in.
struct TerminalReply {
    quint16 terminalId = 0;
    /// The reply code without the reload flag.
    int code = 0;
    /// Bit 7 of the code: the table must reload its set-up.
    bool reload = false;
    /// The payload of all pieces, piece headers removed.
    QByteArray payload;
};

/// The replies whose pieces start with a header byte (pieces x 16 + piece), as the
/// terminals know them.
bool terminalReplyHasHeader(int code);

/// Puts the replies to terminals together from the frames the base station passes on.
/// Written apart from the program's reply code on purpose.
class ReplyAssembler {
public:
    /// Takes one whole frame as received (FF, address, L, data, checksum). Frames of the
    /// base station itself and pieces of an unfinished reply give nothing; the last piece
    /// gives the whole reply.
    std::optional<TerminalReply> take(const QByteArray& frame);

private:
    QHash<quint16, TerminalReply> partial_;
};

} // namespace qzc::test
