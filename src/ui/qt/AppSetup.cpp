#include "ui/qt/AppSetup.h"

#include <cmath>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QTemporaryFile>
#include <QTranslator>

#include "ui/qt/Zoom.h"

// The resources live in a static library: their registration has to be
// pulled in by name, outside any namespace.
static void InitVeloxResources() { Q_INIT_RESOURCE(velox); }

namespace velox::ui {

QIcon ApplicationIcon() {
    InitVeloxResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/velox/velox-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString StandardTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

QTranslator* InstallStandardTranslation(QCoreApplication& app, const QString& folder) {
    auto* translator = new QTranslator(&app);
    // The interface is Hungarian whatever the user's locale is.
    if (!translator->load(QStringLiteral("qtbase_hu"), folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

void ConfigureOffscreenScreen(int width, int height) {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
    const QList<QByteArray> asked = qgetenv("VELOX_SCREEN").split('x');
    if (asked.size() == 2 && asked[0].toInt() > 0 && asked[1].toInt() > 0) {
        width = asked[0].toInt();
        height = asked[1].toInt();
    }
    // The file lives as long as the process.
    static QTemporaryFile file(QDir::tempPath() + QStringLiteral("/velox-screen-XXXXXX.json"));
    if (!file.open()) return;
    file.resize(0);
    file.write(QStringLiteral(R"({"screens": [{"name": "Velox", "x": 0, "y": 0, "width": %1, "height": %2, )"
                              R"("logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(width)
                   .arg(height)
                   .toUtf8());
    file.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(file.fileName()));
}

namespace {

class ZoomingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight:
                return widget ? static_cast<int>(std::floor(size * ZoomOf(widget))) : size;
            default: return size;
        }
    }
};

}  // namespace

void SetProgramStyle() { QApplication::setStyle(new ZoomingStyle(QStringLiteral("Fusion"))); }

}  // namespace velox::ui
