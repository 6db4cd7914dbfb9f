// The controls of the results panel: the marker spectrum's radio buttons,
// the marker keys, the "Auto" check boxes, the eight spectrum number fields
// and the statistics box of a right click on a plot.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

#include "core/qt/Main.h"
#include "results/model/SpectrumPanel.h"

namespace {

std::string Utf8(const QString& s) { return s.toStdString(); }

// Alt held without Shift, Ctrl or Meta.  A key pressed with Alt and another
// modifier is left to the control (so are the AltGr characters of a
// keyboard that reports them as Ctrl + Alt).
bool AltAlone(Qt::KeyboardModifiers shift) {
    constexpr Qt::KeyboardModifiers held =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return (shift & held) == Qt::AltModifier;
}

}  // namespace

void TForm1::BindResultsPanel() {
    // A click on a radio button always chooses it, as the two buttons lie
    // in different strips and only the handlers keep them opposite.
    connect(RadioButton1, &QRadioButton::clicked, this, [this] {
        RadioButton1->setChecked(true);
        RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] {
        RadioButton2->setChecked(true);
        RadioButton2Click();
    });
    Panel4->OnClick = [this](TPanel&, QMouseEvent&) { RadioButton1Click(); };
    Panel5->OnClick = [this](TPanel&, QMouseEvent&) { RadioButton2Click(); };
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connect(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });

    leaveHandlers_.insert(Edit10, &TForm1::Edit10Exit);
    leaveHandlers_.insert(Edit12, &TForm1::Edit12Exit);
    leaveHandlers_.insert(Edit6, &TForm1::Edit6Exit);
    leaveHandlers_.insert(Edit8, &TForm1::Edit8Exit);
    leaveHandlers_.insert(Edit5, &TForm1::Edit5Exit);
    leaveHandlers_.insert(Edit7, &TForm1::Edit7Exit);
    leaveHandlers_.insert(Edit9, &TForm1::Edit9Exit);
    leaveHandlers_.insert(Edit11, &TForm1::Edit11Exit);

    Image2->OnMouseDown = [this](TImage&, QMouseEvent& e) { Image2MouseDown(e.button()); };
    Image3->OnMouseDown = [this](TImage&, QMouseEvent& e) { Image3MouseDown(e.button()); };
    Panel12->OnMouseUp = [this](TPanel& p, QMouseEvent&) { Panel12MouseUp(&p); };
    Panel13->OnMouseUp = [this](TPanel& p, QMouseEvent&) { Panel12MouseUp(&p); };

    // The window sees every key before the control that has the focus: an
    // application-wide filter takes the key presses meant for this window's
    // controls.  The same hook takes the releases on the statistics labels.
    resultsHook_ = std::make_unique<velox::ui::EventHook>([this](QObject* watched, QEvent* e) {
        switch (e->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this) return false;
            auto* key = static_cast<QKeyEvent*>(e);
            if (e->type() == QEvent::ShortcutOverride) {
                // An Alt combination is the window's, never a shortcut's,
                // except Alt+F4, which closes the window.
                if (!AltAlone(key->modifiers()) || key->key() == Qt::Key_F4) return false;
                e->accept();
                return true;
            }
            return FormKeyDown(key->key(), key->modifiers());
        }
        case QEvent::MouseButtonRelease:
            for (QLabel* label : {Label31, Label32, Label33, Label34, Label35, Label36}) {
                if (watched == label) {
                    Label31MouseUp(label);
                    return true;
                }
            }
            return false;
        default:
            return false;
        }
    });
    qApp->installEventFilter(resultsHook_.get());
}

// ---- the marker spectrum ----------------------------------------------------

void TForm1::RadioButton1Click() {
    RadioButton2->setChecked(!RadioButton1->isChecked());
    Shape43->setVisible(RadioButton1->isChecked());
    Shape44->setVisible(RadioButton2->isChecked());
}

void TForm1::RadioButton2Click() {
    RadioButton1->setChecked(!RadioButton2->isChecked());
    Shape43->setVisible(RadioButton1->isChecked());
    Shape44->setVisible(RadioButton2->isChecked());
}

// Alt + Right / Alt + Left move the chosen spectrum's marker by one channel
// (every automatic repeat too); no control ever sees a key pressed together
// with Alt alone.  The plot is not redrawn, only the line and its readouts.
bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (!AltAlone(shift)) return false;
    // Alt+F4 belongs to no control: it closes the window, through the quit
    // question, wherever the focus is.
    if (key == Qt::Key_F4) return false;
    velox::Spectrum& target = RadioButton1->isChecked() ? Data.Store.EnergySpectrum : Data.Store.TimeSpectrum;
    if (key == Qt::Key_Right || key == Qt::Key_Left) {
        velox::MoveMarker(target, key == Qt::Key_Right ? velox::MarkerKey::Right : velox::MarkerKey::Left);
        UpdateMarker(target);
    }
    return true;
}

