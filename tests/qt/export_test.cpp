// "Eredmények → Exportálás…": the arrivals as CSV, both spectrum plots as a
// PNG picture drawn at twice the size.
#include <sys/resource.h>

#include <charconv>

#include <QFileDialog>

#include "../common/CsvReader.h"
#include "WindowFixture.h"
#include "files/model/FileAccess.h"

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

// Values that need all 17 digits, and a longer energy list, as a results
// file may bring.
TEST_F(Export, CsvHoldsEveryArrivalAsTheSameDoubles) {
    TForm1& f = *form;
    Results& r = f.Data.Store;
    r.RecordArrival(17.3 / 3, 0.1 + 0.2);
    r.RecordArrival(12.0, 2.0 / 3);
    r.EnergyValues.push_back(1e-7);
    asker.Names = {Path("m.")};
    f.Control<QAction>("Exportls1")->trigger();
    ExpectDialog(0, "1|csv");
    const auto csv = ParseCsv(ReadBytes(In("m.csv")));
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"Sorszám", "Energia", "Érkezési idő"}));
    const auto same = [](const std::string& cell, double value) {
        double read = -1;
        const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), read);
        return ec == std::errc() && end == cell.data() + cell.size() && read == value;
    };
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(csv[i + 1].size(), 3u);
        EXPECT_EQ(csv[i + 1][0], std::to_string(i + 1));
        EXPECT_TRUE(same(csv[i + 1][1], r.EnergyValues[i])) << csv[i + 1][1];
        EXPECT_TRUE(i == 2 ? csv[i + 1][2].empty() : same(csv[i + 1][2], r.TimeValues[i])) << csv[i + 1][2];
    }
}

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

// "ures." saves "ures.csv", so replacing it is asked about again; "Nem" is a cancel.
TEST_F(Export, CancelWritesNothingAndAFailedWriteKeepsTheOldFile) {
    TForm1& f = *form;
    WriteBytes(In("ures.csv"), "old");
    asker.Names = {std::nullopt, Path("ures."), Path("old.png")};
    asker.Answers = {app::Answer::No};
    f.Control<QAction>("Exportls1")->trigger();
    f.Control<QAction>("Exportls1")->trigger();
    EXPECT_EQ(asker.Asked, QStringList{"*** MEGEROSÍTÉS ***|Ez a fájl már létezik:\n" + Path("ures.csv") +
                                          "\nValóban felül akarja írni?"});
    EXPECT_EQ(ReadBytes(In("ures.csv")), "old");
    asker.Asked.clear();
    WriteBytes(In("old.png"), "old");
    // The picture beyond the process's file size limit.
    IgnoreFileSizeSignal();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{1024, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    f.Control<QAction>("Exportls1")->trigger();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_EQ(asker.Asked.size(), 1);
    EXPECT_TRUE(asker.Asked[0].startsWith("*** HIBA ***|Az eredményeket nem sikerült exportálni ide:\n" +
                                             Path("old.png")) &&
                asker.Asked[0].contains("File too large"))
        << Text(asker.Asked[0]);
    EXPECT_EQ(ReadBytes(In("old.png")), "old");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"old.png", "ures.csv"}));
}

// Like the loads, an export waits until the measurement stands.
TEST_F(Export, WaitsUntilATimedRunStops) {
    TForm1& f = *form;
    f.Control<QCheckBox>("CheckBox4")->click();
    f.Control<QPushButton>("Button3")->click();
    ASSERT_TRUE(f.Timer2->isActive());
    EXPECT_FALSE(f.Control<QAction>("Exportls1")->isEnabled());
    f.Control<QAction>("Exportls1")->trigger();  // no file dialog
    f.Control<QCheckBox>("CheckBox4")->click();
    EXPECT_TRUE(f.Control<QAction>("Exportls1")->isEnabled());
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
