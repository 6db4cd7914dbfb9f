#include "ui/qt/Sugo.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>

#include "ui/qt/Controls.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/RtfDocument.h"
#include "ui/qt/Zoom.h"

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Feladat"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // 696 × 488 with the frame of a sizeable window around it.
    setFixedSize(680, 450);
    setFont(velox::ui::MainFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 220, 192));
    setPalette(p);
    setAutoFillBackground(true);


    RichEdit1 = velox::ui::Named(new QTextEdit(this), "RichEdit1");
    RichEdit1->setGeometry(13, 16, 633, 401);
    RichEdit1->setReadOnly(true);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);

    Button1 = velox::ui::Named(new QPushButton(QStringLiteral("Vissza"), this), "Button1");
    Button1->setGeometry(328, 424, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TForm3::FormActivate() {
    RichEdit1->clear();
    // A text that cannot be read is reported over the emptied window.
    velox::FillTextDocument(TaskText ? TaskText() : velox::RtfText{}, *RichEdit1->document(), velox::ui::ZoomOf(this));
    RichEdit1->moveCursor(QTextCursor::Start);
}

void TForm3::Button1Click() { done(velox::ui::mrOk); }
