#include "files/batch/Commands.h"

#include <algorithm>

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

std::string FormatTerminalTable(const TextTable& table) {
    std::vector<std::size_t> widths(table.Header.size());
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = DisplayWidth(table.Header[c]);
        for (const auto& row : table.Rows) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
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
    line(table.Header);
    for (const auto& row : table.Rows) line(row);
    return out;
}

std::optional<std::string> WriteCsvFile(const std::string& path, const TextTable& table) {
    const WriteOutcome w = ReplaceFile(path, FormatCsv(table));
    if (w.Ok) return std::nullopt;
    return w.Error;
}

}  // namespace velox::batch
