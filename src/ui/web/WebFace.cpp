#include "ui/web/WebFace.h"

#include <emscripten.h>

#include <string_view>
#include <utility>

#include "editor/model/AcceleratorView.h"
#include "editor/model/NumberText.h"
#include "core/model/PhaseWindow.h"
#include "results/app/SpectrumView.h"
#include "ui/web/WebCanvas.h"

namespace velox::web {
namespace {

// clang-format off
EM_JS(void, SelectCanvas, (const char* name), { Module.veloxSelect(UTF8ToString(name)); });
EM_JS(int, MeasureText, (int small, const char* s, int n), { return Module.veloxMeasure(small, UTF8ToString(s, n)); });
EM_JS(int, SmallLineHeight, (), { return Module.veloxSmallHeight(); });
EM_JS(void, PageChanged, (const char* json), { Module.veloxChanged(UTF8ToString(json)); });
EM_JS(void, PageAsk, (int id, const char* json), { Module.veloxAsk(id, UTF8ToString(json)); });
// The export picture as PNG bytes in memory that the caller frees; its
// length in *size.
EM_JS(unsigned char*, ExportPng, (int* size), {
    const bytes = Module.veloxExportPng();
    const at = _malloc(bytes.length);
    HEAPU8.set(bytes, at);
    HEAP32[size >> 2] = bytes.length;
    return at;
});
// clang-format on

// The sizes of the pictures' bitmaps.
constexpr std::int32_t ViewWidth = 607, ViewHeight = 360;
constexpr std::int32_t PhaseWidth = 107, PhaseHeight = 61;

// A JSON text, one member at a time.
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
    void Quote(std::string_view s) { app::AppendJsonString(out_, s); }
    std::string out_;
    bool first_ = true;
};

int Rgb(Colour c) { return (c.R << 16) | (c.G << 8) | c.B; }

std::string ShapeJson(const ShapeState& s) {
    return Json()
        .Bool("visible", s.Visible)
        .Int("left", s.Left)
        .Int("top", s.Top)
        .Int("width", s.Width)
        .Int("height", s.Height)
        .Bool("circle", s.Circle)
        .Int("fill", Rgb(s.Fill))
        .Int("outline", Rgb(s.Outline))
        .Int("outlineWidth", s.OutlineWidth)
        .Int("tag", s.Tag)
        .Int("front", s.FrontStamp)
        .Done();
}

std::string StateJson(const app::ControlState& c) {
    return Json()
        .Str("text", c.Text)
        .Bool("enabled", c.Enabled)
        .Bool("checked", c.Checked)
        .Bool("visible", c.Visible)
        .Int("left", c.Left)
        .Int("item", c.ItemIndex)
        .Int("value", c.Value)
        .Int("selStart", c.SelStart)
        .Int("selLength", c.SelLength)
        .Done();
}

// A plot as the layer laid it out.
void PaintPlot(WebCanvas& canvas, const app::SpectrumView& view, const app::SpectrumPicture& picture) {
    if (!picture.Counts) {
        DrawAxesOn(canvas, view.BitmapWidth(), view.BitmapHeight(), picture.Geometry.Axes);
        return;
    }
    const PageMeasure measure;
    DrawSpectrumOn(canvas, view.BitmapWidth(), view.BitmapHeight(), picture.Geometry,
                   {[&measure](std::string_view s) { return measure.SmallWidth(s); }, measure.SmallHeight()});
}

}  // namespace

// ---- the services --------------------------------------------------------------------

std::int32_t PageMeasure::MainWidth(std::string_view text) const {
    return MeasureText(0, text.data(), static_cast<int>(text.size()));
}

std::int32_t PageMeasure::SmallWidth(std::string_view text) const {
    return MeasureText(1, text.data(), static_cast<int>(text.size()));
}

std::int32_t PageMeasure::SmallHeight() const { return SmallLineHeight(); }

void PageAsker::Ask(app::Question question) {
    const int id = next_++;
    static const char* const kinds[] = {"yesno", "inform", "informPlain", "error"};
    const std::string json = Json()
                                 .Str("type", "question")
                                 .Str("kind", kinds[static_cast<int>(question.Kind)])
                                 .Str("title", question.Title)
                                 .Str("text", question.Text)
                                 .Done();
    Questions.emplace(id, std::move(question));
    PageAsk(id, json.c_str());
}

void PageAsker::Choose(app::FileChoice choice) {
    const int id = next_++;
    static const char* const kinds[] = {"open", "save", "saveChoice"};
    const std::string json = Json()
                                 .Str("type", "file")
                                 .Str("kind", kinds[static_cast<int>(choice.Kind)])
                                 .Str("filter", choice.Filter)
                                 .Int("filterIndex", choice.FilterIndex)
                                 .Str("defaultExt", choice.DefaultExt)
                                 .Done();
    Choices.emplace(id, std::move(choice));
    PageAsk(id, json.c_str());
}

