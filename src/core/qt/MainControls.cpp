// The controls of the main window at their places (client coordinates
// under the menu bar; a control inside a panel or group is placed relative
// to it) and the main menu.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "core/model/Readouts.h"
#include "core/qt/Main.h"

using velox::ui::TShape;

namespace {

QLabel* NewLabel(QWidget* parent, const QString& caption, int left, int top) {
    auto* l = new QLabel(caption, parent);
    l->setTextFormat(Qt::PlainText);
    l->move(left, top);
    l->adjustSize();
    return l;
}

QLabel* NewHeading(QWidget* parent, const QString& caption, int left, int top) {
    QLabel* l = NewLabel(parent, caption, left, top);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->adjustSize();
    return l;
}

QLineEdit* NewEdit(QWidget* parent, const QString& text, int left, int top, int width) {
    auto* e = new QLineEdit(text, parent);
    e->setGeometry(left, top, width, 21);
    e->setCursorPosition(0);
    return e;
}

QPushButton* NewButton(QWidget* parent, const QString& caption, int left, int top, int width) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(left, top, width, 25);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* NewCheckBox(QWidget* parent, const QString& caption, int left, int top, bool checked) {
    auto* c = new QCheckBox(caption, parent);
    c->move(left, top);
    c->adjustSize();
    c->setChecked(checked);
    return c;
}

TForm1::TPanel* NewPanel(QWidget* parent, int left, int top, int width, int height) {
    auto* p = new velox::ui::TPanel(parent);
    p->setGeometry(left, top, width, height);
    return p;
}

TShape* NewShape(QWidget* parent, TShape::Kind kind, int left, int top, int width, int height,
                 const QColor& fill, const QColor& outline, int outlineWidth) {
    auto* s = new TShape(parent, kind);
    s->setGeometry(left, top, width, height);
    s->SetBrushColor(fill);
    s->SetPenColor(outline);
    s->SetPenWidth(outlineWidth);
    return s;
}

// A marker shape at (left, top) with the size, form, colours and tag of the
// model's state of it.
TShape* NewMarker(QWidget* parent, int left, int top, const velox::ShapeState& state) {
    TShape* s = NewShape(parent, state.Circle ? TShape::Kind::Circle : TShape::Kind::Rectangle, left, top,
                         state.Width, state.Height, velox::ui::ToQColor(state.Fill), velox::ui::ToQColor(state.Outline),
                         state.OutlineWidth);
    s->SetTag(state.Tag);
    s->setVisible(state.Visible);
    return s;
}

}  // namespace

