// Plain state of the shape controls that the model moves and colours.
#pragma once

#include <cstdint>

namespace velox {

struct Colour {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

namespace colours {
inline constexpr Colour Black{0, 0, 0};
inline constexpr Colour White{255, 255, 255};
inline constexpr Colour Red{255, 0, 0};
inline constexpr Colour Blue{0, 0, 255};
inline constexpr Colour Aqua{0, 255, 255};
inline constexpr Colour Yellow{255, 255, 0};
inline constexpr Colour Silver{192, 192, 192};
inline constexpr Colour FrameBrown{136, 34, 0};
}  // namespace colours

// A rectangle or circle control: position in window client coordinates,
// size, colours, tag and visibility.  FrontStamp grows each time the shape
// is brought to the front, so the window knows when to raise it.
struct ShapeState {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool Circle = false;
    Colour Fill = colours::White;
    Colour Outline = colours::Black;
    std::int32_t OutlineWidth = 1;
    std::int32_t Tag = 0;
    bool Visible = false;
    unsigned FrontStamp = 0;
};

// The form, size and colours of a marker shape.
struct MarkerLook {
    bool Circle = false;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    Colour Fill = colours::White;
    Colour Outline = colours::Black;
    std::int32_t OutlineWidth = 1;
};

// The looks of the main window's markers, defined once: the model gives its
// shape states these looks and the window creates its shapes from them.
struct MarkerLooks {
    MarkerLook Cavity{true, 20, 20, colours::Yellow, colours::Red, 3};
    int SilverCavity = 8;  // the ninth cavity marker is silver
    Colour SilverFill = colours::Silver;
    MarkerLook Particle{true, 5, 5, colours::Black, colours::Black, 0};
    Colour BestParticle = colours::Red;  // fill and outline of the fastest particle
    Colour InElectrode = colours::Aqua;  // fill of a particle inside an electrode
    MarkerLook Target{false, 9, 10, colours::Blue, colours::Black, 2};
    std::int32_t TargetTag = 100;  // tells the target in drag and drop
};

inline constexpr MarkerLooks DefaultMarkerLooks{};

inline void ApplyLook(ShapeState& shape, const MarkerLook& look) {
    shape.Circle = look.Circle;
    shape.Width = look.Width;
    shape.Height = look.Height;
    shape.Fill = look.Fill;
    shape.Outline = look.Outline;
    shape.OutlineWidth = look.OutlineWidth;
}

}  // namespace velox
