#include "editor/model/NumberFields.h"

#include "core/model/Numeric.h"
#include "editor/model/NumberText.h"

namespace velox {

std::string PadToFieldWidth(const std::string& text, const TextMeasure& measure, std::int32_t fieldWidth) {
    std::string r = text;
    if (fieldWidth > measure(text)) {
        std::int32_t previous = measure(r + "  ");
        for (;;) {
            std::string candidate = " " + r;
            const std::int32_t w = measure(candidate + "  ");
            if (w > fieldWidth || w <= previous) break;
            previous = w;
            r = std::move(candidate);
        }
    }
    return r;
}

std::optional<std::int32_t> FrequencyDisplayPosition(std::string_view text) {
    const auto v = ParseDecimalNumber(text);
    if (!v || *v < 0.5 || *v > 1.5) return std::nullopt;
    return TruncToInt((Extended(*v) - 1.0) * 100 + 50.5);
}

std::optional<std::int32_t> VoltageDisplayPosition(std::string_view text) {
    const auto v = ParseDecimalNumber(text);
    if (!v || *v < 25 || *v > 75) return std::nullopt;
    return TruncToInt((Extended(*v) - 50.0) * 2 + 50.5);
}

}  // namespace velox
