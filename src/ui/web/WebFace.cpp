#include "ui/web/WebFace.h"

#include <emscripten.h>

#include <string_view>
#include <vector>

#include "core/model/PhaseWindow.h"
#include "core/model/Readouts.h"
#include "editor/model/AcceleratorView.h"
#include "editor/model/NumberFields.h"
#include "editor/model/NumberText.h"
#include "files/model/ExportName.h"
#include "files/model/ReportTable.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "results/model/PlotGeometry.h"
#include "results/model/SpectrumPanel.h"
#include "ui/web/WebCanvas.h"

namespace velox::web {
namespace {

// clang-format off
EM_JS(void, SelectCanvas, (const char* name), { Module.veloxSelect(UTF8ToString(name)); });
// clang-format on

// Sizes of the window's drawing surfaces.
constexpr std::int32_t ViewWidth = 607;   // Image1: Bevel1 (610 wide after the layout step) less 3
constexpr std::int32_t ViewHeight = 360;
constexpr std::int32_t PhaseWidth = 107;  // Image4
constexpr std::int32_t PhaseHeight = 61;

const char* const PlotCanvas[SpectrumCount] = {"energy", "time"};
const char* const ErrorTitle = "*** HIBA ***";

// A JSON object written field by field.
class Json {
public:
    Json& Key(std::string_view key) {
        out_ += first_ ? "" : ",";
        first_ = false;
        Quote(key);
        out_ += ':';
        return *this;
    }
    Json& Str(std::string_view key, std::string_view value) {
        Key(key);
        Quote(value);
        return *this;
    }
    Json& Int(std::string_view key, long long value) {
        Key(key).out_ += FormatInteger(value);
        return *this;
    }
    Json& Bool(std::string_view key, bool value) {
        Key(key).out_ += value ? "true" : "false";
        return *this;
    }
    Json& Raw(std::string_view key, const std::string& json) {
        Key(key).out_ += json;
        return *this;
    }
    std::string Done() const { return "{" + out_ + "}"; }
    static std::string Quoted(std::string_view s) {
        Json j;
        j.Quote(s);
        return j.out_;
    }

private:
    void Quote(std::string_view s) {
        static const char hex[] = "0123456789abcdef";
        out_ += '"';
        for (const char ch : s) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += ch;
            } else if (c < 0x20) {
                out_ += "\\u00";
                out_ += hex[c >> 4];
                out_ += hex[c & 15];
            } else {
                out_ += ch;
            }
        }
        out_ += '"';
    }
    std::string out_;
    bool first_ = true;
};

std::string ShapeJson(const ShapeState& s) {
    const auto rgb = [](Colour c) { return (c.R << 16) | (c.G << 8) | c.B; };
    return Json()
        .Bool("visible", s.Visible)
        .Int("left", s.Left)
        .Int("top", s.Top)
        .Int("width", s.Width)
        .Int("height", s.Height)
        .Bool("circle", s.Circle)
        .Int("fill", rgb(s.Fill))
        .Int("outline", rgb(s.Outline))
        .Int("outlineWidth", s.OutlineWidth)
        .Int("tag", s.Tag)
        .Int("front", s.FrontStamp)
        .Done();
}

std::string NoticeJson(bool ok, const Notice& notice) {
    return Json().Bool("ok", ok).Str("title", notice.Title).Str("text", notice.Text).Done();
}

CavityFieldTexts Texts(const std::string& e1, const std::string& e2, const std::string& e3, const std::string& e4) {
    return {e1, e2, e3, e4};
}

}  // namespace

WebFace::WebFace() = default;

