#include "scoring/ResultEntryParser.h"

#include "core/ResultEntry.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

// Every form the director may type, and what the record holds afterwards. An invalid
// entry keeps what was read before the text stopped being understood.
TEST(ResultEntryParserTest, TypedResultsAndWhatIsRefused) {
    const struct {
        const char* text;
        bool valid;
        const char* contract;
        const char* declarer;
        int tricks;
        const char* lead;
    } cases[] = {
        // Contracts, doubling, the result as =, + or -, one or two digits.
        {"4SN=", true, "4S", "N", 10, ""},
        {"4 s n + 1 h k", true, "4S", "N", 11, "HK"},
        {"3NTS-2", true, "3N", "S", 7, ""},
        {"3NS-2", true, "3N", "S", 7, ""},
        {"6HXXW=SA", true, "6HXX", "W", 12, "SA"},
        {"4SXN-1", true, "4SX", "N", 9, ""},
        {"3NTXE+1", true, "3NX", "E", 10, ""},
        {"7NTE-10", true, "7N", "E", 3, ""},
        {"7NTE-10SK", true, "7N", "E", 3, "SK"},
        {"1CW+6", true, "1C", "W", 13, ""},
        {"4SN+SK", true, "4S", "N", 10, "SK"},
        // Tricks taken as a total.
        {"4SN10", true, "4S", "N", 10, ""},
        {"4SN1SK", true, "4S", "N", 1, "SK"},
        {"2DE13", true, "2D", "E", 13, ""},
        {"4SN0", false, "4S", "N", 0, ""},
        {"4SN14", false, "4S", "N", 0, ""},
        // Leads: suit and rank either way round, X a small card.
        {"4SN=KH", true, "4S", "N", 10, "HK"},
        {"4SN=dx", true, "4S", "N", 10, "DX"},
        {"4SN=K", false, "4S", "N", 10, ""},
        {"4SN=HKQ", false, "4S", "N", 10, ""},
        {"4SN=HZ", false, "4S", "N", 10, ""},
        // Beyond 0 to 13 tricks.
        {"4SN+4", false, "4S", "N", 0, ""},
        {"1NTN-8", false, "1N", "N", 0, ""},
        // What is no result.
        {"4SNKH", false, "4S", "N", 0, ""},
        {"4SNQ", false, "4S", "N", 0, ""},
        {"4SXXXN=", false, "4SXX", "", 0, ""},
        {"4SZ=", false, "4S", "", 0, ""},
        {"8SN=", false, "", "", 0, ""},
        {"0SN=", false, "", "", 0, ""},
        {"4PN=", false, "", "", 0, ""},
        {"4SN", false, "", "", 0, ""},
        {"", false, "", "", 0, ""},
        {"60%-40%", false, "", "", 0, ""},
        // Whole-text keywords keep the case typed.
        {"np", true, "np", "", 0, ""},
        {"PASS", true, "PASS", "", 0, ""},
        {"l p", true, "lp", "", 0, ""},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        ResultEntry record;
        record.board = 7;
        parseResultEntry(text, record);
        EXPECT_EQ(record.valid != 0, c.valid) << c.text;
        EXPECT_EQ(record.remarks, text) << c.text;
        EXPECT_EQ(record.contract, QLatin1String(c.contract)) << c.text;
        EXPECT_EQ(record.declarer, QLatin1String(c.declarer)) << c.text;
        EXPECT_EQ(record.tricks, c.tricks) << c.text;
        EXPECT_EQ(record.lead, QLatin1String(c.lead)) << c.text;
        EXPECT_EQ(record.board, 7) << c.text;
    }
}

} // namespace
} // namespace qzc
