// The integer arithmetic of SoftExtended.
//
// A finite nonzero operand is unpacked into a significand m with its leading
// bit at bit 63 and an exponent E (the biased exponent it would have if the
// format's range were unbounded), so that its magnitude is m × 2^(E - 16383 - 63);
// a subnormal (exponent field 0, worth 2^-16382) gets E < 1.  A result is
// formed exactly or with a sticky bit in 128 bits and rounded once, to the
// 64-bit significand or, below the normal range, at the subnormal position.
#include "core/model/Extended.h"

#include <bit>

#include "core/model/ExtendedSine.h"

namespace velox {
namespace soft {
namespace {

constexpr std::int32_t MaxExponent = ExponentMask;  // infinities and NaNs
constexpr ExtendedBits DefaultNan{LeadingBit | LeadingBit >> 1, SignBit | ExponentMask};

// Multiply and divide on 128 bits: unsigned __int128 where the compiler has
// it, otherwise 32-bit limbs (VELOX_EXTENDED_LIMBS forces these, for tests).
#if defined(__SIZEOF_INT128__) && !defined(VELOX_EXTENDED_LIMBS)
__extension__ typedef unsigned __int128 U128;

void MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& hi, std::uint64_t& lo) {
    const U128 p = static_cast<U128>(a) * b;
    hi = static_cast<std::uint64_t>(p >> 64);
    lo = static_cast<std::uint64_t>(p);
}

// (hi:lo) / d with hi < d: the quotient, and the remainder in r.
std::uint64_t DivideWide(std::uint64_t hi, std::uint64_t lo, std::uint64_t d, std::uint64_t& r) {
    const U128 n = static_cast<U128>(hi) << 64 | lo;
    const auto q = static_cast<std::uint64_t>(n / d);
    r = static_cast<std::uint64_t>(n - static_cast<U128>(q) * d);
    return q;
}
#else
void MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& hi, std::uint64_t& lo) {
    const std::uint64_t a0 = a & 0xFFFFFFFF, a1 = a >> 32, b0 = b & 0xFFFFFFFF, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFF) + (p10 & 0xFFFFFFFF);
    lo = middle << 32 | (p00 & 0xFFFFFFFF);
    hi = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

std::uint64_t DivideWide(std::uint64_t hi, std::uint64_t lo, std::uint64_t d, std::uint64_t& r) {
    std::uint64_t q = 0;
    r = hi;
    for (int i = 63; i >= 0; --i) {
        const bool carry = r >> 63 != 0;
        r = r << 1 | (lo >> i & 1);
        q <<= 1;
        if (carry || r >= d) {
            r -= d;
            q |= 1;
        }
    }
    return q;
}
#endif

struct Unpacked {
    bool Negative;
    std::int32_t Exponent;
    std::uint64_t Significand;
};

std::int32_t ExponentOf(ExtendedBits a) { return a.SignExponent & ExponentMask; }
bool IsNegative(ExtendedBits a) { return (a.SignExponent & SignBit) != 0; }
bool IsSpecial(ExtendedBits a) { return ExponentOf(a) == MaxExponent; }
bool IsNanBits(ExtendedBits a) { return IsSpecial(a) && a.Significand != LeadingBit; }
bool IsZero(ExtendedBits a) { return a.Significand == 0; }
ExtendedBits Infinity(bool negative) { return {LeadingBit, static_cast<std::uint16_t>((negative ? SignBit : 0) | ExponentMask)}; }
ExtendedBits Zero(bool negative) { return {0, negative ? SignBit : std::uint16_t{0}}; }

// A finite nonzero operand with its leading bit moved to bit 63.
Unpacked Unpack(ExtendedBits a) {
    const int shift = std::countl_zero(a.Significand);
    const std::int32_t e = ExponentOf(a);
    return {IsNegative(a), (e == 0 ? 1 : e) - shift, a.Significand << shift};
}

// (hi:lo) >> n, any bit shifted out kept as a sticky bit in bit 0 of lo.
void ShiftRightSticky(std::uint64_t& hi, std::uint64_t& lo, std::int32_t n) {
    if (n == 0) return;
    if (n < 64) {
        const bool sticky = lo << (64 - n) != 0;
        lo = hi << (64 - n) | lo >> n | sticky;
        hi >>= n;
    } else if (n < 128) {
        const bool sticky = (n == 64 ? 0 : hi << (128 - n)) != 0 || lo != 0;
        lo = (n == 64 ? hi : hi >> (n - 64)) | sticky;
        hi = 0;
    } else {
        lo = (hi | lo) != 0;
        hi = 0;
    }
}

// The value (sig + extra / 2^64) × 2^(e - 16383 - 63), sig with its leading
// bit at bit 63, rounded to nearest even; below the normal range it is
// rounded once at the subnormal position, above it becomes infinite.
ExtendedBits RoundPack(bool negative, std::int32_t e, std::uint64_t sig, std::uint64_t extra) {
    const bool subnormal = e < 1;
    if (subnormal) ShiftRightSticky(sig, extra, 1 - e);
    if (extra > LeadingBit || (extra == LeadingBit && (sig & 1) != 0)) {
        if (++sig == 0) {  // carried out of the significand
            sig = LeadingBit;
            ++e;
        }
    }
    // A subnormal rounded up to the leading bit is the smallest normal.
    if (subnormal) e = sig >> 63 != 0 ? 1 : 0;
    if (e >= MaxExponent) return Infinity(negative);
    return {sig, static_cast<std::uint16_t>((negative ? SignBit : 0) | e)};
}

}  // namespace

