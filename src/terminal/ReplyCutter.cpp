#include "terminal/ReplyCutter.h"

#include "terminal/MessageCode.h"

namespace qzc {

std::optional<std::vector<QByteArray>> cutReplyPieces(const QByteArray& address, int replyCode,
                                                      const QByteArray& replyData, bool replyHasData) {
    const bool header = hasPieceHeader(replyCode);
    const int size = header ? pieceSizeWithHeader : pieceSizeWithoutHeader;
    qsizetype n = replyData.size();
    const bool feedback = replyCode == MessageCode::ReplyTraveller ||
                          replyCode == MessageCode::ReplyFrequencies ||
                          replyCode == MessageCode::ReplyNoFeedback;
    if (feedback && n == 1)
        n = 0;
    const qsizetype pieces = n / size + 1;
    if (header && pieces > maxHeaderPieces)
        return std::nullopt;

    std::vector<QByteArray> bodies;
    bodies.reserve(static_cast<std::size_t>(pieces));
    for (qsizetype k = 1; k <= pieces; ++k) {
        const qsizetype share = pieces == 1 ? n : (k < pieces ? size : n % size);
        const qsizetype length = share + 1 + (header ? 1 : 0);
        QByteArray body(length + 3, '\0');
        body[0] = address.at(0);
        body[1] = address.at(1);
        body[2] = static_cast<char>(length);
        body[3] = static_cast<char>(replyCode);
        const qsizetype payloadAt = header ? 5 : 4;
        if (header)
            body[4] = static_cast<char>(pieces * 16 + k);
        if (replyHasData && share > 0)
            body.replace(payloadAt, share, replyData.mid((k - 1) * size, share));
        bodies.push_back(body);
    }
    return bodies;
}

} // namespace qzc
