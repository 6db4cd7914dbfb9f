// Number parsing and formatting of the program's fields, labels and files.
//
// Every conversion uses "." as the decimal point whatever the process locale:
// nothing here goes through printf, strtod or iostreams.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velox {

// Whole number of a number field: optional leading blanks, then an optional
// sign and decimal digits within the int32 range, or (without a sign) one of
// the prefixes "$", "x", "X", "0x", "0X" and one to eight hexadecimal digits
// read as a 32-bit pattern.  Nothing may follow.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// Decimal number of a number field: optional leading blanks, an optional
// sign, digits with an optional fraction after ".", an optional exponent
// ("E" or "e", optional sign, digits).  Nothing may follow.
std::optional<double> ParseDecimalNumber(std::string_view text);

// Fixed notation with the given decimals, right-aligned in `width`
// characters ("%10.4f" is FormatFixed(v, 10, 4)).
std::string FormatFixed(double value, int width, int decimals);

// Shortest general form with up to 15 significant digits: no trailing
// zeros, no point for whole values, exponent form ("1E-6", "1.5E20") below
// 0.00001 or with more than 15 digits before the point.
std::string FormatGeneral(double value);

// The same digits as FormatGeneral, but never in exponent form: a value is
// always written as plain decimal digits with an optional fraction.
std::string FormatPlainDecimal(double value);

// Exponent form with the given decimals, an upper-case "E" and the exponent
// without a plus sign or leading zeros ("7.379E19", "-1.500E-7").
std::string FormatExponent(double value, int decimals);

// Decimal digits of an integer, with "-" when negative.
std::string FormatInteger(long long value);

// The shortest text that reads back as the same double: plain digits or an
// exponent form ("0.1", "176.07291666666666", "1e-07"), whichever is shorter.
std::string FormatRoundTrip(double value);

}  // namespace velox
