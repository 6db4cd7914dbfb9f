// The main window's auxiliary windows: the exercise text ("Feladat"), the
// quit confirmation asked by every way of closing the window, and the end
// of the program without it.
#include <QApplication>
#include <QCloseEvent>

#include "core/qt/Main.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/Msg.h"
#include "ui/qt/Sugo.h"

void TForm1::Feladat1Click() {
    if (!Form3) Form3 = new TForm3(this);
    velox::ui::ShowModal(*Form3);
}

void TForm1::Vge1Click() { close(); }

bool TForm1::FormCloseQuery() {
    if (!MsgDlg) MsgDlg = new TMsgDlg(this);
    return velox::ui::ShowModal(*MsgDlg) == velox::ui::mrOk;
}

// "Vége", the close box, the system menu and the keyboard all come here.
void TForm1::closeEvent(QCloseEvent* event) {
    if (Ended) {
        event->accept();
        return;
    }
    const bool mayClose = FormCloseQuery();
    // The program may have ended while the question was open (the timed run
    // goes on under it).
    event->setAccepted(mayClose || Ended);
}

// Windows still open over the main window (a dialog, a question) are closed
// as cancelled; then the main window closes, and with it the program.
void TForm1::EndProgram() {
    Ended = true;
    DragCancel();
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == this) break;
        modal->close();
        if (modal->isVisible()) break;
    }
    close();
}
