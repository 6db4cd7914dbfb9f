#include "results/model/SpectrumPanel.h"

#include "editor/model/NumberText.h"
#include "results/model/PlotGeometry.h"

namespace velox {

void MoveMarker(Spectrum& s, MarkerKey key) {
    ComputeScales(s);
    if (key == MarkerKey::Right) {
        if (s.XMax > s.Marker)
            s.Marker += 1;
        else
            s.Marker = s.XMax;
    } else {
        if (s.XMin < s.Marker)
            s.Marker -= 1;
        else
            s.Marker = s.XMin;
    }
}

std::optional<std::int32_t> AcceptYMax(std::string_view text) {
    const auto v = ParseWholeNumber(text);
    if (!v || *v < MinCountAxisTop) return std::nullopt;
    return v;
}

std::optional<std::int32_t> AcceptXMin(const Spectrum& s, std::string_view text) {
    const auto v = ParseWholeNumber(text);
    if (!v || *v < 0 || *v > static_cast<std::int64_t>(s.XMax) - MinChannelSpan) return std::nullopt;
    return v;
}

std::optional<std::int32_t> AcceptXMax(const Spectrum& s, std::string_view text) {
    const auto v = ParseWholeNumber(text);
    if (!v || *v < MinChannelSpan || *v < static_cast<std::int64_t>(s.XMin) + MinChannelSpan) return std::nullopt;
    return v;
}

std::optional<double> AcceptChannelWidth(std::string_view text) {
    const auto v = ParseDecimalNumber(text);
    if (!v || !(*v >= MinChannelWidth)) return std::nullopt;
    return v;
}

void StoreYMax(Spectrum& s, std::int32_t value) { s.YMax = value; }

void StoreXMin(Spectrum& s, std::int32_t value) {
    s.XMin = value;
    if (s.XMin > s.Marker) s.Marker = s.XMin;
}

void StoreXMax(Spectrum& s, std::int32_t value) {
    s.XMax = value;
    if (s.XMax < s.Marker) s.Marker = s.XMax;
}

void StoreChannelWidth(Spectrum& s, double value, const std::vector<double>& values) {
    s.ChannelWidth = value;
    Rebin(s, values);
}

StatisticsBoxTexts StatisticsBox(const ResultSums& sums, std::int32_t arrivedCount) {
    const Statistics st = ComputeStatistics(sums, arrivedCount);
    return {"Összes : " + FormatInteger(arrivedCount), "Átlag  : " + FormatFixed(st.Mean, 10, 3),
            "Szórás : " + FormatFixed(st.Deviation, 10, 3)};
}

}  // namespace velox
