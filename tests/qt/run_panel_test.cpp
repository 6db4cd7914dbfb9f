// The "Szimuláció" panel, the run clock and the control states of a run.

#include "WindowFixture.h"
#include "core/model/Numeric.h"
#include "core/model/RunControl.h"

namespace velox::testing {
namespace {

using RunPanelTest = WindowTest;

// The run's rules are the layer's; here the markers they place and colour.
TEST_F(RunPanelTest, AStoppedRunShowsItsParticleMarkers) {
    TForm1& f = *form;
    f.Control<QCheckBox>("CheckBox1")->setChecked(false);
    f.Control<QPushButton>("Button1")->click();
    for (int i = 0; i < 30; ++i) f.Timer2Timer();
    f.Control<QPushButton>("Button1")->click();
    TShape* first = f.Control<ui::TShape>("Shape22");
    EXPECT_EQ(std::tuple(first->geometry(), first->isVisible(), first->grab().toImage().pixelColor(2, 2),
                         f.Control<ui::TShape>("Shape23")->isVisible()),
              std::tuple(QRect(TruncToInt(f.Data.Particles[0].X) + 13 - 3, 11 + 41 - 3, 5, 5), true, QColor(255, 0, 0),
                         false));  // drawn anew red as the fastest
}

// The timer ticks at the speed's interval and the clock counts its ticks; the
// field being typed in is not written.
TEST_F(RunPanelTest, TheTimerTicksAndTheClockCountsTicks) {
    TForm1& f = *form;
    QSignalSpy ticks(f.Timer2, &QTimer::timeout);
    f.Control<QPushButton>("Button3")->click();
    ASSERT_TRUE(WaitFor([&] { return ticks.count() >= 5; }));
    f.Control<QPushButton>("Button1")->click();
    f.Control<QPushButton>("Button2")->click();
    EXPECT_EQ(TimeOfDayMs(f.Run.RunClock), 10 * ticks.count());
    f.Control<QLineEdit>("Edit15")->setFocus();
    f.Control<QLineEdit>("Edit15")->setText("x");
    f.Timer2Timer();
    EXPECT_EQ(f.Control<QLineEdit>("Edit15")->text(), "x");
}

}  // namespace
}  // namespace velox::testing
