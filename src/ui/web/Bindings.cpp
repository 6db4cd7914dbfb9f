// The page's entry into the module: the face with its methods, the files as
// byte arrays, the exercise text through the model's RTF reader, the
// controls' help texts, the window's layout and the count-axis rule of the
// automatic scale.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

#include "results/model/PlotGeometry.h"
#include "ui/app/Layout.h"
#include "ui/model/ControlHints.h"
#include "ui/model/RtfReader.h"
#include "ui/web/WebFace.h"

using emscripten::val;
using velox::web::WebFace;

namespace {

val Bytes(const std::string& s) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(s.size(), reinterpret_cast<const unsigned char*>(s.data())));
}

// [{name, bytes}, …] of the files written since the last call.
val TakeDownloads(WebFace& f) {
    val out = val::array();
    for (const velox::web::Download& d : f.TakeDownloads()) {
        val file = val::object();
        file.set("name", d.Name);
        file.set("bytes", Bytes(d.Bytes));
        out.call<void>("push", file);
    }
    return out;
}

// The exercise text as the layer reads it, as paragraphs of runs for the
// page to build its view.
val TaskText(WebFace& face) {
    const velox::RtfText text = face.App.TaskText();
    val paragraphs = val::array();
    static const char* const alignments[] = {"left", "center", "right", "justify"};
    for (const velox::RtfParagraph& p : text.Paragraphs) {
        val para = val::object();
        para.set("align", alignments[static_cast<int>(p.Alignment)]);
        para.set("left", p.LeftIndent);
        para.set("right", p.RightIndent);
        para.set("first", p.FirstLineIndent);
        para.set("before", p.SpaceBefore);
        para.set("after", p.SpaceAfter);
        val runs = val::array();
        for (const velox::RtfRun& r : p.Runs) {
            val run = val::object();
            run.set("text", r.Text);
            run.set("bold", r.Bold);
            run.set("italic", r.Italic);
            run.set("underline", r.Underline);
            run.set("size", r.FontSize);
            if (r.Color) run.set("color", (r.Color->Red << 16) | (r.Color->Green << 8) | r.Color->Blue);
            runs.call<void>("push", run);
        }
        para.set("runs", runs);
        paragraphs.call<void>("push", para);
    }
    return paragraphs;
}

// The count-axis top that the automatic scale gives for a highest count.
int AutoCountAxisTop(int maxCount) {
    velox::Spectrum s;
    velox::AutoScaleY(s, maxCount);
    return s.YMax;
}

std::string Hint(const std::string& window, const std::string& control) {
    return std::string(velox::ControlHintOf(window, control));
}

// The main window's controls and their places as JSON (ui/app/Layout.h).
std::string MainLayoutJson() { return velox::app::LayoutJson(velox::app::MainLayout()); }
std::string CavityDialogJson() { return velox::app::LayoutJson(velox::app::CavityDialogLayout()); }
std::string QuitDialogJson() { return velox::app::LayoutJson(velox::app::QuitDialogLayout()); }
std::string TaskWindowJson() { return velox::app::LayoutJson(velox::app::TaskWindowLayout()); }

}  // namespace

EMSCRIPTEN_BINDINGS(velox_web) {
    using emscripten::class_;
    using emscripten::function;
    class_<WebFace>("WebFace")
        .constructor<>()
        .function("putStartFile", &WebFace::PutStartFile)
        .function("putTaskFile", &WebFace::PutTaskFile)
        .function("layout", &WebFace::Layout)
        .function("activate", &WebFace::Activate)
        .function("click", &WebFace::Click)
        .function("check", &WebFace::Check)
        .function("exit", &WebFace::Exit)
        .function("typed", &WebFace::Typed)
        .function("focus", &WebFace::Focus)
        .function("setWindowActive", &WebFace::SetWindowActive)
        .function("key", &WebFace::Key)
        .function("comboChange", &WebFace::ComboChange)
        .function("upDown", &WebFace::UpDown)
        .function("imageMouseDown", &WebFace::ImageMouseDown)
        .function("shapeMouseUp", &WebFace::ShapeMouseUp)
        .function("dropTarget", &WebFace::DropTarget)
        .function("timer2", &WebFace::Timer2)
        .function("timer3", &WebFace::Timer3)
        .function("answer", &WebFace::Answer)
        .function("chosen", &WebFace::Chosen)
        .function("choiceCancelled", &WebFace::ChoiceCancelled)
        .function("putFile", &WebFace::PutFile)
        .function("cavityClosed", &WebFace::CavityClosed)
        .function("cavityOk", &WebFace::CavityOk)
        .function("cavityDelete", &WebFace::CavityDelete)
        .function("dump", &WebFace::Dump)
        .function("everything", &WebFace::Everything)
        .function("takeDownloads", &TakeDownloads)
        .function("repaint", &WebFace::Repaint)
        .function("setupPath", &WebFace::SetupPath)
        .function("resultsPath", &WebFace::ResultsPath)
        .function("setSetupPath", &WebFace::SetSetupPath);
    function("taskText", &TaskText);
    function("autoCountAxisTop", &AutoCountAxisTop);
    function("hint", &Hint);
    function("layout", &MainLayoutJson);
    function("cavityDialogLayout", &CavityDialogJson);
    function("quitDialogLayout", &QuitDialogJson);
    function("taskWindowLayout", &TaskWindowJson);
}
