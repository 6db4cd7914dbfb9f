#include <gtest/gtest.h>

#include "editor/model/NumberFields.h"

namespace velox {
namespace {

// A digit measures 6 pixels, a blank 3, anything else 7.
std::int32_t Measure(std::string_view s) {
    std::int32_t w = 0;
    for (char c : s) w += c == ' ' ? 3 : (c >= '0' && c <= '9') ? 6 : 7;
    return w;
}

TEST(PadToFieldWidth, AddsTheLargestNumberOfBlanksThatFit) {
    EXPECT_EQ(PadToFieldWidth("7", Measure, 37), std::string(8, ' ') + "7");
    EXPECT_EQ(PadToFieldWidth("7", Measure, 36), std::string(8, ' ') + "7");
    EXPECT_EQ(PadToFieldWidth("7", Measure, 35), std::string(7, ' ') + "7");
    EXPECT_EQ(PadToFieldWidth("220", Measure, 37), std::string(4, ' ') + "220");  // 3 · 4 + 18 + 6 = 36
}

TEST(PadToFieldWidth, TextsThatDoNotFitStayAsTheyAre) {
    EXPECT_EQ(PadToFieldWidth("123456", Measure, 30), "123456");
    EXPECT_EQ(PadToFieldWidth("12345", Measure, 30), "12345");  // fits, but not with the two blanks
    EXPECT_EQ(PadToFieldWidth("1", Measure, 0), "1");
    EXPECT_EQ(PadToFieldWidth("", Measure, 7), "");  // one blank and the two measured ones: 9 > 7
}

TEST(PadToFieldWidth, ABlankWithoutWidthEndsTheSearch) {
    auto noBlank = [](std::string_view s) {
        std::int32_t w = 0;
        for (char c : s) w += c == ' ' ? 0 : 6;
        return w;
    };
    EXPECT_EQ(PadToFieldWidth("7", noBlank, 50), "7");
}

TEST(RfDisplayEntry, FrequencyRoundsToTheNearestPosition) {
    EXPECT_EQ(FrequencyDisplayPosition("1"), 50);
    EXPECT_EQ(FrequencyDisplayPosition("1.01"), 51);
    EXPECT_EQ(FrequencyDisplayPosition("0.5"), 0);
    EXPECT_EQ(FrequencyDisplayPosition("1.5"), 100);
    EXPECT_EQ(FrequencyDisplayPosition("1.004"), 50);
    EXPECT_EQ(FrequencyDisplayPosition(" 1.2e0"), 70);
    EXPECT_FALSE(FrequencyDisplayPosition("0.49"));
    EXPECT_FALSE(FrequencyDisplayPosition("1,2"));
    EXPECT_FALSE(FrequencyDisplayPosition("1 "));
    EXPECT_FALSE(FrequencyDisplayPosition(""));
}

TEST(RfDisplayEntry, VoltageRoundsToTheNearestPosition) {
    EXPECT_EQ(VoltageDisplayPosition("50"), 50);
    EXPECT_EQ(VoltageDisplayPosition("50.5"), 51);
    EXPECT_EQ(VoltageDisplayPosition("25"), 0);
    EXPECT_EQ(VoltageDisplayPosition("75"), 100);
    EXPECT_FALSE(VoltageDisplayPosition("75.5"));
    EXPECT_FALSE(VoltageDisplayPosition("x"));
}

}  // namespace
}  // namespace velox
