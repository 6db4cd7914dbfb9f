#include "ui/web/WebCanvas.h"

#include <emscripten.h>

namespace {

int Rgb(velox::Colour c) { return (c.R << 16) | (c.G << 8) | c.B; }

// clang-format off
EM_JS(void, CanvasFillRect, (int l, int t, int r, int b, int rgb), { Module.veloxCanvas.fillRect(l, t, r, b, rgb); });
EM_JS(void, CanvasSetPen, (int rgb, int width), { Module.veloxCanvas.setPen(rgb, width); });
EM_JS(void, CanvasMoveTo, (int x, int y), { Module.veloxCanvas.moveTo(x, y); });
EM_JS(void, CanvasLineTo, (int x, int y), { Module.veloxCanvas.lineTo(x, y); });
EM_JS(void, CanvasFlush, (), { Module.veloxCanvas.flush(); });
EM_JS(void, CanvasEllipse, (int l, int t, int r, int b, int rgb), { Module.veloxCanvas.ellipse(l, t, r, b, rgb); });
EM_JS(void, CanvasTextOut, (int x, int y, const char* s, int n, int fg, int bg), {
    Module.veloxCanvas.textOut(x, y, UTF8ToString(s, n), fg, bg);
});
EM_JS(void, CanvasTextOver, (int x, int y, const char* s, int n, int fg), {
    Module.veloxCanvas.textOut(x, y, UTF8ToString(s, n), fg, -1);
});
// clang-format on

}  // namespace

namespace velox::web {

WebCanvas::WebCanvas() { SetPen(colours::Black, 1); }

WebCanvas::~WebCanvas() { Flush(); }

void WebCanvas::Flush() { CanvasFlush(); }

void WebCanvas::FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour c) {
    if (r > l && b > t) CanvasFillRect(l, t, r, b, Rgb(c));
}

void WebCanvas::SetPen(Colour c, std::int32_t width) { CanvasSetPen(Rgb(c), width < 1 ? 1 : width); }

void WebCanvas::MoveTo(std::int32_t x, std::int32_t y) { CanvasMoveTo(x, y); }

void WebCanvas::LineTo(std::int32_t x, std::int32_t y) { CanvasLineTo(x, y); }

void WebCanvas::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, Colour fill) {
    CanvasEllipse(l, t, r, b, Rgb(fill));
}

void WebCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text, Colour fg, Colour bg) {
    CanvasTextOut(x, y, text.data(), static_cast<int>(text.size()), Rgb(fg), Rgb(bg));
}

void WebCanvas::TextOver(std::int32_t x, std::int32_t y, std::string_view text, Colour fg) {
    CanvasTextOver(x, y, text.data(), static_cast<int>(text.size()), Rgb(fg));
}

}  // namespace velox::web
