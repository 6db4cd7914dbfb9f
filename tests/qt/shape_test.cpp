// The shape control: its drawing, and the model's shape state applied to it.
#include "ui/qt/Shape.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace velox::ui {
namespace {

// The shape rendered over green at the points given.
QList<QColor> Pixels(TShape& shape, std::initializer_list<QPoint> points) {
    QImage img(shape.size(), QImage::Format_RGB32);
    img.fill(Qt::green);
    shape.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    QList<QColor> out;
    for (QPoint p : points) out << img.pixelColor(p);
    return out;
}

// A circle with its outline, drawn anew in a new colour; a state applied
// with the place of the shape's parent; raised only on a new stamp.
TEST(Shape, DrawsAndTakesTheModelsState) {
    QWidget parent;
    TShape a(&parent), b(&parent);
    ShapeState s{.Left = 3,
                 .Top = 4,
                 .Width = 20,
                 .Height = 20,
                 .Circle = true,
                 .Fill = colours::Yellow,
                 .Outline = colours::Red,
                 .OutlineWidth = 3,
                 .Tag = 7,
                 .Visible = true,
                 .FrontStamp = 1};
    ApplyShapeState(a, s, QPoint(1, 2));
    ApplyShapeState(b, ShapeState{.FrontStamp = 2});
    EXPECT_EQ(std::tuple(a.geometry(), a.Tag(), a.isVisibleTo(&parent)), std::tuple(QRect(2, 2, 20, 20), 7, true));
    EXPECT_EQ(Pixels(a, {{10, 10}, {1, 10}, {18, 10}, {0, 0}}),
              QList<QColor>({Qt::yellow, Qt::red, Qt::red, Qt::green}));
    s.Fill = colours::Silver;
    s.Circle = false;
    ApplyShapeState(a, s);
    EXPECT_EQ(Pixels(a, {{10, 10}, {0, 0}}), QList<QColor>({QColor(192, 192, 192), Qt::red}));
    const auto aOverB = [&] { return parent.children().indexOf(&a) > parent.children().indexOf(&b); };
    EXPECT_FALSE(aOverB());  // the same stamp again
    s.FrontStamp = 3;
    s.Visible = false;
    ApplyShapeState(a, s);
    EXPECT_TRUE(aOverB());
    EXPECT_FALSE(a.isVisibleTo(&parent));
}

}  // namespace
}  // namespace velox::ui
