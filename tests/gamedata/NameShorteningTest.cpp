#include "gamedata/NameShortening.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

struct Shortening {
    const char* name;
    qint16 style;
    const char* at18;
    const char* at20;
};

// The worked examples of the three styles, checked by hand against the sharing rule.
const Shortening kGolden[] = {
    {"Annabelle Marie Christensen", 0, "Anna M Christensen", "Annabe M Christensen"},
    {"Christopher Alexander Montgomery", 0, "Chris A Montgomery", "Christo A Montgomery"},
    {"Christopher Alexander Montgomery", 1, "Christ Alexander M", "Christop Alexander M"},
    {"Christopher Alexander Montgomery", 2, "Christopher Alex M", "Christopher Alexan M"},
    {"Maximilian Wolfenstein", 0, "Maximi Wolfenstein", "Maximili Wolfenstein"},
    {"Maximilian Wolfenstein", 1, "Maximilian Wolfens", "Maximilian Wolfenste"},
    {"Maximilian Wolfenstein", 2, "Maximilian Wolfens", "Maximilian Wolfenste"},
    {"Bartholomew Featherstonehaugh", 0, "Featherstonehaugh", "Ba Featherstonehaugh"},
    // Fits: untouched, even with more than three words.
    {"Ann Bea Cy Dee Eve", 0, "Ann Bea Cy Dee Eve", "Ann Bea Cy Dee Eve"},
    // One word: cut.
    {"Abcdefghijklmnopqrstuvwxy", 0, "Abcdefghijklmnopqr", "Abcdefghijklmnopqrst"},
    // A fourth word is dropped once the name must be shortened.
    {"Anna Bea Claire Dorothea Eve", 2, "Anna Bea Claire", "Anna Bea Claire"},
    {"Abcdefghijklmnopqrst Bo Cy", 1, "Abcdefghijklm Bo C", "Abcdefghijklmno Bo C"},
    // Too little room for a letter of each word: the first gives way; nothing overflows.
    {"Al Bo Abcdefghijklmno", 0, "Bo Abcdefghijklmno", "Al B Abcdefghijklmno"},
    {"Al Bo Abcdefghijklmnop", 0, "B Abcdefghijklmnop", "A B Abcdefghijklmnop"},
    {"Al Bo Abcdefghijklmnopqrst", 0, "Abcdefghijklmnopqr", "Abcdefghijklmnopqrst"},
    // An unknown style shortens nothing: the three words joined, cut to the width.
    {"Christopher Alexander Montgomery", 7, "Christopher Alexan", "Christopher Alexande"},
    // Nothing left but blanks: the joined words, cut.
    {"                         ", 0, "                  ", "                    "},
};

TEST(NameShorteningTest, GoldenTableOfTheThreeStyles) {
    for (const Shortening& c : kGolden) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(truncatePlayerName(name, 18, c.style), QLatin1String(c.at18))
            << c.name << " style " << c.style;
        EXPECT_EQ(truncatePlayerName(name, 20, c.style), QLatin1String(c.at20))
            << c.name << " style " << c.style;
        EXPECT_LE(truncatePlayerName(name, 18, c.style).size(), 18);
    }
}

} // namespace
} // namespace qzc
