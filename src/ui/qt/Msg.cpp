#include "ui/qt/Msg.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ModalDialogs.h"

TMsgDlg::TMsgDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MsgDlg"));
    setWindowTitle(QStringLiteral("FIGYELMEZTETÉS! "));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(326, 121);

    Panel1 = velox::ui::Named(new velox::ui::TPanel(this), "Panel1");
    Panel1->setGeometry(16, 8, 297, 105);
    Bevel1 = velox::ui::Named(new velox::ui::TBevel(Panel1), "Bevel1");
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(5, 6, 276, 51);
    Label1 = velox::ui::Named(new QLabel(QStringLiteral("El vannak mentve az eredmények?  Kiléphetünk? "), Panel1),
                              "Label1");
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont bold = velox::ui::MainFont();
    bold.setPixelSize(13);
    bold.setBold(true);
    bold.setLetterSpacing(QFont::PercentageSpacing, 100);
    Label1->setFont(bold);
    Label1->setGeometry(21, 12, 241, 32);

    OKBtn = velox::ui::Named(new QPushButton(QStringLiteral("OK"), Panel1), "OKBtn");
    OKBtn->setGeometry(52, 68, 75, 25);
    OKBtn->setDefault(true);
    CancelBtn = velox::ui::Named(new QPushButton(QStringLiteral("Cancel"), Panel1), "CancelBtn");
    CancelBtn->setGeometry(169, 67, 75, 25);
    QWidget::setTabOrder(OKBtn, CancelBtn);

    connect(OKBtn, &QPushButton::clicked, this, [this] { done(velox::ui::mrOk); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(velox::ui::mrCancel); });
}

// Qt activates a window again whenever a message box over it closes; the
// look is given once per showing.
void TMsgDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        velox::ui::CentreOnScreen(*this);
        FormActivate();
        OKBtn->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TMsgDlg::FormActivate() { velox::ui::ApplyDialogLook(*this); }
