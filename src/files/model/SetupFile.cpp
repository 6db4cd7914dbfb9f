#include "files/model/SetupFile.h"

#include <cmath>
#include <system_error>

#include <fast_float/fast_float.h>

#include "core/model/Numeric.h"
#include "editor/model/NumberText.h"

namespace velox {
namespace {

constexpr double NoNumber = -1.0;

bool IsNumeric(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// One run of digits and points, read as a decimal number.
double ReadRun(std::string_view run) {
    std::size_t points = 0;
    for (char c : run) points += c == '.';
    if (points > 1) return NoNumber;
    if (run == ".") return 0.0;
    double value = 0.0;
    const auto res = fast_float::from_chars(run.data(), run.data() + run.size(), value, fast_float::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != run.data() + run.size()) return NoNumber;
    // Too small for a double reads as 0; too large is no number.
    return std::isinf(value) ? NoNumber : value;
}

struct LineNumber {
    double Value = NoNumber;
    std::size_t Start = std::string_view::npos;  // where the run begins in the line
};

std::vector<LineNumber> ScanLineNumbers(std::string_view line, int count) {
    std::vector<LineNumber> out(static_cast<std::size_t>(count > 0 ? count : 0));
    std::size_t found = 0;
    std::size_t i = 0;
    while (found < out.size() && i < line.size()) {
        if (!IsNumeric(line[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && IsNumeric(line[i])) ++i;
        out[found].Value = ReadRun(line.substr(start, i - start));
        out[found].Start = start;
        ++found;
    }
    return out;
}

bool Has(std::string_view line, std::string_view key) { return line.find(key) != std::string_view::npos; }

// The text of a cavity value: the shortest form of up to 15 digits, always
// without an exponent, which the reader does not understand.  A value so
// close to the largest double that its 15-digit form would overflow when
// read back is written with all the digits it needs instead.
std::string CavityValueText(double value) {
    std::string text = FormatPlainDecimal(value);
    if (value > 0 && ReadRun(text) == NoNumber) text = FormatFixed(value, 0, 0);
    return text;
}

// UTF-16 text after a byte-order mark, in either byte order, as 8-bit
// text: the keys and numbers are ASCII, so every other code unit becomes a
// "?", which only separates; an odd last byte is dropped.  Nothing when the
// text has no such mark.
std::optional<std::string> DecodeUtf16(std::string_view bytes) {
    if (bytes.size() < 2) return std::nullopt;
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    const bool little = b0 == 0xFF && b1 == 0xFE;
    if (!little && !(b0 == 0xFE && b1 == 0xFF)) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const char low = bytes[little ? i : i + 1], high = bytes[little ? i + 1 : i];
        out += high == 0 && static_cast<unsigned char>(low) < 0x80 ? low : '?';
    }
    return out;
}

}  // namespace

std::vector<double> ReadLineNumbers(std::string_view line, int count) {
    std::vector<double> out;
    for (const LineNumber& n : ScanLineNumbers(line, count)) out.push_back(n.Value);
    return out;
}

SetupData ParseSetup(std::string_view bytes) {
    const std::optional<std::string> decoded = DecodeUtf16(bytes);
    const std::string_view text = decoded ? std::string_view(*decoded) : bytes;
    SetupData s;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size()) {
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
            ++pos;
        }

        std::vector<LineNumber> numbers;
        const auto first = [&]() -> const LineNumber& {
            if (numbers.empty()) numbers = ScanLineNumbers(line, 4);
            return numbers[0];
        };

        if (Has(line, "Cavity num =")) {
            const double n = first().Value;
            if (n != NoNumber) s.ExpectedCount = TruncToInt(n);
        }
        if (Has(line, "Cavity =")) {
            first();
            bool complete = true;
            for (const LineNumber& n : numbers) complete = complete && n.Value != NoNumber;
            if (complete) {
                if (s.Cavities.size() < static_cast<std::size_t>(MaxCavities))
                    s.Cavities.push_back({numbers[0].Value, numbers[1].Value, numbers[2].Value, numbers[3].Value});
                else
                    ++s.IgnoredCavityLines;
            }
        }
        if (Has(line, "Target =")) {
            const double n = first().Value;
            if (n != NoNumber) s.TargetLeft = TruncToInt(n);
        }
        if (Has(line, "Freq =")) {
            const double n = first().Value;
            if (n != NoNumber) s.FrequencyPosition = TruncToInt(n);
            s.FrequencyLine = true;
        }
        if (Has(line, "Ampli =")) {
            const double n = first().Value;
            if (n != NoNumber) s.VoltagePosition = TruncToInt(n);
            s.VoltageLine = true;
        }
        if (Has(line, "Multiparticles")) s.MultiParticle = true;
        if (Has(line, "Single particle")) s.MultiParticle = false;
        if (Has(line, "Startfazis =")) {
            // The one number that may be negative: a "-" right before it
            // belongs to it, as the writer puts it there.
            const LineNumber& n = first();
            if (n.Value != NoNumber) {
                double v = n.Value;
                if (n.Start > 0 && line[n.Start - 1] == '-' && v != 0) v = -v;
                if (v >= -360.0 && v < 360.0) s.StartPhase = v;
            }
        }
        if (Has(line, "Stopfazis =")) {
            // 0 is what the writer puts for any stop phase below 1.
            const double n = first().Value;
            if (n >= 0 && n <= 360.0) s.StopPhase = n;
        }
    }
    return s;
}

SetupReadResult ReadSetupFile(const std::string& path, std::uint64_t maxBytes) {
    SetupReadResult out;
    FileBytes file = ReadWholeFile(path, maxBytes);
    out.Status = file.Status;
    out.Error = std::move(file.Error);
    if (file.Status == FileStatus::Ok) out.Data = ParseSetup(file.Bytes);
    return out;
}

void ApplySetup(VeloxData& data, const SetupData& setup) {
    data.Cavities.SetCavityCount(0);
    for (const CavitySizes& c : setup.Cavities) data.Cavities.Append(c);
    if (setup.TargetLeft) data.SetTargetLeft(*setup.TargetLeft);
    if (setup.FrequencyLine) data.SetFrequencyPosition(setup.FrequencyPosition.value_or(data.FrequencyPosition));
    if (setup.VoltageLine) data.SetVoltagePosition(setup.VoltagePosition.value_or(data.VoltagePosition));
    if (setup.MultiParticle) data.MultiParticle = *setup.MultiParticle;
    if (setup.StartPhase) data.StartPhase = *setup.StartPhase;
    if (setup.StopPhase) data.StopPhase = *setup.StopPhase;
    data.BuildCavities();
}

SetupLoadResult LoadAcceleratorData(VeloxData& data, const std::string& path) {
    SetupLoadResult out;
    SetupReadResult read = ReadSetupFile(path);
    out.Status = read.Status;
    switch (read.Status) {
        case FileStatus::Ok:
            ApplySetup(data, read.Data);
            out.ShowCountWarning = read.Data.ShowCountWarning();
            break;
        case FileStatus::Missing:
            // Without a file the two cavities of the default set-up are
            // expected; everything stays as it is.
            out.ShowCountWarning = data.Cavities.CavityCount() != 2;
            data.BuildCavities();
            break;
        case FileStatus::Failed:
            out.Error = std::move(read.Error);
            break;
    }
    return out;
}

std::string FormatSetup(const VeloxData& data) {
    const std::string eol = "\r\n";
    const std::int32_t n = data.Cavities.CavityCount();
    std::string out = "Cavity num =" + FormatInteger(n) + eol;
    for (std::int32_t k = 0; k < n; ++k) {
        const CavitySizes& c = data.Cavities[static_cast<std::size_t>(k)];
        out += "Cavity =\t" + CavityValueText(c.AccGap) + "\t" + CavityValueText(c.AccWidth) + "\t" +
               CavityValueText(c.GroundGap) + "\t" + CavityValueText(c.GroundWidth) + eol;
    }
    out += "Target =" + FormatInteger(data.TargetLeft) + eol;
    out += "Freq =" + FormatInteger(data.FrequencyPosition) + eol;
    out += "Ampli =" + FormatInteger(data.VoltagePosition) + eol;
    out += (data.MultiParticle ? "Multiparticles" : "Single particle") + eol;
    out += "Startfazis =" + FormatInteger(TruncToInt(data.StartPhase)) + eol;
    out += "Stopfazis =" + FormatInteger(TruncToInt(data.StopPhase)) + eol;
    return out;
}

WriteOutcome WriteSetupFile(const std::string& path, const VeloxData& data) {
    return ReplaceFile(path, FormatSetup(data));
}

}  // namespace velox
