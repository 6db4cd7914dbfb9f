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
    struct Row { const char* text; std::int32_t width; std::size_t blanks; };
    for (Row r : {Row{"7", 37, 8}, {"7", 36, 8}, {"7", 35, 7}, {"220", 37, 4},  // 3 · 4 + 18 + 6 = 36
                  {"123456", 30, 0}, {"12345", 30, 0},  // fits, but not with the two blanks
                  {"1", 0, 0}, {"", 7, 0}})             // one blank and the two measured ones: 9 > 7
        EXPECT_EQ(PadToFieldWidth(r.text, Measure, r.width), std::string(r.blanks, ' ') + r.text)
            << r.text << " in " << r.width;
    // A blank without width ends the search.
    const auto noBlank = [](std::string_view s) {
        std::int32_t w = 0;
        for (char c : s) w += c == ' ' ? 0 : 6;
        return w;
    };
    EXPECT_EQ(PadToFieldWidth("7", noBlank, 50), "7");
}

TEST(RfDisplayEntry, RoundsToTheNearestPosition) {
    for (auto [text, position] : {std::pair{"1", 50}, {"1.01", 51}, {"0.5", 0}, {"1.5", 100}, {"1.004", 50},
                                  {" 1.2e0", 70}})
        EXPECT_EQ(FrequencyDisplayPosition(text), position) << text;
    for (const char* bad : {"0.49", "1,2", "1 ", ""}) EXPECT_FALSE(FrequencyDisplayPosition(bad)) << bad;
    for (auto [text, position] : {std::pair{"50", 50}, {"50.5", 51}, {"25", 0}, {"75", 100}})
        EXPECT_EQ(VoltageDisplayPosition(text), position) << text;
    EXPECT_FALSE(VoltageDisplayPosition("75.5") || VoltageDisplayPosition("x"));
}

}  // namespace
}  // namespace velox
