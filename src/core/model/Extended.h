// The extended-precision number of the model.
//
// The simulation evaluates its intermediates in the x87 80-bit format with
// 64-bit precision (sign, 15-bit exponent biased by 16383, 64-bit significand
// with an explicit leading bit, round to nearest even, gradual underflow) and
// rounds to double only when a value is stored.  Extended is that format on
// every machine, in one of two implementations with the same results bit for
// bit:
// - HardExtended wraps long double where it is this very format (x86-64 with
//   GCC or Clang);
// - SoftExtended computes with integers only (Extended.cpp) and is used
//   everywhere else, or on x86-64 when VELOX_SOFTWARE_EXTENDED is defined
//   (the CMake option of the same name).
//
// Both read like the long double arithmetic they replace: a double or an
// integer operand is converted exactly first, as C++ promotes it, so
// Extended(a) * b + c is (a × b rounded) + c rounded, each to 64 bits, while
// a * b of two doubles stays a double product.
#pragma once

#include <bit>
#include <cfloat>
#include <compare>
#include <concepts>
#include <cstdint>
#include <type_traits>

#if LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384
#define VELOX_X87_LONG_DOUBLE 1
#else
#define VELOX_X87_LONG_DOUBLE 0
#endif

namespace velox {

// The x87 80-bit pattern: sign and 15-bit biased exponent, 64-bit significand with explicit leading bit.
struct ExtendedBits {
    std::uint64_t Significand = 0;
    std::uint16_t SignExponent = 0;
    friend constexpr bool operator==(ExtendedBits, ExtendedBits) = default;
};

// The integer arithmetic of SoftExtended on bit patterns.  Operands are
// canonical: the leading bit is set exactly when the exponent field is not 0.
// A NaN result is a NaN; its sign and payload are not those of the hardware.
namespace soft {

inline constexpr std::uint16_t SignBit = 0x8000;
inline constexpr std::uint16_t ExponentMask = 0x7FFF;
inline constexpr std::uint64_t LeadingBit = std::uint64_t{1} << 63;
inline constexpr std::int32_t Bias = 16383;

ExtendedBits Add(ExtendedBits a, ExtendedBits b);
ExtendedBits Multiply(ExtendedBits a, ExtendedBits b);
ExtendedBits Divide(ExtendedBits a, ExtendedBits b);
ExtendedBits SquareRoot(ExtendedBits a);
double ToDouble(ExtendedBits a);
// -1, 0 or 1 as a is below, equal to or above b; 2 when either is a NaN.
int Compare(ExtendedBits a, ExtendedBits b);
enum class Rounding { TowardZero, Down, NearestEven };
// The integral value that a rounds to.
ExtendedBits Integral(ExtendedBits a, Rounding r);
// Truncation toward zero, saturating at the ends of int64; NaN gives 0.
std::int64_t TruncToInt64(ExtendedBits a);

constexpr ExtendedBits Negate(ExtendedBits a) {
    return {a.Significand, static_cast<std::uint16_t>(a.SignExponent ^ SignBit)};
}

constexpr ExtendedBits FromMagnitude(bool negative, std::uint64_t m) {
    const std::uint16_t sign = negative ? SignBit : 0;
    if (m == 0) return {0, sign};
    const int shift = std::countl_zero(m);
    return {m << shift, static_cast<std::uint16_t>(sign | (Bias + 63 - shift))};
}

template <std::integral I>
constexpr ExtendedBits FromInteger(I v) {
    if constexpr (std::is_signed_v<I>)
        return FromMagnitude(v < 0, v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v));
    else
        return FromMagnitude(false, v);
}

constexpr ExtendedBits FromDouble(double v) {
    const auto b = __builtin_bit_cast(std::uint64_t, v);
    const auto sign = static_cast<std::uint16_t>(b >> 48 & SignBit);
    const auto e = static_cast<std::int32_t>(b >> 52 & 0x7FF);
    const std::uint64_t f = b & ((std::uint64_t{1} << 52) - 1);
    if (e == 0x7FF) {  // infinity, or a NaN kept quiet
        const std::uint64_t quiet = f == 0 ? 0 : std::uint64_t{1} << 62 | f << 11;
        return {LeadingBit | quiet, static_cast<std::uint16_t>(sign | ExponentMask)};
    }
    if (e == 0) {  // zero or subnormal: f × 2^-1074
        if (f == 0) return {0, sign};
        const int shift = std::countl_zero(f);
        return {f << shift, static_cast<std::uint16_t>(sign | (15372 - shift))};
    }
    return {LeadingBit | f << 11, static_cast<std::uint16_t>(sign | (e + Bias - 1023))};
}

}  // namespace soft

