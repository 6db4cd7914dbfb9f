// The four fields of the cavity dialog: which texts it accepts, and the
// sizes they give.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/VeloxData.h"

namespace velox {

// Smallest gap or electrode width the dialog accepts.
inline constexpr std::int32_t MinCavityFieldValue = 4;
// "Új gyorsítóüreg" adds no cavity beyond this many.
inline constexpr std::int32_t MaxEditorCavities = 20;

// The value of a dialog field: a whole number of a number field (leading
// blanks, an optional sign and decimal digits, or a hexadecimal prefix and
// digits) of at least 4; nothing when the field is refused.  A value that
// is accepted is stored as exactly this number, so "$10" gives 16.
std::optional<std::int32_t> CavityFieldValue(std::string_view text);

// The texts of the dialog's fields in the order in which they are checked:
// Edit1 (width of the accelerating electrode), Edit2 (gap before it), Edit3
// (gap before the grounded electrode), Edit4 (width of the grounded one).
struct CavityFieldTexts {
    std::string Edit1, Edit2, Edit3, Edit4;
    friend bool operator==(const CavityFieldTexts&, const CavityFieldTexts&) = default;
};

// The index (0 … 3, in the order Edit1, Edit2, Edit3, Edit4) of the first
// field that is refused, or nothing when all four pass.
std::optional<int> FirstRefusedCavityField(const CavityFieldTexts& texts);

// The sizes the four accepted fields give; nothing when any is refused.
std::optional<CavitySizes> CavitySizesOf(const CavityFieldTexts& texts);

// The texts that show a cavity in the dialog, each value in the shortest
// general form ("10", "12.5").
CavityFieldTexts CavityFieldTextsOf(const CavitySizes& sizes);

}  // namespace velox
