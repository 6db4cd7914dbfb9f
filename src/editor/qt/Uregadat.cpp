#include "editor/qt/Uregadat.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "core/app/Window.h"
#include "ui/app/Layout.h"
#include "ui/qt/ControlHints.h"
#include "ui/qt/Controls.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/ModalDialogs.h"

namespace {

std::string Utf8(const QLineEdit* e) { return e->text().toStdString(); }

}  // namespace

TUregAdatDlg::TUregAdatDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UregAdatDlg"));
    setModal(true);
    // A fixed dialog frame: neither resizable nor with the context help
    // button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    velox::ui::BuildLayout(*this, velox::app::CavityDialogLayout(), nullptr);
    using velox::ui::Child;
    OKBtn = Child<QPushButton>(*this, "OKBtn");
    CancelBtn = Child<QPushButton>(*this, "CancelBtn");
    Button1 = Child<QPushButton>(*this, "Button1");
    Panel1 = Child<TPanel>(*this, "Panel1");
    Label2 = Child<QLabel>(*this, "Label2");
    QLineEdit** fields[] = {&Edit1, &Edit2, &Edit3, &Edit4};
    for (int k = 0; k < 4; ++k) *fields[k] = Child<QLineEdit>(*this, QStringLiteral("Edit%1").arg(k + 1));
    // A dialog's buttons are pressed by Enter where they have the focus.
    for (QPushButton* b : {OKBtn, CancelBtn, Button1}) b->setAutoDefault(true);
    OKBtn->setDefault(true);

    // OK, Cancel, then the panel: Edit1, Edit2, the delete button, Edit3,
    // Edit4.
    QWidget::setTabOrder(OKBtn, CancelBtn);
    QWidget::setTabOrder(CancelBtn, Edit1);
    QWidget::setTabOrder(Edit1, Edit2);
    QWidget::setTabOrder(Edit2, Button1);
    QWidget::setTabOrder(Button1, Edit3);
    QWidget::setTabOrder(Edit3, Edit4);

    connect(OKBtn, &QPushButton::clicked, this, [this] { done(velox::ui::mrOk); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(velox::ui::mrCancel); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    velox::ui::ApplyControlHints(*this);
}

// Qt activates a window again whenever a message box over it closes; the
// dialog's own activation steps belong to its showing, so that the delete
// question's answer survives until the caller has read it.
void TUregAdatDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        velox::ui::CentreOnScreen(*this);
        FormActivate();
        OKBtn->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TUregAdatDlg::FormActivate() {
    DeleteConfirmed = false;
    velox::ui::ApplyDialogLook(*this);
}

bool TUregAdatDlg::FormCloseQuery(int result) {
    if (result != velox::ui::mrOk) return true;
    const auto refused = velox::app::Window::CavityDialogOk(Texts());
    if (!refused) return true;
    QLineEdit* const fields[] = {Edit1, Edit2, Edit3, Edit4};
    QLineEdit* field = fields[*refused];
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

void TUregAdatDlg::done(int result) {
    if (!FormCloseQuery(result)) return;
    QDialog::done(result);
}

void TUregAdatDlg::Button1Click() {
    DeleteConfirmed = false;
    if (!App) return done(velox::ui::mrAbort);
    App->CavityDialogDelete([this](bool confirmed) {
        DeleteConfirmed = confirmed;
        done(velox::ui::mrAbort);
    });
}

velox::app::CavityDialogTexts TUregAdatDlg::Texts() const {
    return {Utf8(Edit1), Utf8(Edit2), Utf8(Edit3), Utf8(Edit4)};
}

void TUregAdatDlg::SetTexts(const velox::app::CavityDialogTexts& texts) {
    Edit1->setText(QString::fromStdString(texts.Edit1));
    Edit2->setText(QString::fromStdString(texts.Edit2));
    Edit3->setText(QString::fromStdString(texts.Edit3));
    Edit4->setText(QString::fromStdString(texts.Edit4));
}
