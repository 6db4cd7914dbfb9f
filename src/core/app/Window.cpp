#include "core/app/Window.h"

#include <algorithm>
#include <utility>

#include "core/model/PhaseWindow.h"
#include "core/model/Readouts.h"
#include "editor/model/AcceleratorView.h"
#include "editor/model/CavityFields.h"
#include "editor/model/NumberFields.h"
#include "editor/model/NumberText.h"
#include "files/model/ExportName.h"
#include "files/model/ReportTable.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"
#include "results/app/SpectrumView.h"

namespace velox::app {

namespace {

const std::string Confirm = "*** MEGEROSÍTÉS ***";
const std::string ErrorTitle = "*** HIBA ***";
const std::string MainTitle = "Lineáris gyorsító szimulációja";

class NullCanvas : public Canvas {
public:
    void FillRect(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Colour) override {}
    void SetPen(Colour, std::int32_t) override {}
    void MoveTo(std::int32_t, std::int32_t) override {}
    void LineTo(std::int32_t, std::int32_t) override {}
    void Ellipse(std::int32_t, std::int32_t, std::int32_t, std::int32_t, Colour) override {}
    void TextOut(std::int32_t, std::int32_t, std::string_view, Colour, Colour) override {}
    void TextOver(std::int32_t, std::int32_t, std::string_view, Colour) override {}
};

// The captions that never change, for the dump of the visible state.
constexpr std::pair<const char*, const char*> FixedCaptions[] = {
    {"Label1", "Gyorsító"},        {"Label5", "Frekvencia:"},
    {"Label6", "Gyorsítófesz: "},  {"GroupBox3", "Aktuális állapot"},
    {"Label27", "Ionforrás"},      {"Label28", "Részecskebelövés      fázisszöge (fok)"},
    {"Label30", "Kezdő"},          {"Label3", "Végső"},
    {"Label2", "Szimuláció"},      {"Label4", "Sebesség"},
    {"Label29", "Idő:"},           {"Label24", "Tájékoztató adatok"},
    {"GroupBox1", "Beérkező részecske"}, {"GroupBox2", "Általános adatok"},
    {"Label7", "Eredmények"},      {"Label8", "Ymax"},
    {"Label9", "Csat.:"},          {"Label14", "Xmin"},
    {"Label15", "Xmax"},           {"Label16", "Ymax"},
    {"Label17", "Csat.:"},         {"Label19", "Xmin"},
    {"Label23", "Xmax"},           {"Gyorstadatai1", "Gyorsító adatai"},
    {"Eredmnyek1", "Eredmények"},
};

}  // namespace

void NullPainter::Paint(Picture, const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) {
    NullCanvas canvas;
    draw(canvas, 0, 0);
}

Window::Scope::~Scope() {
    if (--w_.depth_ == 0 && w_.OnChange && w_.Controls.Pending()) w_.OnChange(w_.Controls.Take());
}

Window::Window(const TextMeasure& measure, Asker& asker, FileStore& files, Painter& painter)
    : Fields(Controls, measure),
      measure_(measure),
      asker_(asker),
      files_(files),
      painter_(painter),
      Form1(Controls.Add("Form1", {.Text = "Lineáris gyorsító"})),
      Timer1(Controls.Add("Timer1", {.Text = "", .Value = 100})),
      Timer2(Controls.Add("Timer2", {.Text = "", .Enabled = false, .Value = 10})),
      Timer3(Controls.Add("Timer3", {.Text = "", .Value = 1000})),
      Button4(Controls.Add("Button4", {.Text = "Új gyorsítóüreg"})),
      Edit1(Controls.Add("Edit1", {.Text = "50"})),
      Edit2(Controls.Add("Edit2", {.Text = "1.00"})),
      UpDown1(Controls.Add("UpDown1", {.Text = "", .Value = Data.FrequencyPosition})),
      Edit3(Controls.Add("Edit3", {.Text = "50"})),
      Edit4(Controls.Add("Edit4", {.Text = "50"})),
      UpDown2(Controls.Add("UpDown2", {.Text = "", .Value = Data.VoltagePosition})),
      Label25(Controls.Add("Label25", {.Text = "Feszültség ="})),
      Label26(Controls.Add("Label26", {.Text = "Fázis ="})),
      Edit13(Controls.Add("Edit13", {.Text = "0"})),
      Edit14(Controls.Add("Edit14", {.Text = "360"})),
      CheckBox1(Controls.Add("CheckBox1", {.Text = "Több részecske", .Checked = Data.MultiParticle})),
      Shape50(Controls.Add("Shape50")),
      Shape51(Controls.Add("Shape51")),
      Shape52(Controls.Add("Shape52")),
      ComboBox1(Controls.Add("ComboBox1", {.Text = "5", .ItemIndex = Run.SpeedIndex})),
      Edit15(Fields.Add("Edit15", "00:00:00", 81)),
      Button2(Controls.Add("Button2", {.Text = "Egy lépés"})),
      Button1(Controls.Add("Button1", {.Text = RunOfferCaption(Run.Offer)})),
      Button3(Controls.Add("Button3", {.Text = "Újraindít"})),
      Label21(Controls.Add("Label21", {.Text = ArrivalEnergyText(Data.Store.LastArrival)})),
      Label22(Controls.Add("Label22", {.Text = ArrivalTimeText(Data.Store.LastArrival)})),
      Label18(Controls.Add("Label18", {.Text = "Emax ="})),
      Label20(Controls.Add("Label20", {.Text = "Összes indított ="})),
      CheckBox4(Controls.Add("CheckBox4", {.Text = "Teszt üzemmód", .Checked = true})),
      Button5(Controls.Add("Button5", {.Text = "Törlés"})),
      Feladat1(Controls.Add("Feladat1", {.Text = "Feladat"})),
      Kirs1(Controls.Add("Kirs1", {.Text = "Mentés"})),
      Kirsmsknt1(Controls.Add("Kirsmsknt1", {.Text = "Mentés másként"})),
      Betlts1(Controls.Add("Betlts1", {.Text = "Betöltés"})),
      Kirs2(Controls.Add("Kirs2", {.Text = "Kiírás"})),
      Kirsmsknt2(Controls.Add("Kirsmsknt2", {.Text = "Kiírás másként"})),
      Betlts2(Controls.Add("Betlts2", {.Text = "Betöltés"})),
      Exportls1(Controls.Add("Exportls1", {.Text = "Exportálás…"})),
      Vge1(Controls.Add("Vge1", {.Text = "Vége"})) {
    for (const auto& [name, caption] : FixedCaptions) Controls.Add(name, {.Text = caption});
    open_ = {FileDialogKind::Open, "Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*", 1, "gydat", {}};
    save_ = {FileDialogKind::Save, "Gyorsító adatfjál|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*", 1, "gydat", {}};
    export_ = {FileDialogKind::SaveChoice, "CSV fájl (*.csv)|*.csv|PNG kép (*.png)|*.png", 1, "csv", {}};

    auto& clicks = Commands.Clicks;
    clicks["Button1"] = [this] { Button1Click(); };
    clicks["Button2"] = [this] { Button2Click(); };
    clicks["Button3"] = [this] { Button3Click(); };
    clicks["Button4"] = [this] { Button4Click(); };
    clicks["Button5"] = [this] { Button5Click(); };
    clicks["CheckBox1"] = [this] { CheckBox1Click(); };
    clicks["CheckBox4"] = [this] { CheckBox4Click(); };
    clicks["RadioButton1"] = clicks["Panel4"] = [this] { RadioButton1Click(); };
    clicks["RadioButton2"] = clicks["Panel5"] = [this] { RadioButton2Click(); };
    clicks["Kirs1"] = [this] { Kirs1Click(); };
    clicks["Kirsmsknt1"] = [this] { Kirsmsknt1Click(); };
    clicks["Betlts1"] = [this] { Betlts1Click(); };
    clicks["Kirs2"] = [this] { Kirs2Click(); };
    clicks["Kirsmsknt2"] = [this] { Kirsmsknt2Click(); };
    clicks["Betlts2"] = [this] { Betlts2Click(); };
    clicks["Exportls1"] = [this] { Exportls1Click(); };
    Commands.Edits["Edit1"] = [this] { Edit1Change(); };
    Commands.Edits["Edit3"] = [this] { Edit3Change(); };
    Commands.Exits["Edit2"] = [this](Leave how) { Edit2Exit(how); };
    Commands.Exits["Edit4"] = [this](Leave how) { Edit4Exit(how); };
    Commands.Exits["Edit13"] = [this](Leave how) { Edit13Exit(how); };
    Commands.Exits["Edit14"] = [this](Leave how) { Edit14Exit(how); };

    const ViewContext context = Context();
    auto energy = std::make_unique<SpectrumView>(context, Data.Store.EnergySpectrum, Data.Store.EnergyValues,
                                                 EnergyNames);
    auto time = std::make_unique<SpectrumView>(context, Data.Store.TimeSpectrum, Data.Store.TimeValues, TimeNames);
    energy_ = energy.get();
    time_ = time.get();
    Register(std::move(energy));
    Register(std::move(time));
    Controls.Take();
}

Window::~Window() = default;

ViewContext Window::Context() {
    return ViewContext{Controls, Fields, measure_, Data, Commands, [this] { RefreshNumberFields(); }};
}

std::uint32_t Window::Register(std::unique_ptr<ResultView> view) {
    view->PictureBit = ResultViewFirst << views_.size();
    views_.push_back(std::move(view));
    return views_.back()->PictureBit;
}

// ---- the face's events ----------------------------------------------------------

bool Window::Click(std::string_view name) {
    const auto command = Commands.Clicks.find(name);
    if (command == Commands.Clicks.end() || (Controls.Has(name) && !Controls[name].Enabled)) return false;
    const Scope scope(*this);
    command->second();
    return true;
}

bool Window::Check(std::string_view name, bool checked) {
    if (!Controls.Has(name) || !Commands.Clicks.contains(name)) return false;
    Controls.Find(name).Checked = checked;
    return Click(name);
}

bool Window::Exit(std::string_view name, Leave how) {
    const auto command = Commands.Exits.find(name);
    if (command == Commands.Exits.end()) return false;
    const Scope scope(*this);
    command->second(how);
    return true;
}

void Window::Typed(std::string_view name, std::string_view text) {
    Controls.Typed(Controls.Find(name), text);
    const auto command = Commands.Edits.find(name);
    if (command == Commands.Edits.end()) return;
    const Scope scope(*this);
    command->second();
}

void Window::FocusChanged(std::string_view name) { Fields.Focused = name; }

void Window::FormKeyDown(Key key) {
    if (key == Key::Other) return;
    const Scope scope(*this);
    const auto chosen = std::find_if(views_.begin(), views_.end(), [](const auto& v) { return v->Chosen(); });
    ResultView& target = chosen != views_.end() ? **chosen : *time_;
    target.MoveMarker(key == Key::Right);
}

void Window::ImageMouseDown(std::string_view name, bool rightButton) {
    const Scope scope(*this);
    (name == "Image2" ? energy_ : time_)->ImageMouseDown(rightButton);
}

void Window::Choose(std::size_t view) {
    for (std::size_t k = 0; k < views_.size(); ++k) views_[k]->SetChosen(k == view);
}

void Window::RadioButton1Click() {
    const Scope scope(*this);
    Choose(0);
}

void Window::RadioButton2Click() {
    const Scope scope(*this);
    Choose(1);
}

// ---- start-up ---------------------------------------------------------------------

// The layout step: the drawing surfaces' places, the axis and the target's
// column, the spectra set up for their bitmaps and drawn empty.
void Window::Timer1Timer(const LayoutSizes& sizes) {
    const Scope scope(*this);
    Controls.SetEnabled(Timer1, false);
    // Timer2's interval follows the speed box from the start.
    Data.Amplitude = StartupDefaults{}.LayoutAmplitude;
    Data.View = ViewGeometry{sizes.ImageLeft, sizes.ImageTop, sizes.Image4Left, sizes.Image4Width};
    Data.AxisY = sizes.ImageTop + 30;
    Data.SetTargetLeft(sizes.TargetLeft);
    DrawPhaseWindow();
    Controls.SetLeft(Shape52, sizes.Image4Left + 2);
    for (const auto& view : views_) view->Layout(sizes.PlotWidth, sizes.PlotHeight);
    Data.ResetParticles();
    DrawAcceleratorView();
    LayoutDone = true;
}

bool Window::FormActivate() {
    if (!LayoutDone || ActivationDone) return false;
    const Scope scope(*this);
    BaseName = velox::BaseName;
    const StartupDefaults defaults;
    Data.InstallDefaultAccelerator(defaults);
    Data.BuildCavities();
    DrawAcceleratorView();

    Data.StartPhase = defaults.StartPhase;
    Data.StopPhase = defaults.StopPhase;
    SetUpDown(UpDown1, Edit1, defaults.FrequencyPosition);
    UpDown1Changing();
    SetUpDown(UpDown2, Edit3, defaults.VoltagePosition);
    UpDown2Changing();

    Data.Store.EnergySpectrum.XMax = defaults.EnergyXMax;
    Data.Store.TimeSpectrum.ChannelWidth = defaults.TimeChannelWidth;
    for (const auto& view : views_) view->Startup();

    LoadAcceleratorData(ProgramDir + "teszt02.gydat");
    UpdateControlStates();
    RefreshNumberFields();
    ActivationDone = true;
    return true;
}

// ---- the run ------------------------------------------------------------------------

void Window::MirrorRunState() {
    Controls.SetText(Button1, RunOfferCaption(Run.Offer));
    Controls.SetEnabled(Timer2, Run.Running);
}

void Window::ShowStepResults() {
    Controls.SetText(Label25, VoltageText(Data.Voltage));
    Controls.SetText(Label26, PhaseText(Data.LastPhase));
    Controls.SetLeft(Shape52, Data.PhaseCursor);
    Controls.SetText(Label18, EnergyMaxText(Data.EnergyMax));
    ShowCounts();
    Controls.SetText(Label21, ArrivalEnergyText(Data.Store.LastArrival));
    Controls.SetText(Label22, ArrivalTimeText(Data.Store.LastArrival));
    DrawAcceleratorView();
}

void Window::ShowCounts() { Controls.SetText(Label20, CountsText(Data.Store.LaunchedCount, Data.Store.ArrivedCount)); }

void Window::ShowRunClock() { Fields.ShowTime(Edit15, Run.RunClock); }

void Window::Timer2Timer() {
    const Scope scope(*this);
    const bool ended = Run.Tick();
    ShowStepResults();
    ShowRunClock();
    if (!ended) return;
    MirrorRunState();
    UpdateControlStates();
    Controls.RequestCancelDrag();
    TimedRunEnd();
}

void Window::Timer3Timer() {
    const Scope scope(*this);
    for (const auto& view : views_) view->Timer3Timer();
}

void Window::Button1Click() {
    const Scope scope(*this);
    Run.ContinueStop();
    MirrorRunState();
    Controls.Repaint(Markers);
    UpdateControlStates();
}

void Window::Button2Click() {
    const Scope scope(*this);
    Data.SimulationStep();
    ShowStepResults();
}

// "Újraindít": the run stops while the clear of the results asks its
// question.  A timed run is graded on what it records from its start, so
// in timed mode results kept by the answer cancel the restart and the run
// is left as it was; a free run restarts whatever the answer.
void Window::Button3Click() {
    const Scope scope(*this);
    const bool wasRunning = Run.Running;
    Run.Running = false;
    MirrorRunState();
    if (Data.Store.IsEmpty()) {
        Restart();
        return;
    }
    Inform(QuestionKind::YesNo, Confirm, "Valóban törölni akarja az eredményeket? ", [this, wasRunning](Answer a) {
        if (a == Answer::Yes) {
            Data.Store.Clear();
            for (const auto& view : views_) view->ResultsCleared();
        } else if (!Run.FreeMode) {
            Run.Running = wasRunning;
            MirrorRunState();
            return;
        }
        Restart();
    });
}

void Window::Restart() {
    Run.Restart();
    MirrorRunState();
    Controls.Repaint(Markers);
    UpdateControlStates();
}

void Window::ComboBox1Change(std::int32_t index) {
    const Scope scope(*this);
    Run.SpeedIndex = std::clamp(index, 0, 4);
    Controls.SetItemIndex(ComboBox1, Run.SpeedIndex);
    Controls.SetText(ComboBox1, FormatInteger(Run.SpeedIndex + 1));
    Controls.SetValue(Timer2, Run.Interval());
}

void Window::CheckBox4Click() {
    const Scope scope(*this);
    Run.SetFreeMode(CheckBox4.Checked);
    MirrorRunState();
    UpdateControlStates();
    RefreshNumberFields();
}

void Window::CheckBox1Click() { Data.MultiParticle = CheckBox1.Checked; }

// "Törlés".  Particles still in flight go on flying and will arrive into
// the cleared results, so they count as launched there.
void Window::Button5Click() {
    const Scope scope(*this);
    if (Data.Store.IsEmpty()) return;
    Inform(QuestionKind::YesNo, Confirm, "Valóban törölni akarja az eredményeket? ", [this](Answer a) {
        if (a != Answer::Yes) return;
        Data.Store.Clear();
        for (const auto& view : views_) view->ResultsCleared();
        Data.Store.LaunchedCount = Data.FlyingCount();
    });
}

void Window::UpdateControlStates() {
    const Scope scope(*this);
    ControlState* locked[] = {&Button3, &Button4, &Button5, &Edit13, &Edit14, &UpDown1, &UpDown2};
    ControlStates current;
    current.Button1 = Button1.Enabled;
    current.Button2 = Button2.Enabled;
    for (std::size_t i = 0; i < current.Locked.size(); ++i) current.Locked[i] = locked[i]->Enabled;
    const ControlStates next = velox::UpdateControlStates(Run.State(), current);
    Controls.SetEnabled(Button1, next.Button1);
    Controls.SetEnabled(Button2, next.Button2);
    for (std::size_t i = 0; i < next.Locked.size(); ++i) Controls.SetEnabled(*locked[i], next.Locked[i]);
    for (ControlState* command : {&Betlts1, &Betlts2, &Exportls1}) Controls.SetEnabled(*command, next.LoadCommands);
}

// ---- the accelerator and the generator -------------------------------------------------

void Window::RefreshNumberFields() {
    const Scope scope(*this);
    for (const auto& view : views_) view->ShowNumberFields();
    ApplySpinnerPositions();
    Controls.SetText(Form1, MainTitle);
}

void Window::ApplySpinnerPositions() {
    Data.SetFrequencyPosition(UpDown1.Value);
    Data.SetVoltagePosition(UpDown2.Value);
}

void Window::DrawAcceleratorView() {
    const Scope scope(*this);
    Repaint(AcceleratorView);
    PlaceCavityMarkers();
}

void Window::Repaint(Picture picture) {
    const Scope scope(*this);
    if (picture == AcceleratorView)
        painter_.Paint(AcceleratorView, [this](Canvas& canvas, std::int32_t width, std::int32_t height) {
            velox::DrawAcceleratorView(Data, canvas, width, height);
        });
    else
        painter_.Paint(PhaseWindow, [this](Canvas& canvas, std::int32_t width, std::int32_t height) {
            velox::DrawPhaseWindow(canvas, width, height, Data.StartPhase, Data.StopPhase);
        });
    Controls.Repaint(picture);
}

void Window::PlaceCavityMarkers() {
    Data.PlaceCavityMarkers();
    Controls.Repaint(Markers);
    DrawPhaseWindow();
}

void Window::DrawPhaseWindow() {
    const Scope scope(*this);
    Repaint(PhaseWindow);
    const PhasePanelState panel = PhasePanelFor(Data.View.Image4Left, Data.View.Image4Width, Data.StartPhase,
                                                Data.StopPhase);
    Controls.SetLeft(Shape50, panel.StartMarkerLeft);
    Controls.SetLeft(Shape51, panel.StopMarkerLeft);
    Controls.SetText(Edit13, panel.StartText);
    Controls.SetText(Edit14, panel.StopText);
}

void Window::SetUpDown(ControlState& upDown, ControlState& associate, std::int32_t position) {
    Controls.SetValue(upDown, std::clamp(position, VeloxData::SpinnerMin, VeloxData::SpinnerMax));
    Controls.SetText(associate, FormatInteger(upDown.Value));
}

void Window::UpDownClick(std::string_view name, bool up) {
    const Scope scope(*this);
    const bool frequency = name == "UpDown1";
    ControlState& upDown = frequency ? UpDown1 : UpDown2;
    if (!upDown.Enabled) return;
    const std::int32_t before = upDown.Value;
    SetUpDown(upDown, frequency ? Edit1 : Edit3, before + (up ? 1 : -1));
    if (upDown.Value == before) return;
    if (frequency)
        UpDown1Changing();
    else
        UpDown2Changing();
}

// The position fields change with every spinner click.  The spinner takes
// its position from the field's text, as a bound spinner does; a text that
// is not a whole number is reported and changes nothing.
void Window::Edit1Change() {
    const Scope scope(*this);
    if (TakePosition(Edit1, UpDown1)) UpDown1Changing();
}

void Window::Edit3Change() {
    const Scope scope(*this);
    if (TakePosition(Edit3, UpDown2)) UpDown2Changing();
}

bool Window::TakePosition(ControlState& field, ControlState& upDown) {
    const auto p = ParseWholeNumber(field.Text);
    if (!p) {
        Inform(QuestionKind::Error, Form1.Text, "'" + field.Text + "' nem érvényes egész szám.");
        return false;
    }
    SetUpDown(upDown, field, *p);
    return true;
}

void Window::UpDown1Changing() {
    const Scope scope(*this);
    Data.SetFrequencyPosition(UpDown1.Value);
    Controls.SetText(Edit2, FormatGeneral(Data.Frequency));
    RefreshNumberFields();
}

void Window::UpDown2Changing() {
    const Scope scope(*this);
    Data.SetVoltagePosition(UpDown2.Value);
    Controls.SetText(Edit4, FormatGeneral(Data.Amplitude));
    RefreshNumberFields();
}

void Window::Edit2Exit(Leave how) {
    const Scope scope(*this);
    Fields.LeaveField(
        Edit2, how, FrequencyDisplayPosition(Edit2.Text),
        [this](std::int32_t p) {
            SetUpDown(UpDown1, Edit1, p);
            UpDown1Changing();
        },
        [] {});
}

void Window::Edit4Exit(Leave how) {
    const Scope scope(*this);
    Fields.LeaveField(
        Edit4, how, VoltageDisplayPosition(Edit4.Text),
        [this](std::int32_t p) {
            SetUpDown(UpDown2, Edit3, p);
            UpDown2Changing();
        },
        [] {});
}

void Window::Edit13Exit(Leave how) {
    const Scope scope(*this);
    Fields.LeaveField(
        Edit13, how, AcceptStartPhase(Edit13.Text, Data.StopPhase), [this](double v) { Data.StartPhase = v; },
        [this] { PlaceCavityMarkers(); });
}

void Window::Edit14Exit(Leave how) {
    const Scope scope(*this);
    Fields.LeaveField(
        Edit14, how, AcceptStopPhase(Edit14.Text, Data.StartPhase), [this](double v) { Data.StopPhase = v; },
        [this] { PlaceCavityMarkers(); });
}

// "Új gyorsítóüreg": the dialog with whatever its fields hold; the limit is
// tested only once the dialog has been confirmed.
void Window::Button4Click() {
    const Scope scope(*this);
    asker_.ShowCavityDialog({std::nullopt, Later([this](DialogResult result, const CavityDialogTexts& texts, bool) {
                                 if (result != DialogResult::Ok) return;
                                 if (Data.Cavities.CavityCount() >= MaxEditorCavities) {
                                     Inform(QuestionKind::Inform, "*** TÁJÉKOZTATÁS ***",
                                            "Nem lehet ilyen sok gyorsítóelektródot alkalmazni!");
                                     return;
                                 }
                                 const auto sizes = CavitySizesOf(texts);
                                 if (!sizes) return;
                                 Data.Cavities.Append(*sizes);
                                 Data.BuildCavities();
                                 DrawAcceleratorView();
                                 UpdateControlStates();
                                 RefreshNumberFields();
                             })});
}

// Edits or deletes the cavity whose marker received the release.  The
// simulation goes on while the dialog is open; the new sizes take effect
// when it has closed.
void Window::Shape1MouseUp(std::int32_t tag) {
    if (tag < 0 || tag >= Data.Cavities.CavityCount()) return;
    const Scope scope(*this);
    const CavityDialogTexts shown = CavityFieldTextsOf(Data.Cavities[static_cast<std::size_t>(tag)]);
    asker_.ShowCavityDialog(
        {shown, Later([this, tag](DialogResult result, const CavityDialogTexts& texts, bool deleteConfirmed) {
             bool removed = false;
             if (tag < Data.Cavities.CavityCount()) {
                 if (result == DialogResult::Ok) {
                     if (const auto sizes = CavitySizesOf(texts))
                         Data.Cavities[static_cast<std::size_t>(tag)] = *sizes;
                 } else if (result == DialogResult::Abort && deleteConfirmed) {
                     Data.Cavities.Remove(tag);
                     removed = true;
                 }
             }
             Data.BuildCavities();
             DrawAcceleratorView();
             // A delete can change whether there is anything to run.
             if (removed) UpdateControlStates();
         })});
}

// The target lands on the axis, its middle column at the drop column.
void Window::Image1DragDrop(std::int32_t x) {
    const Scope scope(*this);
    // The drawing puts the target's top on the axis.
    Data.SetTargetLeft(Data.View.ImageLeft + x - Data.TargetMarker.Width / 2);
    DrawAcceleratorView();
}

// ---- questions -----------------------------------------------------------------------------

void Window::Inform(QuestionKind kind, std::string title, std::string text, std::function<void(Answer)> then) {
    Question q{kind, std::move(title), std::move(text), {}};
    if (then) q.Then = Later(std::move(then));
    asker_.Ask(std::move(q));
}

void Window::FileError(const std::string& what, const std::string& path, const std::string& reason) {
    Inform(QuestionKind::Error, ErrorTitle, what + "\n" + path + "\n\n" + reason);
}

// ---- the files ----------------------------------------------------------------------------

// The path becomes SetupPath before it is known whether the file exists,
// so that a missing start-up file is created by the next "Mentés".
void Window::LoadAcceleratorData(const std::string& path) {
    const Scope scope(*this);
    const FileBytes file = files_.Read(path, SetupFileLimit);
    if (file.Status == FileStatus::Failed) {
        FileError("A gyorsító adatait nem sikerült betölteni innen:", path, file.Error);
        return;
    }
    bool warn = false;
    if (file.Status == FileStatus::Ok) {
        const SetupData setup = ParseSetup(file.Bytes);
        ApplySetup(Data, setup);
        warn = setup.ShowCountWarning();
    } else {
        // Without a file the two cavities of the default set-up are expected.
        warn = Data.Cavities.CavityCount() != 2;
        Data.BuildCavities();
    }
    SetupPath = path;
    ShowSetupControls();
    DrawAcceleratorView();
    UpdateControlStates();
    if (warn) Inform(QuestionKind::InformPlain, CountWarningTitle, CountWarningText);
}

// Both spinners are set before either is applied: each apply takes both
// positions from the spinners.
void Window::ShowSetupControls() {
    const std::int32_t frequency = Data.FrequencyPosition;
    const std::int32_t voltage = Data.VoltagePosition;
    SetUpDown(UpDown1, Edit1, frequency);
    SetUpDown(UpDown2, Edit3, voltage);
    UpDown1Changing();
    UpDown2Changing();
    Controls.SetChecked(CheckBox1, Data.MultiParticle);
}

std::string Window::WriteSetup() {
    ApplySpinnerPositions();
    const WriteOutcome w = files_.Replace(SetupPath, FormatSetup(Data));
    return w.Ok ? std::string() : w.Error;
}

std::string Window::WriteResults() {
    const WriteOutcome w = files_.Replace(ResultsPath, FormatResults(Data.Store, Run.RunClock));
    return w.Ok ? std::string() : w.Error;
}

void Window::Kirs1Click() {
    const Scope scope(*this);
    if (SetupPath.empty()) return Kirsmsknt1Click();
    const std::string error = WriteSetup();
    if (!error.empty())
        Inform(QuestionKind::Error, ErrorTitle,
               "A gyorsító adatait nem sikerült kiírni ide:\n" + SetupPath + "\n\n" + error);
}

// The save dialog keeps the filter list it was last given: after "Kiírás
// másként" that is the results' two-entry list.
void Window::Kirsmsknt1Click() {
    const Scope scope(*this);
    save_.DefaultExt = "gydat";
    FileChoice c = save_;
    c.Then = Later([this](std::optional<std::string> name, std::int32_t) {
        if (!name) return;
        SetupPath = *name;
        Kirs1Click();
    });
    asker_.Choose(std::move(c));
}

void Window::Betlts1Click() {
    const Scope scope(*this);
    open_.FilterIndex = 1;
    FileChoice c = open_;
    c.Then = Later([this](std::optional<std::string> name, std::int32_t) {
        if (name) LoadAcceleratorData(*name);
    });
    asker_.Choose(std::move(c));
}

void Window::Kirs2Click() {
    const Scope scope(*this);
    if (ResultsPath.empty()) return Kirsmsknt2Click();
    const std::string error = WriteResults();
    if (!error.empty())
        Inform(QuestionKind::Error, ErrorTitle,
               "Az eredményeket nem sikerült kiírni ide:\n" + ResultsPath + "\n\n" + error);
}

void Window::Kirsmsknt2Click() {
    const Scope scope(*this);
    save_.Filter = "Eredmény fájlok (*.edat)|*.edat|Minden file (*.*)|*.*";
    save_.DefaultExt = "edat";
    FileChoice c = save_;
    c.Then = Later([this](std::optional<std::string> name, std::int32_t) {
        if (!name) return;
        ResultsPath = *name;
        Kirs2Click();
    });
    asker_.Choose(std::move(c));
}

void Window::Betlts2Click() {
    const Scope scope(*this);
    open_.FilterIndex = 2;
    FileChoice c = open_;
    c.Then = Later([this](std::optional<std::string> name, std::int32_t) {
        if (name) ResultsRead(*name, files_.Read(*name, ResultsFileLimit));
    });
    asker_.Choose(std::move(c));
}

// Loaded results: the "Auto" boxes, the number fields, the plots, the
// counts and the run clock show them.
void Window::ResultsRead(const std::string& path, const FileBytes& file) {
    ResultsReadResult read;
    read.Error = file.Error;
    if (file.Status == FileStatus::Ok) {
        read = ParseResults(file.Bytes);
        if (read.Status != FileStatus::Ok) read.Error = path + ": " + read.Error;
    }
    if (read.Status != FileStatus::Ok) {
        FileError("Az eredményeket nem sikerült betölteni innen:", path,
                  read.Error + "\n\nAz eddigi eredmények változatlanok maradtak.");
        return;
    }
    ResultsPath = path;
    ApplyResults(Data.Store, Run.RunClock, read.Data, Data.FlyingCount());
    for (const auto& view : views_) view->ResultsLoaded();
    RefreshNumberFields();
    for (const auto& view : views_) view->Redraw();
    ShowCounts();
    ShowRunClock();
}

// Both files under the base name in the working folder and the closing
// message; then the program ends.  When a file cannot be written the
// program says which and why and stays open, so that the results still in
// memory can be saved from the menu.
void Window::TimedRunEnd() {
    SetupPath = BaseName + ".gydat";
    const std::string setupError = WriteSetup();
    ResultsPath = BaseName + ".edat";
    const std::string resultsError = WriteResults();
    if (setupError.empty() && resultsError.empty()) {
        Inform(QuestionKind::Inform, "*** INFORMÁCIÓ ***", "Az adatok kiírásra kerültek", [this](Answer) {
            Ended = true;
            Controls.RequestEnd();
        });
        return;
    }
    std::string text = "A mérés véget ért, de nem minden adatot sikerült kiírni.\n";
    if (!setupError.empty()) text += "\nA gyorsító adatai (" + SetupPath + "):\n" + setupError + "\n";
    if (!resultsError.empty()) text += "\nAz eredmények (" + ResultsPath + "):\n" + resultsError + "\n";
    text +=
        "\nA program nyitva marad, az adatok megmaradtak: a „Gyorsító adatai” menü „Mentés másként” és az "
        "„Eredmények” menü „Kiírás másként” parancsával menthetők el egy írható helyre.";
    Inform(QuestionKind::Error, ErrorTitle, text);
}

// "Exportálás…": the arrivals as CSV, or both plots as a PNG picture,
// whichever the name's suffix (or else the chosen filter) says.  The file
// is replaced only once the whole text or picture is ready.
void Window::Exportls1Click() {
    const Scope scope(*this);
    export_.DefaultExt = export_.FilterIndex == 2 ? "png" : "csv";
    FileChoice c = export_;
    c.Then = Later([this](std::optional<std::string> name, std::int32_t filterIndex) {
        if (!name) return;
        const auto chosen = filterIndex == 2 ? ExportFormat::Png : ExportFormat::Csv;
        const ExportTarget target = ExportTargetFor(*name, chosen);
        const bool png = target.Format == ExportFormat::Png;
        export_.FilterIndex = png ? 2 : 1;
        // The dialog asked before replacing the name it confirmed, not this one.
        if (target.Path != *name && files_.Exists(target.Path)) {
            Inform(QuestionKind::YesNo, Confirm,
                   "Ez a fájl már létezik:\n" + target.Path + "\nValóban felül akarja írni?",
                   [this, path = target.Path, png](Answer a) {
                       if (a == Answer::Yes) Export(path, png);
                   });
            return;
        }
        Export(target.Path, png);
    });
    asker_.Choose(std::move(c));
}

void Window::Export(const std::string& path, bool png) {
    std::string bytes;
    if (png) {
        const std::optional<std::string> picture = painter_.SpectraPng();
        if (!picture) {
            Inform(QuestionKind::Error, ErrorTitle, "A képet nem sikerült elkészíteni ehhez a fájlhoz:\n" + path);
            return;
        }
        bytes = *picture;
    } else {
        bytes = FormatCsv(ArrivalsTable(Data.Store));
    }
    const WriteOutcome w = files_.Replace(path, bytes);
    if (!w.Ok)
        Inform(QuestionKind::Error, ErrorTitle,
               "Az eredményeket nem sikerült exportálni ide:\n" + path + "\n\n" + w.Error);
}

RtfText Window::TaskText() {
    const std::string path = ProgramDir + "Velox.rtf";
    const FileBytes file = files_.Read(path, TaskTextLimit);
    if (file.Status == FileStatus::Ok) return ReadRtf(file.Bytes);
    if (file.Status == FileStatus::Failed)
        Inform(QuestionKind::Error, ErrorTitle, "A feladat szövegét nem sikerült beolvasni:\n" + path + "\n" + file.Error);
    return {};
}

std::optional<std::int32_t> Window::CavityDialogOk(const CavityDialogTexts& texts) {
    return FirstRefusedCavityField(texts);
}

void Window::CavityDialogDelete(std::function<void(bool confirmed)> close) {
    asker_.Ask({QuestionKind::YesNo, Confirm, "Valóban törölni akarod ezeket az elektródákat?",
                [close = std::move(close)](Answer a) { close(a == Answer::Yes); }});
}

}  // namespace velox::app
