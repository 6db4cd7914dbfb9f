// libFuzzer target for the RTF reader.
//
// `make fuzz` builds it with clang and runs it with fuzz/rtf.dict from the
// seed corpus in tests/corpus/rtf.
//
// Besides crashes, leaks and undefined behaviour, it checks what the reader
// promises: every run holds valid, non-empty UTF-8 without control characters
// other than tab and line break, and a sane font size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/model/RtfReader.h"

namespace {

bool ValidUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int n;
        char32_t cp;
        if (c < 0x80) { ++i; continue; }
        if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
        else return false;
        for (int k = 1; k <= n; ++k) {
            if (i + k >= s.size()) return false;
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(n) + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const velox::RtfText doc =
        velox::ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& p : doc.Paragraphs) {
        for (const auto& r : p.Runs) {
            if (r.Text.empty() || !ValidUtf8(r.Text)) std::abort();
            for (const char c : r.Text) {
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') std::abort();
            }
            if (!(r.FontSize >= 1.0 && r.FontSize <= 1638.0)) std::abort();
        }
    }
    return 0;
}
