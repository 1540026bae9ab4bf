#pragma once

#include <QByteArray>
#include <QString>

namespace qzc {

/// Bytes typed by the director for the maintenance commands, or why the typing is refused.
struct TypedFrame {
    /// Empty when nothing is to be sent or fed (nothing typed, or refused).
    QByteArray bytes;
    /// Why the typing was refused, for the director; empty when it was not.
    QString fault;
};

/// "Base Station - send msg": a frame body (address, L, data) typed as hex digit pairs;
/// blanks are ignored. The sender adds the start byte and the checksum.
TypedFrame typedSendBody(const QString& typed);

/// "Base Station - receive msg": a whole frame typed as hex digit pairs, start byte first;
/// blanks are ignored. A first character that is neither a letter nor a digit (such as "*")
/// asks for the checksum to be computed and appended. A text holding "@" after its first
/// character gives a board result in words: ten hex digits of the frame body's head
/// (address, L, message code, board), then contract, declarer, tricks and lead separated
/// by ",", and for codes 52 and 57 the four hex digits of the two pair numbers; the start
/// byte is put in front. Fewer than two bytes give nothing.
TypedFrame typedReceiveFrame(const QString& typed);

} // namespace qzc
