// The window at every zoom and device pixel ratio: run under QT_SCALE_FACTOR
// 1, 1.5 and 2 on a 1920 × 1080 screen (and on the suite's own screen).
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

#include "WindowFixture.h"
#include "results/model/PlotGeometry.h"
#include "results/qt/SpectrumPlot.h"
#include "ui/model/Zoom.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/Zoom.h"

namespace velox::testing {
namespace {

using Zoomed = WindowTest;

void Send(QWidget* to, QEvent::Type type, QWidget* at, QPoint shown) {
    const QPoint global = at->mapToGlobal(shown);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(to->mapFromGlobal(global)), QPointF(global),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

QRect GlobalRect(const QWidget* w) { return QRect(w->mapToGlobal(QPoint()), w->size()); }

// Resizes the window so that its content's zoom times the pixel ratio is
// `scale`; false where the screen does not allow that zoom.
bool ShowAtScale(TForm1& f, double scale) {
    const double zoom = scale / f.devicePixelRatioF();
    if (zoom < f.SmallestZoom()) return false;
    f.showNormal();
    f.resize(static_cast<int>(std::lround(963 * zoom)), static_cast<int>(std::lround(606 * zoom)) + 60);
    return WaitFor([&] { return std::abs(f.Zoom() * f.devicePixelRatioF() - scale) < 0.002; });
}

TEST_F(Zoomed, MaximisedEveryControlIsOnTheScreenAndWorksAsAt100Percent) {
    TForm1& f = *form;
    f.showMaximized();
    ASSERT_TRUE(WaitFor([&] { return f.isMaximized() && f.Zoom() != 1; }, 3000) || f.Zoom() == 1);
    QApplication::processEvents();
    const QRect screen = f.screen()->availableGeometry(), frame = GlobalRect(f.Frame);
    // The largest zoom that fits, centred, with the layout's proportions.
    const QRect content = GlobalRect(f.Client);
    EXPECT_TRUE(frame.contains(content));
    EXPECT_LE(std::min(frame.width() - content.width(), frame.height() - content.height()), 1);
    EXPECT_LE(std::abs((frame.left() + frame.right()) - (content.left() + content.right())), 1);
    EXPECT_NEAR(content.width() / f.Zoom(), 963, 1);
    EXPECT_GE(f.Zoom(), f.SmallestZoom());
    for (QWidget* w : f.Client->findChildren<QWidget*>()) {
        const auto* image = qobject_cast<const QWidget*>(w->parentWidget());
        if (!w->isVisibleTo(&f) || image == f.View->Image1) continue;  // the markers are cut off by the view
        EXPECT_TRUE(screen.contains(GlobalRect(w)) && frame.contains(GlobalRect(w)) &&
                    w->parentWidget()->rect().contains(w->geometry()))
            << Text(w->objectName()) << w->metaObject()->className() << " in " << w->parentWidget()->metaObject()->className() << " at zoom " << f.Zoom();
        EXPECT_LE(w->font().pixelSize(), std::floor(11 * f.Zoom())) << Text(w->objectName());
    }
    EXPECT_TRUE(screen.contains(GlobalRect(f.MainMenu1)));

    // A single step, a spinner, a drag of the target and a click on a cavity
    // marker do what they do at 100 %.
    const double clock = f.Data.SimTime;
    QTest::mouseClick(f.Control<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_GT(f.Data.SimTime, clock);
    const int position = f.Control<ui::TUpDown>("UpDown1")->Position();
    QTest::mouseClick(f.Control<ui::TUpDown>("UpDown1")->UpButton(), Qt::LeftButton);
    EXPECT_EQ(f.Control<ui::TUpDown>("UpDown1")->Position(), position + 1);
    TShape* t = f.View->Target;
    const double zoom = f.Zoom();
    Send(t, QEvent::MouseButtonPress, t, QPoint(1, 1));
    const QPoint column(static_cast<int>(std::lround(250.5 * zoom)), static_cast<int>(5 * zoom));
    Send(t, QEvent::MouseMove, f.View->Image1, column);
    Send(t, QEvent::MouseButtonRelease, f.View->Image1, column);
    EXPECT_EQ(std::tuple(t->geometry().topLeft(), f.Data.TargetX), std::tuple(QPoint(13 + 250 - 4, t->y()), 246.0));
    QSize dialogSize;
    QList<int> fontSizes;
    dialogs.Steps = {[&](QDialog& d) {
        dialogSize = d.size();
        for (const QLabel* l : d.findChildren<QLabel*>()) fontSizes << l->font().pixelSize();
        d.done(ui::mrCancel);
    }};
    QTest::mouseClick(f.Control<ui::TShape>("Shape1"), Qt::RightButton);
    EXPECT_EQ(dialogSize, ui::ScaledRect(QRect(0, 0, 365, 229), zoom).size());
    EXPECT_EQ(fontSizes, QList<int>(fontSizes.size(), int(std::floor(11 * zoom))));
    EXPECT_FALSE(fontSizes.isEmpty());
    EXPECT_NEAR(f.Client->font().letterSpacing(), ui::MainFont().letterSpacing() * zoom, 0.02);
    // The program's dialogs have no parent: they take the zoom of the window
    // they are opened from.
    TMsgDlg orphan;
    QApplication::setActiveWindow(&f);
    dialogs.Steps = {[&](QDialog& d) {
        dialogSize = d.size();
        d.done(ui::mrCancel);
    }};
    ui::ShowModal(orphan);
    EXPECT_EQ(std::tuple(dialogSize, ui::ZoomOf(&orphan)),
              std::tuple(ui::ScaledRect(QRect(0, 0, 326, 121), zoom).size(), zoom));
}

TEST_F(Zoomed, KeysStepTheWindowWithinTheScreen) {
    TForm1& f = *form;
    const QSize start = f.StartSize();
    const QSize free = f.screen()->availableGeometry().size() - (f.frameGeometry().size() - f.size());
    EXPECT_EQ(f.size(), start);
    EXPECT_TRUE(free.width() >= start.width() && free.height() >= start.height());
    const auto key = [&f](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        QTest::keyClick(f.Control<QPushButton>("Button2"), k, m);
        QApplication::processEvents();
        return f.size();
    };
    const QSize larger(std::min(free.width(), int(std::lround(start.width() * 1.25))),
                       std::min(free.height(), int(std::lround(start.height() * 1.25))));
    EXPECT_EQ(key(Qt::Key_Plus), larger);
    EXPECT_EQ(key(Qt::Key_Minus), start);
    EXPECT_EQ(key(Qt::Key_Minus), f.minimumSize());
    key(Qt::Key_Equal);
    key(Qt::Key_Plus);
    EXPECT_EQ(key(Qt::Key_0), start);
    key(Qt::Key_F11, Qt::NoModifier);
    EXPECT_TRUE(f.isFullScreen());
    key(Qt::Key_F11, Qt::NoModifier);
    EXPECT_FALSE(f.isFullScreen());
}

TEST_F(Zoomed, PlotsAreDrawnInDevicePixels) {
    TForm1& f = *form;
    for (int i = 0; i < 400; ++i) f.Data.Store.RecordArrival(3 + i % 13, 0.5 + (i % 41) / 40.0);
    f.Data.Store.EnergySpectrum.XMax = 60;
    const QFont font = ui::SmallFont();
    bool drawnAtTwo = false;
    for (const double scale : {1.5, 2.0}) {
        if (!ShowAtScale(f, scale)) continue;
        f.Timer3Timer();  // both spectra hold counts: both are drawn
        QApplication::processEvents();
        if (scale == 2) {
            // The shown plot is the export's picture of twice the size.
            drawnAtTwo = true;
            const QSize a = f.EnergySpectrum->PlotSize(), b = f.TimeSpectrum->PlotSize();
            const QImage exported = SpectraPicture(*f.EnergySpectrum, *f.TimeSpectrum, 2);
            const QImage shown =
                f.Control<ui::TImage>("Image3")->grab().toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(shown.copy(0, 0, 2 * b.width(), 2 * b.height()),
                      exported.copy(2 * (a.width() + 10), 0, 2 * b.width(), 2 * b.height()));
            continue;
        }
        // Lines and fills in the plot's own colours only: the texts are the
        // only antialiased parts.
        velox::Spectrum spectrum = f.Data.Store.EnergySpectrum;
        const SpectrumGeometry g = DrawSpectrumGeometry(spectrum, f.Data.Store.SumsOf(spectrum), f.Data.Store.ArrivedCount,
                                                        ui::PlotTextMetrics(font), f.EnergySpectrum->PlotSize().width());
        QRegion texts;
        const QFontMetrics metrics(font);
        for (const auto* list : {&g.Axes.CountLabels, &g.Axes.ChannelLabels, &g.StatisticsTexts, &g.BeyondTexts})
            for (const PlotText& t : *list)
                texts += QRect(QPoint(int(t.x * scale) - 1, int(t.y * scale) - 1),
                               QSize(int((metrics.horizontalAdvance(Q(t.text)) + 2) * scale) + 2,
                                     int((metrics.height() + 1) * scale) + 2));
        const QImage& plot = f.EnergySpectrum->Bitmap;
        int white = 0, other = 0;
        for (int y = 0; y < plot.height(); ++y)
            for (int x = 0; x < plot.width(); ++x) {
                if (texts.contains(QPoint(x, y))) continue;
                const QRgb p = plot.pixel(x, y) & 0xffffff;
                white += p == 0xffffff;
                other += p != 0xffffff && p != 0;
            }
        EXPECT_EQ(other, 0) << "blended pixels at scale " << scale;
        EXPECT_GT(white, 1000);
    }
    EXPECT_TRUE(drawnAtTwo || f.SmallestZoom() * f.devicePixelRatioF() > 2);
}

TEST_F(Zoomed, BackAtTheStartSizeEveryPixelIsAsBefore) {
    TForm1& f = *form;
    QApplication::processEvents();
    const QImage before = f.grab().toImage();
    f.showMaximized();
    WaitFor([&] { return f.isMaximized(); }, 2000);
    f.showNormal();
    f.resize(f.StartSize());
    ASSERT_TRUE(WaitFor([&] { return f.size() == f.StartSize(); }));
    QApplication::processEvents();
    EXPECT_EQ(f.grab().toImage(), before);
}

}  // namespace
}  // namespace velox::testing
