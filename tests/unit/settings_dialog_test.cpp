// The typed polling interval as the settings dialog reads it: a decimal number the way the C
// library's atoi reads one, but kept within an int when the digits run on.
#include <gtest/gtest.h>
#include "prefs/settings_dialog.h"

namespace {

TEST(ParseSecondsTest, ReadsLeadingSpaceASignAndDigitsUpToTheFirstOtherCharacter) {
    const struct {
        const char* typed;
        int seconds;
    } cases[] = {{"5", 5},    {" \t\r\n\v\f12", 12},
                 {"+7x", 7},  {"-3", -3},
                 {"1 2", 1},  {"0x10", 0},
                 {"", 0},     {"abc", 0},
                 {"--5", 0},  {"- 5", 0},
                 {"-0", 0},   {"007", 7},
                 {"500", 500}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseSeconds(c.typed), c.seconds) << '"' << c.typed << '"';
    EXPECT_EQ(ParseSeconds(nullptr), 0);
}

TEST(ParseSecondsTest, StopsAtTheEndsOfTheIntRangeInsteadOfWrappingRound) {
    EXPECT_EQ(ParseSeconds("2147483647"), 2147483647);
    EXPECT_EQ(ParseSeconds("2147483648"), 2147483647);
    EXPECT_EQ(ParseSeconds("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseSeconds("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseSeconds("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(ParseSeconds("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
