// The program: its four windows and the event loop, which runs until the
// main window closes.  It takes no arguments.
#include <QApplication>

#include "files/model/FileAccess.h"
#include "ui/qt/AppSetup.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ProgramWindows.h"

int main(int argc, char** argv) {
    // A save beyond the file size limit is reported, not fatal.
    velox::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    velox::ui::SetProgramStyle();
    QApplication::setFont(velox::ui::MainFont());
    QApplication::setWindowIcon(velox::ui::ApplicationIcon());
    // Hungarian Yes/No and file dialogs when Qt's translations are installed.
    velox::ui::InstallStandardTranslation(app);
    velox::ui::ProgramWindows windows;
    windows.Form1.show();
    return QApplication::exec();
}
