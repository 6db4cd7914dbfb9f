// The integer arithmetic of Extended against the x87 hardware, bit for bit:
// every operation on the boundary operands and a million random pairs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "../common/ExtendedOperations.h"
#include "core/model/Numeric.h"

#if VELOX_X87_LONG_DOUBLE
namespace velox::testing {
namespace {

constexpr std::uint16_t One = 0x3FFF;  // the exponent field of 1
constexpr std::uint64_t L = LeadingBit;

// Signed zeros, subnormals, the ends of the range, ties of each rounding and
// carries across the exponent, the ends of int32 and int64, and the double
// rounding at 53 bits, in double's subnormal range and at its overflow.
const ExtendedBits BoundaryOperands[] = {
    {0, 0}, {1, 0}, {3, 0}, {L - 1, 0}, {L, 1}, {L + 1, 2}, {L + 1, One - 3}, {~0ull, 0x7FFE}, {L, 0x7FFF}, AnyNan,
    {L, One}, {L + 1, One}, {~0ull, One - 1}, {~0ull, One}, {L, One - 1}, {L | L >> 1, One}, {L | L >> 2, One + 1},
    {L | L >> 1, One + 1}, {0xFFFFFFFE00000000, One + 30}, {0xFFFFFFFF00000000, One + 30}, {L | 1ull << 31, One + 31},
    {L, One + 63}, {~0ull, One + 62}, {L | 0x400, One}, {L | 0xC00, One}, {L | 0x401, One}, {L, One - 1074},
    {L, One - 1075}, {L + 1, One - 1075}, {L | L >> 1, One - 1075}, {~0ull, One - 1023}, {0xFFFFFFFFFFFFF800, One + 1023},
    {0xFFFFFFFFFFFFFC00, One + 1023}, {0xFFFFFFFFFFFFFBFF, One + 1023}};

// Exponent fields where the roundings change their ways.
constexpr std::uint16_t EdgeExponents[] = {0, 1, 2, 0x7FFD, 0x7FFE, 0x7FFF, One - 1075, One - 1022, One + 1023, One};

// A random canonical operand: sign, exponent and significand bits at random,
// the exponent a quarter of the time at an edge or, for a second operand,
// near the first one's; a third of the significands end in a run of zeros
// or of ones.
ExtendedBits RandomOperand(std::mt19937_64& g, const ExtendedBits* near = nullptr) {
    const std::uint64_t r = g();
    std::uint64_t sig = g();
    auto se = static_cast<std::uint16_t>(r);
    if ((r >> 16 & 3) == 0)
        se = static_cast<std::uint16_t>((se & 0x8000) | (near ? (near->SignExponent + (r >> 24 & 127) - 64) & 0x7FFF
                                                              : EdgeExponents[(r >> 24) % std::size(EdgeExponents)]));
    const int run = static_cast<int>(r >> 32 & 63);
    if ((r >> 40) % 3 == 0) sig &= ~0ull << run;
    if ((r >> 40) % 3 == 1) sig |= ~(~0ull << run);
    return Canonical({sig, se});
}

std::string Hex(ExtendedBits b) {
    char text[32];
    std::snprintf(text, sizeof text, "%04x:%016llx", b.SignExponent, static_cast<unsigned long long>(b.Significand));
    return text;
}

class ExtendedAgreement : public ::testing::TestWithParam<Operation> {};

TEST_P(ExtendedAgreement, SoftwareGivesTheBitsOfTheHardware) {
    const Operation& op = GetParam();
    int mismatches = 0;
    auto check = [&](ExtendedBits a, ExtendedBits b) {
        const ExtendedBits soft = op.Run(a, b, true), hard = op.Run(a, b, false);
        if (!(soft == hard) && ++mismatches <= 5)
            ADD_FAILURE() << op.Name << "(" << Hex(a) << ", " << Hex(b) << "): " << Hex(soft) << " instead of " << Hex(hard);
    };
    std::vector<ExtendedBits> boundary;
    for (const ExtendedBits b : BoundaryOperands) {
        boundary.push_back(b);
        boundary.push_back({b.Significand, static_cast<std::uint16_t>(b.SignExponent ^ 0x8000)});
    }
    for (const ExtendedBits a : boundary)
        for (const ExtendedBits b : boundary) check(a, b);
    std::mt19937_64 g(2026);
    for (int i = 0; i < 1'000'000; ++i) {
        const ExtendedBits a = RandomOperand(g);
        check(a, RandomOperand(g, &a));
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, ExtendedAgreement, ::testing::ValuesIn(Operations),
                         [](const auto& info) { return info.param.Name; });

// The model's constants are the long double literals they replace.
TEST(ExtendedConstants, AreTheRoundedLiterals) {
    const long double pi = std::numbers::pi_v<long double>;
    for (const auto& [constant, literal] :
         {std::pair{Pi, pi}, {TwoPi, 2 * pi}, {Hundredth, 0.01L}, {TwoHundredth, 0.005L}}) {
        ExtendedBits b;
        std::memcpy(&b.Significand, &literal, 8);
        std::memcpy(&b.SignExponent, reinterpret_cast<const char*>(&literal) + 8, 2);
        EXPECT_EQ(Hex(constant.Bits()), Hex(b));
    }
}

}  // namespace
}  // namespace velox::testing
#endif