void TForm1::BuildControls() {
    Client = new QWidget(this);
    setCentralWidget(Client);

    // ---- accelerator view ----------------------------------------------------
    Bevel1 = new TBevel(Client);
    Bevel1->setGeometry(12, 10, 609, 363);
    Image1 = new TImage(Client);
    Image1->setGeometry(13, 11, 606, 360);
    Shape48 = NewShape(Client, TShape::Kind::Rectangle, 7, 5, 620, 5, Qt::white, Qt::black, 1);    // top
    Shape49 = NewShape(Client, TShape::Kind::Rectangle, 7, 373, 620, 5, Qt::white, Qt::black, 1);  // bottom
    Shape46 = NewShape(Client, TShape::Kind::Rectangle, 7, 5, 5, 373, Qt::white, Qt::black, 1);    // left
    Shape47 = NewShape(Client, TShape::Kind::Rectangle, 622, 5, 5, 373, Qt::white, Qt::black, 1);  // right

    TShape** cavity[velox::MaxCavities] = {&Shape1,  &Shape2,  &Shape3,  &Shape4,  &Shape5,  &Shape6,  &Shape7,
                                           &Shape8,  &Shape9,  &Shape10, &Shape11, &Shape12, &Shape13, &Shape14,
                                           &Shape15, &Shape16, &Shape17, &Shape18, &Shape19, &Shape20, &Shape21};
    // The cavity markers belong to the view: they are children of its image,
    // so a marker beyond the view's edge is cut off there like the drawing,
    // and never covers, nor takes a click from, the panels around the view.
    for (int k = 0; k < velox::MaxCavities; ++k) {
        const auto i = static_cast<std::size_t>(k);
        *cavity[k] = NewMarker(Image1, 7 + 25 * k, 339, Data.CavityMarkers[i]);
        CavityMarkerShapes[i] = *cavity[k];
    }
    TShape** particle[velox::ParticleCount] = {&Shape22, &Shape23, &Shape24, &Shape25, &Shape26, &Shape27, &Shape28,
                                               &Shape29, &Shape30, &Shape31, &Shape32, &Shape33, &Shape34, &Shape35,
                                               &Shape36, &Shape37, &Shape38, &Shape39, &Shape40, &Shape41, &Shape42};
    for (int i = 0; i < velox::ParticleCount; ++i) {
        const velox::ShapeState& state = Data.ParticleMarkers[static_cast<std::size_t>(i)];
        *particle[i] = NewMarker(Client, state.Left, state.Top, state);
        ParticleMarkerShapes[static_cast<std::size_t>(i)] = *particle[i];
    }
    Target = NewMarker(Client, Data.TargetMarker.Left, Data.TargetMarker.Top, Data.TargetMarker);

    // ---- "Gyorsító" ------------------------------------------------------------
    Panel1 = NewPanel(Client, 7, 384, 166, 193);
    Label1 = NewHeading(Panel1, QStringLiteral("Gyorsító"), 8, 8);
    Button4 = NewButton(Panel1, QStringLiteral("Új gyorsítóüreg"), 13, 33, 140);
    Label5 = NewLabel(Panel1, QStringLiteral("Frekvencia:"), 9, 73);
    Edit1 = NewEdit(Panel1, QStringLiteral("50"), 86, 70, 43);
    Edit2 = NewEdit(Panel1, QStringLiteral("1.00"), 84, 70, 44);
    UpDown1 = new TUpDown(Panel1, velox::VeloxData::SpinnerMin, velox::VeloxData::SpinnerMax, Data.FrequencyPosition);
    UpDown1->setGeometry(129, 70, 16, 21);
    Label6 = NewLabel(Panel1, QStringLiteral("Gyorsítófesz: "), 9, 100);
    Edit3 = NewEdit(Panel1, QStringLiteral("50"), 85, 97, 43);
    Edit4 = NewEdit(Panel1, QStringLiteral("50"), 85, 97, 42);
    UpDown2 = new TUpDown(Panel1, velox::VeloxData::SpinnerMin, velox::VeloxData::SpinnerMax, Data.VoltagePosition);
    UpDown2->setGeometry(128, 97, 16, 21);
    UpDown1->SetAssociate(Edit1);
    UpDown2->SetAssociate(Edit3);
    // The position fields lie under the display fields and take no focus.
    for (QLineEdit* e : {Edit1, Edit3}) e->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* e : {Edit2, Edit4}) e->setReadOnly(true);
    Edit2->raise();
    Edit4->raise();
    GroupBox3 = new QGroupBox(QStringLiteral("Aktuális állapot"), Panel1);
    GroupBox3->setGeometry(13, 119, 146, 66);
    Label25 = NewLabel(GroupBox3, QStringLiteral("Feszültség ="), 6, 20);
    Label26 = NewLabel(GroupBox3, QStringLiteral("Fázis ="), 6, 39);

    // ---- "Ionforrás" ---------------------------------------------------------
    Panel11 = NewPanel(Client, 178, 384, 136, 193);
    Label27 = NewHeading(Panel11, QStringLiteral("Ionforrás"), 8, 8);
    Image4 = new TImage(Panel11);
    Image4->setGeometry(15, 33, 107, 61);
    Image4->NewBitmap();
    Shape50 = NewShape(Panel11, TShape::Kind::Rectangle, 119, 94, 2, 5, Qt::black, Qt::black, 1);
    Shape51 = NewShape(Panel11, TShape::Kind::Rectangle, 34, 94, 2, 5, Qt::black, Qt::black, 1);
    Shape52 = NewShape(Panel11, TShape::Kind::Rectangle, 17, 33, 1, 61, Qt::red, Qt::red, 1);
    Label28 = NewLabel(Panel11, QStringLiteral("Részecskebelövés      fázisszöge (fok)"), 8, 98);
    Label28->setWordWrap(true);
    Label28->setGeometry(8, 98, 122, 26);
    Label30 = NewLabel(Panel11, QStringLiteral("Kezdő"), 18, 123);
    Label3 = NewLabel(Panel11, QStringLiteral("Végső"), 77, 123);
    Edit13 = NewEdit(Panel11, QStringLiteral("0"), 18, 137, 36);
    Edit14 = NewEdit(Panel11, QStringLiteral("360"), 77, 137, 36);
    CheckBox1 = NewCheckBox(Panel11, QStringLiteral("Több részecske"), 19, 163, Data.MultiParticle);

    // ---- "Szimuláció" --------------------------------------------------------
    Panel3 = NewPanel(Client, 320, 384, 133, 193);
    Label2 = NewHeading(Panel3, QStringLiteral("Szimuláció"), 8, 8);
    Label4 = NewLabel(Panel3, QStringLiteral("Sebesség"), 17, 34);
    ComboBox1 = new QComboBox(Panel3);
    ComboBox1->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                         QStringLiteral("5")});
    ComboBox1->setCurrentIndex(4);
    ComboBox1->setGeometry(78, 31, 45, 21);
    Label29 = NewLabel(Panel3, QStringLiteral("Idő:"), 17, 59);
    Edit15 = NewEdit(Panel3, QStringLiteral("00:00:00"), 42, 56, 81);
    Button2 = NewButton(Panel3, QStringLiteral("Egy lépés"), 17, 87, 98);
    Button1 = NewButton(Panel3, QString::fromStdString(velox::RunOfferCaption(Run.Offer)), 17, 120, 98);
    Button3 = NewButton(Panel3, QStringLiteral("Újraindít"), 17, 153, 98);

    // ---- "Tájékoztató adatok" ------------------------------------------------
    Panel10 = NewPanel(Client, 456, 384, 169, 193);
    Label24 = NewHeading(Panel10, QStringLiteral("Tájékoztató adatok"), 8, 8);
    GroupBox1 = new QGroupBox(QStringLiteral("Beérkező részecske"), Panel10);
    GroupBox1->setGeometry(15, 31, 151, 60);
    Label21 = NewLabel(GroupBox1, QString::fromStdString(velox::ArrivalEnergyText(Data.Store.LastArrival)), 4, 19);
    Label22 = NewLabel(GroupBox1, QString::fromStdString(velox::ArrivalTimeText(Data.Store.LastArrival)), 4, 37);
    GroupBox2 = new QGroupBox(QStringLiteral("Általános adatok"), Panel10);
    GroupBox2->setGeometry(15, 96, 151, 88);
    Label18 = NewLabel(GroupBox2, QStringLiteral("Emax ="), 4, 19);
    Label20 = NewLabel(GroupBox2, QStringLiteral("Összes indított ="), 4, 39);

    // ---- "Eredmények" --------------------------------------------------------
    Panel2 = NewPanel(Client, 642, 5, 297, 572);

    Panel8 = NewPanel(Panel2, 10, 6, 281, 28);
    Label8 = NewLabel(Panel8, QStringLiteral("Ymax"), 5, 8);
    Edit10 = NewEdit(Panel8, QStringLiteral("20"), 36, 4, 36);
    CheckBox2 = NewCheckBox(Panel8, QStringLiteral("Auto"), 78, 6, true);
    RadioButton1 = new QRadioButton(QStringLiteral("Energia"), Panel8);
    RadioButton1->move(130, 6);
    RadioButton1->adjustSize();
    RadioButton1->setAutoExclusive(false);
    RadioButton1->setChecked(true);
    Label9 = NewLabel(Panel8, QStringLiteral("Csat.:"), 204, 8);
    Edit9 = NewEdit(Panel8, QStringLiteral("1"), 238, 4, 38);

    Panel4 = NewPanel(Panel2, 12, 36, 279, 197);
    Panel4->SetColor(Qt::black);
    Bevel2 = new TBevel(Panel4);
    Bevel2->setGeometry(4, 4, 270, 189);
    Image2 = new TImage(Panel4);
    Image2->setGeometry(6, 6, 265, 184);
    Image2->NewBitmap(Qt::black);
    Shape43 = NewShape(Panel4, TShape::Kind::Rectangle, 82, 4, 1, 189, Qt::yellow, Qt::yellow, 1);
    Panel12 = NewPanel(Panel4, 140, 12, 126, 52);
    Label31 = NewLabel(Panel12, QStringLiteral("Összes : "), 6, 4);
    Label32 = NewLabel(Panel12, QStringLiteral("Átlag  : "), 6, 19);
    Label33 = NewLabel(Panel12, QStringLiteral("Szórás : "), 6, 34);
    Panel12->hide();

    Panel6 = NewPanel(Panel2, 11, 230, 281, 30);
    Label14 = NewLabel(Panel6, QStringLiteral("Xmin"), 5, 8);
    Edit6 = NewEdit(Panel6, QStringLiteral("0"), 36, 5, 36);
    Label10 = NewLabel(Panel6, QStringLiteral("X="), 82, 8);
    Label11 = NewLabel(Panel6, QStringLiteral("Y="), 140, 8);
    Label15 = NewLabel(Panel6, QStringLiteral("Xmax"), 200, 8);
    Edit5 = NewEdit(Panel6, QStringLiteral("100"), 238, 5, 38);

    Panel9 = NewPanel(Panel2, 12, 273, 281, 28);
    Label16 = NewLabel(Panel9, QStringLiteral("Ymax"), 5, 8);
    Edit12 = NewEdit(Panel9, QStringLiteral("20"), 36, 4, 36);
    CheckBox3 = NewCheckBox(Panel9, QStringLiteral("Auto"), 78, 6, true);
    RadioButton2 = new QRadioButton(QStringLiteral("Ido"), Panel9);
    RadioButton2->move(130, 6);
    RadioButton2->adjustSize();
    RadioButton2->setAutoExclusive(false);
    Label17 = NewLabel(Panel9, QStringLiteral("Csat.:"), 204, 8);
    Edit11 = NewEdit(Panel9, QStringLiteral("1"), 238, 4, 38);

    Panel5 = NewPanel(Panel2, 12, 307, 279, 197);
    Panel5->SetColor(Qt::black);
    Bevel3 = new TBevel(Panel5);
    Bevel3->setGeometry(4, 4, 270, 189);
    Image3 = new TImage(Panel5);
    Image3->setGeometry(6, 6, 265, 184);
    Image3->NewBitmap(Qt::black);
    Shape44 = NewShape(Panel5, TShape::Kind::Rectangle, 76, 4, 1, 189, Qt::yellow, Qt::yellow, 1);
    Shape44->hide();
    Panel13 = NewPanel(Panel5, 140, 12, 126, 52);
    Label34 = NewLabel(Panel13, QStringLiteral("Összes : "), 6, 4);
    Label35 = NewLabel(Panel13, QStringLiteral("Átlag  : "), 6, 19);
    Label36 = NewLabel(Panel13, QStringLiteral("Szórás : "), 6, 34);
    Panel13->hide();

    Panel7 = NewPanel(Panel2, 12, 499, 281, 30);
    Label19 = NewLabel(Panel7, QStringLiteral("Xmin"), 5, 8);
    Edit8 = NewEdit(Panel7, QStringLiteral("0"), 36, 5, 36);
    Label12 = NewLabel(Panel7, QStringLiteral("X="), 82, 8);
    Label13 = NewLabel(Panel7, QStringLiteral("Y="), 140, 8);
    Label23 = NewLabel(Panel7, QStringLiteral("Xmax"), 200, 8);
    Edit7 = NewEdit(Panel7, QStringLiteral("100"), 238, 5, 38);

    CheckBox4 = NewCheckBox(Panel2, QStringLiteral("Teszt üzemmód"), 16, 544, true);
    Label7 = NewLabel(Panel2, QStringLiteral("Eredmények"), 134, 546);
    Button5 = NewButton(Panel2, QStringLiteral("Törlés"), 208, 538, 75);

    // Readouts are rewritten often; they keep a fixed size so that a longer
    // text does not make their panel lay itself out again.
    for (QLabel* l : {Label25, Label26}) l->resize(136, l->height());
    for (QLabel* l : {Label18, Label21, Label22}) l->resize(146, l->height());
    Label20->resize(146, 2 * Label20->height() + 2);
    Label20->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* l : {Label10, Label11, Label12, Label13}) l->resize(56, l->height());
    for (QLabel* l : {Label31, Label32, Label33, Label34, Label35, Label36}) l->resize(116, l->height());
}

