#include "ui/qt/Msg.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "ui/app/Layout.h"
#include "ui/qt/Controls.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ModalDialogs.h"

TMsgDlg::TMsgDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MsgDlg"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    velox::ui::BuildLayout(*this, velox::app::QuitDialogLayout(), nullptr);
    using velox::ui::Child;
    Panel1 = Child<velox::ui::TPanel>(*this, "Panel1");
    Label1 = Child<QLabel>(*this, "Label1");
    OKBtn = Child<QPushButton>(*this, "OKBtn");
    CancelBtn = Child<QPushButton>(*this, "CancelBtn");
    // The question stands out in the middle of its frame.
    Label1->setAlignment(Qt::AlignCenter);
    QFont bold = velox::ui::MainFont();
    bold.setPixelSize(13);
    bold.setBold(true);
    bold.setLetterSpacing(QFont::PercentageSpacing, 100);
    Label1->setFont(bold);
    for (QPushButton* b : {OKBtn, CancelBtn}) b->setAutoDefault(true);
    OKBtn->setDefault(true);

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
