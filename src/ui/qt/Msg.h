// The quit confirmation "FIGYELMEZTETÉS! ": asked before the main window
// closes.  OK (Enter) lets it close, Cancel (Esc) keeps the program running.
#pragma once

#include <QDialog>

#include "ui/qt/Controls.h"

class QLabel;
class QPushButton;

class TMsgDlg : public QDialog {
public:
    explicit TMsgDlg(QWidget* parent = nullptr);

    velox::ui::TPanel* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Each showing: the dialog look.
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
};
