#include "core/qt/AppFace.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

#include "editor/qt/Uregadat.h"
#include "results/qt/SpectrumPlot.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/PainterCanvas.h"
#include "ui/qt/Shape.h"
#include "ui/qt/UpDown.h"
#include "ui/qt/Zoom.h"

namespace velox::ui {

namespace {
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

const QFontMetrics& QtMeasure::Main() const {
    if (!main_ || main_->first != window_.font()) main_.emplace(window_.font(), QFontMetrics(window_.font()));
    return main_->second;
}

std::int32_t QtMeasure::MainWidth(std::string_view text) const { return Main().horizontalAdvance(Q(text)); }

std::int32_t QtMeasure::SmallWidth(std::string_view text) const {
    if (!small_) small_ = PlotTextMetrics(SmallFont());
    return small_->Width(text);
}

std::int32_t QtMeasure::SmallHeight() const {
    if (!small_) small_ = PlotTextMetrics(SmallFont());
    return small_->Height;
}

namespace {

QWidget* DialogParent() { return QApplication::activeWindow(); }

// The suffix a filter pattern stands for: "png" for "*.png", nothing for
// "*.*" or a list of patterns.
QString PatternSuffix(const QString& pattern) {
    if (!pattern.startsWith(QStringLiteral("*."))) return QString();
    const QString suffix = pattern.mid(2);
    for (const QChar c : suffix)
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char(';') || c == QLatin1Char(' '))
            return QString();
    return suffix;
}

// "desc|pattern|desc|pattern" as Qt's name filters ("desc (pattern)"); a
// description that ends with its pattern in parentheses already is taken
// as it stands.
QStringList NameFilters(const QStringList& parts) {
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString shown = QStringLiteral("(") + patterns + QLatin1Char(')');
        if (parts[i].trimmed().endsWith(shown))
            out << parts[i].trimmed();
        else
            out << parts[i] + QLatin1Char(' ') + shown;
    }
    return out;
}

}  // namespace

void QtAsker::Ask(app::Question q) {
    if (Instead) return Instead->Ask(std::move(q));
    static constexpr QMessageBox::Icon icons[] = {QMessageBox::Question, QMessageBox::Information,
                                                  QMessageBox::NoIcon, QMessageBox::Critical};
    const bool yesNo = q.Kind == app::QuestionKind::YesNo;
    QMessageBox box(icons[static_cast<int>(q.Kind)], Q(q.Title), Q(q.Text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, DialogParent());
    if (yesNo) box.setDefaultButton(QMessageBox::Yes);
    // A message box opens at the zoom of the window it belongs to.
    if (const double zoom = ZoomOf(DialogParent()); zoom != 1) box.setFont(ScaledFont(box.font(), zoom));
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    if (q.Then) q.Then(!yesNo ? app::Answer::Ok : pressed == QMessageBox::Yes ? app::Answer::Yes : app::Answer::No);
}

void QtAsker::Choose(app::FileChoice c) {
    if (Instead) return Instead->Choose(std::move(c));
    const bool open = c.Kind == app::FileDialogKind::Open;
    QFileDialog dialog(DialogParent());
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList parts = Q(c.Filter).split(QLatin1Char('|'));
    const QStringList names = NameFilters(parts);
    dialog.setNameFilters(names);
    if (c.FilterIndex >= 1 && c.FilterIndex <= names.size()) dialog.selectNameFilter(names[c.FilterIndex - 1]);
    const QString defaultSuffix = Q(c.DefaultExt);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (c.Kind == app::FileDialogKind::SaveChoice) {
        const auto follow = [&](const QString& name) {
            const qsizetype k = names.indexOf(name);
            const QString suffix = k >= 0 && 2 * k + 1 < parts.size() ? PatternSuffix(parts[2 * k + 1]) : QString();
            dialog.setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return c.Then(std::nullopt, c.FilterIndex);
    const int chosen = static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1;
    c.Then(dialog.selectedFiles().first().toStdString(),
           c.Kind == app::FileDialogKind::SaveChoice && chosen >= 1 ? chosen : c.FilterIndex);
}

void QtAsker::ShowCavityDialog(app::CavityDialogRequest r) {
    TUregAdatDlg& dialog = CavityDialog();
    if (r.Texts) dialog.SetTexts(*r.Texts);
    const int result = ShowModal(dialog);
    r.Then(result == mrOk ? app::DialogResult::Ok
                          : result == mrAbort ? app::DialogResult::Abort : app::DialogResult::Cancel,
           dialog.Texts(), dialog.DeleteConfirmed);
}

void QtPainter::Paint(app::Picture picture,
                      const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) {
    QImage& bitmap = Bitmap(picture);
    const QSize size = Size(picture);
    {
        QPainter painter(&bitmap);
        PainterCanvas canvas(painter, Font());
        draw(canvas, size.width(), size.height());
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

// A name already taken keeps its first object: a dialog's controls never
// stand for the window's.
void ControlMap::Add(QObject& object) {
    if (!object.objectName().isEmpty() && !objects_.contains(object.objectName()))
        objects_.insert(object.objectName(), &object);
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
