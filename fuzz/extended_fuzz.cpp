// Any bytes as two operands of Extended: the integer arithmetic must give
// the bits of the x87 hardware in every operation.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../tests/common/ExtendedOperations.h"

namespace {

velox::ExtendedBits Operand(const std::uint8_t* bytes) {
    velox::ExtendedBits b;
    std::memcpy(&b.Significand, bytes, 8);
    std::memcpy(&b.SignExponent, bytes + 8, 2);
    return velox::testing::Canonical(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 20) return 0;
    const velox::ExtendedBits a = Operand(bytes), b = Operand(bytes + 10);
    for (const auto& op : velox::testing::Operations) {
        const velox::ExtendedBits soft = op.Run(a, b, true), hard = op.Run(a, b, false);
        if (!(soft == hard)) {
            std::fprintf(stderr, "%s(%04x:%016llx, %04x:%016llx): %04x:%016llx instead of %04x:%016llx\n", op.Name.c_str(),
                         a.SignExponent, static_cast<unsigned long long>(a.Significand), b.SignExponent,
                         static_cast<unsigned long long>(b.Significand), soft.SignExponent,
                         static_cast<unsigned long long>(soft.Significand), hard.SignExponent,
                         static_cast<unsigned long long>(hard.Significand));
            std::abort();
        }
    }
    return 0;
}
