// The page's face on the application layer: the layer's window with the
// services a page can give it.  Text is measured and pictures are drawn by
// the page's script on its canvases; questions, file choices and the cavity
// dialog go to the page, which answers them later by their number; files
// written are handed to the page as downloads and files read are the ones
// the page put here (the start-up set-up it fetched, the files the user
// picked).  Every change of the layer's state reaches the page as JSON.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/app/Window.h"

namespace velox::web {

class PageMeasure final : public app::TextMeasure {
public:
    std::int32_t MainWidth(std::string_view text) const override;
    std::int32_t SmallWidth(std::string_view text) const override;
    std::int32_t SmallHeight() const override;
};

// Pending questions, file choices and cavity dialogs by number.
class PageAsker final : public app::Asker {
public:
    void Ask(app::Question question) override;
    void Choose(app::FileChoice choice) override;
    void ShowCavityDialog(app::CavityDialogRequest request) override;

    std::map<int, app::Question> Questions;
    std::map<int, app::FileChoice> Choices;
    std::map<int, app::CavityDialogRequest> Dialogs;

private:
    int next_ = 1;
};

struct Download {
    std::string Name;
    std::string Bytes;
};

class PageFiles final : public app::FileStore {
public:
    FileBytes Read(const std::string& path, std::uint64_t maxBytes) override;
    WriteOutcome Replace(const std::string& path, const std::string& bytes) override;
    // The browser cannot tell what lies in the user's download folder.
    bool Exists(const std::string&) override { return false; }

    std::map<std::string, std::string> Files;  // read by name
    std::vector<Download> Downloads;            // written, waiting for a user action
};

class WebFace;

class PagePainter final : public app::Painter {
public:
    explicit PagePainter(WebFace& face) : face_(face) {}
    void Paint(app::Picture picture, const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) override;
    std::optional<std::string> SpectraPng() override;

private:
    WebFace& face_;
};

class WebFace {
public:
    WebFace();

    // ---- start-up -----------------------------------------------------------
    // The start-up set-up fetched beside the page, read where the layer
    // reads "teszt02.gydat"; the page names its file afterwards
    // (SetSetupPath) when it came from another name.
    void PutStartFile(const std::string& bytes);
    // The exercise text as the page fetched it beside itself, or none (a
    // failed fetch), where the layer reads "Velox.rtf".
    void PutTaskFile(const std::string& bytes, bool fetched);
    void Layout();    // Timer1
    void Activate();  // the first activation, with the start-up set-up

    // ---- the page's events ----------------------------------------------------
    bool Click(const std::string& name);
    bool Check(const std::string& name, bool checked);
    void Exit(const std::string& name, bool enter);
    void Typed(const std::string& name, const std::string& text);
    void Focus(const std::string& name);
    void SetWindowActive(bool active);
    void Key(bool right);
    void ComboChange(int index);
    void UpDown(const std::string& name, bool up);
    void ImageMouseDown(const std::string& name, bool right);
    void ShapeMouseUp(int tag);
    void DropTarget(int x);
    void Timer2();
    void Timer3();

    // ---- answers -------------------------------------------------------------------
    void Answer(int id, int answer);  // 0 Yes, 1 No, 2 OK
    // A file chosen (`name`, with the filter index from 1) or cancelled.
    void Chosen(int id, const std::string& name, int filterIndex);
    void ChoiceCancelled(int id);
    void PutFile(const std::string& name, const std::string& bytes);
    // The cavity dialog closed: 0 OK, 1 Cancel, 2 by the delete button.
    void CavityClosed(int id, int result, const std::string& e1, const std::string& e2, const std::string& e3,
                      const std::string& e4, bool deleteConfirmed);
    // The cavity dialog's OK: the first refused field (0 … 3), which the
    // page selects, or -1: the dialog closes.
    int CavityOk(const std::string& e1, const std::string& e2, const std::string& e3, const std::string& e4) const;
    // Its delete button: the layer asks; with the answer the page is told
    // {"type": "cavityDeleted", "confirmed": …} under the dialog's id.
    void CavityDelete(int id);

    // ---- state for the page -----------------------------------------------------
    std::string Dump() const { return App.Controls.Dump(); }
    // Every control, as a change naming all of them.
    std::string Everything();
    // The files written since the last call, to download now.
    std::vector<Download> TakeDownloads();
    // The pictures drawn again as they stand (after the page's scale changed).
    void Repaint();
    std::string SetupPath() const { return App.SetupPath; }
    std::string ResultsPath() const { return App.ResultsPath; }
    void SetSetupPath(const std::string& path) { App.SetupPath = path; }

    // Both plots for the export picture, on the canvases "export-left" and
    // "export-right".
    void PaintExport() const;

    PageMeasure Measure;
    PageAsker Asker;
    PageFiles Files;
    PagePainter Painter{*this};
    app::Window App{Measure, Asker, Files, Painter};

private:
    void Changed(const app::Changes& changes);
    void PaintPlots(std::uint32_t pictures) const;
    // The changed controls' states and marker shapes; `changes` is null for
    // the whole state.
    std::string ChangeJson(const std::vector<std::string>& names, std::uint32_t pictures,
                           const app::Changes* changes);
    // The marker shapes as the page was last told them: cavities, particles, target.
    std::array<std::string, MaxCavities + ParticleCount + 1> shownShapes_;
};

}  // namespace velox::web
