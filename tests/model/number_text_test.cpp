// Number fields: whole and decimal conversions, and the number formats.
#include <gtest/gtest.h>

#include <clocale>

#include "CommaLocale.h"
#include "editor/model/NumberText.h"

using namespace velox;

TEST(WholeNumber, DecimalAndHexadecimalForms) {
    EXPECT_EQ(ParseWholeNumber("0"), 0);
    EXPECT_EQ(ParseWholeNumber("  12"), 12);
    EXPECT_EQ(ParseWholeNumber("-360"), -360);
    EXPECT_EQ(ParseWholeNumber("+45"), 45);
    EXPECT_EQ(ParseWholeNumber("$1F"), 31);
    EXPECT_EQ(ParseWholeNumber("x10"), 16);
    EXPECT_EQ(ParseWholeNumber("X1f"), 31);
    EXPECT_EQ(ParseWholeNumber("0x10"), 16);
    EXPECT_EQ(ParseWholeNumber(" 0XfF"), 255);
    EXPECT_EQ(ParseWholeNumber("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
}

TEST(WholeNumber, RefusedTexts) {
    for (const char* bad : {"", "   ", "45.5", "abc", "12 ", "1,5", "-", "+", "-$10", "$", "0x", "$123456789",
                            "2147483648", "-2147483649", "99999999999999999999", "1e3", "\t5", "5a"})
        EXPECT_FALSE(ParseWholeNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(DecimalNumber, AcceptedAndRefused) {
    EXPECT_EQ(ParseDecimalNumber("1.01"), 1.01);
    EXPECT_EQ(ParseDecimalNumber("  -2.5e1"), -25.0);
    EXPECT_EQ(ParseDecimalNumber("0.05"), 0.05);
    EXPECT_EQ(ParseDecimalNumber("+3"), 3.0);
    EXPECT_EQ(ParseDecimalNumber("5."), 5.0);
    EXPECT_EQ(ParseDecimalNumber(".5"), 0.5);
    EXPECT_EQ(ParseDecimalNumber("1E-6"), 1e-6);
    for (const char* bad : {"", " ", "1,5", "1.5 ", ".", "e5", "1e", "1e+", "abc", "1.2.3", "--1", "1e999", "0x10"})
        EXPECT_FALSE(ParseDecimalNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(Formats, FixedIsRightAlignedWithAPoint) {
    EXPECT_EQ(FormatFixed(10.0, 10, 4), "   10.0000");
    EXPECT_EQ(FormatFixed(0.0, 10, 4), "    0.0000");
    EXPECT_EQ(FormatFixed(12.5, 10, 3), "    12.500");
    EXPECT_EQ(FormatFixed(-3.14159, 10, 4), "   -3.1416");
    EXPECT_EQ(FormatFixed(123456789.5, 10, 4), "123456789.5000");
}

TEST(Formats, GeneralFormIsShortest) {
    EXPECT_EQ(FormatGeneral(1.0), "1");
    EXPECT_EQ(FormatGeneral(1.01), "1.01");
    EXPECT_EQ(FormatGeneral(50.5), "50.5");
    EXPECT_EQ(FormatGeneral(0.5), "0.5");
    EXPECT_EQ(FormatGeneral(0.25), "0.25");
    EXPECT_EQ(FormatGeneral(16.0), "16");
    EXPECT_EQ(FormatGeneral(-12.5), "-12.5");
    EXPECT_EQ(FormatGeneral(0.0), "0");
    EXPECT_EQ(FormatGeneral(0.05), "0.05");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatGeneral(0.00001), "0.00001");
    EXPECT_EQ(FormatGeneral(0.000001), "1E-6");
    EXPECT_EQ(FormatGeneral(1.5e20), "1.5E20");
    EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatGeneral(1e15), "1E15");
    EXPECT_EQ(FormatPlainDecimal(0.000001), "0.000001");
    EXPECT_EQ(FormatPlainDecimal(1.5e20), "150000000000000000000");
    EXPECT_EQ(FormatPlainDecimal(-2.25), "-2.25");
    EXPECT_EQ(FormatInteger(-20), "-20");
}

TEST(Formats, IndependentOfTheProcessLocale) {
    velox::testing::CommaLocale comma;
    if (!comma.active) GTEST_SKIP() << "no locale with a decimal comma can be made";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(FormatGeneral(1.01), "1.01");
    EXPECT_EQ(FormatFixed(2.5, 10, 4), "    2.5000");
    EXPECT_EQ(ParseDecimalNumber("2.5"), 2.5);
    EXPECT_FALSE(ParseDecimalNumber("2,5").has_value());
}
