// The rules shared by the main window's number fields, on the layer's
// control state: a refused entry takes the focus back with the whole text
// selected and nothing changes; an accepted one is stored, Enter moves the
// focus on, and the follow-up runs.  Values are written right-aligned to
// the field's width, never into the field being typed in.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "ui/app/Controls.h"

namespace velox::app {

// How a leave handler was reached: the focus really left the field, or
// Enter was pressed in it.
enum class Leave { FocusMoved, EnterPressed };

class FieldRules {
public:
    FieldRules(ControlSet& controls, const TextMeasure& measure) : controls_(controls), measure_(measure) {}

    // Makes `field` a number field `width` pixels wide.
    ControlState& Add(const std::string& name, const std::string& text, std::int32_t width);
    std::int32_t WidthOf(const ControlState& field) const { return widths_.at(&field); }

    // The control that takes the focus after Enter has been accepted.
    std::string FocusAfterEnter = "CheckBox1";
    // The control with the keyboard focus, as the face reports it, and
    // whether the main window is the active one.
    std::string Focused;
    bool WindowActive = true;

    bool BeingEdited(const ControlState& field) const;
    void ShowInteger(ControlState& field, std::int64_t value);
    void ShowFloat(ControlState& field, double value);
    void ShowTime(ControlState& field, double clock);
    std::string Pad(const std::string& text, std::int32_t width) const;

    // Refuses the entry: the focus back, the whole text selected.
    void Refuse(ControlState& field);

    template <class Value, class Store, class FollowUp>
    void LeaveField(ControlState& field, Leave how, const std::optional<Value>& value, Store&& store,
                    FollowUp&& followUp) {
        if (!value) {
            Refuse(field);
            return;
        }
        store(*value);
        if (how == Leave::EnterPressed) controls_.RequestFocus(FocusAfterEnter);
        followUp();
    }

private:
    void Write(ControlState& field, const std::string& text);
    ControlSet& controls_;
    const TextMeasure& measure_;
    std::map<const ControlState*, std::int32_t> widths_;
};

}  // namespace velox::app
