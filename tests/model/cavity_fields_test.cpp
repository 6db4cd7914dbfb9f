#include <gtest/gtest.h>

#include "editor/model/CavityFields.h"

namespace velox {
namespace {

TEST(CavityFields, WholeNumbersOfAtLeastFour) {
    for (const char* good : {"4", " 12", "   4", "+5", "$10", "x1f", "0X20", "2147483647", "$7FFFFFFF"})
        EXPECT_TRUE(CavityFieldValue(good).has_value()) << good;
    for (const char* bad : {"3", "0", "-4", "abc", "", " ", "4.5", "4.0", "12 ", "1e3", "$", "-$10", "$FFFFFFFF",
                            "2147483648", "4,5", "\t12"})
        EXPECT_FALSE(CavityFieldValue(bad).has_value()) << bad;
    EXPECT_EQ(CavityFieldValue("$10"), 16);
    EXPECT_EQ(CavityFieldValue(" 12"), 12);
    EXPECT_EQ(CavityFieldValue("0x1A"), 26);
}

TEST(CavityFields, SizesFromTheFieldsAndBack) {
    const auto s = CavitySizesOf({"$10", "12", "0x1A", " 7"});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->AccWidth, 16.0);
    EXPECT_EQ(s->AccGap, 12.0);
    EXPECT_EQ(s->GroundGap, 26.0);
    EXPECT_EQ(s->GroundWidth, 7.0);
    EXPECT_FALSE(CavitySizesOf({"4", "4", "4", "3"}));

    const CavityFieldTexts t = CavityFieldTextsOf({12.5, 10, 0.000001, 1e20});
    EXPECT_EQ(t.Edit1, "10");     // AccWidth
    EXPECT_EQ(t.Edit2, "12.5");   // AccGap
    EXPECT_EQ(t.Edit3, "1E-6");   // GroundGap
    EXPECT_EQ(t.Edit4, "1E20");   // GroundWidth
}

}  // namespace
}  // namespace velox
