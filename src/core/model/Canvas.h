// A drawing surface as the pictures of the window use it: rectangle fill,
// pen colour and width, move-to and line-to, ellipse and text output.  The
// picture code is written against this interface so that what it draws can
// be checked without a window; the window supplies a painter on a bitmap.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/model/Shapes.h"

namespace velox {

class Canvas {
public:
    virtual ~Canvas() = default;
    // Fills the rectangle left ≤ x < right, top ≤ y < bottom.
    virtual void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                          Colour colour) = 0;
    virtual void SetPen(Colour colour, std::int32_t width) = 0;
    // Moves the pen without drawing; the following LineTo calls draw one
    // connected line from here.
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
    // An ellipse in the box left ≤ x < right, top ≤ y < bottom, filled and
    // outlined with the current pen.
    virtual void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                         Colour fill) = 0;
    // UTF-8 text with its top-left corner at (x, y), on an opaque background.
    virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour,
                         Colour background) = 0;
    // UTF-8 text with its top-left corner at (x, y), over what is there.
    virtual void TextOver(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour) = 0;
};

}  // namespace velox
