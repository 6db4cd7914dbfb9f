// The model's drawing surface on a canvas of the page: every call goes to
// the page's script, which draws on the canvas it has chosen as the target
// (Module.veloxCanvas) in whole device pixels.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/model/Canvas.h"

namespace velox::web {

class WebCanvas final : public Canvas {
public:
    WebCanvas();
    ~WebCanvas() override;
    WebCanvas(const WebCanvas&) = delete;
    WebCanvas& operator=(const WebCanvas&) = delete;

    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  Colour colour) override;
    void SetPen(Colour colour, std::int32_t width) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                 Colour fill) override;
    void TextOut(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour,
                 Colour background) override;
    // Text without a background, over what is drawn there.
    void TextOver(std::int32_t x, std::int32_t y, std::string_view text, Colour textColour) override;
    // Strokes the pending polyline.
    void Flush();
};

}  // namespace velox::web
