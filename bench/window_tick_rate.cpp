// The tick rate the main window reaches at speed 5 (SimTimer every 10 ms):
// the window runs for 10 seconds of wall-clock time under the offscreen
// platform, once with the start-up set-up and once under the worst-case
// load, and the ticks are counted.
//   velox_tick_rate [seconds]
#include <cstdio>
#include <cstdlib>

#include <QComboBox>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include "ui/qt/AppSetup.h"

#include "WindowLoad.h"

namespace {

struct Rate {
    int Ticks = 0;
    double Seconds = 0;
};

Rate Measure(TForm1& form, int seconds, bool worstCase) {
    Rate r;
    QObject::connect(form.Timer2, &QTimer::timeout, [&] {
        ++r.Ticks;
        if (worstCase) velox::bench::ArmParticles(form);
    });
    form.Control<QComboBox>("ComboBox1")->setCurrentIndex(4);
    QElapsedTimer clock;
    form.Control<QPushButton>("Button1")->click();
    clock.start();
    // A local loop ends the measurement: QApplication::quit() would close
    // the main window, whose quit question nobody answers here.
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [&] {
        r.Seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        form.Control<QPushButton>("Button1")->click();
        loop.quit();
    });
    loop.exec();
    return r;
}

void Report(const char* name, const Rate& r) {
    std::printf("%-28s %6d ticks in %.3f s: %.1f ticks per second\n", name, r.Ticks, r.Seconds,
                r.Ticks / r.Seconds);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    velox::ui::ConfigureOffscreenScreen();
    QApplication app(argc, argv);
    velox::bench::PrepareApplication();
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (seconds <= 0) return 2;
    bool ok = true;
    {
        TForm1 form;
        ok = velox::bench::StartWindow(form) && ok;
        Report("speed 5, start-up set-up:", Measure(form, seconds, false));
    }
    {
        TForm1 form;
        ok = velox::bench::StartWindow(form) && ok;
        velox::bench::ApplyWorstCase(form);
        Report("speed 5, worst-case load:", Measure(form, seconds, true));
    }
    return ok ? 0 : 1;
}