ExtendedBits Add(ExtendedBits a, ExtendedBits b) {
    if (IsSpecial(a) || IsSpecial(b)) {
        if (IsNanBits(a) || IsNanBits(b)) return DefaultNan;
        if (IsSpecial(a) && IsSpecial(b) && IsNegative(a) != IsNegative(b)) return DefaultNan;
        return IsSpecial(a) ? a : b;
    }
    if (IsZero(a) || IsZero(b)) {
        if (!IsZero(b)) return b;
        if (!IsZero(a)) return a;
        return Zero(IsNegative(a) && IsNegative(b));
    }
    Unpacked x = Unpack(a), y = Unpack(b);
    if (x.Exponent < y.Exponent || (x.Exponent == y.Exponent && x.Significand < y.Significand)) {
        const Unpacked t = x;
        x = y;
        y = t;
    }
    std::uint64_t hi = x.Significand, lo = 0, yhi = y.Significand, ylo = 0;
    ShiftRightSticky(yhi, ylo, x.Exponent - y.Exponent);
    std::int32_t e = x.Exponent;
    if (x.Negative == y.Negative) {
        lo = ylo;
        hi += yhi;
        if (hi < yhi) {  // a carry out of bit 63
            ShiftRightSticky(hi, lo, 1);
            hi |= LeadingBit;
            ++e;
        }
    } else {
        lo = 0 - ylo;
        hi = hi - yhi - (ylo != 0);
        if (hi == 0 && lo == 0) return Zero(false);
        const int shift = hi != 0 ? std::countl_zero(hi) : 64 + std::countl_zero(lo);
        if (shift >= 64) {
            hi = lo << (shift - 64);
            lo = 0;
        } else if (shift > 0) {
            hi = hi << shift | lo >> (64 - shift);
            lo <<= shift;
        }
        e -= shift;
    }
    return RoundPack(x.Negative, e, hi, lo);
}

