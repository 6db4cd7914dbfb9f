#include "ui/model/Zoom.h"

#include <algorithm>
#include <cmath>

namespace velox {

double FitZoom(PixelSize area, PixelSize design) {
    return std::min(static_cast<double>(area.Width) / design.Width, static_cast<double>(area.Height) / design.Height);
}

double SmallestZoom(PixelSize screen, PixelSize design) {
    return std::clamp(FitZoom(screen, design), LeastZoom, 1.0);
}

double ContentZoom(PixelSize client, PixelSize design, double smallest) {
    return std::max(FitZoom(client, design), std::max(smallest, LeastZoom));
}

std::int32_t Scaled(std::int32_t length, double zoom) {
    return static_cast<std::int32_t>(std::floor(length * zoom + 0.5));
}

PixelRect ScaledRect(PixelRect d, double zoom) {
    const std::int32_t left = Scaled(d.Left, zoom), top = Scaled(d.Top, zoom);
    std::int32_t width = Scaled(d.Left + d.Width, zoom) - left;
    std::int32_t height = Scaled(d.Top + d.Height, zoom) - top;
    if (d.Width > 0) width = std::max(width, 1);
    if (d.Height > 0) height = std::max(height, 1);
    return {left, top, width, height};
}

PixelRect CentredContent(PixelSize client, PixelSize design, double zoom) {
    const std::int32_t width = Scaled(design.Width, zoom), height = Scaled(design.Height, zoom);
    return {std::max((client.Width - width) / 2, 0), std::max((client.Height - height) / 2, 0), width, height};
}

PixelSize SteppedSize(PixelSize current, PixelSize start, int steps, PixelSize minimum, PixelSize maximum) {
    // The step the window is nearest to now, then `steps` further.
    const double now = (static_cast<double>(current.Width) / start.Width - 1) / ZoomStep;
    const double step = std::round(now) + steps;
    const double factor = 1 + ZoomStep * step;
    const auto along = [factor](std::int32_t length, std::int32_t least, std::int32_t most) {
        return std::clamp(static_cast<std::int32_t>(std::floor(length * factor + 0.5)), least, std::max(least, most));
    };
    return {along(start.Width, minimum.Width, maximum.Width), along(start.Height, minimum.Height, maximum.Height)};
}

}  // namespace velox
