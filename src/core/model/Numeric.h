// Arithmetic helpers shared by the whole model.
//
// The simulation evaluates every expression in long double (the 80-bit x87
// format on x86-64) and rounds to double only when a value is stored.  The
// truncations toward zero below take the unrounded long double value.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>

#include "core/model/ExtendedSine.h"

namespace velox {

inline constexpr long double Pi = std::numbers::pi_v<long double>;
inline constexpr long double TwoPi = 2.0L * Pi;

// Truncation toward zero into a 32-bit integer.  Values outside the int32
// range saturate and NaN gives 0, so a damaged value can never turn into
// undefined behaviour when it becomes a pixel column or a channel number.
inline std::int32_t TruncToInt(long double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0L) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0L) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

// True when v truncates to a value that fits an int32 without saturating.
inline bool FitsInt32(long double v) {
    return !std::isnan(v) && v > -2147483649.0L && v < 2147483648.0L;
}

// The largest value of a 32-bit counter.  Counters stop there rather than
// wrap: a results file may bring in counters already at the top.
inline void CountOne(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

// counter + n (n >= 0), stopping at the largest value like CountOne.
inline std::int32_t CountMore(std::int32_t counter, std::int32_t n) {
    const std::int64_t sum = static_cast<std::int64_t>(counter) + n;
    return sum > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                          : static_cast<std::int32_t>(sum);
}

// Pixel positions and sizes that reach a control or a painter stay within
// what every window system takes.
inline constexpr std::int32_t PixelMin = -32768;
inline constexpr std::int32_t PixelMax = 32767;

inline std::int32_t ClampPixel(std::int64_t v) {
    return static_cast<std::int32_t>(v < PixelMin ? PixelMin : v > PixelMax ? PixelMax : v);
}

// Trunc(x) + offset as a pixel: the truncation toward zero takes the
// unrounded value, the sum is formed in 64 bits, and the result is held
// within PixelMin … PixelMax whatever x is (NaN gives the offset).
inline std::int32_t PixelAt(long double x, std::int64_t offset = 0) {
    if (std::isnan(x)) x = 0;
    constexpr long double Far = 1e12L;  // far outside the pixel range, far inside 64 bits
    const long double held = x < -Far ? -Far : x > Far ? Far : x;
    return ClampPixel(static_cast<std::int64_t>(held) + offset);
}

// sin x of the model: the model's own correctly rounded sine on the value's
// 80-bit pattern, so that no result depends on the C library.
inline long double Sin(long double x) {
    static_assert(std::numeric_limits<long double>::digits == 64, "long double is the x87 format here");
    ExtendedBits b;
    std::memcpy(&b.Significand, &x, 8);
    std::memcpy(&b.SignExponent, reinterpret_cast<const char*>(&x) + 8, 2);
    b = SineBits(b);
    long double y = 0;
    std::memcpy(&y, &b.Significand, 8);
    std::memcpy(reinterpret_cast<char*>(&y) + 8, &b.SignExponent, 2);
    return y;
}

// Round half to even, like the platform's round-to-nearest conversion.
inline long double RoundHalfEven(long double v) { return std::nearbyint(v); }

}  // namespace velox
