#include "editor/app/FieldRules.h"

#include "core/model/RunControl.h"
#include "editor/model/NumberFields.h"
#include "editor/model/NumberText.h"

namespace velox::app {

ControlState& FieldRules::Add(const std::string& name, const std::string& text, std::int32_t width) {
    ControlState& field = controls_.Add(name, ControlState{.Text = text});
    widths_[&field] = width;
    return field;
}

bool FieldRules::BeingEdited(const ControlState& field) const {
    return WindowActive && controls_.Has(Focused) && &controls_[Focused] == &field;
}

std::string FieldRules::Pad(const std::string& text, std::int32_t width) const {
    return PadToFieldWidth(text, [this](std::string_view s) { return measure_.MainWidth(s); }, width);
}

void FieldRules::Write(ControlState& field, const std::string& text) {
    if (BeingEdited(field)) return;
    // Written anew even when unchanged: the caret goes after the text.
    controls_.SetText(field, Pad(text, WidthOf(field)));
    controls_.Select(field, CodePoints(field.Text), 0);
    controls_.Touch(field);
}

void FieldRules::ShowInteger(ControlState& field, std::int64_t value) { Write(field, FormatInteger(value)); }
void FieldRules::ShowFloat(ControlState& field, double value) { Write(field, FormatGeneral(value)); }
void FieldRules::ShowTime(ControlState& field, double clock) { Write(field, FormatTimeOfDay(clock)); }

void FieldRules::Refuse(ControlState& field) {
    controls_.RequestFocus(std::string(controls_.NameOf(field)));
    controls_.Select(field, 0, CodePoints(field.Text));
}

}  // namespace velox::app
