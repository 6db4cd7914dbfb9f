// The state of the controls a face shows, kept by the application layer
// under the controls' names ("Button1", "Edit13", "CheckBox4" …), with
// what changed since the face last looked.  A face creates its controls at
// their places, shows what this state says, and forwards the user's events
// to the layer's commands; it never decides a caption, an enabled state or
// a field text itself.
//
// The layer is plain C++: no toolkit, no threads, no file access.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/CavityFields.h"

namespace velox::app {

// What a control shows.  Not every member means something for every kind
// of control: Text is a button's or label's caption, a field's text or a
// window's title; Left moves a shape or a marker line; ItemIndex is a
// drop-down list's choice; Value a spinner's position or a timer's interval
// (a timer runs while Enabled); SelStart/SelLength a field's selection, in
// characters.
struct ControlState {
    std::string Text;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    std::int32_t Left = 0;
    std::int32_t ItemIndex = -1;
    std::int32_t Value = 0;  // a spinner's position, a timer's interval
    std::int32_t SelStart = 0;
    std::int32_t SelLength = 0;
    friend bool operator==(const ControlState&, const ControlState&) = default;
};

// The pictures a face paints from the model; a face repaints only those
// named in a change.
enum Picture : std::uint32_t {
    PictureNone = 0,
    AcceleratorView = 1u << 0,  // Image1 and its markers (Shape1 … Shape42, Target)
    PhaseWindow = 1u << 1,      // Image4
    Markers = 1u << 2,          // the marker shapes of the view, without a redraw of Image1
    // The result views' plots: bit (ResultViewFirst << k) for the k-th
    // registered view.
    ResultViewFirst = 1u << 8,
};

// What changed: the names of the controls whose state changed (each once,
// in the order of their first change), the pictures to repaint, the control
// to take the focus (with its whole text selected when it is a refused
// field), and whether the program is to end.
struct Changes {
    std::vector<std::string> Controls;
    std::uint32_t Pictures = PictureNone;
    std::optional<std::string> Focus;
    bool EndProgram = false;
    bool CancelDrag = false;  // a drag in progress ends without effect
    bool Empty() const {
        return Controls.empty() && Pictures == PictureNone && !Focus && !EndProgram && !CancelDrag;
    }
};

// Every control by name, with its change marks.
class ControlSet {
public:
    // Adds a control; the reference stays valid for the life of the set.
    ControlState& Add(const std::string& name, ControlState initial = {});
    const ControlState& operator[](std::string_view name) const;
    bool Has(std::string_view name) const;
    const std::map<std::string, ControlState, std::less<>>& All() const { return controls_; }

    // Setters that mark the control changed only when its state changes.
    // Setting a text puts the caret after it, nothing selected.
    void SetText(ControlState& c, std::string_view text);
    void SetEnabled(ControlState& c, bool enabled);
    void SetChecked(ControlState& c, bool checked);
    void SetVisible(ControlState& c, bool visible);
    void SetLeft(ControlState& c, std::int32_t left);
    void SetItemIndex(ControlState& c, std::int32_t index);
    void SetValue(ControlState& c, std::int32_t value);
    // What the user typed: taken without a change mark, the face shows it.
    void Typed(ControlState& c, std::string_view text) { c.Text.assign(text); }
    void Select(ControlState& c, std::int32_t start, std::int32_t length);
    ControlState& Find(std::string_view name);
    const std::string& NameOf(const ControlState& c) const { return *names_.at(&c); }

    // Marks the control changed whatever its state: the face shows it anew.
    void Touch(const ControlState& c) { Mark(c); }
    void Repaint(std::uint32_t pictures) { pending_.Pictures |= pictures; }
    void RequestFocus(const std::string& name) { pending_.Focus = name; }
    void RequestEnd() { pending_.EndProgram = true; }
    void RequestCancelDrag() { pending_.CancelDrag = true; }
    // The changes since the last call, which clears them.
    Changes Take();
    bool Pending() const { return !pending_.Empty(); }