void TForm1::BuildMenu() {
    MainMenu1 = menuBar();
    Feladat1 = MainMenu1->addAction(QStringLiteral("Feladat"));
    Gyorstadatai1 = MainMenu1->addMenu(QStringLiteral("Gyorsító adatai"));
    Kirs1 = Gyorstadatai1->addAction(QStringLiteral("Mentés"));
    Kirsmsknt1 = Gyorstadatai1->addAction(QStringLiteral("Mentés másként"));
    Betlts1 = Gyorstadatai1->addAction(QStringLiteral("Betöltés"));
    Eredmnyek1 = MainMenu1->addMenu(QStringLiteral("Eredmények"));
    Kirs2 = Eredmnyek1->addAction(QStringLiteral("Kiírás"));
    Kirsmsknt2 = Eredmnyek1->addAction(QStringLiteral("Kiírás másként"));
    Betlts2 = Eredmnyek1->addAction(QStringLiteral("Betöltés"));
    Vge1 = MainMenu1->addAction(QStringLiteral("Vége"));

    OpenDialog1.Filter = QStringLiteral("Gyorsító adafájl|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*");
    OpenDialog1.DefaultExt = QStringLiteral("gydat");
    SaveDialog1.Filter = QStringLiteral("Gyorsító adatfjál|*.gydat|Eredményfájl|*.edat|Minden fájl|*.*");
    SaveDialog1.DefaultExt = QStringLiteral("gydat");
}
