// The program's four windows, created in the program's order (the main
// window, the cavity dialog, the quit confirmation, the exercise text) and
// made known to the main window, which shows the other three modally.
#pragma once

#include "core/qt/Main.h"
#include "editor/qt/Uregadat.h"
#include "ui/qt/Msg.h"
#include "ui/qt/Sugo.h"

namespace velox::ui {

struct ProgramWindows {
    TForm1 Form1;
    TUregAdatDlg UregAdatDlg;
    TMsgDlg MsgDlg;
    TForm3 Form3;

    ProgramWindows() {
        Form1.UregAdatDlg = &UregAdatDlg;
        Form1.MsgDlg = &MsgDlg;
        Form1.Form3 = &Form3;
        Form3.TaskText = [this] { return Form1.App.TaskText(); };
    }
};

}  // namespace velox::ui
