// "Eredmények → Exportálás…": both spectrum plots as a PNG picture drawn at
// twice the size, and Qt's file dialog.
#include <QFileDialog>

#include "WindowFixture.h"

namespace velox::testing {
namespace {

class Export : public WindowTest {
protected:
    std::string In(const std::string& name) const { return dir / name; }
    QString Path(const std::string& name) const { return Q(dir / name); }
    void ExpectDialog(int k, const QString& indexAndSuffix) {
        EXPECT_EQ(asker.Dialogs.value(k), "save|CSV fájl (*.csv)|*.csv|PNG kép (*.png)|*.png|" + indexAndSuffix);
    }
};

// The suffix decides the format; a name without one gets the format offered,
// which is the one last exported.  Each half of the picture holds about as
// much light as the window's plot with its marker line; lines are twice as
// wide, on the pixels they cover in the window, and the text is drawn at its
// own larger size, so that it is not made of 2 × 2 blocks of one colour.
TEST_F(Export, PngShowsBothPlotsAsTheWindowDoesDrawnAtTwiceTheSize) {
    TForm1& f = *form;
    Results& r = f.Data.Store;
    for (int i = 0; i < 40; ++i) r.RecordArrival(20.0 + i % 7, 0.5 + i % 5 * 0.25);
    for (int i = 0; i < 3; ++i) r.RecordArrival(50.0, 1.0);  // energy 250, right of Xmax 220: "→ 3"
    Rebin(r.EnergySpectrum, r.EnergyValues);
    Rebin(r.TimeSpectrum, r.TimeValues);
    f.Timer3Timer();
    asker.Names = {Path("a.png"), Path("b")};
    f.Control<QAction>("Exportls1")->trigger();
    f.Control<QAction>("Exportls1")->trigger();
    ExpectDialog(1, "2|png");
    EXPECT_EQ(ReadBytes(In("b.png")), ReadBytes(In("a.png")));
    const QImage picture(Path("b.png"), "PNG");
    ASSERT_EQ(picture.size(), QSize(2 * (260 + 10 + 260), 2 * 179));

    const SpectrumPanel* panels[] = {f.EnergySpectrum.get(), f.TimeSpectrum.get()};
    const QRgb yellow = QColor(Qt::yellow).rgb();
    int uneven = 0, yellowPixels = 0;
    for (int k = 0; k < 2; ++k) {
        const QWidget* image = panels[k]->Image();
        const QImage shown = image->parentWidget()->grab().toImage().copy(QRect(image->pos(), QSize(260, 179)));
        double light = 0, shownLight = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                int low = 255, high = 0;
                for (const int d : {0, 1, 2, 3}) {
                    const QRgb p = picture.pixel(2 * (270 * k + x) + d % 2, 2 * y + d / 2);
                    light += qGray(p) / 4.0;
                    low = std::min(low, qGray(p)), high = std::max(high, qGray(p));
                    yellowPixels += p == yellow;
                }
                shownLight += qGray(shown.pixel(x, y));
                uneven += high - low > 100;
            }
        }
        EXPECT_NEAR(light / shownLight, 1.0, 0.1) << k;
    }
    EXPECT_GT(uneven, 200);
    const int marker = 2 * (f.Control<ui::TShape>("Shape43")->x() - f.Control<ui::TImage>("Image2")->x());
    EXPECT_EQ(yellowPixels, 2 * 358);
    for (const QPoint p : {QPoint(marker, 0), QPoint(marker + 1, 357)}) EXPECT_EQ(picture.pixel(p), yellow);
    for (const int x : {49, 50, 51, 52}) EXPECT_EQ(qGray(picture.pixel(x, 100)) > 128, x == 50 || x == 51) << x;
    // The count marker just above the energy plot's right end of the channel axis; none on the time plot.
    int markerLight[2] = {0, 0};
    for (int k = 0; k < 2; ++k)
        for (int y = 2 * 140; y < 2 * 158; ++y)
            for (int x = 2 * (270 * k + 220); x < 2 * (270 * k + 250); ++x) markerLight[k] += qGray(picture.pixel(x, y)) > 128;
    EXPECT_GT(markerLight[0], 20);
    EXPECT_EQ(markerLight[1], 0);
}

// Qt's own dialog: a name typed without a suffix gets that of the filter the
// user picked, and the pick comes back.
TEST(ExportDialog, TheSuffixFollowsTheChosenFilter) {
    TempDir dir;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        dialog->selectFile(Q(dir / "abra"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    std::optional<std::string> name;
    int filter = 0;
    ui::QtAsker().Choose({app::FileDialogKind::SaveChoice, "CSV fájl (*.csv)|*.csv|PNG kép (*.png)|*.png", 1, "csv",
                          [&](std::optional<std::string> n, int f) { std::tie(name, filter) = std::tuple(n, f); }});
    EXPECT_EQ(std::tuple(name, filter), std::tuple(std::optional(dir / "abra.png"), 2));
}

}  // namespace
}  // namespace velox::testing
