// The two spectrum panels: the plots, their settings fields, "Auto", the
// marker and its keys, and the statistics box.
#include <cmath>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

class ResultsPanel : public WindowTest {
protected:
    Spectrum& Energy() { return form->Data.Store.EnergySpectrum; }
    Spectrum& Time() { return form->Data.Store.TimeSpectrum; }

    // Types a text into a field and leaves it for a button, or presses Enter.
    void Type(QLineEdit* field, const QString& text, bool enter = false) {
        field->setFocus();
        field->setText(text);
        if (enter)
            QTest::keyClick(field, Qt::Key_Return);
        else
            form->Simulation->Button2->setFocus();
    }
    void ExpectRefused(QLineEdit* field, const QString& text) {
        EXPECT_TRUE(field->hasFocus()) << text.toStdString();
        EXPECT_EQ(field->selectedText(), text) << text.toStdString();
    }
    void AltKey(int key, bool autoRepeat = false) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::AltModifier, QString(), autoRepeat);
        QApplication::sendEvent(form.get(), &press);
    }
};

const QColor Black(0, 0, 0), White(255, 255, 255), Red(255, 0, 0);

class SpectrumPlots : public WindowTest {
protected:
    Spectrum& Energy() { return form->Data.Store.EnergySpectrum; }
    QColor EnergyPixel(int x, int y) const { return form->EnergySpectrum->Image2->Picture().pixelColor(x, y); }
    QColor TimePixel(int x, int y) const { return form->TimeSpectrum->Image3->Picture().pixelColor(x, y); }
    void Arrive(int times, double energy) {
        for (int i = 0; i < times; ++i) form->Data.Store.RecordArrival(std::sqrt(10.0 * energy), 0.3);
    }
};

TEST_F(ResultsPanel, YmaxTakesWholeNumbersFromTwenty) {
    TForm1& f = *form;
    f.EnergySpectrum->CheckBox2->setChecked(false);
    f.TimeSpectrum->CheckBox3->setChecked(false);
    for (auto [field, spectrum] :
         {std::pair{f.EnergySpectrum->Edit10, &Energy()}, std::pair{f.TimeSpectrum->Edit12, &Time()}}) {
        for (const char* bad : {"19", "25 ", ""}) {
            Type(field, bad);
            ExpectRefused(field, bad);
            EXPECT_EQ(spectrum->YMax, 20);
        }
        Type(field, " 25");
        EXPECT_FALSE(field->hasFocus());
        EXPECT_EQ(spectrum->YMax, 25);
        EXPECT_EQ(field->text().trimmed(), "25");
    }
    // Enter applies and moves the focus to "Több részecske"; a refusal keeps it.
    Type(f.TimeSpectrum->Edit12, "45", true);
    EXPECT_EQ(Time().YMax, 45);
    EXPECT_TRUE(f.IonSource->CheckBox1->hasFocus());
    Type(f.TimeSpectrum->Edit7, "10", true);
    ExpectRefused(f.TimeSpectrum->Edit7, "10");
    EXPECT_EQ(Time().XMax, 100);
    EXPECT_TRUE(prompter.Asked.isEmpty());
}

TEST_F(ResultsPanel, WithAutoAnAcceptedYmaxIsReplacedAtOnce) {
    TForm1& f = *form;
    Type(f.EnergySpectrum->Edit10, "60");
    EXPECT_EQ(Energy().YMax, 20);  // no counts: the automatic top is 20
    EXPECT_EQ(f.EnergySpectrum->Edit10->text().trimmed(), "20");
    f.EnergySpectrum->CheckBox2->setChecked(false);
    Type(f.EnergySpectrum->Edit10, "60");
    EXPECT_EQ(Energy().YMax, 60);
    // Switching Auto on scales at once; switching it off keeps the value.
    f.Data.Store.RecordArrival(std::sqrt(10.0 * 12.5), 1.0);
    f.EnergySpectrum->CheckBox2->setChecked(true);
    EXPECT_EQ(Energy().YMax, 20);
    f.EnergySpectrum->CheckBox2->setChecked(false);
    EXPECT_EQ(Energy().YMax, 20);
    EXPECT_FALSE(Energy().Auto);
}

