// One spectrum's controls in the results panel: "Ymax", "Auto", the marker
// choice and "Csat.:" above the plot; the plot with its marker line and
// statistics box; "Xmin", the "X=" / "Y=" readouts and "Xmax" below it.
// The names of the controls are the energy spectrum's (Edit10, CheckBox2,
// RadioButton1 …) or the time spectrum's (Edit12, CheckBox3, RadioButton2 …).
#pragma once

#include <array>
#include <optional>

#include "results/app/ResultView.h"
#include "results/model/PlotGeometry.h"
#include "results/model/Spectrum.h"

namespace velox::app {

// The names of one spectrum's controls, in the order of the members of
// SpectrumView below.
struct SpectrumNames {
    const char* YMax;          // Edit10 / Edit12
    const char* Auto;          // CheckBox2 / CheckBox3
    const char* Choice;        // RadioButton1 / RadioButton2
    const char* Width;         // Edit9 / Edit11
    const char* MarkerLine;    // Shape43 / Shape44
    const char* Statistics;    // Panel12 / Panel13
    std::array<const char*, 3> StatisticsLines;  // Label31 … / Label34 …
    const char* XMin;          // Edit6 / Edit8
    const char* MarkerX;       // Label10 / Label12
    const char* MarkerY;       // Label11 / Label13
    const char* XMax;          // Edit5 / Edit7
    const char* ChoiceCaption;  // "Energia" / "Ido"
    bool Chosen;
    std::int32_t MarkerStart;
};
extern const SpectrumNames EnergyNames;
extern const SpectrumNames TimeNames;

// What the plot shows: the empty axes, or the whole spectrum.
struct SpectrumPicture {
    bool Counts = false;
    SpectrumGeometry Geometry;  // Geometry.Axes alone for the empty axes
};

class SpectrumView : public ResultView {
public:
    // The image lies 6 pixels into its plot panel; the marker line's left
    // is relative to the panel.
    static constexpr std::int32_t ImageLeft = 6;

    SpectrumView(ViewContext context, Spectrum& spectrum, const std::vector<double>& values,
                 const SpectrumNames& names);

    void Layout(std::int32_t bitmapWidth, std::int32_t bitmapHeight) override;
    void Startup() override;
    void Timer3Timer() override;
    void ResultsCleared() override { DrawAxes(); }
    void ResultsLoaded() override;
    void Redraw() override { DrawSpectrum(); }
    void ShowNumberFields() override;
    bool Chosen() const override { return Choice.Checked; }
    void SetChosen(bool chosen) override;
    void MoveMarker(bool right) override;

    void DrawAxes();
    void DrawSpectrum();
    void UpdateMarker();
    // The plot as it would be drawn now, without changing the record (the
    // export picture).
    SpectrumPicture Fresh() const;
    const SpectrumPicture& Picture() const { return picture_; }
    std::int32_t BitmapWidth() const { return bitmapWidth_; }
    std::int32_t BitmapHeight() const { return bitmapHeight_; }

    // The handlers.
    void YMaxExit(Leave how);
    void XMinExit(Leave how);
    void XMaxExit(Leave how);
    void WidthExit(Leave how);
    void AutoClick();
    void ImageMouseDown(bool rightButton);  // a right press opens the statistics box
    void StatisticsMouseUp();               // a release on the box or its lines closes it

    ControlState &YMax, &Auto, &Choice, &Width, &MarkerLine, &Statistics;
    std::array<ControlState*, 3> StatisticsLines;
    ControlState &XMin, &MarkerX, &MarkerY, &XMax;

private:
    TextMetrics Metrics() const;
    void ShowMarker(const MarkerGeometry& marker);
    template <class Value, class Store>
    void LeaveSetting(ControlState& field, Leave how, const std::optional<Value>& value, Store store,
                      bool placeMarker);

    ViewContext ctx_;
    Spectrum& spectrum_;
    const std::vector<double>& values_;
    std::int32_t markerStart_;
    std::int32_t bitmapWidth_ = PlotBitmapWidth;
    std::int32_t bitmapHeight_ = PlotBitmapHeight;
    SpectrumPicture picture_;
};

}  // namespace velox::app
