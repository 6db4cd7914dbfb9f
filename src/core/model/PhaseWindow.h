// The ion source panel: one RF period as a sine curve with the launch
// window shaded, the two window markers, and the two phase fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/Canvas.h"
#include "core/model/Extended.h"

namespace velox {

// Column of an angle in degrees on a phase window W pixels wide:
// Trunc((W − 6) · a / 360) + 3.
std::int32_t PhaseColumn(std::int32_t width, Extended degrees);

// Draws the phase window (a bitmap of width × height) for the launch window
// start … stop in degrees.
void DrawPhaseWindow(Canvas& canvas, std::int32_t width, std::int32_t height, double startPhase,
                     double stopPhase);

// The window markers and the field texts that go with a launch window.
struct PhasePanelState {
    std::int32_t StartMarkerLeft = 0;  // Shape50.Left in the panel
    std::int32_t StopMarkerLeft = 0;   // Shape51.Left in the panel
    std::string StartText;             // Edit13
    std::string StopText;              // Edit14
};
PhasePanelState PhasePanelFor(std::int32_t imageLeft, std::int32_t imageWidth, double startPhase, double stopPhase);

// The entry of a phase field: a whole number (leading blanks, sign, or a
// "$1F" style hexadecimal) within its range and on the right side of the
// other end of the window; nothing when it is refused.
std::optional<double> AcceptStartPhase(std::string_view text, double stopPhase);
std::optional<double> AcceptStopPhase(std::string_view text, double startPhase);

}  // namespace velox
