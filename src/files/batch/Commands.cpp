#include "files/batch/Commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef VELOX_HAVE_ICU
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#endif

#include "files/model/FileAccess.h"

namespace velox::batch {
namespace {

// Characters on the terminal: the UTF-8 lead bytes.
std::size_t DisplayWidth(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void Print(std::FILE* f, const std::string& text) { std::fputs(text.c_str(), f); }

bool PrintOut(const std::string& text) {
    errno = 0;
    if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return true;
    const int err = errno != 0 ? errno : EIO;
    Print(stderr, std::string("velox-batch: nem sikerült a szabványos kimenetre írni: ") + std::strerror(err) +
                      "\n");
    return false;
}

void HoldClosedOutputs() {
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            const int held = ::open("/dev/null", O_RDONLY);
            if (held >= 0 && held != fd) {
                ::dup2(held, fd);
                ::close(held);
            }
        }
}

int UsageError(std::string_view command, const std::string& message) {
    const std::string help = command.empty() ? "velox-batch --help" : "velox-batch " + std::string(command) + " --help";
    Print(stderr, "velox-batch: " + message + "\nSegítség: " + help + "\n");
    return ExitUsage;
}

std::optional<std::string> ParseArguments(int argc, char** argv, const std::vector<std::string_view>& valued,
                                          Arguments& out) {
    bool operandsOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (operandsOnly || !arg.starts_with("-") || arg == "-") {
            out.Operands.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            operandsOnly = true;
            continue;
        }
        std::optional<std::string_view> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        if (arg == "--help" || arg == "-h") {
            if (inlineValue) return "a --help után nem állhat érték";
            out.Help = true;
            continue;
        }
        if (std::find(valued.begin(), valued.end(), arg) == valued.end())
            return "ismeretlen paraméter: " + std::string(argv[i]);
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else {
            if (i + 1 >= argc || std::string_view(argv[i + 1]).starts_with("--"))
                return "hiányzik az érték a " + std::string(arg) + " után";
            value = argv[++i];
        }
        if (value.empty()) return "a " + std::string(arg) + " után üres az érték";
        out.Options.emplace_back(std::string(arg), std::move(value));
    }
    return std::nullopt;
}

std::optional<std::string> ReadSpeed(const std::string& value, int& speedIndex) {
    if (value.size() != 1 || value[0] < '1' || value[0] > '5')
        return "a sebesség 1, 2, 3, 4 vagy 5 lehet, nem ez: \"" + value + "\"";
    speedIndex = value[0] - '1';
    return std::nullopt;
}

CollationKey TextOrder() {
#ifdef VELOX_HAVE_ICU
    UErrorCode status = U_ZERO_ERROR;
    std::shared_ptr<const icu::Collator> collator(icu::Collator::createInstance(icu::Locale("hu"), status));
    if (U_SUCCESS(status) && collator)
        return [collator](std::string_view text) {
            const auto u =
                icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
            std::string key(2 * text.size() + 16, '\0');
            for (;;) {
                const int32_t n =
                    collator->getSortKey(u, reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
                if (n <= static_cast<int32_t>(key.size())) {
                    key.resize(static_cast<std::size_t>(n));
                    return key;
                }
                key.resize(static_cast<std::size_t>(n));
            }
        };
#endif
    return ByteKey;
}

std::string TerminalText(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = Utf8CharLength(text, i);
        const bool c1 = n == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n' || c == '\r' || c == '\t') {
            out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
        } else if (n == 0 || c < 0x20 || c == 0x7F || c1) {
            for (std::size_t k = 0; k < std::max<std::size_t>(n, 1); ++k) {
                const auto b = static_cast<unsigned char>(text[i + k]);
                out += {'\\', 'x', hex[b >> 4], hex[b & 15]};
            }
        } else {
            out += text.substr(i, n);
        }
        i += std::max<std::size_t>(n, 1);
    }
    return out;
}

std::string FormatTerminalTable(const TextTable& table) {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    for (const std::string& h : table.Header) header.push_back(TerminalText(h));
    for (const auto& row : table.Rows) {
        rows.emplace_back();
        for (const TableCell& c : row) rows.back().push_back(TerminalText(c.Text));
    }
    std::vector<std::size_t> widths(header.size());
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = DisplayWidth(header[c]);
        for (const auto& row : rows) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    std::string out;
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string pad(widths[c] - DisplayWidth(cells[c]), ' ');
            if (c > 0) text += "  ";
            text += table.Numeric[c] ? pad + cells[c] : cells[c] + pad;
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out += text + "\n";
    };
    line(header);
    for (const auto& row : rows) line(row);
    return out;
}

std::optional<std::string> CheckCsvTarget(const std::string& path, const std::vector<std::string>& inputs) {
    struct stat target {}, input {};
    if (::stat(path.c_str(), &target) == 0)
        for (const std::string& in : inputs)
            if (::stat(in.c_str(), &input) == 0 && input.st_dev == target.st_dev && input.st_ino == target.st_ino)
                return "a --csv célja (" + path + ") ugyanaz a fájl, mint a beolvasandó " + in +
                       "; a program nem írja felül";
    // The name as given, and that of the file a link leads to.
    char resolved[PATH_MAX];
    const std::string real = ::realpath(path.c_str(), resolved) ? resolved : path;
    for (std::string name : {path, real}) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
        if (name.ends_with(".edat") || name.ends_with(".gydat"))
            return "a --csv után a táblázat CSV-fájljának neve áll, nem eredmény- vagy adatfájlé: " + path +
                   (real == path ? "" : " (" + real + ")");
    }
    if (auto refused = CheckReplaceable(path)) return "a --csv célja nem írható: " + *refused;
    return std::nullopt;
}

std::optional<std::string> WriteCsvFile(const std::string& path, const TextTable& table) {
    const WriteOutcome w = ReplaceFile(path, FormatCsv(table));
    if (w.Ok) return std::nullopt;
    return w.Error;
}

}  // namespace velox::batch
