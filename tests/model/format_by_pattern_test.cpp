// SPDX-License-Identifier: MIT
// Every number the player reads passes through formatByPattern; these are the game's patterns
// with the values that decide their look.
#include "model/format_by_pattern.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    double value;
    const char* pattern;
    const char* text;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const auto& c : cases)
        EXPECT_EQ(formatByPattern(c.value, c.pattern), c.text)
            << c.value << " under \"" << c.pattern << '"';
}

TEST(FormatByPattern, radialsAlwaysHaveThreeDigits) {
    expectAll({{5, "000", "005"},
               {45.5, "000", "046"},
               {359.6f, "000", "360"},
               {359.5, "000", "360"},
               {0.0006f, "000", "000"},
               {0.00014f, "000", "000"}});
}

TEST(FormatByPattern, bearingsBelowAHalfWriteNothing) {
    expectAll({{45.4f, "###", "45"},
               {359.7f, "###", "360"},
               {0.3f, "###", ""},
               {0.4999, "###", ""},
               {0.5, "###", "1"},
               {-305, "###", "-305"},
               {-0.2f, "###", "-"}});
}

TEST(FormatByPattern, distancesKeepOneDecimalAndEveryIntegerDigit) {
    expectAll({{0, "##0.0", "0.0"},
               {0.25, "##0.0", "0.3"},
               {0.04f, "##0.0", "0.0"},
               {12.34f, "##0.0", "12.3"},
               {1234.56f, "##0.0", "1234.6"},
               {9.96f, "##0.0", "10.0"},
               {0, "###0.0", "0.0"},
               {7.25, "###0.0", "7.3"},
               {23.75, "###0.0", "23.8"}});
}

TEST(FormatByPattern, optionalDigitsLeaveTheirPointBehind) {
    expectAll({{0, "###.#", "."},
               {0.25, "###.#", ".3"},
               {1, "###.#", "1."},
               {1.25, "###.#", "1.3"},
               {2.5, "###.#", "2.5"},
               {2.5, "##.#", "2.5"},
               {10, "##.#", "10."},
               {3, "##0.#", "3."},
               {0.04f, "##0.#", "0."},
               {2.25, "##0.#", "2.3"},
               {24.86966f, "##0.#", "24.9"}});
}

TEST(FormatByPattern, scoresAreGroupedInThousands) {
    expectAll({{950, "###,###", "950"},
               {1234.5, "###,###", "1,235"},
               {999.5, "###,###", "1,000"},
               {1234567, "###,###", "1,234,567"},
               {0, "###,###", ""},
               {0.4f, "###,###", ""}});
}

TEST(FormatByPattern, roundingWorksOnTheDecimalNumberNotItsBinaryApproximation) {
    // 0.15 and 2.675 are stored a hair below their decimal value; fifteen digits see the half.
    expectAll({{0.15, "##0.0", "0.2"}, {2.675, "##0.00", "2.68"}, {-0.25, "##0.0", "-0.3"}});
}

TEST(FormatByPattern, somethingThatIsNotANumberGivesAnEmptyText) {
    EXPECT_EQ(formatByPattern(std::numeric_limits<double>::infinity(), "##0.0"), "");
    EXPECT_EQ(formatByPattern(std::numeric_limits<double>::quiet_NaN(), "000"), "");
}

} // namespace
