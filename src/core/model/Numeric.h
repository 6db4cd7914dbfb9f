// Arithmetic helpers shared by the whole model.
//
// The simulation evaluates every expression in long double (the 80-bit x87
// format on x86-64) and rounds to double only when a value is stored.  The
// truncations toward zero below take the unrounded long double value.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

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

// Round half to even, like the platform's round-to-nearest conversion.
inline long double RoundHalfEven(long double v) { return std::nearbyint(v); }

}  // namespace velox
