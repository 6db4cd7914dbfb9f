// Pictures of the program's windows without a screen: starts the program's
// four windows under the offscreen platform, lets the start-up finish, saves
// the idle main window, runs a few hundred steps on SimTimer and saves the
// running window, runs on until both spectra hold counts and saves the
// window and its results panel, adds 18 cavities of the dialog's first
// sizes and saves the window with 20 cavities, then the cavity dialog
// showing the first cavity, the exercise text and the quit confirmation.
// With --main NAME it saves only the main window after a run of a few
// hundred steps, as NAME.png, maximised with --maximised (for pictures at
// a display scaling, QT_SCALE_FACTOR).
//   velox-screenshots <folder> [--main NAME [--maximised]]
#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "ui/qt/AppSetup.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ProgramWindows.h"

namespace {

void WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(QWidget& w, const QString& path) {
    const bool ok = w.grab().save(path);
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

// Every pixel as a square of factor × factor pixels.
bool SaveEnlarged(const QImage& picture, int factor, const QString& path) {
    const bool ok =
        picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path);
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    velox::ui::ConfigureOffscreenScreen();
    QApplication app(argc, argv);
    velox::ui::SetProgramStyle();
    QApplication::setFont(velox::ui::MainFont());
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);

    const QStringList args = QCoreApplication::arguments();
    const qsizetype mainOnly = args.indexOf(QStringLiteral("--main"));
    velox::ui::ProgramWindows windows;
    TForm1& form1 = windows.Form1;
    if (args.contains(QStringLiteral("--maximised")))
        form1.showMaximized();
    else
        form1.show();
    form1.activateWindow();
    WaitUntil([&] { return form1.ActivationDone; }, 5000);
    if (!form1.ActivationDone) {
        std::fputs("the window did not finish its start-up\n", stderr);
        return 1;
    }
    bool ok = mainOnly > 0 || Save(form1, folder + QStringLiteral("/main-idle.png"));

    int ticks = 0;
    QObject::connect(form1.Timer2, &QTimer::timeout, [&ticks] { ++ticks; });
    form1.Control<QPushButton>("Button1")->click();
    WaitUntil([&] { return ticks >= 400; }, 20000);
    if (mainOnly > 0 && mainOnly + 1 < args.size()) {
        int redraws = 0;
        QObject::connect(form1.Timer3, &QTimer::timeout, [&redraws] { ++redraws; });
        WaitUntil([&] { return redraws >= 1; }, 3000);
        form1.Control<QPushButton>("Button1")->click();
        return Save(form1, folder + QLatin1Char('/') + args[mainOnly + 1] + QStringLiteral(".png")) ? 0 : 1;
    }
    ok = Save(form1, folder + QStringLiteral("/main-running.png")) && ok;
    std::printf("%d steps run\n", ticks);

    // A longer run fills both spectra; after Timer3's next redraw the
    // window and its results panel, enlarged three times, are saved.
    WaitUntil([&] { return form1.Data.Store.ArrivedCount >= 300; }, 60000);
    int redraws = 0;
    QObject::connect(form1.Timer3, &QTimer::timeout, [&redraws] { ++redraws; });
    WaitUntil([&] { return redraws >= 1; }, 3000);
    ok = Save(form1, folder + QStringLiteral("/main-results.png")) && ok;
    form1.Control<QPushButton>("Button1")->click();
    std::printf("%d particles arrived\n", form1.Data.Store.ArrivedCount);
    ok = SaveEnlarged(form1.Control<QWidget>("Panel2")->grab().toImage(), 3,
                      folder + QStringLiteral("/results-panel-x3.png")) &&
         ok;
    ok = SaveEnlarged(form1.EnergySpectrum->Bitmap, 4, folder + QStringLiteral("/energy-plot-x4.png")) && ok;
    // The statistics box of a right click on the energy plot.
    form1.App.ImageMouseDown("Image2", true);
    ok = SaveEnlarged(form1.Control<QWidget>("Panel4")->grab().toImage(), 3,
                      folder + QStringLiteral("/energy-statistics-x3.png")) &&
         ok;

    // Twenty cavities: 18 added through "Új gyorsítóüreg", each time with
    // the sizes the dialog first shows (10 each), to the two of the start-up.
    // The markers past the view's right edge are cut off there and leave the
    // energy plot and its statistics box alone.
    for (int k = 0; k < 18; ++k) {
        QTimer::singleShot(0, &windows.UregAdatDlg, [&windows] { windows.UregAdatDlg.OKBtn->click(); });
        form1.Control<QPushButton>("Button4")->click();
    }
    std::printf("%d cavities\n", form1.Data.Cavities.CavityCount());
    ok = Save(form1, folder + QStringLiteral("/main-20-cavities.png")) && ok;

    // The other windows as they are shown over the main window (without
    // their nested event loops: shown, pictured, hidden).
    const auto shoot = [&](QDialog& window, const QString& name) {
        window.show();
        WaitUntil([] { return false; }, 200);
        const bool saved = Save(window, folder + name);
        window.hide();
        return saved;
    };
    windows.UregAdatDlg.SetTexts(velox::CavityFieldTextsOf(form1.Data.Cavities[0]));
    ok = shoot(windows.UregAdatDlg, QStringLiteral("/cavity-dialog.png")) && ok;
    ok = shoot(windows.Form3, QStringLiteral("/task-text.png")) && ok;
    ok = shoot(windows.MsgDlg, QStringLiteral("/quit-confirmation.png")) && ok;
    return ok ? 0 : 1;
}