TEST_F(ResultsPanel, XminAndXmaxKeepTwentyChannelsApart) {
    TForm1& f = *form;
    Type(f.EnergySpectrum->Edit5, "100");
    ASSERT_EQ(Energy().XMax, 100);
    for (auto [xmin, spectrum] :
         {std::pair{f.EnergySpectrum->Edit6, &Energy()}, std::pair{f.TimeSpectrum->Edit8, &Time()}}) {
        for (const char* bad : {"81", "-1", "1,5"}) {
            Type(xmin, bad);
            ExpectRefused(xmin, bad);
            EXPECT_EQ(spectrum->XMin, 0);
        }
        Type(xmin, "80");
        EXPECT_EQ(spectrum->XMin, 80);
        EXPECT_EQ(spectrum->Marker, 80);  // the marker follows Xmin up
        Type(xmin, "30");
    }
    for (auto [xmax, spectrum] :
         {std::pair{f.EnergySpectrum->Edit5, &Energy()}, std::pair{f.TimeSpectrum->Edit7, &Time()}}) {
        Type(xmax, "49");
        ExpectRefused(xmax, "49");
        EXPECT_EQ(spectrum->XMax, 100);
        Type(xmax, "50");
        EXPECT_EQ(spectrum->XMax, 50);
    }
    EXPECT_EQ(Time().Marker, 50);  // … and Xmax down
}

TEST_F(ResultsPanel, ChannelWidthRebuildsTheHistogramFromEveryValue) {
    TForm1& f = *form;
    for (double e : {12.5, 13.4, 14.1, 17.9, 40.1, 399.9}) f.Data.Store.RecordArrival(std::sqrt(10.0 * e), 0.3);
    f.EnergySpectrum->DrawSpectrum();
    const QImage before = f.EnergySpectrum->Image2->Picture();
    const auto total = [&] {
        long sum = 0;
        for (int n : Energy().Bins) sum += n;
        return sum;
    };
    for (const char* bad : {"0.009", "0", "1,5", ""}) {
        Type(f.EnergySpectrum->Edit9, bad);
        ExpectRefused(f.EnergySpectrum->Edit9, bad);
        EXPECT_EQ(Energy().ChannelWidth, 1.0);
    }
    Type(f.EnergySpectrum->Edit9, "0.2");
    EXPECT_EQ(Energy().ChannelWidth, 0.2);
    EXPECT_EQ(total(), 6);
    EXPECT_EQ(Energy().Bins.size(), 2000u);  // 399.9 lies in channel 1999
    EXPECT_EQ(Energy().Bins[62], 1);         // 12.5
    // The statistics lines ("Összes=" included) are drawn unchanged; the
    // count line is not.
    const QImage after = f.EnergySpectrum->Image2->Picture();
    EXPECT_EQ(after.copy(150, 0, 110, 28), before.copy(150, 0, 110, 28));
    EXPECT_NE(after.copy(26, 30, 220, 128), before.copy(26, 30, 220, 128));
    Type(f.EnergySpectrum->Edit9, "0.01");
    EXPECT_EQ(Energy().ChannelWidth, 0.01);
    EXPECT_EQ(total(), 6);
    Type(f.TimeSpectrum->Edit11, "1", true);
    EXPECT_EQ(Time().Bins, std::vector<std::int32_t>{6});
}

TEST_F(ResultsPanel, AltArrowsMoveTheChosenMarkerWithinTheRange) {
    TForm1& f = *form;
    Energy().Marker = 218;
    for (int i = 0; i < 3; ++i) AltKey(Qt::Key_Right, i > 0);
    EXPECT_EQ(Energy().Marker, 220);
    EXPECT_EQ(f.EnergySpectrum->Label10->text(), "X=220   ");
    EXPECT_EQ(f.EnergySpectrum->Shape43->x(), 6 + 25 + 224);  // 220 · (225 / 220 as a double) lies just below 225
    Energy().Marker = 1;
    AltKey(Qt::Key_Left);
    AltKey(Qt::Key_Left, true);
    EXPECT_EQ(Energy().Marker, 0);
    EXPECT_EQ(Time().Marker, 20);

    // Choosing "Ido" switches the marker lines, and only the time marker moves.
    EXPECT_TRUE(f.EnergySpectrum->Shape43->isVisible());
    EXPECT_FALSE(f.TimeSpectrum->Shape44->isVisible());
    f.TimeSpectrum->RadioButton2->click();
    EXPECT_FALSE(f.EnergySpectrum->RadioButton1->isChecked());
    EXPECT_FALSE(f.EnergySpectrum->Shape43->isVisible());
    EXPECT_TRUE(f.TimeSpectrum->Shape44->isVisible());
    AltKey(Qt::Key_Right);
    EXPECT_EQ(Time().Marker, 21);
    EXPECT_EQ(f.TimeSpectrum->Shape44->x(), 6 + 25 + 47);  // Trunc(21 · 2.25)
    EXPECT_EQ(Energy().Marker, 0);
    f.EnergySpectrum->RadioButton1->click();
    EXPECT_TRUE(f.EnergySpectrum->Shape43->isVisible());
    EXPECT_FALSE(f.TimeSpectrum->Shape44->isVisible());
}

