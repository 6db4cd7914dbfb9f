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
    using TBevel = velox::ui::TBevel;

    TPanel* Panel1 = nullptr;
    TBevel* Bevel1 = nullptr;  // frame of the accelerating electrode's group
    TBevel* Bevel2 = nullptr;  // frame of the grounded electrode's group
    QLabel *Label5, *Label2, *Label1;  // "Gyorsító elektróda ", gap, width
    QLabel *Label6, *Label4, *Label3;  // "Földpotenciálon lévo elektróda ", gap, width
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
