// The program: the main window and the event loop.  It takes no arguments.
#include <QApplication>

#include "core/qt/Main.h"
#include "ui/qt/Fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(velox::ui::MainFont());
    TForm1 form1;
    form1.show();
    return QApplication::exec();
}