std::string WebFace::Start(const std::string& name, bool found, const std::string& bytes) {
    // The layout step, then the first activation.
    Data.Amplitude = StartupDefaults{}.LayoutAmplitude;
    InitSpectrum(Data.Store.EnergySpectrum, PlotBitmapWidth, PlotBitmapHeight, EnergyMarkerStart, true);
    InitSpectrum(Data.Store.TimeSpectrum, PlotBitmapWidth, PlotBitmapHeight, TimeMarkerStart, true);
    DrawAxes(0);
    DrawAxes(1);
    Data.ResetParticles();
    Data.ApplyStartupDefaults();
    DrawView();
    for (int which = 0; which < SpectrumCount; ++which) DrawSpectrum(which);

    SetupName = name;
    Notice notice;
    if (found) {
        const SetupData setup = ParseSetup(bytes);
        ApplySetup(Data, setup);
        if (setup.ShowCountWarning()) notice = {CountWarningTitle, CountWarningText};
    } else {
        if (Data.Cavities.CavityCount() != 2) notice = {CountWarningTitle, CountWarningText};
        Data.BuildCavities();
    }
    DrawView();
    DrawPhase();
    UpdateControlStates();
    return NoticeJson(true, notice);
}

// ---- state ------------------------------------------------------------------------

std::string WebFace::State() const {
    const Results& r = Data.Store;
    const PhasePanelState phase = PhasePanelFor(Data.View.Image4Left, PhaseWidth, Data.StartPhase, Data.StopPhase);
    Json enabled;
    enabled.Bool("Button1", controls_.Button1).Bool("Button2", controls_.Button2);
    const char* const locked[] = {"Button3", "Button4", "Button5", "Edit13", "Edit14", "UpDown1", "UpDown2"};
    for (std::size_t k = 0; k < controls_.Locked.size(); ++k) enabled.Bool(locked[k], controls_.Locked[k]);
    enabled.Bool("Load", controls_.LoadCommands);

    Json text;
    text.Str("Button1", RunOfferCaption(Run.Offer))
        .Str("Edit1", FormatInteger(Data.FrequencyPosition))
        .Str("Edit2", FormatGeneral(Data.Frequency))
        .Str("Edit3", FormatInteger(Data.VoltagePosition))
        .Str("Edit4", FormatGeneral(Data.Amplitude))
        .Str("Edit13", phase.StartText)
        .Str("Edit14", phase.StopText)
        .Str("Edit15", FormatTimeOfDay(Run.RunClock))
        .Str("Label25", stepShown_ ? VoltageText(Data.Voltage) : "Feszültség =")
        .Str("Label26", stepShown_ ? PhaseText(Data.LastPhase) : "Fázis =")
        .Str("Label18", stepShown_ ? EnergyMaxText(Data.EnergyMax) : "Emax =")
        .Str("Label20", countsShown_ ? CountsText(r.LaunchedCount, r.ArrivedCount) : "Összes indított =")
        .Str("Label21", ArrivalEnergyText(r.LastArrival))
        .Str("Label22", ArrivalTimeText(r.LastArrival));
    // Ymax, Xmin, Xmax and Csat. of the energy, then of the time spectrum.
    const char* const fields[SpectrumCount][4] = {{"Edit10", "Edit6", "Edit5", "Edit9"},
                                                  {"Edit12", "Edit8", "Edit7", "Edit11"}};
    std::string markerLines = "[";
    for (int which = 0; which < SpectrumCount; ++which) {
        const Spectrum& s = SpectrumOf(which);
        text.Str(fields[which][0], FormatInteger(s.YMax))
            .Str(fields[which][1], FormatInteger(s.XMin))
            .Str(fields[which][2], FormatInteger(s.XMax))
            .Str(fields[which][3], FormatGeneral(s.ChannelWidth));
        const MarkerGeometry marker = UpdateMarkerGeometry(s);
        const std::string n = FormatInteger(which);
        text.Str("MarkerX" + n, marker.XText).Str("MarkerY" + n, marker.YText);
        markerLines += (which ? "," : "") + FormatInteger(marker.LineX);
    }
    markerLines += "]";

    Json checked;
    checked.Bool("CheckBox1", Data.MultiParticle)
        .Bool("CheckBox2", r.EnergySpectrum.Auto)
        .Bool("CheckBox3", r.TimeSpectrum.Auto)
        .Bool("CheckBox4", Run.FreeMode)
        .Bool("RadioButton1", chosen_ == 0)
        .Bool("RadioButton2", chosen_ == 1);

    std::string shapes = "{";
    for (int k = 0; k < MaxCavities; ++k)
        shapes += "\"Shape" + FormatInteger(k + 1) + "\":" + ShapeJson(Data.CavityMarkers[static_cast<std::size_t>(k)]) + ",";
    for (int k = 0; k < ParticleCount; ++k)
        shapes +=
            "\"Shape" + FormatInteger(k + 22) + "\":" + ShapeJson(Data.ParticleMarkers[static_cast<std::size_t>(k)]) + ",";
    shapes += "\"Target\":" + ShapeJson(Data.TargetMarker) + "}";

    return Json()
        .Str("title", "Lineáris gyorsító szimulációja")
        .Bool("running", Run.Running)
        .Int("interval", Run.Interval())
        .Int("speed", Run.SpeedIndex)
        .Int("cavities", Data.Cavities.CavityCount())
        .Str("setupName", SetupName)
        .Str("resultsName", ResultsName)
        .Raw("enabled", enabled.Done())
        .Raw("text", text.Done())
        .Raw("checked", checked.Done())
        .Raw("markerLines", markerLines)
        .Raw("phase", Json()
                          .Int("cursor", Data.PhaseCursor)
                          .Int("start", phase.StartMarkerLeft)
                          .Int("stop", phase.StopMarkerLeft)
                          .Done())
        .Raw("shapes", shapes)
        .Done();
}

