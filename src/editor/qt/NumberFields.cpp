// The RF generator controls of the "Gyorsító" panel and the rules shared by
// the window's number fields: a click selects the whole text, Enter runs the
// field's leave handler, a refused entry takes the focus back, and values
// are written right-aligned, never into the field being typed in.
#include <QCheckBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include "core/model/RunControl.h"
#include "core/qt/Main.h"
#include "editor/model/NumberFields.h"
#include "editor/model/NumberText.h"

namespace {

std::string Utf8(const QString& s) { return s.toStdString(); }

}  // namespace

void TForm1::UpDown1Changing() {
    Data.SetFrequencyPosition(UpDown1->Position());
    Edit2->setText(QString::fromStdString(velox::FormatGeneral(Data.Frequency)));
    RefreshNumberFields();
}

void TForm1::UpDown2Changing() {
    Data.SetVoltagePosition(UpDown2->Position());
    Edit4->setText(QString::fromStdString(velox::FormatGeneral(Data.Amplitude)));
    RefreshNumberFields();
}

// The position fields change with every spinner click.  The spinner takes
// its position from the field's text, as a bound spinner does.
void TForm1::Edit1Change() {
    const auto p = velox::ParseWholeNumber(Utf8(Edit1->text()));
    if (!p) {
        velox::ui::Prompts().Error(QStringLiteral("'%1' nem érvényes egész szám.").arg(Edit1->text()),
                                   windowTitle());
        return;
    }
    UpDown1->SetPosition(*p);
    Data.SetFrequencyPosition(UpDown1->Position());
    Edit2->setText(QString::fromStdString(velox::FormatGeneral(Data.Frequency)));
    RefreshNumberFields();
}

void TForm1::Edit3Change() {
    const auto p = velox::ParseWholeNumber(Utf8(Edit3->text()));
    if (!p) {
        velox::ui::Prompts().Error(QStringLiteral("'%1' nem érvényes egész szám.").arg(Edit3->text()),
                                   windowTitle());
        return;
    }
    UpDown2->SetPosition(*p);
    Data.SetVoltagePosition(UpDown2->Position());
    Edit4->setText(QString::fromStdString(velox::FormatGeneral(Data.Amplitude)));
    RefreshNumberFields();
}

void TForm1::Edit2Exit(QObject* sender) {
    const auto p = velox::FrequencyDisplayPosition(Utf8(Edit2->text()));
    if (!p) {
        RefuseEntry(Edit2);
        return;
    }
    Edit1->setText(QString::fromStdString(velox::FormatInteger(*p)));
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    RefreshNumberFields();
}

void TForm1::Edit4Exit(QObject* sender) {
    const auto p = velox::VoltageDisplayPosition(Utf8(Edit4->text()));
    if (!p) {
        RefuseEntry(Edit4);
        return;
    }
    Edit3->setText(QString::fromStdString(velox::FormatInteger(*p)));
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    RefreshNumberFields();
}

void TForm1::Edit10Click(QObject* sender) {
    if (auto* field = qobject_cast<QLineEdit*>(sender)) field->selectAll();
}

bool TForm1::Edit10KeyPress(QObject* sender, int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (const auto handler = leaveHandlers_.value(sender)) (this->*handler)(nullptr);
    return true;
}

// Two fields that both refuse their text must not take the focus from each
// other forever: while one field takes the focus back, the field that loses
// it is not checked.
void TForm1::RefuseEntry(QLineEdit* field) {
    if (refusingEntry_) return;
    QScopedValueRollback<bool> guard(refusingEntry_, true);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

// Each field handles its own event first (a release places the caret, a
// focus loss clears the selection); the window's rule comes after it.
bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (destroying_ || !field || !numberFields_.contains(field)) return QMainWindow::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseButtonRelease:
        watched->event(e);
        Edit10Click(watched);
        return true;
    case QEvent::KeyPress:
        return Edit10KeyPress(watched, static_cast<QKeyEvent*>(e)->key());
    case QEvent::FocusOut: {
        // Only a move of the focus to another control of this window leaves
        // a field; the window losing the focus to a dialog or a menu does
        // not.  While a refused field takes the focus back, the field that
        // loses it is not checked.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        const LeaveHandler handler = leaveHandlers_.value(watched);
        if (!handler || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || refusingEntry_)
            return false;
        watched->event(e);
        (this->*handler)(watched);
        return true;
    }
    default:
        return false;
    }
}

void TForm1::RefreshNumberFields() {
    const velox::Spectrum& energy = Data.Store.EnergySpectrum;
    const velox::Spectrum& time = Data.Store.TimeSpectrum;
    ShowIntegerInField(Edit10, energy.YMax);
    ShowIntegerInField(Edit5, energy.XMax);
    ShowIntegerInField(Edit6, energy.XMin);
    ShowIntegerInField(Edit12, time.YMax);
    ShowIntegerInField(Edit8, time.XMin);
    ShowIntegerInField(Edit7, time.XMax);
    ShowFloatInField(Edit9, energy.ChannelWidth);
    ShowFloatInField(Edit11, time.ChannelWidth);
    Data.SetFrequencyPosition(UpDown1->Position());
    Data.SetVoltagePosition(UpDown2->Position());
    const QString title = QStringLiteral("Lineáris gyorsító szimulációja");
    if (windowTitle() != title) setWindowTitle(title);
}

namespace {

// Whether the user is typing in the field: it has the keyboard focus of the
// active window.  A field that was focused when a dialog or a message box
// opened over the main window is not being typed in while that is open, so
// the run clock and the other fields go on being shown.
bool BeingEdited(const QLineEdit* field) { return field->window()->isActiveWindow() && field->hasFocus(); }

void WriteField(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
    field->deselect();
    field->setCursorPosition(static_cast<int>(text.size()));
}

}  // namespace

void TForm1::ShowIntegerInField(QLineEdit* field, std::int32_t value) {
    if (BeingEdited(field)) return;
    WriteField(field, PadToFieldWidth(QString::fromStdString(velox::FormatInteger(value)), field->width()));
}

void TForm1::ShowFloatInField(QLineEdit* field, double value) {
    if (BeingEdited(field)) return;
    WriteField(field, PadToFieldWidth(QString::fromStdString(velox::FormatGeneral(value)), field->width()));
}

void TForm1::ShowTimeInField(QLineEdit* field, double clock) {
    if (BeingEdited(field)) return;
    WriteField(field, PadToFieldWidth(QString::fromStdString(velox::FormatTimeOfDay(clock)), field->width()));
}

// Measured with the main window's font, not the field's own.
QString TForm1::PadToFieldWidth(const QString& text, int width) const {
    const QFontMetrics metrics(font());
    const auto measure = [&metrics](std::string_view s) {
        return metrics.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    };
    return QString::fromStdString(velox::PadToFieldWidth(Utf8(text), measure, width));
}
