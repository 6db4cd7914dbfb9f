// Every operation of Extended, run on either implementation with its result
// as a bit pattern, for the comparison test and the fuzz target.  x87 only:
// the hardware implementation is the reference.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/model/Extended.h"

#if VELOX_X87_LONG_DOUBLE
namespace velox::testing {

constexpr std::uint64_t LeadingBit = std::uint64_t{1} << 63;
constexpr ExtendedBits AnyNan{LeadingBit | LeadingBit >> 1, 0x7FFF};

// Operands are canonical: the leading bit is set exactly when the exponent field is not 0.
inline ExtendedBits Canonical(ExtendedBits b) {
    const bool normal = (b.SignExponent & 0x7FFF) != 0;
    return {normal ? b.Significand | LeadingBit : b.Significand & ~LeadingBit, b.SignExponent};
}

// Any NaN stands for every NaN.
inline ExtendedBits Result(ExtendedBits b) {
    return (b.SignExponent & 0x7FFF) == 0x7FFF && b.Significand != LeadingBit ? AnyNan : b;
}
inline ExtendedBits Result(SoftExtended x) { return Result(x.Bits()); }
inline ExtendedBits Result(HardExtended x) { return Result(x.Bits()); }
inline ExtendedBits Result(double d) { return d != d ? AnyNan : ExtendedBits{__builtin_bit_cast(std::uint64_t, d), 0}; }
inline ExtendedBits Result(std::int64_t v) { return {static_cast<std::uint64_t>(v), 0}; }

struct Operation {
    std::string Name;
    std::function<ExtendedBits(ExtendedBits, ExtendedBits, bool software)> Run;
};

template <class F>
Operation Both(std::string name, F f) {
    return {std::move(name), [f](ExtendedBits a, ExtendedBits b, bool software) {
                return software ? Result(f(SoftExtended::FromBits(a), SoftExtended::FromBits(b)))
                                : Result(f(HardExtended::FromBits(a), HardExtended::FromBits(b)));
            }};
}

inline const Operation Operations[] = {
    Both("Add", [](auto x, auto y) { return x + y; }),
    Both("Subtract", [](auto x, auto y) { return x - y; }),
    Both("Multiply", [](auto x, auto y) { return x * y; }),
    Both("Divide", [](auto x, auto y) { return x / y; }),
    Both("Compare", [](auto x, auto y) {
        return std::int64_t{(x < y) | (x <= y) << 1 | (x == y) << 2 | (x != y) << 3 | (x > y) << 4 | (x >= y) << 5};
    }),
    Both("Sqrt", [](auto x, auto) { return Sqrt(x); }),
    Both("ToDouble", [](auto x, auto) { return static_cast<double>(x); }),
    Both("Trunc", [](auto x, auto) { return Trunc(x); }),
    Both("Floor", [](auto x, auto) { return Floor(x); }),
    Both("RoundHalfEven", [](auto x, auto) { return RoundHalfEven(x); }),
    Both("TruncToInt", [](auto x, auto) { return std::int64_t{TruncToInt(x)} * 0x100000000 ^ TruncToInt64(x); }),
    Both("Classify", [](auto x, auto) { return std::int64_t{IsNan(x) | IsFinite(x) << 1}; }),
    // The operand's significand read as a double and as integers.
    Both("FromDouble", [](auto x, auto) { return decltype(x)(__builtin_bit_cast(double, x.Bits().Significand)); }),
    Both("FromSigned", [](auto x, auto y) {
        return decltype(x)(static_cast<std::int64_t>(x.Bits().Significand) >> (y.Bits().Significand & 63));
    }),
    Both("FromUnsigned", [](auto x, auto y) { return decltype(x)(x.Bits().Significand >> (y.Bits().Significand & 63)); }),
};

}  // namespace velox::testing
#endif