void WebFace::UpdateControlStates() { controls_ = velox::UpdateControlStates(Run.State(), controls_); }

// ---- timers -----------------------------------------------------------------------

bool WebFace::Tick() {
    if (!Run.Running) return false;
    stepShown_ = countsShown_ = true;
    const bool ended = Run.Tick();
    if (!ended) return false;
    UpdateControlStates();
    SetupName = std::string(BaseName) + ".gydat";
    ResultsName = std::string(BaseName) + ".edat";
    EndSetupBytes = SetupBytes();
    EndResultsBytes = ResultsBytes();
    return true;
}

void WebFace::RedrawCounted() {
    for (int which = 0; which < SpectrumCount; ++which)
        if (!SpectrumOf(which).Bins.empty()) DrawSpectrum(which);
}

// ---- drawing ----------------------------------------------------------------------

void WebFace::DrawView() {
    SelectCanvas("view");
    {
        WebCanvas canvas;
        DrawAcceleratorView(Data, canvas, ViewWidth, ViewHeight);
    }
    Data.PlaceCavityMarkers();
}

void WebFace::DrawPhase() {
    SelectCanvas("phase");
    WebCanvas canvas;
    DrawPhaseWindow(canvas, PhaseWidth, PhaseHeight, Data.StartPhase, Data.StopPhase);
}

namespace {

void DrawLines(Canvas& canvas, const std::vector<PlotLine>& lines) {
    for (const PlotLine& l : lines) {
        canvas.MoveTo(l.x1, l.y1);
        canvas.LineTo(l.x2, l.y2);
    }
}

void DrawTexts(Canvas& canvas, const std::vector<PlotText>& texts) {
    for (const PlotText& t : texts) canvas.TextOut(t.x, t.y, t.text, colours::White, colours::Black);
}

void PaintAxes(Canvas& canvas, const AxesGeometry& g) {
    canvas.FillRect(0, 0, PlotBitmapWidth, PlotBitmapHeight, colours::Black);
    canvas.SetPen(colours::White, 1);
    DrawLines(canvas, g.Axes);
    DrawLines(canvas, g.CountTicks);
    DrawLines(canvas, g.ChannelTicks);
    DrawTexts(canvas, g.CountLabels);
    DrawTexts(canvas, g.ChannelLabels);
}

void PaintSpectrum(WebCanvas& canvas, const SpectrumGeometry& plot, const TextMetrics& metrics) {
    PaintAxes(canvas, plot.Axes);
    canvas.SetPen(colours::White, 1);
    for (const auto& line : plot.CountLine) {
        canvas.MoveTo(line.front().x, line.front().y);
        for (std::size_t k = 1; k < line.size(); ++k) canvas.LineTo(line[k].x, line[k].y);
    }
    // The three statistics lines stand closer than the face is high: all
    // their backgrounds go down first and the texts over them, so that no
    // line cuts off the accents or descenders of its neighbour; the counts
    // beyond the range go down the same way.
    for (const auto* texts : {&plot.StatisticsTexts, &plot.BeyondTexts})
        for (const PlotText& t : *texts)
            canvas.FillRect(t.x, t.y, t.x + metrics.Width(t.text), t.y + metrics.Height, colours::Black);
    for (const auto* texts : {&plot.StatisticsTexts, &plot.BeyondTexts})
        for (const PlotText& t : *texts) canvas.TextOver(t.x, t.y, t.text, colours::White);
}

}  // namespace

