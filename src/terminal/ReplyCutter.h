#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

namespace qzc {

/// Most payload bytes of one reply piece: 102 with a piece header, 103 without.
inline constexpr int pieceSizeWithHeader = 102;
inline constexpr int pieceSizeWithoutHeader = 103;
/// Most pieces of a reply with a piece header (the count is the header's high nibble).
inline constexpr int maxHeaderPieces = 15;

/// The frame bodies of a reply, in sending order: the request's two address bytes, L, the
/// reply code (without the reload flag), for the piece-header replies the header (pieces
/// x 16 + piece, from 1), then the piece's share of replyData. A reply has at least one
/// piece; when the payload fills its last piece exactly, one more piece without payload
/// follows. Without replyHasData the pieces keep their size but their payload bytes are
/// 0. For replies 51, 53 and 55 a single payload byte counts as no payload. Nothing when a
/// piece-header reply would need more than 15 pieces.
std::optional<std::vector<QByteArray>> cutReplyPieces(const QByteArray& address, int replyCode,
                                                      const QByteArray& replyData, bool replyHasData);

} // namespace qzc
