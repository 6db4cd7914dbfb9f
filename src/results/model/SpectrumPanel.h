// Rules of the results panel's controls, apart from any window: the marker
// keys, the entries of the spectrum number fields and the statistics box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/model/Spectrum.h"

namespace velox {

enum class MarkerKey { Left, Right };

// Alt + Left / Alt + Right on the chosen spectrum: recomputes the scales,
// then moves the marker one channel, never past XMin or XMax.  The window
// then places the marker line from UpdateMarkerGeometry.
void MoveMarker(Spectrum& spectrum, MarkerKey key);

// Entries of the number fields: the accepted value, or nothing when the
// text does not convert or lies outside the field's range (the field then
// takes the focus back with its text selected and nothing changes).
//   "Ymax"  (Edit10, Edit12): whole number >= 20
//   "Xmin"  (Edit6, Edit8):   whole number, 0 <= value <= XMax - 20
//   "Xmax"  (Edit5, Edit7):   whole number >= 20 and >= XMin + 20
//   "Csat." (Edit9, Edit11):  decimal number >= 0.01
std::optional<std::int32_t> AcceptYMax(std::string_view text);
std::optional<std::int32_t> AcceptXMin(const Spectrum& spectrum, std::string_view text);
std::optional<std::int32_t> AcceptXMax(const Spectrum& spectrum, std::string_view text);
std::optional<double> AcceptChannelWidth(std::string_view text);

// Storing an accepted entry, with the model's part of the follow-up; the
// window then runs RefreshNumberFields, places the marker (for the range
// fields) and redraws.
void StoreYMax(Spectrum& spectrum, std::int32_t value);
void StoreXMin(Spectrum& spectrum, std::int32_t value);   // the marker follows up
void StoreXMax(Spectrum& spectrum, std::int32_t value);   // the marker follows down
void StoreChannelWidth(Spectrum& spectrum, double value,  // rebuilds the histogram
                       const std::vector<double>& values);

// Captions of the statistics box opened by a right click on a plot.
struct StatisticsBoxTexts {
    std::string Count;      // "Összes : " n
    std::string Mean;       // "Átlag  : " "%10.3f"
    std::string Deviation;  // "Szórás : " "%10.3f"
};

StatisticsBoxTexts StatisticsBox(const ResultSums& sums, std::int32_t arrivedCount);

}  // namespace velox
