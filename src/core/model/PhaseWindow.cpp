#include "core/model/PhaseWindow.h"

#include <array>

#include "core/model/Numeric.h"
#include "editor/model/NumberText.h"

namespace velox {

std::int32_t PhaseColumn(std::int32_t width, Extended degrees) {
    return TruncToInt((width - 6) * degrees / 360) + 3;
}

void DrawPhaseWindow(Canvas& c, std::int32_t w, std::int32_t h, double start, double stop) {
    c.FillRect(0, 0, w, h, colours::White);
    if (start > 0) {
        c.FillRect(PhaseColumn(w, start), 3, PhaseColumn(w, stop), h - 3, colours::Aqua);
    } else {
        c.FillRect(3, 3, PhaseColumn(w, stop), h - 3, colours::Aqua);
        c.FillRect(PhaseColumn(w, Extended(start) + 360.0), 3, w - 3, h - 3, colours::Aqua);
    }
    c.SetPen(colours::Black, 1);
    c.MoveTo(3, 3);
    c.LineTo(3, h - 3);
    c.LineTo(w - 3, h - 3);
    c.LineTo(w - 3, 3);
    c.LineTo(3, 3);
    c.MoveTo(3, h / 2);
    c.LineTo(w - 3, h / 2);

    // sin(2π·i/50) of the curve's 51 points, the same for every picture.
    static const std::array<Extended, 51> sines = [] {
        std::array<Extended, 51> s{};
        for (int i = 0; i <= 50; ++i) s[static_cast<std::size_t>(i)] = Sin(TwoPi * i / 50);
        return s;
    }();
    c.SetPen(colours::Blue, 2);
    for (int i = 0; i <= 50; ++i) {
        const std::int32_t x = TruncToInt(Extended(w - 6) * i / 50) + 3;
        const std::int32_t y = h / 2 - TruncToInt(25 * sines[static_cast<std::size_t>(i)]);
        if (i == 0)
            c.MoveTo(x, y);
        else
            c.LineTo(x, y);
    }
}

PhasePanelState PhasePanelFor(std::int32_t imageLeft, std::int32_t w, double start, double stop) {
    auto markerLeft = [&](Extended a) {
        return TruncToInt((w - 6) * a / 360 + imageLeft + 3);
    };
    PhasePanelState p;
    p.StartMarkerLeft = markerLeft(start > 0 ? Extended(start) : Extended(start) + 360.0);
    p.StopMarkerLeft = markerLeft(stop);
    p.StartText = FormatInteger(TruncToInt(start));
    p.StopText = FormatInteger(TruncToInt(stop));
    return p;
}

std::optional<double> AcceptStartPhase(std::string_view text, double stopPhase) {
    const auto v = ParseWholeNumber(text);
    if (!v || *v < -360 || *v > 360 || !(*v < stopPhase)) return std::nullopt;
    return static_cast<double>(*v);
}

std::optional<double> AcceptStopPhase(std::string_view text, double startPhase) {
    const auto v = ParseWholeNumber(text);
    if (!v || *v < 0 || *v > 360 || !(*v > startPhase)) return std::nullopt;
    return static_cast<double>(*v);
}

}  // namespace velox