void PageAsker::ShowCavityDialog(app::CavityDialogRequest request) {
    const int id = next_++;
    Json json;
    json.Str("type", "cavity");
    if (request.Texts)
        json.Raw("texts", "[" + Json().Str("t", request.Texts->Edit1).Done() + "," +
                              Json().Str("t", request.Texts->Edit2).Done() + "," +
                              Json().Str("t", request.Texts->Edit3).Done() + "," +
                              Json().Str("t", request.Texts->Edit4).Done() + "]");
    const std::string text = json.Done();
    Dialogs.emplace(id, std::move(request));
    PageAsk(id, text.c_str());
}

FileBytes PageFiles::Read(const std::string& path, std::uint64_t maxBytes) {
    FileBytes out;
    const auto file = Files.find(path);
    if (file == Files.end()) {
        out.Status = FileStatus::Missing;
        out.Error = "A fájl nem létezik: " + path;
    } else if (file->second.size() > maxBytes) {
        out.Error = "A fájl túl nagy: " + path + " (" + FormatInteger(static_cast<long long>(file->second.size())) +
                    " bájt; legfeljebb " + FormatInteger(static_cast<long long>(maxBytes)) + " bájt)";
    } else {
        out.Status = FileStatus::Ok;
        out.Bytes = file->second;
    }
    return out;
}

WriteOutcome PageFiles::Replace(const std::string& path, const std::string& bytes) {
    Downloads.push_back({path, bytes});
    return {true, {}};
}

void PagePainter::Paint(app::Picture picture, const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) {
    const bool view = picture == app::AcceleratorView;
    SelectCanvas(view ? "view" : "phase");
    WebCanvas canvas;
    draw(canvas, view ? ViewWidth : PhaseWidth, view ? ViewHeight : PhaseHeight);
}