// ---- "Auto" -------------------------------------------------------------------

void TForm1::CheckBox2Click() {
    Data.Store.EnergySpectrum.Auto = CheckBox2->isChecked();
    RefreshNumberFields();
    DrawSpectrum(Data.Store.EnergySpectrum);
}

void TForm1::CheckBox3Click() {
    Data.Store.TimeSpectrum.Auto = CheckBox3->isChecked();
    RefreshNumberFields();
    DrawSpectrum(Data.Store.TimeSpectrum);
}

// ---- the number fields ------------------------------------------------------
// A refused entry takes the focus back with the text selected; an accepted
// one is stored, Enter (no sender) moves the focus on to "Több részecske",
// and the follow-up steps run.

void TForm1::YMaxExit(QLineEdit* field, velox::Spectrum& spectrum, QObject* sender) {
    const auto value = velox::AcceptYMax(Utf8(field->text()));
    if (!value) {
        RefuseEntry(field);
        return;
    }
    velox::StoreYMax(spectrum, *value);
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    RefreshNumberFields();
    DrawSpectrum(spectrum);
}

void TForm1::XMinExit(QLineEdit* field, velox::Spectrum& spectrum, QObject* sender) {
    const auto value = velox::AcceptXMin(spectrum, Utf8(field->text()));
    if (!value) {
        RefuseEntry(field);
        return;
    }
    velox::StoreXMin(spectrum, *value);
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    RefreshNumberFields();
    UpdateMarker(spectrum);
    DrawSpectrum(spectrum);
}

void TForm1::XMaxExit(QLineEdit* field, velox::Spectrum& spectrum, QObject* sender) {
    const auto value = velox::AcceptXMax(spectrum, Utf8(field->text()));
    if (!value) {
        RefuseEntry(field);
        return;
    }
    velox::StoreXMax(spectrum, *value);
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    RefreshNumberFields();
    UpdateMarker(spectrum);
    DrawSpectrum(spectrum);
}

void TForm1::ChannelWidthExit(QLineEdit* field, velox::Spectrum& spectrum, const std::vector<double>& values,
                              QObject* sender) {
    const auto value = velox::AcceptChannelWidth(Utf8(field->text()));
    if (!value) {
        RefuseEntry(field);
        return;
    }
    velox::StoreChannelWidth(spectrum, *value, values);
    if (!sender) CheckBox1->setFocus(Qt::OtherFocusReason);
    RefreshNumberFields();
    DrawSpectrum(spectrum);
}

void TForm1::Edit10Exit(QObject* sender) { YMaxExit(Edit10, Data.Store.EnergySpectrum, sender); }
void TForm1::Edit12Exit(QObject* sender) { YMaxExit(Edit12, Data.Store.TimeSpectrum, sender); }
void TForm1::Edit6Exit(QObject* sender) { XMinExit(Edit6, Data.Store.EnergySpectrum, sender); }
void TForm1::Edit8Exit(QObject* sender) { XMinExit(Edit8, Data.Store.TimeSpectrum, sender); }
void TForm1::Edit5Exit(QObject* sender) { XMaxExit(Edit5, Data.Store.EnergySpectrum, sender); }
void TForm1::Edit7Exit(QObject* sender) { XMaxExit(Edit7, Data.Store.TimeSpectrum, sender); }
void TForm1::Edit9Exit(QObject* sender) {
    ChannelWidthExit(Edit9, Data.Store.EnergySpectrum, Data.Store.EnergyValues, sender);
}
void TForm1::Edit11Exit(QObject* sender) {
    ChannelWidthExit(Edit11, Data.Store.TimeSpectrum, Data.Store.TimeValues, sender);
}

// ---- the statistics box -------------------------------------------------------
// It shows the values of the moment it was opened.

void TForm1::ShowStatisticsBox(TPanel* box, QLabel* count, QLabel* mean, QLabel* deviation,
                               const velox::ResultSums& sums) {
    const velox::StatisticsBoxTexts texts = velox::StatisticsBox(sums, Data.Store.ArrivedCount);
    SetCaption(count, texts.Count);
    SetCaption(mean, texts.Mean);
    SetCaption(deviation, texts.Deviation);
    box->show();
    box->raise();
}

void TForm1::Image2MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    ShowStatisticsBox(Panel12, Label31, Label32, Label33, Data.Store.EnergySums);
}

void TForm1::Image3MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton) return;
    ShowStatisticsBox(Panel13, Label34, Label35, Label36, Data.Store.TimeSums);
}

void TForm1::Panel12MouseUp(TPanel* sender) { sender->hide(); }

void TForm1::Label31MouseUp(QLabel* sender) {
    if (QWidget* box = sender->parentWidget()) box->hide();
}
