// The two spectrum panels: their fields, "Auto", the markers, the box, the plots.
#include <cmath>
#include <functional>

#include <QFontMetrics>
#include <QKeyEvent>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

class SpectrumPanelTest : public WindowTest {
protected:
    Spectrum& Energy() { return form->Data.Store.EnergySpectrum; }
    Spectrum& Time() { return form->Data.Store.TimeSpectrum; }
};

const QColor Black(0, 0, 0), White(255, 255, 255), Red(255, 0, 0);

// Counts the presses of the right arrow that reach a control.
struct RightKeys : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Right;
        return false;
    }
};

// A key pressed with Alt alone is the window's, also on automatic repeats.
TEST_F(SpectrumPanelTest, AltArrowsMoveTheChosenMarkerAndReachNoControl) {
    TForm1& f = *form;
    QLineEdit* edit = f.Control<QLineEdit>("Edit6");
    edit->setFocus();
    RightKeys rights;
    edit->installEventFilter(&rights);
    Energy().Marker = 218;
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::AltModifier, QString(), repeat);
        QApplication::sendEvent(edit, &press);
    }
    QTest::keyClick(edit, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(std::tuple(Energy().Marker, f.Control<QLabel>("Label10")->text(), f.Control<ui::TShape>("Shape43")->x()),
              std::tuple(220, QString("X=220   "), 6 + 25 + 224));  // 220 · (225 / 220 as a double) < 225
    EXPECT_EQ(std::tuple(rights.count, edit->text().trimmed(), edit->hasFocus()), std::tuple(0, QString("0"), true));
    QTest::keyClick(edit, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(std::tuple(rights.count, Energy().Marker), std::tuple(2, 220));
    Energy().Marker = 1;
    QTest::keyClick(edit, Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(edit, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Energy().Marker, 0);
    edit->removeEventFilter(&rights);
    f.Control<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(std::tuple(f.Control<QRadioButton>("RadioButton1")->isChecked(),
                         f.Control<ui::TShape>("Shape43")->isVisible(), f.Control<ui::TShape>("Shape44")->isVisible()),
              std::tuple(false, false, true));
    QTest::keyClick(edit, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(std::tuple(Time().Marker, f.Control<ui::TShape>("Shape44")->x(), Energy().Marker),
              std::tuple(21, 6 + 25 + 47, 0));  // Trunc(21 · 2.25)
    f.Control<QRadioButton>("RadioButton1")->click();
    EXPECT_EQ(std::tuple(f.Control<QRadioButton>("RadioButton2")->isChecked(),
                         f.Control<ui::TShape>("Shape43")->isVisible(), f.Control<ui::TShape>("Shape44")->isVisible()),
              std::tuple(false, true, false));
}

// The box shows the values of the moment it was opened.
TEST_F(SpectrumPanelTest, StatisticsBoxOpensOnRightClickAndClosesOnAnyButton) {
    TForm1& f = *form;
    const QPoint middle(130, 100);
    for (auto button : {Qt::LeftButton, Qt::MiddleButton})
        QTest::mouseClick(f.Control<ui::TImage>("Image3"), button, {}, middle);
    EXPECT_FALSE(f.Control<ui::TPanel>("Panel13")->isVisible());
    f.Data.Store.RecordArrival(std::sqrt(10.0 * 12.5), 0.5);
    f.Data.Store.RecordArrival(std::sqrt(10.0 * 13.5), 1.5);
    QTest::mouseClick(f.Control<ui::TImage>("Image3"), Qt::RightButton, {}, middle);
    f.Data.Store.RecordArrival(10.0, 4.0);
    EXPECT_EQ(std::tuple(f.Control<ui::TPanel>("Panel13")->isVisible(), f.Control<ui::TPanel>("Panel12")->isVisible()),
              std::tuple(true, false));
    EXPECT_EQ(QStringList({f.Control<QLabel>("Label34")->text(), f.Control<QLabel>("Label35")->text(),
                           f.Control<QLabel>("Label36")->text()}),
              QStringList({"Összes : 2", "Átlag  :      1.000", "Szórás :      0.500"}));
    QTest::mouseClick(f.Control<QLabel>("Label35"), Qt::MiddleButton);
    QTest::mouseClick(f.Control<ui::TImage>("Image2"), Qt::RightButton, {}, middle);
    EXPECT_EQ(std::tuple(f.Control<ui::TPanel>("Panel13")->isVisible(), f.Control<QLabel>("Label32")->text()),
              std::tuple(false, QString("Átlag  :     12.000")));
    QTest::mouseClick(f.Control<ui::TPanel>("Panel12"), Qt::LeftButton, {}, QPoint(124, 50));
    EXPECT_FALSE(f.Control<ui::TPanel>("Panel12")->isVisible());
}

TEST_F(SpectrumPanelTest, EmptyAxesAtStartUpAndRedrawsOfSpectraWithCounts) {
    TForm1& f = *form;
    const QImage &energy = f.Control<ui::TImage>("Image2")->Picture(),
                 &time = f.Control<ui::TImage>("Image3")->Picture();
    const auto lit = [](const QImage& p, QRect r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(p.pixel(x, y)) > 100) return true;
        return false;
    };
    for (const QImage* p : {&energy, &time})  // the axes, the count labels, the channel labels
        EXPECT_TRUE(lit(*p, {25, 0, 1, 1}) && lit(*p, {250, 159, 1, 1}) && lit(*p, {0, 0, 18, 165}) &&
                    lit(*p, {0, 171, 260, 8}));
    EXPECT_EQ(std::tuple(energy.pixelColor(127, 165), time.pixelColor(115, 165), time.pixelColor(127, 165)),
              std::tuple(White, White, Black));  // energy tick of 100, time tick of 40
    EXPECT_EQ(std::tuple(f.Control<ui::TShape>("Shape43")->x(), f.Control<QLabel>("Label11")->text(),
                         f.Control<QLabel>("Label12")->text()),
              std::tuple(6 + 25 + 51, QString("Y=         "), QString("X=20   ")));
    // Timer3 redraws a spectrum that holds counts, and no other.
    Energy().Bins.assign(101, 0);
    Energy().Bins[100] = 10;
    f.Control<ui::TImage>("Image2")->Canvas().setPixelColor(200, 100, Red);
    f.Control<ui::TImage>("Image3")->Canvas().setPixelColor(200, 100, Red);
    EXPECT_TRUE(
        WaitFor([&] { return f.Control<ui::TImage>("Image2")->Picture().pixelColor(200, 100) == Black; }, 2500));
    EXPECT_EQ(f.Control<ui::TImage>("Image2")->Picture().pixelColor(127, 159 - 77), White);  // 10 of 20 counts
    EXPECT_EQ(f.Control<ui::TImage>("Image3")->Picture().pixelColor(200, 100), Red);
}

// The rules of every number field: right-aligned with the window's font, but
// not in the field being typed in.
TEST_F(SpectrumPanelTest, ValuesAreRightAlignedButNotInTheFieldBeingTypedIn) {
    TForm1& f = *form;
    const QFontMetrics metrics(f.font());
    for (QLineEdit* field :
         {f.Control<QLineEdit>("Edit10"), f.Control<QLineEdit>("Edit5"), f.Control<QLineEdit>("Edit11")}) {
        const QString text = field->text();
        EXPECT_LE(metrics.horizontalAdvance(text + "  "), field->width()) << Text(text);
        EXPECT_GT(metrics.horizontalAdvance(" " + text + "  "), field->width()) << Text(text);
        EXPECT_EQ(field->cursorPosition(), text.size());
    }
    f.Control<QLineEdit>("Edit5")->setFocus();
    f.Control<QLineEdit>("Edit5")->setText("12");
    f.Control<QLineEdit>("Edit10")->setText("x");
    f.RefreshNumberFields();
    EXPECT_EQ(std::tuple(f.Control<QLineEdit>("Edit5")->text(), f.Control<QLineEdit>("Edit10")->text().trimmed()),
              std::tuple(QString("12"), QString("20")));
}

}  // namespace
}  // namespace velox::testing
