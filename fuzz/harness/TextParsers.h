#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace qzc::fuzz {

class TextRig;

/// One parser of the text the program reads from people and files: its name, which starts
/// an input of the text target on a line of its own, and how the text goes through it. It
/// returns what broke a promise of the parser; a crash or a sanitizer report speaks for
/// itself. A new parser is one more entry of textParsers().
struct TextParser {
    const char* name;
    QStringList (*parse)(TextRig& rig, const QByteArray& text);
};

/// Every parser the text target knows.
const std::vector<TextParser>& textParsers();

} // namespace qzc::fuzz
