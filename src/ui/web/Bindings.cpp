// The page's entry into the module: WebFace with its methods, the binary
// files as byte arrays, the exercise text through the model's RTF reader,
// and the count-axis rule of the automatic scale.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

#include "editor/model/NumberText.h"
#include "results/model/PlotGeometry.h"
#include "ui/model/ControlHints.h"
#include "ui/model/RtfReader.h"
#include "ui/web/WebFace.h"

using emscripten::val;
using velox::web::WebFace;

namespace {

val Bytes(const std::string& s) {
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(s.size(), reinterpret_cast<const unsigned char*>(s.data())));
}

val SetupBytes(const WebFace& f) { return Bytes(f.SetupBytes()); }
val ResultsBytes(const WebFace& f) { return Bytes(f.ResultsBytes()); }
val CsvBytes(const WebFace& f) { return Bytes(f.CsvBytes()); }
val EndSetupBytes(const WebFace& f) { return Bytes(f.EndSetupBytes); }
val EndResultsBytes(const WebFace& f) { return Bytes(f.EndResultsBytes); }
std::string SetupName(const WebFace& f) { return f.SetupName; }
std::string ResultsName(const WebFace& f) { return f.ResultsName; }
void SetSetupName(WebFace& f, const std::string& name) { f.SetupName = name; }
void SetResultsName(WebFace& f, const std::string& name) { f.ResultsName = name; }

// The exercise text as paragraphs of runs, for the page to build its view.
val ReadRtfText(const std::string& bytes) {
    const velox::RtfText text = velox::ReadRtf(bytes);
    val paragraphs = val::array();
    for (const velox::RtfParagraph& p : text.Paragraphs) {
        val para = val::object();
        static const char* const alignments[] = {"left", "center", "right", "justify"};
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

}  // namespace

EMSCRIPTEN_BINDINGS(velox_web) {
    using emscripten::class_;
    using emscripten::function;
    class_<WebFace>("WebFace")
        .constructor<>()
        .function("start", &WebFace::Start)
        .function("state", &WebFace::State)
        .function("running", &WebFace::Running)
        .function("interval", &WebFace::Interval)
        .function("tick", &WebFace::Tick)
        .function("redrawCounted", &WebFace::RedrawCounted)
        .function("drawView", &WebFace::DrawView)
        .function("drawPhase", &WebFace::DrawPhase)
        .function("drawSpectrum", &WebFace::DrawSpectrum)
        .function("repaint", &WebFace::Repaint)
        .function("drawExportPicture", &WebFace::DrawExportPicture)
        .function("exportTarget", &WebFace::ExportTarget)
        .function("setSetupName", &SetSetupName)
        .function("setResultsName", &SetResultsName)
        .function("continueStop", &WebFace::ContinueStop)
        .function("step", &WebFace::Step)
        .function("restart", &WebFace::Restart)
        .function("restartAnswer", &WebFace::RestartAnswer)
        .function("setSpeed", &WebFace::SetSpeed)
        .function("setFreeMode", &WebFace::SetFreeMode)
        .function("clearAsks", &WebFace::ClearAsks)
        .function("clearAnswer", &WebFace::ClearAnswer)
        .function("setAuto", &WebFace::SetAuto)
        .function("choose", &WebFace::Choose)
        .function("moveMarker", &WebFace::MoveMarker)
        .function("statistics", &WebFace::Statistics)
        .function("leaveField", &WebFace::LeaveField)
        .function("setSpinner", &WebFace::SetSpinner)
        .function("setMultiParticle", &WebFace::SetMultiParticle)
        .function("cavityTexts", &WebFace::CavityTexts)
        .function("firstRefused", &WebFace::FirstRefused)
        .function("addCavity", &WebFace::AddCavity)
        .function("editCavity", &WebFace::EditCavity)
        .function("deleteCavity", &WebFace::DeleteCavity)
        .function("cavityDialogClosed", &WebFace::CavityDialogClosed)
        .function("dropTarget", &WebFace::DropTarget)
        .function("setupBytes", &SetupBytes)
        .function("resultsBytes", &ResultsBytes)
        .function("csvBytes", &CsvBytes)
        .function("endSetupBytes", &EndSetupBytes)
        .function("endResultsBytes", &EndResultsBytes)
        .function("setupName", &SetupName)
        .function("resultsName", &ResultsName)
        .function("loadSetup", &WebFace::LoadSetup)
        .function("loadResults", &WebFace::LoadResults);
    function("readRtf", &ReadRtfText);
    function("autoCountAxisTop", &AutoCountAxisTop);
    function("hint", &Hint);
}
