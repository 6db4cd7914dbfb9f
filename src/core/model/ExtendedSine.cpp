// sin x in integer arithmetic.
//
// 1. Reduction: x = m·2^e is written as k·π/2 + r with |r| <= π/4.  Only the
//    bits of 2/π whose products with x are not multiples of 4 matter for
//    x·2/π mod 4, so a 512-bit window of a table of 2/π is multiplied by m
//    (Payne and Hanek).  The window reaches 2^-446 below the binary point of
//    x·2/π, so |r| comes out with less than 2^-443 absolute error: 260 bits
//    and more of r even when x lies within 2^-180 of a multiple of π/2,
//    which no 64-bit value comes near.
// 2. Evaluation: sin r = r·(1 - r²/3! + r⁴/5! - ...) and
//    cos r = 1 - r²/2! + r⁴/4! - ... are summed by Horner's rule in K-limb
//    fixed point, K = 2 (128 bits) or 4 (256 bits).
// 3. Rounding to 64 bits: when the K-limb value lies closer to a halfway
//    point than its error bound, the 2-limb sum is redone with 4 limbs.
#include "core/model/ExtendedSine.h"

#include <array>
#include <bit>
#include <cstddef>

namespace velox {
namespace {

using Limb = std::uint64_t;
constexpr Limb TopBit = Limb{1} << 63;

// A fraction in [0, 1): limb i weighs 2^(64 (i - N)) (least significant first).
template <std::size_t N>
using Fraction = std::array<Limb, N>;

// The bits of 2/π after the binary point, most significant first.
constexpr Limb TwoOverPi[] = {
    0xa2f9836e4e441529, 0xfc2757d1f534ddc0, 0xdb6295993c439041, 0xfe5163abdebbc561,
    0xb7246e3a424dd2e0, 0x06492eea09d1921c, 0xfe1deb1cb129a73e, 0xe88235f52ebb4484,
    0xe99c7026b45f7e41, 0x3991d639835339f4, 0x9c845f8bbdf9283b, 0x1ff897ffde05980f,
    0xef2f118b5a0a6d1f, 0x6d367ecf27cb09b7, 0x4f463f669e5fea2d, 0x7527bac7ebe5f17b,
    0x3d0739f78a5292ea, 0x6bfb5fb11f8d5d08, 0x56033046fc7b6bab, 0xf0cfbc209af4361d,
    0xa9e391615ee61b08, 0x6599855f14a06840, 0x8dffd8804d732731, 0x06061556ca73a8c9,
    0x60e27bc08c6b47c4, 0x19c367cddce8092a, 0x8359c4768b961ca6, 0xddaf44d15719053e,
    0xa5ff07053f7e33e8, 0x32c2de4f98327dbb, 0xc33d26ef6b1e5ef8, 0x9f3a1f35caf27f1d,
    0x87f121907c7c246a, 0xfa6ed5772d30433b, 0x15c614b59d19c3c2, 0xc4ad414d2c5d000c,
    0x467d862d71e39ac6, 0x9b0062337cd2b497, 0xa7b4d55537f63ed7, 0x1810a3fc764d2a9d,
    0x64abd770f87c6357, 0xb07ae715175649c0, 0xd9d63b3884a7cb23, 0x24778ad623545ab9,
    0x1f001b0af1dfce19, 0xff319f6a1e666157, 0x9947fbacd87f7eb7, 0x652289e83260bfe6,
    0xcdc4ef09366cd43f, 0x5dd7de16de3b5892, 0x9bde2822d2e88628, 0x4d58e232cac616e3,
    0x08cb7de050c017a7, 0x1df35be01834132e, 0x6212830148835b8e, 0xf57fb0adf2e91e43,
    0x4a48d36710d8ddaa, 0x425faece616aa428, 0x0ab499d3f2a6067f, 0x775c83c2a3883c61,
    0x78738a5a8cafbdd7, 0x6f63a62dcbbff4ef, 0x818d67c12645ca55, 0x36d9cad2a8288d61,
    0xc277c9121426049b, 0x4612c459c444c5c8, 0x91b24df31700ad43, 0xd4e5492910d5fdfc,
    0xbe00cc941eeece70, 0xf53e1380f1ecc3e7, 0xb328f8c79405933e, 0x71c1b3092ef3450b,
    0x9c12887b20ab9fb5, 0x2ec292472f327b6d, 0x550c90a7721fe76b, 0x96cb314a1679e279,
    0x4189dff49794e884, 0xe6e29731996bed88, 0x365f5f0efdbbb49a, 0x486ca46742727132,
    0x5d8db8159f09e5bc, 0x25318d3974f71c05, 0x30010c0d68084b58, 0xee2c90aa4702e774,
    0x24d6bda67df77248, 0x6eef169fa6948ef6, 0x91b45153d1f20acf, 0x3398207e4bf56863,
    0xb25f3edd035d407f, 0x8985295255c06437, 0x10d86d324832754c, 0x5bd4714e6e5445c1,
    0x090b69f52ad56614, 0x9d072750045ddb3b, 0xb4c576ea17f9877d, 0x6b49ba271d296996,
    0xacccc65414ad6ae2, 0x9089d98850722cbe, 0xa4049407777030f3, 0x27fc00a871ea49c2,
    0x663de06483dd9797, 0x3fa3fd94438c860d, 0xde41319d39928c70, 0xdde7b7173bdf082b,
    0x3715a0805c93805a, 0x921110d8e80faf80, 0x6c4bffdb0f903876, 0x185915a562bbcb61,
    0xb989c7bd401004f2, 0xd2277549f6b6ebbb, 0x22dbaa140a2f2689, 0x768364333b091a94,
    0x0eaa3a51c2a31dae, 0xedaf12265c4dc26d, 0x9c7a2d9756c0833f, 0x03f6f0098c402b99,
    0x316d07b43915200c, 0x5bc3d8c492f54bad, 0xc6a5ca4ecd37a736, 0xa9e69492ab6842dd,
    0xde6319ef8c76528b, 0x6837dbfcaba1ae31, 0x15dfa1ae00dafb0c, 0x664d64b705ed3065,
    0x29bf56573aff47b9, 0xf96af3be75df9328, 0x3080abf68c6615cb, 0x040622fa1de4d9a4,
    0xb33d8f1b5709cd36, 0xe9424ea4be13b523, 0x331aaaf0a8654fa5, 0xc1d20f3f0bcd785b,
    0x76f923048b7b7217, 0x8953a6c6e26e6f00, 0xebef584a9bb7dac4, 0xba66aacfcf761d02,
    0xd12df1b1c1998c77, 0xadc3da4886a05df7, 0xf480c62ff0ac9aec, 0xddbc5c3f6dded01f,
    0xc790b6db2a3a25a3, 0x9aaf009353ad0457, 0xb6b42d297e804ba7, 0x07da0eaa76a1597b,
    0x2a12162db7dcfde5, 0xfafedb89fdbe896c, 0x76e4fca90670803e, 0x156e85ff87fd073e,
    0x2833676186182aea, 0xbd4dafe7b36e6d8f, 0x3967955bbf3148d7, 0x8416df30432dc735,
    0x6125ce70c9b8cb30, 0xfd6cbfa200a4e46c, 0x05a0dd5a476f21d2, 0x1262845cb9496170,
    0xe0566b0152993755, 0x50b7d51ec4f1335f, 0x6e13e4305da92e85, 0xc3b21d3632a1a4b7,
    0x08d4b1ea21f716e4, 0x698f77ff2780030c, 0x2d408da0cd4f99a5, 0x20d3a2b30a5d2f42,
    0xf9b4cbda11d0be7d, 0xc1db9bbd17ab81a2, 0xca5c6a0817552e55, 0x0027f0147f8607e1,
    0x640b148d4196debe, 0x872afddab6256b34, 0x897bfef3059ebfb9, 0x4f6a68a82a4a5ac4,
    0x4fbcf82d985ad795, 0xc7f48d4d0da63a20, 0x5f57a4b13f149538, 0x800120cc86dd71b6,
    0xdec9f560bf11654d, 0x6b0701acb08cd0c0, 0xb24855510efb1ec3, 0x72953b06a33540c0,
    0x7bdc06cc45e0fa29, 0x4ec8cad641f3e8de, 0x647cd8649b31bed9, 0xc397a4d45877c5e3,
    0x6913daf03c3aba46, 0x18465f7555f5bdd2, 0xc6926e5d2eaced44, 0x0e423e1c87c461e9,
    0xfd29f3d6e7ca7c22, 0x35916fc5e0088dd7, 0xffe26a6ec6fdb0c1, 0x0893745d7cb2ad6b,
    0x9d6ecd7b723e6a11, 0xc6a9cff7df7329ba, 0xc9b55100b70db2e2, 0x24ba74607de58ad8,
    0x742c150d0c188194, 0x667e162901767a9f, 0xbefdfdef4556367e, 0xd913d9ecb9ba8bfc,
    0x97c427a831c36ef1, 0x36c59456a8d8b5a8, 0xb40ecccf2d891234, 0x576f89562ce3ce99,
    0xb920d6aa5e6b9c2a, 0x3ecc5f114a0bfdfb, 0xf4e16d3b8e2c86e2, 0x84d4e9a9b4fcd1ee,
    0xefc9352e61392f44, 0x2138c8d91b0afc81, 0x6a4afbd81c2f84b4, 0x538c994ecc2254dc,
    0x552ad6c6c096190b, 0xb8701a649569605a, 0x26ee523f0f117f11, 0xb5f4f5cbfc2dbc34,
    0xeebc34cc5de8605e, 0xdd9b8e67ef3392b8, 0x17c99b5861bc57e1, 0xc68351103ed84871,
    0xdddd1c2da118af46, 0x2c21d7f359987ad9, 0xc0549efa864ffc06, 0x56ae79e536228922,
    0xad38dc9367aae855, 0x3826829be7caa40d, 0x51b133990ed7a948, 0x0569f0b265a7887f,
    0x974c8836d1f9b392, 0x214a827b21cf98dc, 0x9f405547dc3a74e1, 0x42eb67df9dfe5fd4,
    0x5ea4677b7aacbaa2, 0xf65523882b55ba41, 0x086e59862a218347, 0x39e6e389d49ee540,
    0xfb49e956ffca0f1c, 0x8a59c52bfa94c5c1, 0xd3cfc50fae5adb86, 0xc5476243853b8621,
    0x94792c8761107b4c, 0x2a1a2c8012bf4390, 0x2688893c78e4c4a8, 0x7bdbe5c23ac4eaf4,
    0x268a67f7bf920d2b, 0xa365b1933d0b7cbd, 0xdc51a463dd27dde1, 0x6919949a9529a828,
    0xce68b4ed09209f44, 0xca984e638270237c, 0x7e32b90f8ef5a7e7, 0x561408f1212a9db5,
    0x4d7e6f5119a5abf9, 0xb5d6df8261dd9602, 0x36169f3ac4a1a283, 0x6ded727a8d39a9b8,
    0x825c326b5b2746ed, 0x34007700d255f4fc, 0x4d59018071e0e13f, 0x89b295f364a8f1ae,
    0xa74b38fc4ceab2bb, 0x47270babc3a734ba, 0x6052dd34f8563aeb, 0x7e8a31bb365895b7,
    0x47f7a994c3aad392, 0x251e7f3ed8974ebb, 0xa94fd8ae01e661b4, 0x393d8ea523aa3306,
    0x8e1633b53bb1881d, 0x3a9d4013d0cc1be5, 0xf862e73bf28f39b5, 0xbf0bc23522747ea2,
};
// The widest window, for the largest exponent, and the limb read after it.
static_assert((16383 - 63 - 2) + 512 + 64 <= sizeof(TwoOverPi) * 8, "2/π too short");

// π/4 to 448 bits.
constexpr Fraction<7> PiOver4 = {0x302b0a6df25f1437, 0xef9519b3cd3a431b, 0x514a08798e3404dd, 0x020bbea63b139b22,
                                 0x29024e088a67cc74, 0xc4c6628b80dc1cd1, 0xc90fdaa22168c234};

// hi:lo = a·b, the one place that needs a 128-bit product.
inline void MulWide(Limb a, Limb b, Limb& hi, Limb& lo) {
    __extension__ using Wide = unsigned __int128;
    const Wide p = static_cast<Wide>(a) * b;
    hi = static_cast<Limb>(p >> 64);
    lo = static_cast<Limb>(p);
}

template <std::size_t A, std::size_t B>
std::array<Limb, A + B> Product(const std::array<Limb, A>& a, const std::array<Limb, B>& b) {
    std::array<Limb, A + B> p{};
    for (std::size_t i = 0; i < A; ++i) {
        Limb carry = 0;
        for (std::size_t j = 0; j < B; ++j) {
            Limb hi, lo;
            MulWide(a[i], b[j], hi, lo);
            lo += carry;
            hi += lo < carry;
            p[i + j] += lo;
            hi += p[i + j] < lo;
            carry = hi;
        }
        p[i + B] = carry;
    }
    return p;
}

// The 64 bits of a starting at bit `bit` (bit 0 the least significant);
// bits outside a read as zero.
template <std::size_t N>
Limb LimbAt(const std::array<Limb, N>& a, int bit) {
    if (bit <= -64) return 0;
    if (bit < 0) return a[0] << -bit;
    const auto q = static_cast<std::size_t>(bit / 64);
    const int s = bit % 64;
    const Limb low = q < N ? a[q] >> s : 0;
    const Limb high = s != 0 && q + 1 < N ? a[q + 1] << (64 - s) : 0;
    return low | high;
}

// D limbs of a, starting at bit `bit`.
template <std::size_t D, std::size_t N>
Fraction<D> BitsFrom(const std::array<Limb, N>& a, int bit) {
    Fraction<D> r;
    for (std::size_t i = 0; i < D; ++i) r[i] = LimbAt(a, bit + 64 * static_cast<int>(i));
    return r;
}

// The 64 bits of 2/π from bit index p on (index 0 has weight 2^-1).
Limb TwoOverPiAt(std::size_t p) {
    const std::size_t q = p / 64, s = p % 64;
    return s == 0 ? TwoOverPi[q] : TwoOverPi[q] << s | TwoOverPi[q + 1] >> (64 - s);
}

// Top K limbs of a·b.
template <std::size_t K>
Fraction<K> Mul(const Fraction<K>& a, const Fraction<K>& b) {
    const auto p = Product(a, b);
    Fraction<K> top;
    for (std::size_t i = 0; i < K; ++i) top[i] = p[K + i];
    return top;
}

template <std::size_t K>
constexpr Fraction<K> Sub(const Fraction<K>& a, const Fraction<K>& b) {
    Fraction<K> r;
    Limb borrow = 0;
    for (std::size_t i = 0; i < K; ++i) {
        r[i] = a[i] - b[i] - borrow;
        borrow = a[i] < b[i] || (a[i] == b[i] && borrow);
    }
    return r;
}

// a / c for 0 < c < 2^32, in 32-bit steps so that 64-bit division suffices.
template <std::size_t K>
constexpr Fraction<K> DivSmall(const Fraction<K>& a, Limb c) {
    Fraction<K> q{};
    Limb rem = 0;
    for (std::size_t i = K; i-- > 0;) {
        const Limb high = rem << 32 | a[i] >> 32;
        rem = high % c;
        const Limb low = rem << 32 | (a[i] & 0xffffffff);
        rem = low % c;
        q[i] = (high / c) << 32 | low / c;
    }
    return q;
}

// The reduced argument: sin x = ±(sin |r| or cos |r|).
struct Reduced {
    Fraction<7> R;           // |r| < π/4, 448 bits
    bool Cosine = false;     // cos |r| rather than sin |r|
    bool Negative = false;   // the result's sign for a positive x
};

// x = m·2^e with e >= -64 (x >= 1/2).
Reduced Reduce(Limb m, int e) {
    // Bits of 2/π of weight 2^-j with j <= e - 2 add multiples of 4 to x·2/π.
    const int first = e > 2 ? e - 2 : 0;  // index of the window's leading bit
    std::array<Limb, 8> window;
    for (std::size_t i = 0; i < 8; ++i) window[7 - i] = TwoOverPiAt(static_cast<std::size_t>(first) + 64 * i);
    const auto prod = Product(std::array<Limb, 1>{m}, window);
    // x·2/π = prod·2^(e - first - 512): its binary point lies at this bit of prod.
    const int point = 512 + first - e;
    unsigned quadrant = LimbAt(prod, point) & 3;
    Fraction<7> f = BitsFrom<7>(prod, point - 448);
    Reduced red;
    if (f[6] & TopBit) {  // f >= 1/2: r = (f - 1)·π/2 of the next quadrant
        f = Sub(Fraction<7>{}, f);
        ++quadrant;
        red.Negative = (quadrant & 1) == 0;
    }
    // |r| = f·π/2 = 2·(f·π/4), f <= 1/2
    red.R = BitsFrom<7>(Product(f, PiOver4), 64 * 7 - 1);
    red.Cosine = (quadrant & 1) != 0;
    red.Negative = red.Negative != ((quadrant & 2) != 0);
    return red;
}

// x = m·2^e, x < 1/2: r = x, exactly (e >= -96).
Reduced Unreduced(Limb m, int e) {
    Reduced red;
    red.R = BitsFrom<7>(std::array<Limb, 1>{m}, -(448 + e));
    return red;
}

int LeadingZeros(const Fraction<7>& a) {
    int z = 0;
    for (std::size_t i = 7; i-- > 0;) {
        z += std::countl_zero(a[i]);
        if (a[i] != 0) break;
    }
    return z;
}

// Terms of the series that leave the first omitted one below 2^-(64K+2).
template <std::size_t K>
constexpr int SeriesTerms = K == 2 ? 17 : 28;

// Bound on the K-limb value's error, in units of its last bit: the Horner
// steps, the products and the normalisation stay well below it.
constexpr Limb ErrorBound = 256;

// 1/c of each Horner step, truncated to K limbs: c = (2i)(2i+1) for the
// sine and (2i-1)(2i) for the cosine.
template <std::size_t K>
struct Reciprocals {
    std::array<Fraction<K>, SeriesTerms<K>> Sine{}, Cosine{};
    constexpr Reciprocals() {
        Fraction<K> ones{};
        ones.fill(~Limb{0});
        for (Limb i = 1; i < SeriesTerms<K>; ++i) {
            Sine[i] = DivSmall(ones, 2 * i * (2 * i + 1));
            Cosine[i] = DivSmall(ones, (2 * i - 1) * 2 * i);
        }
    }
};
template <std::size_t K>
constexpr Reciprocals<K> Inverse{};

// sin |r| or cos |r| with K limbs, rounded to 64 bits (sign not set).
// `decided` is false when the error bound straddles a halfway point.
template <std::size_t K>
ExtendedBits Evaluate(const Reduced& red, bool& decided) {
    constexpr int Bits = 64 * static_cast<int>(K);
    const Fraction<K> rTop = BitsFrom<K>(red.R, 448 - Bits);
    const Fraction<K> u = Mul(rTop, rTop);
    // d = 1 - (the series), one Horner step at a time: d := u·(1 - d)/c.
    const auto& inverse = red.Cosine ? Inverse<K>.Cosine : Inverse<K>.Sine;
    Fraction<K> d{};
    for (std::size_t i = SeriesTerms<K> - 1; i >= 1; --i) d = Mul(Sub(u, Mul(u, d)), inverse[i]);
    Fraction<K> v;  // the value is v·2^exponent with v in [1/2, 1)
    int exponent = 0;
    decided = true;
    if (red.Cosine) {
        v = Sub(Fraction<K>{}, d);  // 1 - d, d < 0.3; d = 0 wraps to 0, which stands for 1
        if (v == Fraction<K>{}) {
            v[K - 1] = TopBit;
            exponent = 1;
        }
    } else {
        const int z = LeadingZeros(red.R);
        // The reduction's 2^-443 stays far below the last bit of r·2^z.
        decided = z <= 435 - Bits;
        const Fraction<K> rn = BitsFrom<K>(red.R, 448 - z - Bits);
        v = Sub(rn, Mul(rn, d));
        exponent = -z;
        if (!(v[K - 1] & TopBit)) {
            v = BitsFrom<K>(v, -1);
            --exponent;
        }
    }
    // The bits below the significand: their distance from one half.
    const bool up = (v[K - 2] & TopBit) != 0;
    Fraction<K - 1> dist;
    for (std::size_t i = 0; i + 1 < K; ++i) dist[i] = up ? v[i] : ~v[i];
    dist[K - 2] &= ~TopBit;
    Limb far = 0;
    for (std::size_t i = 1; i + 1 < K; ++i) far |= dist[i];
    decided = decided && (far != 0 || dist[0] > ErrorBound);
    ExtendedBits out{v[K - 1] + up, static_cast<std::uint16_t>(16383 + exponent - 1)};
    if (out.Significand == 0) {  // carried into the next binade
        out.Significand = TopBit;
        ++out.SignExponent;
    }
    return out;
}

// With `wide` 4 limbs, else 2; with `fallBack` 4 limbs again when 2 leave the rounding in doubt.
ExtendedBits Sine(ExtendedBits x, bool wide, bool fallBack) {
    const std::uint16_t sign = x.SignExponent & 0x8000;
    const int biased = x.SignExponent & 0x7fff;
    if (biased == 0x7fff) return {0xc000000000000000, 0xffff};  // sin of ±inf or NaN: a quiet NaN
    const int exponent = biased - 16383;
    // Zeros, subnormals and |x| < 2^-33: x³/6 stays below half a unit of x's last place.
    if (exponent < -33) return x;
    const Reduced red = exponent < -1 ? Unreduced(x.Significand, exponent - 63) : Reduce(x.Significand, exponent - 63);
    bool decided = false;
    ExtendedBits out = wide ? Evaluate<4>(red, decided) : Evaluate<2>(red, decided);
    if (fallBack && !decided) out = Evaluate<4>(red, decided);
    if ((sign != 0) != red.Negative) out.SignExponent |= 0x8000;
    return out;
}

}  // namespace

ExtendedBits SineBits(ExtendedBits x) { return Sine(x, false, true); }

ExtendedBits SineBitsWithLimbs(ExtendedBits x, int limbs) { return Sine(x, limbs == 4, false); }

}  // namespace velox
