#include "editor/model/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include <fast_float/fast_float.h>
#include <fmt/format.h>

namespace velox {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

// The 15 significant digits of a finite, non-zero magnitude and the decimal
// exponent of the first one; trailing zeros are removed from the digits.
struct Digits {
    std::string digits;
    int exponent = 0;
};

// The significant digits and decimal exponent of a non-zero number as fmt
// writes it: an optional sign, digits with an optional point, an optional
// exponent ("e+15", "e-07").
Digits DigitsOf(std::string_view s) {
    const std::size_t e = std::min(s.find('e'), s.size());
    std::string all;
    int beforePoint = -1;
    for (std::size_t i = 0; i < e; ++i) {
        if (s[i] == '.') beforePoint = static_cast<int>(all.size());
        if (IsDigit(s[i])) all += s[i];
    }
    if (beforePoint < 0) beforePoint = static_cast<int>(all.size());
    const std::size_t first = std::min(all.find_first_not_of('0'), all.size());
    Digits d;
    d.digits = all.substr(first);
    if (e < s.size()) std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), d.exponent);
    d.exponent += beforePoint - 1 - static_cast<int>(first);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

Digits SignificantDigits(double magnitude) { return DigitsOf(fmt::format("{:.14e}", magnitude)); }

std::string SpecialValue(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string Positional(const Digits& d) {
    const int n = static_cast<int>(d.digits.size());
    std::string out;
    if (d.exponent < 0) {
        out = "0.";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
    } else if (d.exponent + 1 >= n) {
        out = d.digits;
        out.append(static_cast<std::size_t>(d.exponent + 1 - n), '0');
    } else {
        out = d.digits.substr(0, static_cast<std::size_t>(d.exponent + 1));
        out += '.';
        out += d.digits.substr(static_cast<std::size_t>(d.exponent + 1));
    }
    return out;
}

}  // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    std::string_view rest = text.substr(i);
    if (rest.empty()) return std::nullopt;

    std::size_t prefix = 0;
    if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')
        prefix = 1;
    else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        prefix = 2;
    if (prefix > 0) {
        std::string_view hex = rest.substr(prefix);
        if (hex.empty() || hex.size() > 8) return std::nullopt;
        std::uint32_t pattern = 0;
        for (char c : hex) {
            int h = HexValue(c);
            if (h < 0) return std::nullopt;
            pattern = pattern * 16u + static_cast<std::uint32_t>(h);
        }
        return static_cast<std::int32_t>(pattern);
    }

    bool negative = false;
    if (rest[0] == '+' || rest[0] == '-') {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty()) return std::nullopt;
    long long value = 0;
    for (char c : rest) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> ParseDecimalNumber(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') number += '-';
        ++i;
    }
    std::size_t digits = 0;
    bool nonZero = false;
    const auto digit = [&] {
        nonZero = nonZero || text[i] != '0';
        number += text[i++];
        ++digits;
    };
    while (i < text.size() && IsDigit(text[i])) digit();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && IsDigit(text[i])) digit();
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
        std::size_t expDigits = 0;
        while (i < text.size() && IsDigit(text[i])) { number += text[i++]; ++expDigits; }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    double value = 0;
    auto res = fast_float::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec != std::errc() || res.ptr != number.data() + number.size()) return std::nullopt;
    // Out of range either way: too large for a double, or non-zero digits too small for one.
    if (!std::isfinite(value) || (value == 0 && nonZero)) return std::nullopt;
    return value;
}

std::string FormatFixed(double value, int width, int decimals) {
    std::string s = std::isfinite(value) ? fmt::format("{:.{}f}", value, std::max(decimals, 0)) : SpecialValue(value);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string FormatGeneral(double value) {
    if (!std::isfinite(value)) return SpecialValue(value);
    if (value == 0) return "0";
    Digits d = SignificantDigits(std::fabs(value));
    std::string out = value < 0 ? "-" : "";
    if (d.exponent < -5 || d.exponent >= 15) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        out += 'E';
        out += FormatInteger(d.exponent);
    } else {
        out += Positional(d);
    }
    return out;
}

std::string FormatPlainDecimal(double value) {
    if (!std::isfinite(value)) return SpecialValue(value);
    if (value == 0) return "0";
    std::string out = value < 0 ? "-" : "";
    out += Positional(SignificantDigits(std::fabs(value)));
    return out;
}

std::string FormatExponent(double value, int decimals) {
    if (!std::isfinite(value)) return SpecialValue(value);
    const std::string s = fmt::format("{:.{}e}", value, std::max(decimals, 0));
    const std::size_t e = s.find('e');
    int exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
    return s.substr(0, e) + "E" + FormatInteger(exponent);
}

std::string FormatInteger(long long value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

// fmt gives the shortest digits that read back as the value; of the plain
// and the exponent form the shorter is written, the plain one on a tie.
// Where the plain form needs zeros after the digits, the value is a whole
// number and its exact digits are written.
std::string FormatRoundTrip(double value) {
    if (!std::isfinite(value) || value == 0) return fmt::format("{}", value);
    const Digits d = DigitsOf(fmt::format("{}", value));
    const int n = static_cast<int>(d.digits.size()), x = d.exponent;
    std::string out = value < 0 ? "-" : "";
    std::string scientific = d.digits.substr(0, 1);
    if (n > 1) scientific += "." + d.digits.substr(1);
    scientific += x < 0 ? "e-" : "e+";
    if (std::abs(x) < 10) scientific += '0';
    scientific += FormatInteger(std::abs(x));
    const int plainSize = x < 0 ? 1 - x + n : std::max(n, x + 1) + (n > x + 1 ? 1 : 0);
    if (plainSize > static_cast<int>(scientific.size())) return out + scientific;
    return out + (n <= x + 1 ? fmt::format("{:.0f}", std::fabs(value)) : Positional(d));
}

}  // namespace velox
