// Arithmetic helpers shared by the whole model.
//
// The simulation evaluates every expression in Extended (the 80-bit x87
// format, Extended.h) and rounds to double only when a value is stored.  The
// truncations toward zero take the unrounded Extended value.
#pragma once

#include <cstdint>
#include <limits>

#include "core/model/Extended.h"

namespace velox {

inline constexpr Extended Pi = Extended::Pi();
inline constexpr Extended TwoPi = Extended::TwoPi();

// 0.01 and 0.005 rounded to the 64-bit significand, as the decimal
// constants of the model's formulas are (they are not the doubles nearest
// those numbers).
inline constexpr Extended Hundredth = Extended::FromBits({0xA3D70A3D70A3D70A, 0x3FF8});
inline constexpr Extended TwoHundredth = Extended::FromBits({0xA3D70A3D70A3D70A, 0x3FF7});

// True when v truncates to a value that fits an int32 without saturating.
inline bool FitsInt32(Extended v) {
    return !IsNan(v) && v > -2147483649.0 && v < 2147483648.0;
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
inline std::int32_t PixelAt(Extended x, std::int64_t offset = 0) {
    if (IsNan(x)) x = 0;
    constexpr Extended Far = 1e12;  // far outside the pixel range, far inside 64 bits
    const Extended held = x < -Far ? -Far : x > Far ? Far : x;
    return ClampPixel(TruncToInt64(held) + offset);
}

}  // namespace velox
