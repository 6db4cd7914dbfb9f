#include "editor/qt/GeneratorPanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/Readouts.h"
#include "core/model/VeloxData.h"
#include "editor/model/CavityFields.h"
#include "editor/model/NumberFields.h"
#include "editor/model/NumberText.h"
#include "editor/qt/Uregadat.h"
#include "ui/qt/Controls.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/Prompts.h"
#include "ui/qt/UpDown.h"

using namespace velox::ui;

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

GeneratorPanel::GeneratorPanel(QWidget* client, velox::VeloxData& data, NumberFields& fields)
    : Data(data), Fields(fields) {
    Panel1 = NewPanel(client, "Panel1", 7, 384, 166, 193);
    Label1 = NewHeading(Panel1, "Label1", QStringLiteral("Gyorsító"), 8, 8);
    Button4 = NewButton(Panel1, "Button4", QStringLiteral("Új gyorsítóüreg"), 13, 33, 140);
    Label5 = NewLabel(Panel1, "Label5", QStringLiteral("Frekvencia:"), 9, 73);
    Edit1 = NewEdit(Panel1, "Edit1", QStringLiteral("50"), 86, 70, 43);
    Edit2 = NewEdit(Panel1, "Edit2", QStringLiteral("1.00"), 84, 70, 44);
    const auto spinner = [this](const char* name, int position, int x, int y) {
        auto* u = Named(new TUpDown(Panel1, velox::VeloxData::SpinnerMin, velox::VeloxData::SpinnerMax, position), name);
        u->setGeometry(x, y, 16, 21);
        return u;
    };
    UpDown1 = spinner("UpDown1", Data.FrequencyPosition, 129, 70);
    Label6 = NewLabel(Panel1, "Label6", QStringLiteral("Gyorsítófesz: "), 9, 100);
    Edit3 = NewEdit(Panel1, "Edit3", QStringLiteral("50"), 85, 97, 43);
    Edit4 = NewEdit(Panel1, "Edit4", QStringLiteral("50"), 85, 97, 42);
    UpDown2 = spinner("UpDown2", Data.VoltagePosition, 128, 97);
    UpDown1->SetAssociate(Edit1);
    UpDown2->SetAssociate(Edit3);
    // The position fields lie under the display fields and take no focus.
    for (QLineEdit* e : {Edit1, Edit3}) e->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* e : {Edit2, Edit4}) e->setReadOnly(true);
    Edit2->raise();
    Edit4->raise();
    GroupBox3 = Named(new QGroupBox(QStringLiteral("Aktuális állapot"), Panel1), "GroupBox3");
    GroupBox3->setGeometry(13, 119, 146, 66);
    Label25 = NewLabel(GroupBox3, "Label25", QStringLiteral("Feszültség ="), 6, 20);
    Label26 = NewLabel(GroupBox3, "Label26", QStringLiteral("Fázis ="), 6, 39);
    // Readouts are rewritten often; they keep a fixed size so that a longer
    // text does not make their panel lay itself out again.
    for (QLabel* l : {Label25, Label26}) l->resize(136, l->height());

    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    connect(Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    Fields.Add(Edit2, [this](Leave how) { Edit2Exit(how); });
    Fields.Add(Edit4, [this](Leave how) { Edit4Exit(how); });
}

// "Új gyorsítóüreg": the dialog with whatever its fields hold; the limit is
// tested only once the dialog has been confirmed.
void GeneratorPanel::Button4Click() {
    TUregAdatDlg& dialog = CavityDialog();
    if (ShowModal(dialog) != mrOk) return;
    if (Data.Cavities.CavityCount() >= velox::MaxEditorCavities) {
        Prompts().Inform(QStringLiteral("Nem lehet ilyen sok gyorsítóelektródot alkalmazni!"),
                         QStringLiteral("*** TÁJÉKOZTATÁS ***"));
        return;
    }
    const auto sizes = velox::CavitySizesOf(dialog.Texts());
    if (!sizes) return;  // the dialog closes with OK only on four accepted fields
    Data.Cavities.Append(*sizes);
    Data.BuildCavities();
    CavityAdded();
}

void GeneratorPanel::UpDown1Changing() {
    Data.SetFrequencyPosition(UpDown1->Position());
    Edit2->setText(Text(velox::FormatGeneral(Data.Frequency)));
    RefreshNumberFields();
}

void GeneratorPanel::UpDown2Changing() {
    Data.SetVoltagePosition(UpDown2->Position());
    Edit4->setText(Text(velox::FormatGeneral(Data.Amplitude)));
    RefreshNumberFields();
}

// The position fields change with every spinner click.  The spinner takes
// its position from the field's text, as a bound spinner does; a text that
// is not a whole number is reported and changes nothing.
bool GeneratorPanel::TakePosition(QLineEdit* field, TUpDown* spinner) {
    const auto p = velox::ParseWholeNumber(field->text().toStdString());
    if (!p) {
        Prompts().Error(QStringLiteral("'%1' nem érvényes egész szám.").arg(field->text()),
                        Panel1->window()->windowTitle());
        return false;
    }
    spinner->SetPosition(*p);
    return true;
}

void GeneratorPanel::Edit1Change() {
    if (TakePosition(Edit1, UpDown1)) UpDown1Changing();
}

void GeneratorPanel::Edit3Change() {
    if (TakePosition(Edit3, UpDown2)) UpDown2Changing();
}

void GeneratorPanel::Edit2Exit(Leave how) {
    Fields.LeaveField(
        Edit2, how, velox::FrequencyDisplayPosition(Edit2->text().toStdString()),
        [this](std::int32_t p) { Edit1->setText(Text(velox::FormatInteger(p))); }, [this] { RefreshNumberFields(); });
}

void GeneratorPanel::Edit4Exit(Leave how) {
    Fields.LeaveField(
        Edit4, how, velox::VoltageDisplayPosition(Edit4->text().toStdString()),
        [this](std::int32_t p) { Edit3->setText(Text(velox::FormatInteger(p))); }, [this] { RefreshNumberFields(); });
}

// Both spinners are set before either is applied: each apply takes both
// positions from the spinners.
void GeneratorPanel::ShowSpinnerPositions() {
    const std::int32_t frequency = Data.FrequencyPosition;
    const std::int32_t voltage = Data.VoltagePosition;
    UpDown1->SetPosition(frequency);
    UpDown2->SetPosition(voltage);
    UpDown1Changing();
    UpDown2Changing();
}

void GeneratorPanel::ApplySpinnerPositions() {
    Data.SetFrequencyPosition(UpDown1->Position());
    Data.SetVoltagePosition(UpDown2->Position());
}

void GeneratorPanel::ShowStepReadouts() {
    SetCaption(Label25, velox::VoltageText(Data.Voltage));
    SetCaption(Label26, velox::PhaseText(Data.LastPhase));
}
