// The zoom of a window whose layout was designed at one size: the content
// scales by the largest factor that fits the client area with the layout's
// proportions, never below the smallest factor the screen allows.  Sizes
// are in the face's logical pixels.
#pragma once

#include <cstdint>

namespace velox {

struct PixelSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const PixelSize&) const = default;
};

struct PixelRect {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const PixelRect&) const = default;
};

// No window is ever drawn smaller than half its design.
inline constexpr double LeastZoom = 0.5;
// Ctrl+Plus and Ctrl+Minus change the window's size by this part of its
// size at start.
inline constexpr double ZoomStep = 0.25;

// The largest factor at which `design` (never empty) fits into `area`.
double FitZoom(PixelSize area, PixelSize design);

// The smallest zoom of a window on a screen whose free area is `screen`:
// 1, or the screen's fit where the screen is too small for the design, but
// never below LeastZoom.
double SmallestZoom(PixelSize screen, PixelSize design);

// The zoom of the content in a client area: its fit, but not below
// `smallest`.
double ContentZoom(PixelSize client, PixelSize design, double smallest);

// A design length or coordinate at a zoom, rounded to the nearest pixel.
std::int32_t Scaled(std::int32_t length, double zoom);

// A rectangle at a zoom: its edges scaled, so that rectangles that touch
// still touch; a rectangle with area keeps at least one pixel each way.
PixelRect ScaledRect(PixelRect design, double zoom);

// The content's place in a client area: `design` at `zoom`, centred.
PixelRect CentredContent(PixelSize client, PixelSize design, double zoom);

// The size `steps` zoom steps from `current` (negative: smaller), counted
// in steps of ZoomStep times `start` and landing on the nearest such step,
// within `minimum` and `maximum`.
PixelSize SteppedSize(PixelSize current, PixelSize start, int steps, PixelSize minimum, PixelSize maximum);

}  // namespace velox