// pi rounded to the 64-bit significand.
inline constexpr std::uint64_t PiSignificand = 0xC90FDAA22168C235;

// What both implementations build on their own operations: X provides
// + - * /, FromBits, ToDouble and TruncToInt64.
template <class X>
class ExtendedOps {
public:
    X& operator+=(X b) { return Self() = Self() + b; }
    X& operator-=(X b) { return Self() = Self() - b; }
    X& operator*=(X b) { return Self() = Self() * b; }
    X& operator/=(X b) { return Self() = Self() / b; }
    explicit operator double() const { return static_cast<const X&>(*this).ToDouble(); }

    static constexpr X Pi() { return X::FromBits({PiSignificand, soft::Bias + 1}); }
    static constexpr X TwoPi() { return X::FromBits({PiSignificand, soft::Bias + 2}); }

    // Truncation toward zero into an int32, saturating; NaN gives 0.
    friend std::int32_t TruncToInt(X v) {
        const std::int64_t t = TruncToInt64(v);
        return static_cast<std::int32_t>(t < INT32_MIN ? INT32_MIN : t > INT32_MAX ? INT32_MAX : t);
    }

private:
    X& Self() { return static_cast<X&>(*this); }
};

class SoftExtended : public ExtendedOps<SoftExtended> {
public:
    constexpr SoftExtended() = default;
    constexpr SoftExtended(double v) : bits_(soft::FromDouble(v)) {}
    template <std::integral I>
    constexpr SoftExtended(I v) : bits_(soft::FromInteger(v)) {}
    SoftExtended(long double) = delete;  // a long double has no place beside this type

    static constexpr SoftExtended FromBits(ExtendedBits b) {
        SoftExtended x;
        x.bits_ = b;
        return x;
    }
    constexpr ExtendedBits Bits() const { return bits_; }
    double ToDouble() const { return soft::ToDouble(bits_); }

    friend SoftExtended operator+(SoftExtended a, SoftExtended b) { return FromBits(soft::Add(a.bits_, b.bits_)); }
    friend SoftExtended operator-(SoftExtended a, SoftExtended b) {
        return FromBits(soft::Add(a.bits_, soft::Negate(b.bits_)));
    }
    friend SoftExtended operator*(SoftExtended a, SoftExtended b) { return FromBits(soft::Multiply(a.bits_, b.bits_)); }
    friend SoftExtended operator/(SoftExtended a, SoftExtended b) { return FromBits(soft::Divide(a.bits_, b.bits_)); }
    friend constexpr SoftExtended operator-(SoftExtended a) { return FromBits(soft::Negate(a.bits_)); }
    friend bool operator==(SoftExtended a, SoftExtended b) { return soft::Compare(a.bits_, b.bits_) == 0; }
    friend std::partial_ordering operator<=>(SoftExtended a, SoftExtended b) {
        const int c = soft::Compare(a.bits_, b.bits_);
        return c == 2 ? std::partial_ordering::unordered : c <=> 0;
    }