ExtendedBits Multiply(ExtendedBits a, ExtendedBits b) {
    const bool negative = IsNegative(a) != IsNegative(b);
    if (IsNanBits(a) || IsNanBits(b)) return DefaultNan;
    if (IsSpecial(a) || IsSpecial(b)) return IsZero(a) || IsZero(b) ? DefaultNan : Infinity(negative);
    if (IsZero(a) || IsZero(b)) return Zero(negative);
    const Unpacked x = Unpack(a), y = Unpack(b);
    std::uint64_t hi, lo;
    MultiplyWide(x.Significand, y.Significand, hi, lo);
    std::int32_t e = x.Exponent + y.Exponent - Bias + 1;
    if (hi >> 63 == 0) {  // the product lies in [1, 2): one place left
        hi = hi << 1 | lo >> 63;
        lo <<= 1;
        --e;
    }
    return RoundPack(negative, e, hi, lo);
}

ExtendedBits Divide(ExtendedBits a, ExtendedBits b) {
    const bool negative = IsNegative(a) != IsNegative(b);
    if (IsNanBits(a) || IsNanBits(b)) return DefaultNan;
    if (IsSpecial(a)) return IsSpecial(b) ? DefaultNan : Infinity(negative);
    if (IsSpecial(b)) return Zero(negative);
    if (IsZero(b)) return IsZero(a) ? DefaultNan : Infinity(negative);
    if (IsZero(a)) return Zero(negative);
    const Unpacked x = Unpack(a), y = Unpack(b);
    // The quotient of the significands scaled into [2^63, 2^64).
    std::int32_t e = x.Exponent - y.Exponent + Bias;
    std::uint64_t hi = x.Significand >> 1, lo = x.Significand << 63;
    if (x.Significand < y.Significand) {
        hi = x.Significand;
        lo = 0;
        --e;
    }
    std::uint64_t r;
    const std::uint64_t q = DivideWide(hi, lo, y.Significand, r);
    // The remainder against half the divisor.  The quotient is never exactly
    // halfway: 2 × m × 2^k = d × (2q + 1) would need the odd factor 2q + 1,
    // above 2^64, to divide m.
    const std::uint64_t extra = r == 0 ? 0 : r < y.Significand - r ? 1 : LeadingBit | 1;
    return RoundPack(negative, e, q, extra);
}

ExtendedBits SquareRoot(ExtendedBits a) {
    if (IsZero(a)) return a;
    if (IsNegative(a)) return DefaultNan;
    if (IsSpecial(a)) return a;  // +infinity or a NaN
    const Unpacked x = Unpack(a);
    // N = m × 2^63 or, for an odd power of two, m × 2^64: its square root
    // lies in [2^63, 2^64).
    std::int32_t k = x.Exponent - Bias;
    std::uint64_t nhi = x.Significand >> 1, nlo = x.Significand << 63;
    if ((k & 1) != 0) {
        nhi = x.Significand;
        nlo = 0;
        --k;
    }
    // The root bit by bit from the top: s is the largest with s² ≤ N.
    std::uint64_t s = LeadingBit;
    for (int bit = 62; bit >= 0; --bit) {
        const std::uint64_t t = s | std::uint64_t{1} << bit;
        std::uint64_t thi, tlo;
        MultiplyWide(t, t, thi, tlo);
        if (thi < nhi || (thi == nhi && tlo <= nlo)) s = t;
    }
    std::uint64_t shi, slo;
    MultiplyWide(s, s, shi, slo);
    // N - s² ≤ 2s fits in 65 bits; the root lies above s + 1/2 exactly when N - s² > s.
    const std::uint64_t rlo = nlo - slo, rhi = nhi - shi - (nlo < slo);
    const std::uint64_t extra = rhi == 0 && rlo == 0 ? 0 : rhi != 0 || rlo > s ? LeadingBit | 1 : 1;
    return RoundPack(false, k / 2 + Bias, s, extra);
}

// A significand cut `shift` bits up (shift >= 1): the bits above the cut, the
// bits below it and half a unit of the bits above.  Cut at 65 or more bits,
// nothing is left above and what lies below counts only as a sticky bit,
// less than half.
struct Cut {
    std::uint64_t Above = 0;
    std::uint64_t Below = 1;
    std::uint64_t Half = LeadingBit;
};

