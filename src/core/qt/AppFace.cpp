#include "core/qt/AppFace.h"

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "editor/qt/Uregadat.h"
#include "results/qt/SpectrumPlot.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/PainterCanvas.h"
#include "ui/qt/Prompts.h"
#include "ui/qt/Shape.h"
#include "ui/qt/UpDown.h"

namespace velox::ui {

namespace {
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

std::int32_t QtMeasure::MainWidth(std::string_view text) const {
    return QFontMetrics(window_.font()).horizontalAdvance(Q(text));
}
std::int32_t QtMeasure::SmallWidth(std::string_view text) const { return PlotTextMetrics(SmallFont()).Width(text); }
std::int32_t QtMeasure::SmallHeight() const { return PlotTextMetrics(SmallFont()).Height; }

void QtAsker::Ask(app::Question q) {
    app::Answer answer = app::Answer::Ok;
    switch (q.Kind) {
    case app::QuestionKind::YesNo:
        answer = Prompts().Ask(Q(q.Text), Q(q.Title)) == Answer::Yes ? app::Answer::Yes : app::Answer::No;
        break;
    case app::QuestionKind::Inform:
        Prompts().Inform(Q(q.Text), Q(q.Title));
        break;
    case app::QuestionKind::InformPlain:
        Prompts().InformPlain(Q(q.Text), Q(q.Title));
        break;
    case app::QuestionKind::Error:
        Prompts().Error(Q(q.Text), Q(q.Title));
        break;
    }
    if (q.Then) q.Then(answer);
}

void QtAsker::Choose(app::FileChoice c) {
    FileDialogSettings settings{Q(c.Filter), c.FilterIndex, Q(c.DefaultExt), {}};
    bool chosen = false;
    switch (c.Kind) {
    case app::FileDialogKind::Open:
        chosen = ExecuteOpenDialog(settings);
        break;
    case app::FileDialogKind::Save:
        chosen = ExecuteSaveDialog(settings);
        break;
    case app::FileDialogKind::SaveChoice:
        chosen = ExecuteSaveChoiceDialog(settings);
        break;
    }
    c.Then(chosen ? std::optional<std::string>(settings.FileName.toStdString()) : std::nullopt, settings.FilterIndex);
}

void QtAsker::ShowCavityDialog(app::CavityDialogRequest r) {
    TUregAdatDlg& dialog = CavityDialog();
    if (r.Texts) dialog.SetTexts({r.Texts->Edit1, r.Texts->Edit2, r.Texts->Edit3, r.Texts->Edit4});
    const int result = ShowModal(dialog);
    const CavityFieldTexts t = dialog.Texts();
    r.Then(result == mrOk ? app::DialogResult::Ok
                          : result == mrAbort ? app::DialogResult::Abort : app::DialogResult::Cancel,
           {t.Edit1, t.Edit2, t.Edit3, t.Edit4}, dialog.DeleteConfirmed);
}

void QtPainter::Paint(app::Picture picture,
                      const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) {
    QImage& bitmap = Bitmap(picture);
    {
        QPainter painter(&bitmap);
        PainterCanvas canvas(painter, Font());
        draw(canvas, bitmap.width(), bitmap.height());
    }
    Painted(picture);
}

std::optional<std::string> QtPainter::SpectraPng() {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!SpectraPicture().save(&buffer, "PNG")) return std::nullopt;
    return encoded.toStdString();
}

void ControlMap::AddTree(QObject& root) {
    Add(root);
    for (QObject* o : root.findChildren<QObject*>()) Add(*o);
}

void ControlMap::Add(QObject& object) {
    if (!object.objectName().isEmpty()) objects_.insert(object.objectName(), &object);
}

QObject* ControlMap::Find(const std::string& name) const { return objects_.value(QString::fromStdString(name)); }

void ControlMap::Show(const app::ControlSet& controls, const std::vector<std::string>& names) const {
    for (const std::string& name : names)
        if (QObject* o = Find(name)) Show(*o, controls[name]);
}

void ControlMap::Show(QObject& object, const app::ControlState& c) {
    if (auto* timer = qobject_cast<QTimer*>(&object)) {
        if (c.Value > 0 && timer->interval() != c.Value) timer->setInterval(c.Value);
        if (timer->isActive() != c.Enabled) c.Enabled ? timer->start() : timer->stop();
        return;
    }
    if (auto* action = qobject_cast<QAction*>(&object)) {
        if (action->isEnabled() != c.Enabled) action->setEnabled(c.Enabled);
        return;
    }
    auto* w = qobject_cast<QWidget*>(&object);
    if (!w) return;
    const QSignalBlocker quiet(w);
    if (w->isWindow()) {
        if (w->windowTitle() != Q(c.Text)) w->setWindowTitle(Q(c.Text));
        return;
    }
    if (w->isEnabled() != c.Enabled) w->setEnabled(c.Enabled);
    if (w->isHidden() == c.Visible) {
        w->setVisible(c.Visible);
        if (c.Visible) w->raise();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        SetCaption(label, c.Text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text() != Q(c.Text)) button->setText(Q(c.Text));
        if (button->isCheckable() && button->isChecked() != c.Checked) button->setChecked(c.Checked);
    } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
        if (field->text() != Q(c.Text)) field->setText(Q(c.Text));
        if (c.SelLength > 0) {
            field->setSelection(c.SelStart, c.SelLength);
        } else {
            field->deselect();
            field->setCursorPosition(c.SelStart);
        }
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        if (box->currentIndex() != c.ItemIndex) box->setCurrentIndex(c.ItemIndex);
    } else if (auto* spinner = dynamic_cast<TUpDown*>(w)) {
        if (spinner->Position() != c.Value) spinner->SetPosition(c.Value);
    } else if (auto* shape = dynamic_cast<TShape*>(w)) {
        if (shape->x() != c.Left) shape->move(c.Left, shape->y());
    }
}

}  // namespace velox::ui
