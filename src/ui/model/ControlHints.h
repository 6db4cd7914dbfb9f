// The short Hungarian help texts (tooltips) of the controls that take input
// or start a command, in one table for every face of the program.  A text
// is found by the window's and the control's object names.
#pragma once

#include <span>
#include <string_view>

namespace velox {

struct ControlHint {
    std::string_view Window;   // "Form1" (main window) or "UregAdatDlg" (cavity dialog)
    std::string_view Control;  // the control's object name, e.g. "Edit9", "Button3"
    std::string_view Text;     // UTF-8
};

std::span<const ControlHint> ControlHints();

// The help text of a control, empty when it has none.
std::string_view ControlHintOf(std::string_view window, std::string_view control);

}  // namespace velox
