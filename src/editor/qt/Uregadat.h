// The cavity dialog "Gyorsítóüreg": the gaps and widths of one cavity's two
// electrodes, shared by adding and editing, and the delete button.  One
// instance lives for the whole run and keeps its fields' texts between
// uses.
#pragma once

#include <QDialog>

#include "ui/app/Controls.h"
#include "ui/qt/Controls.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace velox::app {
class Window;
}

class TUregAdatDlg : public QDialog {
public:
    explicit TUregAdatDlg(QWidget* parent = nullptr);

    using TPanel = velox::ui::TPanel;

    // The controls the dialog works with, from its layout.
    TPanel* Panel1 = nullptr;
    QLabel* Label2 = nullptr;    // the accelerating electrode's gap
    QLineEdit* Edit1 = nullptr;  // width of the accelerating electrode
    QLineEdit* Edit2 = nullptr;  // gap before the accelerating electrode
    QLineEdit* Edit3 = nullptr;  // gap before the grounded electrode
    QLineEdit* Edit4 = nullptr;  // width of the grounded electrode
    QPushButton* Button1 = nullptr;  // "Töröld  mindkét elektródát"
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The layer that decides what OK and the delete button do.
    velox::app::Window* App = nullptr;
    // Set when the user has answered Yes to the delete question; cleared at
    // every showing and when the delete button is pressed.
    bool DeleteConfirmed = false;

    // Each showing: clears the delete flag and gives the dialog its look.
    void FormActivate();
    // Whether the dialog may close with `result`: closing with OK needs four
    // accepted fields; the first refused one is selected and focused.
    bool FormCloseQuery(int result);
    // The delete button: the layer asks; the dialog then closes with Abort
    // whatever the answer.
    void Button1Click();

    // The fields' texts, and the cavity they show.
    velox::app::CavityDialogTexts Texts() const;
    void SetTexts(const velox::app::CavityDialogTexts& texts);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
};
