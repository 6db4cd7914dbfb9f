#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <initializer_list>
#include <utility>

#include "ui/qt/Shape.h"

namespace velox::ui {
namespace {

// Renders the shape over green and compares the pixels given.
void ExpectPixels(TShape& shape, std::initializer_list<std::pair<QPoint, QColor>> pixels) {
    QImage img(shape.size(), QImage::Format_RGB32);
    img.fill(Qt::green);
    shape.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    for (const auto& [at, colour] : pixels) EXPECT_EQ(img.pixelColor(at), colour) << at.x() << "," << at.y();
}

TEST(Shape, CircleAndRectangleWithTheirOutlines) {
    QWidget parent;
    TShape circle(&parent, TShape::Kind::Circle), rect(&parent);
    circle.resize(20, 20);
    circle.SetBrushColor(Qt::yellow);
    circle.SetPenColor(Qt::red);
    circle.SetPenWidth(3);
    ExpectPixels(circle, {{{10, 10}, Qt::yellow}, {{1, 10}, Qt::red}, {{18, 10}, Qt::red},
                          {{0, 0}, Qt::green}, {{19, 19}, Qt::green}});
    circle.SetBrushColor(QColor(192, 192, 192));  // the cached picture is drawn anew
    ExpectPixels(circle, {{{10, 10}, QColor(192, 192, 192)}});

    rect.resize(9, 10);
    rect.SetBrushColor(Qt::blue);
    rect.SetPenWidth(2);
    ExpectPixels(rect, {{{4, 5}, Qt::blue}, {{0, 0}, Qt::black}, {{8, 9}, Qt::black}});
}

TEST(Shape, ModelStateIsAppliedAndRaisesOnlyOnANewStamp) {
    QWidget parent;
    TShape a(&parent), b(&parent);
    ShapeState sa{.Left = 3, .Top = 4, .Width = 5, .Height = 6, .Circle = true, .Fill = colours::Aqua,
                  .Tag = 7, .Visible = true, .FrontStamp = 1};
    ShapeState sb = sa;
    sb.FrontStamp = 2;
    ApplyShapeState(a, sa);
    ApplyShapeState(b, sb);
    EXPECT_EQ(a.geometry(), QRect(3, 4, 5, 6));
    EXPECT_EQ(a.ShapeKind(), TShape::Kind::Circle);
    EXPECT_EQ(a.BrushColor(), QColor(0, 255, 255));
    EXPECT_EQ(a.Tag(), 7);
    EXPECT_TRUE(a.isVisibleTo(&parent));
    auto aOverB = [&] { return parent.children().indexOf(&a) > parent.children().indexOf(&b); };
    EXPECT_FALSE(aOverB());
    ApplyShapeState(a, sa);  // same stamp: stays under b
    EXPECT_FALSE(aOverB());
    sa.FrontStamp = 3;
    sa.Visible = false;
    ApplyShapeState(a, sa);
    EXPECT_TRUE(aOverB());
    EXPECT_FALSE(a.isVisibleTo(&parent));
}

}  // namespace
}  // namespace velox::ui
