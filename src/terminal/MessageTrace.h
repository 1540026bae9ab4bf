#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// The eight bits of a value of 0 to 255, most significant first ("11000101" for 197);
/// "11111111" for 256 or more, "00000000" below 0.
QString bitsText(qint64 value);

/// The radio log lines of traceText made readable. Every line that holds a logged frame
/// ("RX <= FF ..." or "TX => FF ...", with or without the log's time stamp) is copied with
/// ">" for its arrow, followed by who sent the frame, the name of its message code and,
/// for most codes, the payload in words and numbers, each part on a line of its own; every
/// other line is copied unchanged. Lines are separated by lineBreak, in and out.
/// individualGame cuts the movement of a login reply into records of four players.
QString decodeMessageTrace(const QString& traceText, bool individualGame,
                           const QString& lineBreak = QStringLiteral("\r\n"));

/// The text of the log viewer after "Decode msg" and what it selects.
struct DecodedTrace {
    QString text;
    qsizetype selectionStart = 0;
    qsizetype selectionLength = 0;
};

/// "Decode msg" on the log viewer's text (lines separated by "\n") with the caret at caret
/// characters: with the caret at the very start or end the whole text is decoded and
/// nothing is selected (the caret goes to the end); otherwise the line holding the caret is
/// decoded in place and the decoded text is selected.
DecodedTrace decodeTraceAtCaret(const QString& text, qsizetype caret, bool individualGame);

} // namespace qzc
