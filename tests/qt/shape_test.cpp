#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "ui/qt/Shape.h"

namespace velox::ui {
namespace {

QImage Rendered(TShape& shape) {
    QImage img(shape.size(), QImage::Format_RGB32);
    img.fill(Qt::green);
    shape.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

TEST(Shape, CircleWithAWideOutlineLeavesItsCornersClear) {
    QWidget parent;
    TShape marker(&parent, TShape::Kind::Circle);
    marker.resize(20, 20);
    marker.SetBrushColor(Qt::yellow);
    marker.SetPenColor(Qt::red);
    marker.SetPenWidth(3);
    QImage img = Rendered(marker);
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::yellow));
    EXPECT_EQ(img.pixelColor(1, 10), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(18, 10), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(img.pixelColor(19, 19), QColor(Qt::green));

    marker.SetBrushColor(QColor(192, 192, 192));  // a new colour is drawn anew
    img = Rendered(marker);
    EXPECT_EQ(img.pixelColor(10, 10), QColor(192, 192, 192));
}

TEST(Shape, RectangleFillsAndOutlinesItsWholeBox) {
    QWidget parent;
    TShape target(&parent);
    target.resize(9, 10);
    target.SetBrushColor(Qt::blue);
    target.SetPenColor(Qt::black);
    target.SetPenWidth(2);
    const QImage img = Rendered(target);
    EXPECT_EQ(img.pixelColor(4, 5), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(8, 9), QColor(Qt::black));
}

TEST(Shape, ModelStateIsAppliedAndRaisesOnlyOnANewStamp) {
    QWidget parent;
    TShape a(&parent), b(&parent);
    ShapeState sa, sb;
    sa.Left = 3;
    sa.Top = 4;
    sa.Width = 5;
    sa.Height = 6;
    sa.Circle = true;
    sa.Fill = colours::Aqua;
    sa.Visible = true;
    sa.Tag = 7;
    sb = sa;
    sa.FrontStamp = 1;
    sb.FrontStamp = 2;
    ApplyShapeState(a, sa);
    ApplyShapeState(b, sb);
    EXPECT_EQ(a.geometry(), QRect(3, 4, 5, 6));
    EXPECT_EQ(a.ShapeKind(), TShape::Kind::Circle);
    EXPECT_EQ(a.BrushColor(), QColor(0, 255, 255));
    EXPECT_EQ(a.Tag(), 7);
    EXPECT_TRUE(a.isVisibleTo(&parent));
    auto index = [&](QObject* o) { return parent.children().indexOf(o); };
    EXPECT_GT(index(&b), index(&a));
    ApplyShapeState(a, sa);  // same stamp: stays under b
    EXPECT_GT(index(&b), index(&a));
    sa.FrontStamp = 3;
    sa.Visible = false;
    ApplyShapeState(a, sa);
    EXPECT_GT(index(&a), index(&b));
    EXPECT_FALSE(a.isVisibleTo(&parent));
}

}  // namespace
}  // namespace velox::ui