void WebFace::DrawAxes(int which) {
    Spectrum& s = SpectrumOf(which);
    SelectCanvas(PlotCanvas[which]);
    WebCanvas canvas;
    PaintAxes(canvas, DrawAxesGeometry(s, CanvasTextMetrics()));
    plotCounted_[static_cast<std::size_t>(which)] = false;
}

void WebFace::DrawSpectrum(int which) {
    PaintSpectrum(which, PlotCanvas[which]);
    plotCounted_[static_cast<std::size_t>(which)] = true;
}

void WebFace::PaintSpectrum(int which, const char* name) {
    Spectrum& s = SpectrumOf(which);
    SelectCanvas(name);
    WebCanvas canvas;
    const TextMetrics metrics = CanvasTextMetrics();
    velox::web::PaintSpectrum(
        canvas, DrawSpectrumGeometry(s, Data.Store.SumsOf(s), Data.Store.ArrivedCount, metrics, PlotBitmapWidth),
        metrics);
}

// What a plot shows, drawn again on a copy of its spectrum, so that the
// spectrum keeps its settings: counts that arrived since the empty axes of a
// clear are drawn as the next Timer3 tick would.
void WebFace::PaintCopy(int which, const char* name, bool marker) const {
    Spectrum copy = SpectrumOf(which);
    SelectCanvas(name);
    WebCanvas canvas;
    const TextMetrics metrics = CanvasTextMetrics();
    if (plotCounted_[static_cast<std::size_t>(which)] || !copy.Bins.empty())
        velox::web::PaintSpectrum(canvas,
                                  DrawSpectrumGeometry(copy, Data.Store.SumsOf(SpectrumOf(which)),
                                                       Data.Store.ArrivedCount, metrics, PlotBitmapWidth),
                                  metrics);
    else
        PaintAxes(canvas, DrawAxesGeometry(copy, metrics));
    if (marker && which == chosen_) {
        const MarkerGeometry line = UpdateMarkerGeometry(copy);
        canvas.FillRect(line.LineX, 0, line.LineX + 1, PlotBitmapHeight, colours::Yellow);
    }
}

void WebFace::Repaint(int which) const { PaintCopy(which, PlotCanvas[which], false); }

void WebFace::DrawExportPicture() const {
    PaintCopy(0, "export-left", true);
    PaintCopy(1, "export-right", true);
}

std::string WebFace::ExportTarget(const std::string& name, bool png) const {
    const velox::ExportTarget t = ExportTargetFor(name, png ? ExportFormat::Png : ExportFormat::Csv);
    return Json().Str("name", t.Path).Bool("png", t.Format == ExportFormat::Png).Done();
}

// ---- the "Szimuláció" panel --------------------------------------------------------

void WebFace::ContinueStop() {
    Run.ContinueStop();
    UpdateControlStates();
}

void WebFace::Step() {
    stepShown_ = countsShown_ = true;
    Data.SimulationStep();
    DrawView();
}

int WebFace::Restart() {
    if (Data.Store.IsEmpty()) {
        Run.Restart([] { return ClearOutcome::NothingToClear; });
        UpdateControlStates();
        return 1;
    }
    restartWasRunning_ = Run.Running;
    Run.Running = false;
    return 2;
}

void WebFace::RestartAnswer(bool yes) {
    Run.Running = restartWasRunning_;
    const bool restarted = Run.Restart([this, yes] {
        if (!yes) return ClearOutcome::Kept;
        ClearAnswer(true);
        return ClearOutcome::Cleared;
    });
    if (restarted) UpdateControlStates();
}

void WebFace::SetSpeed(int index) { Run.SpeedIndex = index < 0 ? 0 : index > 4 ? 4 : index; }

