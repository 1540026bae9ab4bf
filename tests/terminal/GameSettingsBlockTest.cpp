#include "terminal/GameSettingsBlock.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "support/FakeClock.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>
#include <map>

namespace qzc {
namespace {

using test::wire::bytes;

class GameSettingsBlockTest : public ::testing::Test {
protected:
    GameSettingsBlockTest() {
        settings.setup_SettingsStructure2();
        // Everything off, matchpoints, confirmation asked.
        for (const char* name :
             {"custom_qz_showgoto", "custom_qz_askpincode", "custom_qz_askplayerid", "custom_qz_asklead",
              "custom_qz_askdeal", "custom_qz_askbid", "custom_qz_askplay", "custom_qz_includemakable",
              "custom_qz_recapresult", "custom_qz_gametype", "custom_qz_shownames", "custom_qz_topranking",
              "custom_qz_pointtodeclarer", "custom_qz_makableformat", "custom_qz_rotatedirections",
              "custom_qz_includedeal", "custom_qz_permitresultchange", "custom_qz_roundsummary"})
            set(name, "0");
        set("custom_qz_scoringtype", "2");
        set("custom_qz_askconfirmation", "1");
        set("custom_qz_inputmethod", "1");
        set("custom_qz_tdpin", "1234");
    }

    void set(const char* name, const char* value) {
        settings.setGameSetting(QString::fromLatin1(name), QString::fromLatin1(value));
    }
    QByteArray block(bool separate = false) {
        return getGameSettingsData(QStringLiteral("A3"), settings, separate, clock.now(), log);
    }

    test::FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(19, 30, 5))};
    Log log{clock};
    GameSettings settings{log};
};

TEST_F(GameSettingsBlockTest, EachSettingSetsItsBits) {
    struct Case {
        std::map<const char*, const char*> settings;
        bool separate;
        const char* first3; // bytes 0 to 2
    };
    const Case cases[] = {
        {{}, false, "00 00 00"},
        {{}, true, "02 00 00"},
        {{{"custom_qz_showgoto", "1"}, {"custom_qz_askpincode", "1"}, {"custom_qz_askplayerid", "1"}},
         false,
         "0D 00 00"},
        {{{"custom_qz_asklead", "1"},
          {"custom_qz_askdeal", "1"},
          {"custom_qz_askbid", "1"},
          {"custom_qz_askplay", "1"}},
         true,
         "F2 00 00"},
        // A flag above 1, or the -1 of a yes/no column, is a set flag: the byte never overflows.
        {{{"custom_qz_askplay", "2"}, {"custom_qz_askbid", "-1"}}, false, "C0 00 00"},
        {{{"custom_qz_includemakable", "1"}, {"custom_qz_topranking", "10"}}, false, "00 81 00"},
        {{{"custom_qz_scoringtype", "0"}, {"custom_qz_gametype", "1"}}, false, "00 30 00"},
        {{{"custom_qz_recapresult", "1"}, {"custom_qz_shownames", "2"}, {"custom_qz_askconfirmation", "0"}},
         false,
         "00 0E 00"},
        {{{"custom_qz_inputmethod", "0"}}, false, "00 00 01"},
        {{{"custom_qz_inputmethod", "2"}}, false, "00 00 02"},
        // The input method keeps its two bits and cannot spill into the flags.
        {{{"custom_qz_inputmethod", "6"}}, false, "00 00 02"},
        {{{"custom_qz_inputmethod", "-1"}}, false, "00 00 03"},
        {{{"custom_qz_pointtodeclarer", "1"},
          {"custom_qz_makableformat", "1"},
          {"custom_qz_rotatedirections", "1"}},
         false,
         "00 00 1C"},
        {{{"custom_qz_includedeal", "1"},
          {"custom_qz_permitresultchange", "1"},
          {"custom_qz_roundsummary", "1"}},
         false,
         "00 00 E0"},
    };
    for (const Case& c : cases) {
        for (const auto& [name, value] : c.settings)
            set(name, value);
        EXPECT_EQ(block(c.separate).left(3), bytes(c.first3)) << c.first3;
        for (const auto& [name, value] : c.settings) {
            const std::string n(name);
            set(name, n == "custom_qz_scoringtype"                                       ? "2"
                      : n == "custom_qz_askconfirmation" || n == "custom_qz_inputmethod" ? "1"
                                                                                         : "0");
        }
    }
}

TEST_F(GameSettingsBlockTest, PinDateAndTime) {
    struct Case {
        const char* pin;
        const char* pinBytes;
        bool logged;
    };
    const Case cases[] = {
        {"1234", "0C 22", false}, {"", "2B 51", false},     {"7", "00 07", false},   {"0815", "08 0F", false},
        {"981", "09 51", false},  {"12345", "2B 51", true}, {"12A4", "2B 51", true}, {"-12", "2B 51", true},
    };
    for (const Case& c : cases) {
        set("custom_qz_tdpin", c.pin);
        const int before = static_cast<int>(test::logBodies(log).size());
        const QByteArray b = block();
        ASSERT_EQ(b.size(), 13);
        EXPECT_EQ(b.mid(3, 2), bytes(c.pinBytes)) << c.pin;
        const QStringList lines = test::logBodies(log).mid(before);
        EXPECT_EQ(lines.first(), QStringLiteral(": Get game settings data"));
        EXPECT_EQ(lines.size(), c.logged ? 2 : 1) << c.pin;
        if (c.logged) {
            EXPECT_EQ(lines[1], QStringLiteral(": TD PIN '") + QLatin1String(c.pin) +
                                    QStringLiteral("' is not a PIN of four digits, A3 gets the TD PIN 4381 "
                                                   "(getGameSettingsData)"));
        }
    }
    // 2026 is 7 x 256 + 234.
    EXPECT_EQ(block().mid(5), bytes("00 07 EA 0C 07 13 1E 05"));
}

} // namespace
} // namespace qzc
