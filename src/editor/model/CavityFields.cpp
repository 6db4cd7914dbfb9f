#include "editor/model/CavityFields.h"

#include "editor/model/NumberText.h"

namespace velox {

std::optional<std::int32_t> CavityFieldValue(std::string_view text) {
    const auto v = ParseWholeNumber(text);
    if (!v || *v < MinCavityFieldValue) return std::nullopt;
    return v;
}

std::optional<int> FirstRefusedCavityField(const CavityFieldTexts& texts) {
    const std::array<const std::string*, 4> order{&texts.Edit1, &texts.Edit2, &texts.Edit3, &texts.Edit4};
    for (int k = 0; k < 4; ++k)
        if (!CavityFieldValue(*order[static_cast<std::size_t>(k)])) return k;
    return std::nullopt;
}

std::optional<CavitySizes> CavitySizesOf(const CavityFieldTexts& texts) {
    const auto wa = CavityFieldValue(texts.Edit1);
    const auto ga = CavityFieldValue(texts.Edit2);
    const auto gg = CavityFieldValue(texts.Edit3);
    const auto wg = CavityFieldValue(texts.Edit4);
    if (!wa || !ga || !gg || !wg) return std::nullopt;
    CavitySizes s;
    s.AccWidth = *wa;
    s.AccGap = *ga;
    s.GroundGap = *gg;
    s.GroundWidth = *wg;
    return s;
}

CavityFieldTexts CavityFieldTextsOf(const CavitySizes& sizes) {
    return {FormatGeneral(sizes.AccWidth), FormatGeneral(sizes.AccGap), FormatGeneral(sizes.GroundGap),
            FormatGeneral(sizes.GroundWidth)};
}

}  // namespace velox