void WebFace::SetFreeMode(bool free) {
    Run.SetFreeMode(free);
    UpdateControlStates();
}

// ---- results panel --------------------------------------------------------------------

bool WebFace::ClearAsks() const { return !Data.Store.IsEmpty(); }

// Particles still in flight arrive into the cleared results, so they count
// as launched there.
void WebFace::ClearAnswer(bool yes) {
    if (!yes || Data.Store.IsEmpty()) return;
    Data.Store.Clear();
    Data.Store.LaunchedCount = Data.FlyingCount();
    DrawAxes(0);
    DrawAxes(1);
}

void WebFace::SetAuto(int which, bool on) {
    SpectrumOf(which).Auto = on;
    DrawSpectrum(which);
}

void WebFace::Choose(int which) { chosen_ = which == 1 ? 1 : 0; }

void WebFace::MoveMarker(bool right) { velox::MoveMarker(SpectrumOf(chosen_), right ? MarkerKey::Right : MarkerKey::Left); }

std::string WebFace::Statistics(int which) const {
    const StatisticsBoxTexts t = StatisticsBox(Data.Store.SumsOf(SpectrumOf(which)), Data.Store.ArrivedCount);
    return Json().Str("count", t.Count).Str("mean", t.Mean).Str("deviation", t.Deviation).Done();
}

// ---- number fields -------------------------------------------------------------------------

bool WebFace::LeaveField(const std::string& field, const std::string& text) {
    if (field == "Edit2" || field == "Edit4") {
        const bool frequency = field == "Edit2";
        const auto p = frequency ? FrequencyDisplayPosition(text) : VoltageDisplayPosition(text);
        if (!p) return false;
        SetSpinner(frequency ? 0 : 1, *p);
        return true;
    }
    if (field == "Edit13" || field == "Edit14") {
        const bool start = field == "Edit13";
        const auto v = start ? AcceptStartPhase(text, Data.StopPhase) : AcceptStopPhase(text, Data.StartPhase);
        if (!v) return false;
        (start ? Data.StartPhase : Data.StopPhase) = *v;
        DrawPhase();
        Data.PlaceCavityMarkers();
        return true;
    }
    // "E.Ymax", "T.Csat." …: the spectrum, then the field.
    if (field.size() < 3 || (field[0] != 'E' && field[0] != 'T') || field[1] != '.') return false;
    const int which = field[0] == 'E' ? 0 : 1;
    Spectrum& s = SpectrumOf(which);
    const std::string_view name = std::string_view(field).substr(2);
    if (name == "Ymax") {
        const auto v = AcceptYMax(text);
        if (!v) return false;
        StoreYMax(s, *v);
    } else if (name == "Xmin" || name == "Xmax") {
        const auto v = name == "Xmin" ? AcceptXMin(s, text) : AcceptXMax(s, text);
        if (!v) return false;
        (name == "Xmin" ? StoreXMin : StoreXMax)(s, *v);
    } else if (name == "Csat.") {
        const auto v = AcceptChannelWidth(text);
        if (!v) return false;
        StoreChannelWidth(s, *v, ValuesOf(which));
    } else {
        return false;
    }
    DrawSpectrum(which);
    return true;
}

void WebFace::SetSpinner(int which, int position) {
    if (which == 0)
        Data.SetFrequencyPosition(position);
    else
        Data.SetVoltagePosition(position);
}

void WebFace::SetMultiParticle(bool on) { Data.MultiParticle = on; }

// ---- cavities and target -----------------------------------------------------------------------

std::string WebFace::CavityTexts(int index) const {
    if (index < 0 || index >= Data.Cavities.CavityCount()) return "[]";
    const CavityFieldTexts t = CavityFieldTextsOf(Data.Cavities[static_cast<std::size_t>(index)]);
    return "[" + Json::Quoted(t.Edit1) + "," + Json::Quoted(t.Edit2) + "," + Json::Quoted(t.Edit3) + "," +
           Json::Quoted(t.Edit4) + "]";
}

int WebFace::FirstRefused(const std::string& e1, const std::string& e2, const std::string& e3,
                          const std::string& e4) const {
    const auto refused = FirstRefusedCavityField(Texts(e1, e2, e3, e4));
    return refused ? *refused : -1;
}