Cut SplitAt(std::uint64_t m, std::int32_t shift) {
    Cut c;
    if (shift < 64) {
        c.Above = m >> shift;
        c.Below = m & ((std::uint64_t{1} << shift) - 1);
        c.Half = std::uint64_t{1} << (shift - 1);
    } else if (shift == 64) {
        c.Below = m;
    }
    return c;
}

double ToDouble(ExtendedBits a) {
    const std::uint64_t sign = IsNegative(a) ? std::uint64_t{1} << 63 : 0;
    if (IsSpecial(a)) {
        const std::uint64_t nan = IsNanBits(a) ? std::uint64_t{1} << 51 : 0;
        return __builtin_bit_cast(double, sign | std::uint64_t{0x7FF} << 52 | nan);
    }
    if (IsZero(a)) return __builtin_bit_cast(double, sign);
    const Unpacked x = Unpack(a);
    const std::int32_t e = x.Exponent - Bias + 1023;  // the biased exponent of the double
    if (e >= 0x7FF) return __builtin_bit_cast(double, sign | std::uint64_t{0x7FF} << 52);
    // 53 bits are kept, fewer below the normal range of double.
    const std::int32_t shift = e >= 1 ? 11 : 12 - e;
    const auto [q0, rest, half] = SplitAt(x.Significand, shift);
    std::uint64_t q = q0;
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    // The leading bit of q adds 1 to the exponent field; a carry out of
    // the 53 bits, or a subnormal rounded up, moves on by itself.
    const std::uint64_t base = e >= 1 ? static_cast<std::uint64_t>(e - 1) << 52 : 0;
    return __builtin_bit_cast(double, sign | (base + q));
}

int Compare(ExtendedBits a, ExtendedBits b) {
    if (IsNanBits(a) || IsNanBits(b)) return 2;
    if (IsZero(a) && IsZero(b)) return 0;
    if (IsNegative(a) != IsNegative(b)) return IsNegative(a) ? -1 : 1;
    // Canonical patterns of one sign order as their exponent, then significand.
    const std::int32_t ea = ExponentOf(a), eb = ExponentOf(b);
    int c = 0;
    if (ea != eb)
        c = ea < eb ? -1 : 1;
    else if (a.Significand != b.Significand)
        c = a.Significand < b.Significand ? -1 : 1;
    return IsNegative(a) ? -c : c;
}

ExtendedBits Integral(ExtendedBits a, Rounding r) {
    if (IsSpecial(a) || IsZero(a)) return IsNanBits(a) ? DefaultNan : a;
    const std::int32_t k = ExponentOf(a) - Bias;  // the unit bit lies 63 - k bits up
    if (k >= 63) return a;
    const std::int32_t fraction = 63 - k;
    const auto [q, rest, half] = SplitAt(a.Significand, fraction);
    const bool up = r == Rounding::Down ? IsNegative(a) && rest != 0
                    : r == Rounding::NearestEven ? rest > half || (rest == half && (q & 1) != 0)
                                                 : false;
    return FromMagnitude(IsNegative(a), q + up);
}

std::int64_t TruncToInt64(ExtendedBits a) {
    if (IsNanBits(a)) return 0;
    const std::int32_t k = ExponentOf(a) - Bias;
    if (k < 0) return 0;
    if (k >= 63) return IsNegative(a) ? INT64_MIN : INT64_MAX;
    const auto m = static_cast<std::int64_t>(a.Significand >> (63 - k));
    return IsNegative(a) ? -m : m;
}

}  // namespace soft

// sin x on every machine through the model's own sine of the 80-bit
// pattern, so that no result depends on the C library.
Extended Sin(Extended x) { return Extended::FromBits(SineBits(x.Bits())); }

}  // namespace velox
