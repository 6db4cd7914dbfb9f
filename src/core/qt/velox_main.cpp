// The program: the main window and the event loop.  It takes no arguments.
#include <QApplication>

#include "core/qt/Main.h"
#include "ui/qt/AppSetup.h"
#include "ui/qt/Fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(velox::ui::MainFont());
    QApplication::setWindowIcon(velox::ui::ApplicationIcon());
    // Hungarian Yes/No and file dialogs when Qt's translations are installed.
    velox::ui::InstallStandardTranslation(app);
    TForm1 form1;
    form1.show();
    return QApplication::exec();
}
