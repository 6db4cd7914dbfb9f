// A result view of the results panel, registered once with the layer
// (Window::Register): the layer calls it at the layout step, the first
// activation, every Timer3 tick, a clear and a load of the results, and
// whenever the number fields are rewritten.  Its controls live in the
// layer's control set under their own names, its handlers in the layer's
// command tables; its picture is repainted when its bit is in a change.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "editor/app/FieldRules.h"
#include "ui/app/Controls.h"

namespace velox {
class VeloxData;
}

namespace velox::app {

// The command tables: a click (buttons, check boxes, radio buttons, menu
// items, panels), the leave of a number field and a change of a field's
// text, by the control's name.
struct CommandTable {
    std::map<std::string, std::function<void()>, std::less<>> Clicks;
    std::map<std::string, std::function<void(Leave)>, std::less<>> Exits;
    std::map<std::string, std::function<void()>, std::less<>> Edits;
};

// What a view works with.
struct ViewContext {
    ControlSet& Controls;
    FieldRules& Fields;
    const TextMeasure& Measure;
    VeloxData& Data;
    CommandTable& Commands;
    // Rewrites every number field of the window and its title.
    std::function<void()> RefreshNumberFields;
};

class ResultView {
public:
    virtual ~ResultView() = default;
    // Set by the registration: the view's bit among the pictures.
    std::uint32_t PictureBit = 0;

    // The layout step: the plot bitmap's size, then the empty plot.
    virtual void Layout(std::int32_t bitmapWidth, std::int32_t bitmapHeight) = 0;
    // The first activation, after the defaults are installed.
    virtual void Startup() = 0;
    virtual void Timer3Timer() = 0;
    // The results were cleared, or loaded from a file.
    virtual void ResultsCleared() = 0;
    virtual void ResultsLoaded() = 0;
    // The whole picture drawn afresh (after a load of the results).
    virtual void Redraw() = 0;
    // The view's part of rewriting the number fields.
    virtual void ShowNumberFields() = 0;
    // Whether the marker keys act on this view; and the keys themselves.
    virtual bool Chosen() const = 0;
    virtual void SetChosen(bool chosen) = 0;
    virtual void MoveMarker(bool right) = 0;
};

}  // namespace velox::app
