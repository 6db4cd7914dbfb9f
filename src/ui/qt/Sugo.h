// The exercise text window "Feladat": the rich text of Velox.rtf from the
// program's folder, read-only, loaded afresh at every showing, and the
// button "Vissza".
#pragma once

#include <QDialog>
#include <QString>

#include "ui/app/Controls.h"

class QPushButton;
class QTextEdit;

class TForm3 : public QDialog {
public:
    explicit TForm3(QWidget* parent = nullptr);

    // The folder the exercise text is read from, ending in "/": the
    // program's own folder.
    QString ProgramDir;
    // Where a text that cannot be read is reported.
    velox::app::Asker* Asker = nullptr;

    QTextEdit* RichEdit1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Vissza"

    // Each showing: empties the view and loads the exercise text.  A missing
    // file leaves the view empty without a word; one that cannot be read is
    // reported.
    void FormActivate();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
};
