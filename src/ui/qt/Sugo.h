// The exercise text window "Feladat": the rich text of Velox.rtf from the
// program's folder as the layer reads it, read-only, loaded afresh at every
// showing, and the button "Vissza".
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "ui/model/RtfReader.h"

class QPushButton;
class QTextEdit;

class TForm3 : public QDialog {
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Where the text comes from; none: the window stays empty.
    std::function<velox::RtfText()> TaskText;

    QTextEdit* RichEdit1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Vissza"

    // Each showing: the exercise text afresh.
    void FormActivate();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
};
