#include "editor/qt/Uregadat.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "core/app/Window.h"
#include "ui/qt/Controls.h"
#include "ui/qt/ControlHints.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/ModalDialogs.h"

namespace {

QLabel* NewLabel(QWidget* parent, const QString& caption, int left, int top, bool bold = false) {
    auto* l = new QLabel(caption, parent);
    l->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    l->move(left, top);
    l->adjustSize();
    return l;
}

QLineEdit* NewEdit(QWidget* parent, int left, int top) {
    auto* e = new QLineEdit(QStringLiteral("10"), parent);
    e->setGeometry(left, top, 57, 21);
    return e;
}

QPushButton* NewButton(QWidget* parent, const QString& caption, int left, int top, int width) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(left, top, width, 25);
    return b;
}

std::string Utf8(const QLineEdit* e) { return e->text().toStdString(); }

}  // namespace

TUregAdatDlg::TUregAdatDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UregAdatDlg"));
    setWindowTitle(QStringLiteral("Gyorsítóüreg"));
    setModal(true);
    // A fixed dialog frame: neither resizable nor with the context help
    // button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(365, 229);

    OKBtn = velox::ui::Named(NewButton(this, QStringLiteral("OK"), 283, 8, 75), "OKBtn");
    CancelBtn = velox::ui::Named(NewButton(this, QStringLiteral("Cancel"), 283, 38, 75), "CancelBtn");
    OKBtn->setDefault(true);

    Panel1 = velox::ui::Named(new TPanel(this), "Panel1");
    Panel1->setGeometry(8, 8, 267, 213);

    // The accelerating electrode.
    Bevel1 = velox::ui::Named(new TBevel(Panel1), "Bevel1");
    Bevel1->setGeometry(8, 8, 251, 82);
    Label5 = velox::ui::Named(NewLabel(Panel1, QStringLiteral("Gyorsító elektróda "), 16, 14, true), "Label5");
    Label2 = velox::ui::Named(NewLabel(Panel1, QStringLiteral("Add meg az új hézagot: "), 16, 38), "Label2");
    Edit2 = velox::ui::Named(NewEdit(Panel1, 190, 35), "Edit2");
    Label1 = velox::ui::Named(NewLabel(Panel1, QStringLiteral("Add meg az új szélességet: "), 16, 64), "Label1");
    Edit1 = velox::ui::Named(NewEdit(Panel1, 190, 61), "Edit1");

    Button1 = velox::ui::Named(NewButton(Panel1, QStringLiteral("Töröld  mindkét elektródát"), 46, 95, 175), "Button1");

    // The grounded electrode.
    Bevel2 = velox::ui::Named(new TBevel(Panel1), "Bevel2");
    Bevel2->setGeometry(8, 125, 251, 82);
    Label6 =
        velox::ui::Named(NewLabel(Panel1, QStringLiteral("Földpotenciálon lévo elektróda "), 16, 131, true), "Label6");
    Label4 = velox::ui::Named(NewLabel(Panel1, QStringLiteral("Add meg az új hézagot: "), 16, 155), "Label4");
    Edit3 = velox::ui::Named(NewEdit(Panel1, 190, 152), "Edit3");
    Label3 = velox::ui::Named(NewLabel(Panel1, QStringLiteral("Add meg az új szélességet: "), 16, 181), "Label3");
    Edit4 = velox::ui::Named(NewEdit(Panel1, 190, 178), "Edit4");

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