// Counts the presses of one key that reach a control.
struct KeyCounter : QObject {
    int key, count = 0;
    explicit KeyCounter(int k) : key(k) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == key) ++count;
        return false;
    }
};

TEST_F(ResultsPanel, KeysWithoutAltReachTheFocusedControlAndWithAltNone) {
    TForm1& f = *form;
    f.EnergySpectrum->Edit6->setFocus();
    f.EnergySpectrum->Edit6->setText("123");
    KeyCounter rights(Qt::Key_Right);
    f.EnergySpectrum->Edit6->installEventFilter(&rights);
    QTest::keyClick(f.EnergySpectrum->Edit6, Qt::Key_Right);
    EXPECT_EQ(rights.count, 1);
    EXPECT_EQ(Energy().Marker, 50);
    QTest::keyClick(f.EnergySpectrum->Edit6, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(rights.count, 1);
    EXPECT_EQ(Energy().Marker, 51);
    QTest::keyClick(f.EnergySpectrum->Edit6, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(f.EnergySpectrum->Edit6, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(f.EnergySpectrum->Edit6->text(), "123");
    EXPECT_TRUE(f.EnergySpectrum->Edit6->hasFocus());
    // With another modifier held as well the key is the control's.
    QTest::keyClick(f.EnergySpectrum->Edit6, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(rights.count, 2);
    EXPECT_EQ(Energy().Marker, 51);
    f.EnergySpectrum->Edit6->removeEventFilter(&rights);
}

TEST_F(ResultsPanel, StatisticsBoxOpensOnRightClickAndClosesOnAnyButton) {
    TForm1& f = *form;
    const QPoint middle(130, 100);
    QTest::mouseClick(f.EnergySpectrum->Image2, Qt::LeftButton, {}, middle);
    QTest::mouseClick(f.EnergySpectrum->Image2, Qt::MiddleButton, {}, middle);
    EXPECT_FALSE(f.EnergySpectrum->Panel12->isVisible());
    QTest::mouseClick(f.EnergySpectrum->Image2, Qt::RightButton, {}, middle);
    ASSERT_TRUE(f.EnergySpectrum->Panel12->isVisible());
    EXPECT_EQ(f.EnergySpectrum->Label31->text(), "Összes : 0");
    EXPECT_EQ(f.EnergySpectrum->Label32->text(), "Átlag  :      0.000");
    EXPECT_EQ(f.EnergySpectrum->Label33->text(), "Szórás :      0.000");
    QTest::mouseClick(f.EnergySpectrum->Panel12, Qt::LeftButton, {}, QPoint(124, 50));
    EXPECT_FALSE(f.EnergySpectrum->Panel12->isVisible());

    f.Data.Store.RecordArrival(std::sqrt(10.0 * 12.5), 0.5);
    f.Data.Store.RecordArrival(std::sqrt(10.0 * 13.5), 1.5);
    QTest::mouseClick(f.TimeSpectrum->Image3, Qt::RightButton, {}, middle);
    ASSERT_TRUE(f.TimeSpectrum->Panel13->isVisible());
    EXPECT_EQ(f.TimeSpectrum->Label34->text(), "Összes : 2");
    EXPECT_EQ(f.TimeSpectrum->Label35->text(), "Átlag  :      1.000");
    EXPECT_EQ(f.TimeSpectrum->Label36->text(), "Szórás :      0.500");
    f.Data.Store.RecordArrival(10.0, 4.0);  // the box does not follow
    EXPECT_EQ(f.TimeSpectrum->Label34->text(), "Összes : 2");
    QTest::mouseClick(f.TimeSpectrum->Label35, Qt::MiddleButton);
    EXPECT_FALSE(f.TimeSpectrum->Panel13->isVisible());
    QTest::mouseClick(f.EnergySpectrum->Image2, Qt::RightButton, {}, middle);
    EXPECT_EQ(f.EnergySpectrum->Label32->text(), "Átlag  :     12.000");
    QTest::mouseClick(f.EnergySpectrum->Label31, Qt::RightButton);
    EXPECT_FALSE(f.EnergySpectrum->Panel12->isVisible());
}

TEST_F(SpectrumPlots, StartUpShowsEmptyAxesAndBlankReadouts) {
    TForm1& f = *form;
    for (ui::TImage* image : {f.EnergySpectrum->Image2, f.TimeSpectrum->Image3}) {
        const QImage& p = image->Picture();
        for (QPoint white : {QPoint(25, 0), QPoint(25, 80), QPoint(25, 159), QPoint(140, 159), QPoint(250, 159),
                             QPoint(22, 159), QPoint(25, 165)})  // axes, and the ticks of count and channel 0
            EXPECT_EQ(p.pixelColor(white), White) << white.x() << "," << white.y();
        for (QPoint black : {QPoint(251, 159), QPoint(100, 100), QPoint(262, 100)})
            EXPECT_EQ(p.pixelColor(black), Black) << black.x() << "," << black.y();
    }
    EXPECT_EQ(EnergyPixel(127, 165), White);  // energy tick of 100
    EXPECT_EQ(TimePixel(115, 165), White);    // time tick of 40
    EXPECT_EQ(TimePixel(127, 165), Black);
    EXPECT_EQ(f.EnergySpectrum->Label11->text(), "Y=         ");
    EXPECT_EQ(f.TimeSpectrum->Label12->text(), "X=20   ");
    EXPECT_EQ(f.EnergySpectrum->Shape43->x(), 6 + 25 + 51);  // channel 50 of 0 … 220
}

TEST_F(SpectrumPlots, ACountIsDrawnAtItsHeight) {
    TForm1& f = *form;
    f.EnergySpectrum->CheckBox2->setChecked(false);
    Arrive(10, 100.5);  // channel 100, ten counts
    f.EnergySpectrum->DrawSpectrum();
    // Channel 100 lies at 25 + Trunc(100 · 225 / 220) = 127; 10 counts at
    // 154 / 20 pixels each reach 159 - 77 = 82.
    EXPECT_EQ(EnergyPixel(127, 82), White);
    EXPECT_EQ(EnergyPixel(127, 81), Black);
    EXPECT_EQ(EnergyPixel(129, 120), Black);
    EXPECT_EQ(f.EnergySpectrum->Label11->text(), "Y=0   ");  // channel 50 is counted and empty
    Energy().Marker = 100;
    f.EnergySpectrum->UpdateMarker();
    EXPECT_EQ(f.EnergySpectrum->Label11->text(), "Y=10   ");
    // With Auto off and a count above the box, the line runs along the top.
    Arrive(20, 100.5);
    Arrive(30, 101.5);
    f.EnergySpectrum->DrawSpectrum();
    EXPECT_EQ(EnergyPixel(128, 5), White);
    EXPECT_EQ(EnergyPixel(127, 4), Black);
}

TEST_F(SpectrumPlots, Timer3RedrawsOnlySpectraWithCounts) {
    TForm1& f = *form;
    Energy().Bins.assign(101, 0);
    Energy().Bins[100] = 10;
    f.EnergySpectrum->Image2->Canvas().setPixelColor(200, 100, Red);
    f.TimeSpectrum->Image3->Canvas().setPixelColor(200, 100, Red);
    EXPECT_TRUE(WaitFor([&] { return EnergyPixel(200, 100) == Black; }, 2500));
    EXPECT_EQ(EnergyPixel(127, 159 - 77), White);
    EXPECT_EQ(TimePixel(200, 100), Red);
}

TEST_F(SpectrumPlots, AnArrivalWritesItsReadoutsButNoPlot) {
    TForm1& f = *form;
    f.Timer3->stop();
    const QImage before = f.EnergySpectrum->Image2->Picture();
    f.Data.Store.RecordArrival(10.0, 0.25);
    f.Simulation->Button2->click();
    EXPECT_EQ(f.Info->Label21->text(), "E =    10.0000");
    EXPECT_EQ(f.Info->Label22->text(), "t =     0.2500");
    EXPECT_EQ(f.EnergySpectrum->Image2->Picture(), before);
}

}  // namespace
}  // namespace velox::testing
