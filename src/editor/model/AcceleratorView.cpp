#include "editor/model/AcceleratorView.h"

#include "core/model/Numeric.h"
#include "core/model/VeloxData.h"

namespace velox {

namespace {

// Cavity sizes from a file may put a column far off the bitmap; it is held
// within the pixel range that the painter takes.
std::int32_t Column(Extended x, double scale) { return PixelAt(x * scale); }

// An electrode: the rectangle x1 … x2, y0 − 20 … y0 + 20 with both
// vertical sides open between y0 − 5 and y0 + 5 for the beam.
void DrawElectrode(Canvas& c, std::int32_t x1, std::int32_t x2, std::int32_t y0) {
    c.MoveTo(x1, y0 - 20);
    c.LineTo(x1, y0 - 5);
    c.MoveTo(x1, y0 + 5);
    c.LineTo(x1, y0 + 20);
    c.LineTo(x2, y0 + 20);
    c.LineTo(x2, y0 + 5);
    c.MoveTo(x2, y0 - 5);
    c.LineTo(x2, y0 - 20);
    c.LineTo(x1, y0 - 20);
}

}  // namespace

CavityColumns ColumnsOf(const Cavity& cav, double s) {
    const Extended p = cav.Position;
    CavityColumns k;
    k.Acc1 = Column(p, s);
    k.Acc2 = Column(p + cav.AccWidth, s);
    k.Ground1 = Column(p + cav.AccWidth + cav.GroundGap, s);
    k.Ground2 = Column(p + cav.AccWidth + cav.GroundGap + cav.GroundWidth, s);
    k.AccMiddle = Column(p + Extended(cav.AccWidth) / 2, s);
    k.GroundMiddle = Column(p + cav.AccWidth + cav.GroundGap + Extended(cav.GroundWidth) / 2, s);
    return k;
}

std::int32_t TargetRodColumn(const VeloxData& data) {
    return Column(Extended(data.TargetMarker.Width / 2) + data.TargetX, data.ViewScale);
}

void DrawAcceleratorView(VeloxData& data, Canvas& c, std::int32_t width, std::int32_t height) {
    const std::int32_t y0 = data.AxisY;
    const double s = data.ViewScale;
    const std::int32_t xs = Column(data.SourceX, s);

    c.FillRect(0, 0, width, height, colours::White);

    for (const Cavity& cav : data.CavityList) {
        const CavityColumns k = ColumnsOf(cav, s);
        c.SetPen(colours::Blue, 4);
        DrawElectrode(c, k.Acc1, k.Acc2, y0);
        c.SetPen(colours::Blue, 2);
        c.MoveTo(k.AccMiddle, y0 + 20);
        c.LineTo(k.AccMiddle, y0 + 50);
        c.MoveTo(k.AccMiddle, y0 + 70);
        c.LineTo(k.AccMiddle, y0 + 100);
        c.SetPen(colours::Black, 4);
        DrawElectrode(c, k.Ground1, k.Ground2, y0);
        c.SetPen(colours::Black, 2);
        c.MoveTo(k.GroundMiddle, y0 + 20);
        c.LineTo(k.GroundMiddle, y0 + 100);
    }

    // Common line, target rod, source lead and source point.
    c.SetPen(colours::Blue, 4);
    c.MoveTo(xs, y0 + 100);
    c.LineTo(width - 10, y0 + 100);
    const std::int32_t xt = TargetRodColumn(data);
    c.MoveTo(xt, y0 - 50);
    c.LineTo(xt, y0);
    c.SetPen(colours::Blue, 2);
    c.MoveTo(xs, y0);
    c.LineTo(xs, y0 + 100);
    c.Ellipse(xs - 4, y0 - 4, xs + 4, y0 + 4, colours::White);

    data.TargetMarker.Top = data.View.ImageTop + y0 - data.TargetMarker.Height / 2;

    c.SetPen(colours::Black, 1);
    c.TextOut(xs - 10, y0 + 120, "Potenciál", colours::Black, colours::White);
    c.TextOut(xs - 6, y0 + 135, "(U)", colours::Black, colours::White);

    // Diagram axes: the baseline at y0 + 200, the vertical axis 50 pixels
    // above and below it.
    c.MoveTo(xs, y0 + 150);
    c.LineTo(xs, y0 + 200);
    c.LineTo(width - 10, y0 + 200);
    c.MoveTo(xs, y0 + 200);
    c.LineTo(xs, y0 + 250);

    // The potential along the axis, from the source to the end of the last
    // grounded electrode.
    const std::int32_t u = TruncToInt(data.Voltage);
    c.MoveTo(xs, y0 + 200);
    for (const Cavity& cav : data.CavityList) {
        const CavityColumns k = ColumnsOf(cav, s);
        c.LineTo(k.Acc1, y0 + 200 - u);
        c.LineTo(k.Acc2, y0 + 200 - u);
        c.LineTo(k.Ground1, y0 + 200);
        c.LineTo(k.Ground2, y0 + 200);
    }
}

}  // namespace velox
