// The files that the teacher collects, pinned byte for byte at every speed by
// a digest of each: the default set-up, and the results of the window and of
// velox-batch (whose count axis tops differ: it gives them as the next redraw
// would).  The window's tests and the batch tests, on every target that
// `make portable` builds, compare with this one list.  Any change in the
// arithmetic, the launches or the file formats shows here.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace velox::testing {

// FNV-1a, 64 bits, in 16 hexadecimal digits.
inline std::string Digest(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, h >>= 4) hex[static_cast<std::size_t>(i)] = "0123456789abcdef"[h & 15];
    return hex;
}

struct PinnedRun {
    int Speed;
    const char* WindowResults;
    const char* BatchResults;
};
inline void PrintTo(const PinnedRun& run, std::ostream* out) { *out << "speed " << run.Speed; }

inline constexpr const char* PinnedSetup = "bad2c03d19540baa";  // the default set-up, at every speed
inline constexpr std::array<PinnedRun, 5> PinnedRuns{{{1, "9e600afd4fe1d6ed", "9e600afd4fe1d6ed"},
                                                      {2, "70870dff49852a01", "ab6a160e56df3d64"},
                                                      {3, "8c90025a75b5a9c6", "9103b437503f8ea0"},
                                                      {4, "43a81f94a0a38346", "3b738edd82ded5cb"},
                                                      {5, "b97d8091f7ffce0a", "4582a1db0e5a532a"}}};

}  // namespace velox::testing
