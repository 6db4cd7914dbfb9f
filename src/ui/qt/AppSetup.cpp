#include "ui/qt/AppSetup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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

}  // namespace velox::ui
