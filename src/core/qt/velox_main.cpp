// The program: its four windows and the event loop, which runs until the
// main window closes.  It takes no arguments.
#include <QApplication>

#include "core/qt/Main.h"
#include "editor/qt/Uregadat.h"
#include "ui/qt/AppSetup.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/Msg.h"
#include "ui/qt/Sugo.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(velox::ui::MainFont());
    QApplication::setWindowIcon(velox::ui::ApplicationIcon());
    // Hungarian Yes/No and file dialogs when Qt's translations are installed.
    velox::ui::InstallStandardTranslation(app);
    TForm1 form1;
    TUregAdatDlg uregAdatDlg;
    TMsgDlg msgDlg;
    TForm3 form3;
    form1.UregAdatDlg = &uregAdatDlg;
    form1.MsgDlg = &msgDlg;
    form1.Form3 = &form3;
    form1.show();
    return QApplication::exec();
}