std::optional<std::string> PagePainter::SpectraPng() {
    face_.PaintExport();
    int size = 0;
    unsigned char* bytes = ExportPng(&size);
    if (bytes == nullptr) return std::nullopt;
    std::string png(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    free(bytes);
    if (png.empty()) return std::nullopt;
    return png;
}

// ---- the face ---------------------------------------------------------------------------

WebFace::WebFace() {
    App.OnChange = [this](const app::Changes& c) { Changed(c); };
}

void WebFace::PutStartFile(const std::string& bytes) { Files.Files[App.ProgramDir + "teszt02.gydat"] = bytes; }

void WebFace::PutTaskFile(const std::string& bytes, bool fetched) {
    if (fetched)
        Files.Files[App.ProgramDir + "Velox.rtf"] = bytes;
    else
        Files.Files.erase(App.ProgramDir + "Velox.rtf");
}

void WebFace::Layout() { App.Timer1Timer(); }

void WebFace::Activate() { App.FormActivate(); }

bool WebFace::Click(const std::string& name) { return App.Click(name); }

bool WebFace::Check(const std::string& name, bool checked) { return App.Check(name, checked); }

void WebFace::Exit(const std::string& name, bool enter) {
    App.Exit(name, enter ? app::Leave::EnterPressed : app::Leave::FocusMoved);
}

void WebFace::Typed(const std::string& name, const std::string& text) { App.Typed(name, text); }

void WebFace::Focus(const std::string& name) { App.FocusChanged(name); }

void WebFace::SetWindowActive(bool active) { App.SetWindowActive(active); }

void WebFace::Key(bool right) { App.FormKeyDown(right ? app::Window::Key::Right : app::Window::Key::Left); }

void WebFace::ComboChange(int index) { App.ComboBox1Change(index); }

void WebFace::UpDown(const std::string& name, bool up) { App.UpDownClick(name, up); }

void WebFace::ImageMouseDown(const std::string& name, bool right) { App.ImageMouseDown(name, right); }

void WebFace::ShapeMouseUp(int tag) { App.Shape1MouseUp(tag); }

void WebFace::DropTarget(int x) { App.Image1DragDrop(x); }

void WebFace::Timer2() { App.Timer2Timer(); }

void WebFace::Timer3() { App.Timer3Timer(); }

void WebFace::Answer(int id, int answer) {
    const auto q = Asker.Questions.find(id);
    if (q == Asker.Questions.end()) return;
    const app::Question question = std::move(q->second);
    Asker.Questions.erase(q);
    if (question.Then) question.Then(answer == 0 ? app::Answer::Yes : answer == 1 ? app::Answer::No : app::Answer::Ok);
}

void WebFace::Chosen(int id, const std::string& name, int filterIndex) {
    const auto c = Asker.Choices.find(id);
    if (c == Asker.Choices.end()) return;
    const app::FileChoice choice = std::move(c->second);
    Asker.Choices.erase(c);
    if (choice.Then) choice.Then(name, filterIndex);
}

void WebFace::ChoiceCancelled(int id) {
    const auto c = Asker.Choices.find(id);
    if (c == Asker.Choices.end()) return;
    const app::FileChoice choice = std::move(c->second);
    Asker.Choices.erase(c);
    if (choice.Then) choice.Then(std::nullopt, choice.FilterIndex);
}

void WebFace::PutFile(const std::string& name, const std::string& bytes) { Files.Files[name] = bytes; }

void WebFace::CavityClosed(int id, int result, const std::string& e1, const std::string& e2, const std::string& e3,
                           const std::string& e4, bool deleteConfirmed) {
    const auto d = Asker.Dialogs.find(id);
    if (d == Asker.Dialogs.end()) return;
    const app::CavityDialogRequest request = std::move(d->second);
    Asker.Dialogs.erase(d);
    const app::DialogResult how = result == 0   ? app::DialogResult::Ok
                                  : result == 1 ? app::DialogResult::Cancel
                                                : app::DialogResult::Abort;
    if (request.Then) request.Then(how, {e1, e2, e3, e4}, deleteConfirmed);
}

int WebFace::CavityOk(const std::string& e1, const std::string& e2, const std::string& e3,
                      const std::string& e4) const {
    return app::Window::CavityDialogOk({e1, e2, e3, e4}).value_or(-1);
}

void WebFace::CavityDelete(int id) {
    App.CavityDialogDelete([id](bool confirmed) {
        PageAsk(id, Json().Str("type", "cavityDeleted").Bool("confirmed", confirmed).Done().c_str());
    });
}

std::vector<Download> WebFace::TakeDownloads() { return std::exchange(Files.Downloads, {}); }

// ---- what the page is told ------------------------------------------------------------------

void WebFace::Changed(const app::Changes& changes) {
    PaintPlots(changes.Pictures);
    const std::string json = ChangeJson(changes.Controls, changes.Pictures, &changes);
    PageChanged(json.c_str());
}

std::string WebFace::Everything() {
    std::vector<std::string> names;
    for (const auto& [name, state] : App.Controls.All()) names.push_back(name);
    return ChangeJson(names, app::AcceleratorView | app::Markers, nullptr);
}

std::string WebFace::ChangeJson(const std::vector<std::string>& names, std::uint32_t pictures,
                                const app::Changes* changes) {
    std::string controls = "{";
    for (const std::string& name : names) {
        if (controls.size() > 1) controls += ',';
        controls += Json::Quoted(name) + ":" + StateJson(App.Controls[name]);
    }
    controls += "}";
    Json json;
    json.Raw("controls", controls);
    // The marker shapes that changed, whenever the view or its markers
    // were redrawn; all of them for the whole state.
    if (pictures & (app::AcceleratorView | app::Markers)) {
        const VeloxData& d = App.Data;
        std::string shapes;
        const auto add = [&](std::size_t k, const std::string& name, const ShapeState& state) {
            std::string json = ShapeJson(state);
            if (changes && json == shownShapes_[k]) return;
            shapes += (shapes.empty() ? "{" : ",") + Json::Quoted(name) + ":" + json;
            shownShapes_[k] = std::move(json);
        };
        for (std::size_t k = 0; k < MaxCavities; ++k)
            add(k, "Shape" + FormatInteger(static_cast<long long>(k) + 1), d.CavityMarkers[k]);
        for (std::size_t k = 0; k < ParticleCount; ++k)
            add(MaxCavities + k, "Shape" + FormatInteger(static_cast<long long>(k) + 22), d.ParticleMarkers[k]);
        add(MaxCavities + ParticleCount, "Target", d.TargetMarker);
        if (!shapes.empty()) json.Raw("shapes", shapes + "}");
    }
    if (changes) {
        if (changes->Focus) json.Str("focus", *changes->Focus);
        json.Bool("end", changes->EndProgram).Bool("cancelDrag", changes->CancelDrag);
    }
    return json.Done();
}

void WebFace::PaintPlots(std::uint32_t pictures) const {
    const std::pair<const app::SpectrumView*, const char*> plots[] = {{&App.EnergySpectrum(), "energy"},
                                                                      {&App.TimeSpectrum(), "time"}};
    for (const auto& [view, name] : plots) {
        if (!(pictures & view->PictureBit)) continue;
        SelectCanvas(name);
        WebCanvas canvas;
        PaintPlot(canvas, *view, view->Picture());
    }
}

void WebFace::Repaint() {
    {
        SelectCanvas("view");
        WebCanvas canvas;
        DrawAcceleratorView(App.Data, canvas, ViewWidth, ViewHeight);
    }
    {
        SelectCanvas("phase");
        WebCanvas canvas;
        DrawPhaseWindow(canvas, PhaseWidth, PhaseHeight, App.Data.StartPhase, App.Data.StopPhase);
    }
    PaintPlots(App.EnergySpectrum().PictureBit | App.TimeSpectrum().PictureBit);
}

// The plots as they would be drawn now, with the chosen one's marker line.
void WebFace::PaintExport() const {
    const std::pair<const app::SpectrumView*, const char*> halves[] = {{&App.EnergySpectrum(), "export-left"},
                                                                       {&App.TimeSpectrum(), "export-right"}};
    for (const auto& [view, name] : halves) {
        SelectCanvas(name);
        WebCanvas canvas;
        const app::SpectrumPicture picture = view->Fresh();
        PaintPlot(canvas, *view, picture);
        if (view->Chosen()) {
            const std::int32_t x = picture.Geometry.Axes.Marker.LineX;
            canvas.FillRect(x, 0, x + 1, view->BitmapHeight(), colours::Yellow);
        }
    }
}

}  // namespace velox::web
