#include "ui/qt/Sugo.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>

#include "ui/app/Layout.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/RtfDocument.h"
#include "ui/qt/Zoom.h"

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(velox::ui::MainFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 220, 192));
    setPalette(p);
    setAutoFillBackground(true);
    // 696 × 488 with the frame of a sizeable window around it.
    velox::ui::BuildLayout(*this, velox::app::TaskWindowLayout(), nullptr);
    RichEdit1 = velox::ui::Child<QTextEdit>(*this, "RichEdit1");
    Button1 = velox::ui::Child<QPushButton>(*this, "Button1");
    Button1->setAutoDefault(true);
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
