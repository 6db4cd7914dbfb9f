// Number fields: conversions, formats, padding, and the RF display, cavity dialog and phase fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale>

#include "core/model/PhaseWindow.h"
#include "core/model/VeloxData.h"
#include "editor/model/CavityFields.h"
#include "editor/model/NumberFields.h"
#include "editor/model/NumberText.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

using namespace velox;

// Hexadecimal digits in either case after "$", "x", "X", "0x", "0X" without a sign, read as a 32-bit pattern.
TEST(WholeNumber, DecimalAndHexadecimalForms) {
    const std::pair<const char*, std::int32_t> rows[] = {
        {"0", 0},      {"  12", 12},  {"-360", -360}, {"+45", 45},     {"$1F", 31},          {"$1A", 26},
        {"$90", 144},  {"x10", 16},   {"X1f", 31},    {"0x10", 16},    {" 0XfF", 255},       {"0XAB", 171},
        {"$abcdef", 0xabcdef}, {"$FFFFFFFF", -1}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    for (auto [text, value] : rows) EXPECT_EQ(ParseWholeNumber(text), value) << '"' << text << '"';
    for (const char* bad : {"", "   ", "45.5", "abc", "12 ", "1,5", "-", "+", "-$10", "$", "0x", "$123456789", "$1G",
                            "x-1", "2147483648", "-2147483649", "99999999999999999999", "1e3", "\t5", "5a"})
        EXPECT_FALSE(ParseWholeNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(DecimalNumber, AcceptedAndRefused) {
    const std::pair<const char*, double> rows[] = {{"1.01", 1.01}, {"  -2.5e1", -25}, {"0.05", 0.05}, {"+3", 3},
                                                   {"5.", 5},      {".5", 0.5},       {"1E-6", 1e-6}, {"2E+2", 200}, {"0e-400", 0}};
    for (auto [text, value] : rows) EXPECT_EQ(ParseDecimalNumber(text), value) << '"' << text << '"';
    for (const char* bad : {"", " ", "1,5", "1.5 ", ".", "e5", "1e", "1e+", "abc", "1.2.3", "--1", "1e999", "1e-400", "0x10"})
        EXPECT_FALSE(ParseDecimalNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(Formats, FixedGeneralAndPlain) {
    EXPECT_EQ(FormatFixed(10.0, 10, 4) + "|" + FormatFixed(0.0, 10, 4) + "|" + FormatFixed(12.5, 10, 3) + "|" +
                  FormatFixed(-3.14159, 10, 4) + "|" + FormatFixed(123456789.5, 10, 4),
              "   10.0000|    0.0000|    12.500|   -3.1416|123456789.5000");
    const std::pair<double, const char*> general[] = {
        {1.0, "1"},   {1.01, "1.01"},     {50.5, "50.5"},       {0.25, "0.25"},     {-12.5, "-12.5"}, {0.0, "0"},
        {1e15, "1E15"}, {0.1 + 0.2, "0.3"}, {0.00001, "0.00001"}, {0.000001, "1E-6"}, {1.5e20, "1.5E20"},
        {123456789012345.0, "123456789012345"}};
    for (auto [value, text] : general) EXPECT_EQ(FormatGeneral(value), text) << text;
    EXPECT_EQ(FormatPlainDecimal(0.000001) + " " + FormatPlainDecimal(1.5e20) + " " + FormatPlainDecimal(-2.25) +
                  " " + FormatInteger(-20),
              "0.000001 150000000000000000000 -2.25 -20");
    // The shorter of the plain and the exponent form, plain on a tie; a whole number in plain form digit for digit.
    const std::pair<double, const char*> shortest[] = {
        {0.1, "0.1"}, {1e-4, "1e-04"}, {0.001, "0.001"}, {1e15, "1e+15"}, {123456789012345664.0, "123456789012345664"},
        {1.5e300, "1.5e+300"}, {-5e-324, "-5e-324"}, {-0.0, "-0"}, {176.07291666666666, "176.07291666666666"}};
    for (auto [value, text] : shortest) EXPECT_EQ(FormatRoundTrip(value), text) << text;
}

// Numbers in fields, labels and files are written and read with "." whatever the locale says; a locale with a
// decimal comma is built with localedef into a temporary folder when none is installed.
TEST(Formats, IndependentOfTheProcessLocale) {
    VeloxData data;
    data.ApplyStartupDefaults();
    data.Cavities[0] = {12.5, 0.25, 16, 0.000001};
    const std::string setupInC = FormatSetup(data);
    struct Restore {
        ~Restore() { std::setlocale(LC_ALL, "C"); }
    } restore;
    if (!std::setlocale(LC_ALL, "hu_HU.UTF-8")) {
        const auto dir = std::filesystem::temp_directory_path() / "velox-test-locales", made = dir / "hu_HU.UTF-8";
        std::filesystem::create_directories(dir);
        if (!std::filesystem::exists(made)) (void)!std::system(("localedef -i hu_HU -f UTF-8 " + made.native()).data());
        setenv("LOCPATH", dir.c_str(), 1);
        if (!std::setlocale(LC_ALL, "hu_HU.UTF-8")) GTEST_SKIP() << "no locale with a decimal comma can be made";
    }
    const std::locale cpp = std::locale::global(std::locale(std::setlocale(LC_ALL, nullptr)));
    EXPECT_EQ(std::tuple(*std::localeconv()->decimal_point, FormatGeneral(1.01) + FormatFixed(2.5, 10, 4)),
              std::tuple(',', "1.01    2.5000"));
    EXPECT_EQ(FormatSetup(data), setupInC);
    EXPECT_TRUE(ParseDecimalNumber("2.5") == 2.5 && !ParseDecimalNumber("2,5"));
    EXPECT_EQ(ParseSetup("Startfazis =-7.5").StartPhase, -7.5);
    std::locale::global(cpp);
}

// Digits 6 pixels, blanks 3, else 7: the most blanks for which blanks + text + two blanks fit; 0-wide blanks end.
TEST(PadToFieldWidth, AddsTheLargestNumberOfBlanksThatFit) {
    const auto measure = [](std::string_view s) {
        std::int32_t w = 0;
        for (char c : s) w += c == ' ' ? 3 : (c >= '0' && c <= '9') ? 6 : 7;
        return w;
    };
    struct Row { const char* text; std::int32_t width; std::size_t blanks; };
    for (Row r : {Row{"7", 37, 8}, {"7", 36, 8}, {"7", 35, 7}, {"220", 37, 4}, {"123456", 30, 0}, {"12345", 30, 0},
                  {"1", 0, 0}, {"", 7, 0}})
        EXPECT_EQ(PadToFieldWidth(r.text, measure, r.width), std::string(r.blanks, ' ') + r.text) << r.text << r.width;
    const auto noBlank = [](std::string_view s) { return std::int32_t(6 * (s.size() - std::count(s.begin(), s.end(), ' '))); };
    EXPECT_EQ(PadToFieldWidth("7", noBlank, 50), "7");
}

TEST(RfDisplayEntry, RoundsToTheNearestPosition) {
    for (auto [text, position] :
         {std::pair{"1", 50}, {"1.01", 51}, {"0.5", 0}, {"1.5", 100}, {"1.004", 50}, {" 1.2e0", 70}})
        EXPECT_EQ(FrequencyDisplayPosition(text), position) << text;
    for (auto [text, position] : {std::pair{"50", 50}, {"50.5", 51}, {"25", 0}, {"75", 100}, {"50.2", 50}})
        EXPECT_EQ(VoltageDisplayPosition(text), position) << text;
    for (const char* bad : {"0.49", "1.51", "1,2", "1 ", ""}) EXPECT_FALSE(FrequencyDisplayPosition(bad)) << bad;
    for (const char* bad : {"24.9", "75.5", "x"}) EXPECT_FALSE(VoltageDisplayPosition(bad)) << bad;
}

// Whole numbers of at least 4, checked in the order Edit1, Edit2, Edit3, Edit4 (Wa, Ga, Gg, Wg).
TEST(CavityFields, WholeNumbersOfAtLeastFour) {
    const auto value = CavityFieldValue;
    const auto first = FirstRefusedCavityField;
    const auto none = std::nullopt;
    EXPECT_EQ(std::tuple(value("4"), value(" $10"), value("3"), value("4.0")), std::tuple(4, 16, none, none));
    EXPECT_EQ(std::tuple(first({"4", "4", "3", "x"}), first({"4", "abc", "4", "4"}), first({"4", "4", "4", "4"})),
              std::tuple(2, 1, none));
    EXPECT_FALSE(CavitySizesOf({"4", "4", "4", "3"}));
    const CavitySizes s = CavitySizesOf({"$10", "12", "0x1A", " 7"}).value();
    EXPECT_EQ(std::tuple(s.AccWidth, s.AccGap, s.GroundGap, s.GroundWidth), std::tuple(16.0, 12.0, 26.0, 7.0));
    const CavityFieldTexts t = CavityFieldTextsOf({12.5, 10, 0.000001, 1e20});
    EXPECT_EQ(std::tuple(t.Edit1, t.Edit2, t.Edit3, t.Edit4), std::tuple("10", "12.5", "1E-6", "1E20"));
}

// Start −360 … 360 and below the stop; stop 0 … 360 and above the start; whole numbers only.
TEST(PhaseFields, WholeNumbersInRangeAndOrder) {
    using Row = std::tuple<const char*, double, std::optional<double>>;
    for (auto [text, stop, start] : {Row{"-360", 60, -360}, {"  12", 60, 12}, {"$1F", 60, 31}, {"0x1f", 60, 31},
                                     {"360", 1e3, 360}, {"59", 60, 59}, {"-361", 60, {}}, {"361", 1e3, {}},
                                     {"60", 60, {}}, {"45.5", 60, {}}, {"abc", 60, {}}, {"12 ", 60, {}}, {"", 60, {}},
                                     {"-$1F", 60, {}}})
        EXPECT_EQ(AcceptStartPhase(text, stop), start) << text;
    for (auto [text, start, stop] : {Row{"360", 0, 360}, {"1", 0, 1}, {"0", -30, 0}, {"361", 0, {}}, {"-1", -30, {}},
                                     {"90", 90, {}}, {"x", -30, {}}})
        EXPECT_EQ(AcceptStopPhase(text, start), stop) << text;
}
