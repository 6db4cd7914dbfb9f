// Rules of the main window's number fields that need no window: padding a
// value to the width of its field, and taking the RF display fields back
// into spinner positions.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velox {

// Width of a text in pixels, as the window's font measures it.
using TextMeasure = std::function<std::int32_t(std::string_view)>;

// Right-aligns `text` in a field `fieldWidth` pixels wide: the text preceded
// by the largest number k ≥ 0 of blanks for which k blanks + text + two
// blanks measure at most `fieldWidth` (the two trailing blanks are only
// measured).  A text that does not fit is returned unchanged.  The search
// also ends when a blank adds no width, so a font whose blank measures 0
// cannot hang it.
std::string PadToFieldWidth(const std::string& text, const TextMeasure& measure, std::int32_t fieldWidth);

// The spinner position for an entry in the frequency display (Edit2): a
// decimal number 0.5 … 1.5, rounded to the nearest position; nothing when
// the entry is refused.
std::optional<std::int32_t> FrequencyDisplayPosition(std::string_view text);

// The same for the voltage display (Edit4): 25 … 75.
std::optional<std::int32_t> VoltageDisplayPosition(std::string_view text);

}  // namespace velox