    // The whole visible state as JSON: one object per control, by name in
    // byte order.  Field texts are shown without the blanks that right-align
    // them, which depend on the face's font, and of a field's selection only
    // the number of characters selected (a whole entry, when refused).
    std::string Dump() const;

private:
    void Mark(const ControlState& c);
    std::map<std::string, ControlState, std::less<>> controls_;
    std::map<const ControlState*, const std::string*> names_;
    Changes pending_;
};

// Number of code points of a UTF-8 text (the unit of a field's selection).
std::int32_t CodePoints(std::string_view text);

// Widths of texts in the face's fonts, so that the number fields are
// padded and the plots laid out as the face shows them.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Width in pixels of a UTF-8 text in the main window's font.
    virtual std::int32_t MainWidth(std::string_view text) const = 0;
    // Width of a text in the plots' small font, and its line height.
    virtual std::int32_t SmallWidth(std::string_view text) const = 0;
    virtual std::int32_t SmallHeight() const = 0;
};

// A measure without a font: every character (code point) is `charWidth`
// pixels wide, a blank `blankWidth`.
class FixedMeasure : public TextMeasure {
public:
    FixedMeasure(std::int32_t charWidth, std::int32_t blankWidth, std::int32_t height)
        : char_(charWidth), blank_(blankWidth), height_(height) {}
    std::int32_t MainWidth(std::string_view text) const override;
    std::int32_t SmallWidth(std::string_view text) const override { return MainWidth(text); }
    std::int32_t SmallHeight() const override { return height_; }

private:
    std::int32_t char_, blank_, height_;
};

// ---- questions -------------------------------------------------------------
// A command that needs an answer posts a question and goes on when the
// answer comes; the timers keep running meanwhile.

enum class QuestionKind { YesNo, Inform, InformPlain, Error };
enum class Answer { Yes, No, Ok };

struct Question {
    QuestionKind Kind = QuestionKind::Inform;
    std::string Title;
    std::string Text;
    std::function<void(Answer)> Then;  // may be empty
};

enum class FileDialogKind { Open, Save, SaveChoice };

// A file choice: the filter list as "description|pattern|…", the filter
// shown first (from 1) and the suffix given to a name typed without one.
// Then gets the chosen name (nothing when cancelled) and the filter chosen.
struct FileChoice {
    FileDialogKind Kind = FileDialogKind::Open;
    std::string Filter;
    std::int32_t FilterIndex = 1;
    std::string DefaultExt;
    std::function<void(std::optional<std::string> name, std::int32_t filterIndex)> Then;
};

// The cavity dialog "Gyorsítóüreg" shown with these texts; Then gets how
// it closed and its texts then.
enum class DialogResult { Ok, Cancel, Abort };
using CavityDialogTexts = CavityFieldTexts;
struct CavityDialogRequest {
    // The texts to show; nothing keeps what the dialog's fields hold.
    std::optional<CavityDialogTexts> Texts;
    std::function<void(DialogResult, const CavityDialogTexts&, bool deleteConfirmed)> Then;
};

// Where the layer sends its questions; the face shows them (modally or
// not) and calls Then with the answer, at once or later.
class Asker {
public:
    virtual ~Asker() = default;
    virtual void Ask(Question question) = 0;
    virtual void Choose(FileChoice choice) = 0;
    virtual void ShowCavityDialog(CavityDialogRequest request) = 0;
};

// Keeps every question, choice and dialog until the face (or a test)
// answers it: the first one waiting is answered first.
class QueuedAsker : public Asker {
public:
    void Ask(Question question) override { questions.push_back(std::move(question)); }
    void Choose(FileChoice choice) override { choices.push_back(std::move(choice)); }
    void ShowCavityDialog(CavityDialogRequest request) override { dialogs.push_back(std::move(request)); }

    // Answers the oldest question; false when none waits.
    bool Answer(app::Answer answer);
    bool Choose(std::optional<std::string> name, std::int32_t filterIndex = 0);
    bool CloseDialog(DialogResult result, const CavityDialogTexts& texts, bool deleteConfirmed = false);

    std::vector<Question> questions;
    std::vector<FileChoice> choices;
    std::vector<CavityDialogRequest> dialogs;
};

// Appends `s` as a JSON string, quoted, with quotes, backslashes and
// control characters escaped.
void AppendJsonString(std::string& out, std::string_view s);

}  // namespace velox::app
