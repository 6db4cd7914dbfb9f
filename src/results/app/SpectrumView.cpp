#include "results/app/SpectrumView.h"

#include "core/model/VeloxData.h"
#include "results/model/SpectrumPanel.h"

namespace velox::app {

const SpectrumNames EnergyNames{"Edit10",  "CheckBox2", "RadioButton1", "Edit9",   "Shape43",
                                "Panel12", {"Label31", "Label32", "Label33"},      "Edit6",
                                "Label10", "Label11",   "Edit5",        "Energia", true,
                                EnergyMarkerStart};
const SpectrumNames TimeNames{"Edit12",  "CheckBox3", "RadioButton2", "Edit11", "Shape44",
                              "Panel13", {"Label34", "Label35", "Label36"},     "Edit8",
                              "Label12", "Label13",   "Edit7",        "Ido",    false,
                              TimeMarkerStart};

namespace {
ControlState& Label(ControlSet& c, const char* name, const char* text) { return c.Add(name, {.Text = text}); }
}  // namespace

SpectrumView::SpectrumView(ViewContext context, Spectrum& spectrum, const std::vector<double>& values,
                           const SpectrumNames& n)
    : YMax(context.Fields.Add(n.YMax, "20", 36)),
      Auto(context.Controls.Add(n.Auto, {.Text = "Auto", .Checked = true})),
      Choice(context.Controls.Add(n.Choice, {.Text = n.ChoiceCaption, .Checked = n.Chosen})),
      Width(context.Fields.Add(n.Width, "1", 38)),
      MarkerLine(context.Controls.Add(n.MarkerLine, {.Text = "", .Visible = n.Chosen})),
      Statistics(context.Controls.Add(n.Statistics, {.Text = "", .Visible = false})),
      StatisticsLines{&Label(context.Controls, n.StatisticsLines[0], "Összes : "),
                      &Label(context.Controls, n.StatisticsLines[1], "Átlag  : "),
                      &Label(context.Controls, n.StatisticsLines[2], "Szórás : ")},
      XMin(context.Fields.Add(n.XMin, "0", 36)),
      MarkerX(Label(context.Controls, n.MarkerX, "X=")),
      MarkerY(Label(context.Controls, n.MarkerY, "Y=")),
      XMax(context.Fields.Add(n.XMax, "100", 38)),
      ctx_(std::move(context)),
      spectrum_(spectrum),
      values_(values),
      markerStart_(n.MarkerStart) {
    CommandTable& t = ctx_.Commands;
    t.Exits[n.YMax] = [this](Leave how) { YMaxExit(how); };
    t.Exits[n.XMin] = [this](Leave how) { XMinExit(how); };
    t.Exits[n.XMax] = [this](Leave how) { XMaxExit(how); };
    t.Exits[n.Width] = [this](Leave how) { WidthExit(how); };
    t.Clicks[n.Auto] = [this] { AutoClick(); };
    t.Clicks[n.Statistics] = [this] { StatisticsMouseUp(); };
    for (const char* line : n.StatisticsLines) t.Clicks[line] = [this] { StatisticsMouseUp(); };
}

TextMetrics SpectrumView::Metrics() const {
    const TextMeasure& m = ctx_.Measure;
    return TextMetrics{[&m](std::string_view s) { return m.SmallWidth(s); }, m.SmallHeight()};
}

void SpectrumView::Layout(std::int32_t bitmapWidth, std::int32_t bitmapHeight) {
    bitmapWidth_ = bitmapWidth;
    bitmapHeight_ = bitmapHeight;
    InitSpectrum(spectrum_, bitmapWidth, bitmapHeight, markerStart_, Auto.Checked);
    DrawAxes();
}

void SpectrumView::Startup() {
    UpdateMarker();
    DrawSpectrum();
}

void SpectrumView::ShowMarker(const MarkerGeometry& marker) {
    ctx_.Controls.SetLeft(MarkerLine, ImageLeft + marker.LineX);
    ctx_.Controls.SetText(MarkerX, marker.XText);
    ctx_.Controls.SetText(MarkerY, marker.YText);
}

// A count-axis top below 20 (only a results file brings one) is raised by
// the drawing; the "Ymax" field then shows the value drawn.
void SpectrumView::DrawAxes() {
    picture_.Counts = false;
    picture_.Geometry = SpectrumGeometry{};
    picture_.Geometry.Axes = DrawAxesGeometry(spectrum_, Metrics());
    ctx_.Controls.Repaint(PictureBit);
    if (picture_.Geometry.Axes.YMaxRaised) ctx_.RefreshNumberFields();
    ShowMarker(picture_.Geometry.Axes.Marker);
}

void SpectrumView::DrawSpectrum() {
    picture_.Geometry = DrawSpectrumGeometry(spectrum_, ctx_.Data.Store.SumsOf(spectrum_), ctx_.Data.Store.ArrivedCount,
                                             Metrics(), bitmapWidth_);
    picture_.Counts = true;
    if (picture_.Geometry.AutoScaled || picture_.Geometry.Axes.YMaxRaised) ctx_.RefreshNumberFields();
    ctx_.Controls.Repaint(PictureBit);
    ShowMarker(picture_.Geometry.Axes.Marker);
}

// Counts that arrived since the empty axes of a clear are drawn too, as the
// next Timer3 tick would.
SpectrumPicture SpectrumView::Fresh() const {
    Spectrum copy = spectrum_;
    SpectrumPicture out;
    out.Counts = picture_.Counts || !copy.Bins.empty();
    if (out.Counts)
        out.Geometry = DrawSpectrumGeometry(copy, ctx_.Data.Store.SumsOf(spectrum_), ctx_.Data.Store.ArrivedCount,
                                            Metrics(), bitmapWidth_);
    else
        out.Geometry.Axes = DrawAxesGeometry(copy, Metrics());
    return out;
}

void SpectrumView::UpdateMarker() { ShowMarker(UpdateMarkerGeometry(spectrum_)); }

void SpectrumView::Timer3Timer() {
    if (!spectrum_.Bins.empty()) DrawSpectrum();
}

// A loaded "Auto" setting acts as a click on the box would.
void SpectrumView::ResultsLoaded() {
    if (Auto.Checked == spectrum_.Auto) return;
    ctx_.Controls.SetChecked(Auto, spectrum_.Auto);
    AutoClick();
}

void SpectrumView::ShowNumberFields() {
    FieldRules& f = ctx_.Fields;
    f.ShowInteger(YMax, spectrum_.YMax);
    f.ShowInteger(XMax, spectrum_.XMax);
    f.ShowInteger(XMin, spectrum_.XMin);
    f.ShowFloat(Width, spectrum_.ChannelWidth);
}

void SpectrumView::SetChosen(bool chosen) {
    ctx_.Controls.SetChecked(Choice, chosen);
    ctx_.Controls.SetVisible(MarkerLine, chosen);
}

// The plot is not redrawn, only the line and its readouts.
void SpectrumView::MoveMarker(bool right) {
    velox::MoveMarker(spectrum_, right ? velox::MarkerKey::Right : velox::MarkerKey::Left);
    UpdateMarker();
}

void SpectrumView::AutoClick() {
    spectrum_.Auto = Auto.Checked;
    ctx_.RefreshNumberFields();
    DrawSpectrum();
}

template <class Value, class Store>
void SpectrumView::LeaveSetting(ControlState& field, Leave how, const std::optional<Value>& value, Store store,
                                bool placeMarker) {
    ctx_.Fields.LeaveField(field, how, value, store, [&] {
        ctx_.RefreshNumberFields();
        if (placeMarker) UpdateMarker();
        DrawSpectrum();
    });
}

void SpectrumView::YMaxExit(Leave how) {
    LeaveSetting(YMax, how, AcceptYMax(YMax.Text), [this](std::int32_t v) { StoreYMax(spectrum_, v); }, false);
}

void SpectrumView::XMinExit(Leave how) {
    LeaveSetting(XMin, how, AcceptXMin(spectrum_, XMin.Text), [this](std::int32_t v) { StoreXMin(spectrum_, v); },
                 true);
}

void SpectrumView::XMaxExit(Leave how) {
    LeaveSetting(XMax, how, AcceptXMax(spectrum_, XMax.Text), [this](std::int32_t v) { StoreXMax(spectrum_, v); },
                 true);
}

void SpectrumView::WidthExit(Leave how) {
    LeaveSetting(Width, how, AcceptChannelWidth(Width.Text),
                 [this](double v) { StoreChannelWidth(spectrum_, v, values_); }, false);
}

// The box shows the values of the moment it was opened.
void SpectrumView::ImageMouseDown(bool rightButton) {
    if (!rightButton) return;
    const StatisticsBoxTexts texts = StatisticsBox(ctx_.Data.Store.SumsOf(spectrum_), ctx_.Data.Store.ArrivedCount);
    ctx_.Controls.SetText(*StatisticsLines[0], texts.Count);
    ctx_.Controls.SetText(*StatisticsLines[1], texts.Mean);
    ctx_.Controls.SetText(*StatisticsLines[2], texts.Deviation);
    ctx_.Controls.SetVisible(Statistics, true);
}

void SpectrumView::StatisticsMouseUp() { ctx_.Controls.SetVisible(Statistics, false); }

}  // namespace velox::app