int WebFace::AddCavity(const std::string& e1, const std::string& e2, const std::string& e3, const std::string& e4) {
    if (Data.Cavities.CavityCount() >= MaxEditorCavities) return 1;
    const auto sizes = CavitySizesOf(Texts(e1, e2, e3, e4));
    if (!sizes) return 2;
    Data.Cavities.Append(*sizes);
    Data.BuildCavities();
    DrawView();
    UpdateControlStates();
    return 0;
}

void WebFace::EditCavity(int index, const std::string& e1, const std::string& e2, const std::string& e3,
                         const std::string& e4) {
    if (index >= 0 && index < Data.Cavities.CavityCount())
        if (const auto sizes = CavitySizesOf(Texts(e1, e2, e3, e4)))
            Data.Cavities[static_cast<std::size_t>(index)] = *sizes;
    CavityDialogClosed();
}

void WebFace::DeleteCavity(int index) {
    if (index >= 0 && index < Data.Cavities.CavityCount()) Data.Cavities.Remove(index);
    CavityDialogClosed();
    UpdateControlStates();
}

void WebFace::CavityDialogClosed() {
    Data.BuildCavities();
    DrawView();
}

void WebFace::DropTarget(int x) {
    const ShapeState& marker = Data.TargetMarker;
    Data.TargetMarker.Top = Data.View.ImageTop + Data.AxisY - marker.Height / 2;
    Data.SetTargetLeft(Data.View.ImageLeft + x - marker.Width / 2);
    DrawView();
}

// ---- files ---------------------------------------------------------------------------------------

std::string WebFace::SetupBytes() const { return FormatSetup(Data); }

std::string WebFace::ResultsBytes() const { return FormatResults(Data.Store, Run.RunClock); }

std::string WebFace::CsvBytes() const { return FormatCsv(ArrivalsTable(Data.Store)); }

std::string WebFace::LoadSetup(const std::string& name, const std::string& bytes) {
    if (bytes.size() > SetupFileLimit)
        return NoticeJson(false, {ErrorTitle, "A gyorsító adatait nem sikerült betölteni innen:\n" + name +
                                                  "\n\nA fájl túl nagy (" + FormatInteger(static_cast<long long>(bytes.size())) +
                                                  " bájt)."});
    const SetupData setup = ParseSetup(bytes);
    ApplySetup(Data, setup);
    SetupName = name;
    DrawView();
    DrawPhase();
    UpdateControlStates();
    return NoticeJson(true, setup.ShowCountWarning() ? Notice{CountWarningTitle, CountWarningText} : Notice{});
}

std::string WebFace::LoadResults(const std::string& name, const std::string& bytes) {
    const std::string refused = "Az eredményeket nem sikerült betölteni innen:\n" + name + "\n\n";
    const std::string kept = "\n\nAz eddigi eredmények változatlanok maradtak.";
    if (bytes.size() > ResultsFileLimit)
        return NoticeJson(false, {ErrorTitle, refused + "A fájl túl nagy." + kept});
    const ResultsReadResult read = ParseResults(bytes);
    if (read.Status != FileStatus::Ok) return NoticeJson(false, {ErrorTitle, refused + read.Error + kept});
    ResultsName = name;
    ApplyResults(Data.Store, Run.RunClock, read.Data, Data.FlyingCount());
    countsShown_ = true;
    for (int which = 0; which < SpectrumCount; ++which) DrawSpectrum(which);
    return NoticeJson(true, {});
}

// ---- helpers -------------------------------------------------------------------------------------

Spectrum& WebFace::SpectrumOf(int which) {
    return which == 1 ? Data.Store.TimeSpectrum : Data.Store.EnergySpectrum;
}

const Spectrum& WebFace::SpectrumOf(int which) const {
    return which == 1 ? Data.Store.TimeSpectrum : Data.Store.EnergySpectrum;
}

const std::vector<double>& WebFace::ValuesOf(int which) const {
    return which == 1 ? Data.Store.TimeValues : Data.Store.EnergyValues;
}

}  // namespace velox::web
