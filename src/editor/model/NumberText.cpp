#include "editor/model/NumberText.h"

#include <charconv>
#include <cmath>

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

Digits SignificantDigits(double magnitude) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    Digits d;
    std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (IsDigit(s[i])) d.digits.push_back(s[i]);
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), d.exponent);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

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
    while (i < text.size() && IsDigit(text[i])) { number += text[i++]; ++digits; }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && IsDigit(text[i])) { number += text[i++]; ++digits; }
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
    auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec != std::errc() || res.ptr != number.data() + number.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatFixed(double value, int width, int decimals) {
    char buf[400];
    std::string s;
    if (!std::isfinite(value)) {
        s = SpecialValue(value);
    } else {
        auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
        s.assign(buf, res.ptr);
    }
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

std::string FormatInteger(long long value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string FormatRoundTrip(double value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

}  // namespace velox