    friend bool IsNan(SoftExtended a) { return soft::Compare(a.bits_, a.bits_) == 2; }
    friend bool IsFinite(SoftExtended a) { return (a.bits_.SignExponent & soft::ExponentMask) != soft::ExponentMask; }
    friend SoftExtended Sqrt(SoftExtended a) { return FromBits(soft::SquareRoot(a.bits_)); }
    friend SoftExtended Trunc(SoftExtended a) { return FromBits(soft::Integral(a.bits_, soft::Rounding::TowardZero)); }
    friend SoftExtended Floor(SoftExtended a) { return FromBits(soft::Integral(a.bits_, soft::Rounding::Down)); }
    friend SoftExtended RoundHalfEven(SoftExtended a) {
        return FromBits(soft::Integral(a.bits_, soft::Rounding::NearestEven));
    }
    friend std::int64_t TruncToInt64(SoftExtended a) { return soft::TruncToInt64(a.bits_); }

private:
    ExtendedBits bits_;
};

#if VELOX_X87_LONG_DOUBLE
class HardExtended : public ExtendedOps<HardExtended> {
public:
    constexpr HardExtended() = default;
    constexpr HardExtended(double v) : v_(v) {}
    template <std::integral I>
    constexpr HardExtended(I v) : v_(static_cast<long double>(v)) {}
    HardExtended(long double) = delete;  // only the conversions above are exact

    static constexpr HardExtended FromBits(ExtendedBits b) {
        const Layout l{b.Significand, b.SignExponent, {}};
        return Of(__builtin_bit_cast(long double, l));
    }
    ExtendedBits Bits() const {
        const auto l = __builtin_bit_cast(Layout, v_);
        return {l.Significand, l.SignExponent};
    }
    double ToDouble() const { return static_cast<double>(v_); }

    friend HardExtended operator+(HardExtended a, HardExtended b) { return Of(a.v_ + b.v_); }
    friend HardExtended operator-(HardExtended a, HardExtended b) { return Of(a.v_ - b.v_); }
    friend HardExtended operator*(HardExtended a, HardExtended b) { return Of(a.v_ * b.v_); }
    friend HardExtended operator/(HardExtended a, HardExtended b) { return Of(a.v_ / b.v_); }
    friend constexpr HardExtended operator-(HardExtended a) { return Of(-a.v_); }
    friend bool operator==(HardExtended a, HardExtended b) { return a.v_ == b.v_; }
    friend std::partial_ordering operator<=>(HardExtended a, HardExtended b) { return a.v_ <=> b.v_; }

    friend bool IsNan(HardExtended a) { return __builtin_isnan(a.v_); }
    friend bool IsFinite(HardExtended a) { return __builtin_isfinite(a.v_); }
    friend HardExtended Sqrt(HardExtended a) { return Of(__builtin_sqrtl(a.v_)); }
    friend HardExtended Trunc(HardExtended a) { return Of(__builtin_truncl(a.v_)); }
    friend HardExtended Floor(HardExtended a) { return Of(__builtin_floorl(a.v_)); }
    friend HardExtended RoundHalfEven(HardExtended a) { return Of(__builtin_nearbyintl(a.v_)); }
    friend std::int64_t TruncToInt64(HardExtended a) {
        if (IsNan(a)) return 0;
        if (a.v_ >= 0x1p63L) return INT64_MAX;
        return a.v_ <= -0x1p63L ? INT64_MIN : static_cast<std::int64_t>(a.v_);
    }

private:
    struct Layout {
        std::uint64_t Significand;
        std::uint16_t SignExponent;
        std::uint16_t Padding[sizeof(long double) / 2 - 5];
    };
    static constexpr HardExtended Of(long double v) {
        HardExtended x;
        x.v_ = v;
        return x;
    }
    long double v_ = 0;
};
#endif

#if VELOX_X87_LONG_DOUBLE && !defined(VELOX_SOFTWARE_EXTENDED)
using Extended = HardExtended;
#else
using Extended = SoftExtended;
#endif

// The functions of Extended for ordinary lookup, so that a double argument
// converts as it did to long double: TruncToInt(voltage).
bool IsNan(Extended a);
bool IsFinite(Extended a);
Extended Sqrt(Extended a);
Extended Trunc(Extended a);
Extended Floor(Extended a);
Extended RoundHalfEven(Extended a);
std::int64_t TruncToInt64(Extended a);
std::int32_t TruncToInt(Extended a);

// The sine, rounded to the 64-bit significand.
Extended Sin(Extended x);

}  // namespace velox
