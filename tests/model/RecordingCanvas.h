// A canvas that records what is drawn on it: filled rectangles, straight
// strokes with their pen, ellipses and texts.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "core/model/Canvas.h"

namespace velox::testing {

struct Stroke {
    std::int32_t X1, Y1, X2, Y2;
    Colour Pen;
    std::int32_t Width;
};

struct Fill {
    std::int32_t Left, Top, Right, Bottom;
    Colour Brush;
};

class RecordingCanvas : public Canvas {
public:
    std::vector<Stroke> Strokes;
    std::vector<Fill> Fills;
    std::vector<Fill> Ellipses;  // box and fill colour
    std::vector<std::tuple<std::int32_t, std::int32_t, std::string>> Texts;
    Colour PenColour;
    std::int32_t PenWidth = 1, PenX = 0, PenY = 0;

    void FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour c) override {
        Fills.push_back({l, t, r, b, c});
    }
    void SetPen(Colour c, std::int32_t w) override { std::tie(PenColour, PenWidth) = std::tuple(c, w); }
    void MoveTo(std::int32_t x, std::int32_t y) override { std::tie(PenX, PenY) = std::tuple(x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override {
        Strokes.push_back({PenX, PenY, x, y, PenColour, PenWidth});
        std::tie(PenX, PenY) = std::tuple(x, y);
    }
    void Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour fill) override {
        Ellipses.push_back({l, t, r, b, fill});
    }
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text, Colour, Colour) override {
        Texts.emplace_back(x, y, std::string(text));
    }

    // Whether a stroke of this pen runs from the first point to the second.
    bool HasStroke(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Colour pen,
                   std::int32_t width) const {
        for (const Stroke& s : Strokes)
            if (s.Pen == pen && s.Width == width && s.X1 == x1 && s.Y1 == y1 && s.X2 == x2 && s.Y2 == y2) return true;
        return false;
    }
};

}  // namespace velox::testing
