#include "ui/app/Layout.h"

#include <array>
#include <vector>

#include "editor/model/NumberText.h"
#include "ui/app/Controls.h"

namespace velox::app {

namespace {

using K = ControlKind;

constexpr std::uint32_t Black = 0x000000, White = 0xffffff, Red = 0xff0000, Yellow = 0xffff00;

constexpr std::array<const char*, 42> MarkerNames = {
    "Shape1",  "Shape2",  "Shape3",  "Shape4",  "Shape5",  "Shape6",  "Shape7",  "Shape8",  "Shape9",
    "Shape10", "Shape11", "Shape12", "Shape13", "Shape14", "Shape15", "Shape16", "Shape17", "Shape18",
    "Shape19", "Shape20", "Shape21", "Shape22", "Shape23", "Shape24", "Shape25", "Shape26", "Shape27",
    "Shape28", "Shape29", "Shape30", "Shape31", "Shape32", "Shape33", "Shape34", "Shape35", "Shape36",
    "Shape37", "Shape38", "Shape39", "Shape40", "Shape41", "Shape42"};

// One spectrum's area of the results panel: the strip above the plot, the
// plot and the strip below it.
struct SpectrumArea {
    std::int16_t UpperLeft, UpperTop, PlotLeft, PlotTop, LowerLeft, LowerTop, MarkerLineLeft;
    std::array<const char*, 25> Names;
};

constexpr SpectrumArea Energy{10, 6, 12, 36, 11, 230, 82,
                              {"Panel8", "Label8", "Edit10", "CheckBox2", "RadioButton1", "Label9", "Edit9",
                               "Panel4", "Bevel2", "Image2", "Shape43", "Panel12", "Label31", "Label32", "Label33",
                               "Panel6", "Label14", "Edit6", "Label10", "Label11", "Label15", "Edit5"}};
constexpr SpectrumArea Time{12, 273, 12, 307, 12, 499, 76,
                            {"Panel9", "Label16", "Edit12", "CheckBox3", "RadioButton2", "Label17", "Edit11",
                             "Panel5", "Bevel3", "Image3", "Shape44", "Panel13", "Label34", "Label35", "Label36",
                             "Panel7", "Label19", "Edit8", "Label12", "Label13", "Label23", "Edit7"}};

void AddSpectrum(std::vector<LayoutControl>& t, const SpectrumArea& a) {
    const auto& n = a.Names;
    const char *upper = n[0], *plot = n[7], *stats = n[11], *lower = n[15];
    t.insert(t.end(), {
        {K::Panel, upper, "Panel2", a.UpperLeft, a.UpperTop, 281, 28},
        {K::Label, n[1], upper, 5, 8},
        {K::Field, n[2], upper, 36, 4, 36, 21},
        {K::CheckBox, n[3], upper, 78, 6},
        {K::RadioButton, n[4], upper, 130, 6},
        {K::Label, n[5], upper, 204, 8},
        {K::Field, n[6], upper, 238, 4, 38, 21},
        {K::Panel, plot, "Panel2", a.PlotLeft, a.PlotTop, 279, 197, 0, 0, false, true},
        {K::Bevel, n[8], plot, 4, 4, 270, 189},
        {K::Image, n[9], plot, 6, 6, 265, 184},
        {K::MarkerLine, n[10], plot, a.MarkerLineLeft, 4, 1, 189, Yellow, Yellow},
        {K::StatisticsBox, stats, plot, 140, 12, 126, 52},
        {K::Label, n[12], stats, 6, 4, 116},
        {K::Label, n[13], stats, 6, 19, 116},
        {K::Label, n[14], stats, 6, 34, 116},
        {K::Panel, lower, "Panel2", a.LowerLeft, a.LowerTop, 281, 30},
        {K::Label, n[16], lower, 5, 8},
        {K::Field, n[17], lower, 36, 5, 36, 21},
        {K::Label, n[18], lower, 82, 8, 56},
        {K::Label, n[19], lower, 140, 8, 56},
        {K::Label, n[20], lower, 200, 8},
        {K::Field, n[21], lower, 238, 5, 38, 21},
    });
}

std::vector<LayoutControl> MakeMainLayout() {
    std::vector<LayoutControl> t = {
        // The accelerator view in its frame.
        {K::Bevel, "Bevel1", "", 12, 10, 609, 363},
        {K::Image, "Image1", "", 13, 11, 606, 360},
        {K::Bar, "Shape48", "", 7, 5, 620, 5, White, Black},
        {K::Bar, "Shape49", "", 7, 373, 620, 5, White, Black},
        {K::Bar, "Shape46", "", 7, 5, 5, 373, White, Black},
        {K::Bar, "Shape47", "", 622, 5, 5, 373, White, Black},
    };
    // The cavity markers lie in the view's image, the particle markers and
    // the target over the client area.
    for (std::size_t k = 0; k < MarkerNames.size(); ++k)
        t.push_back({K::Marker, MarkerNames[k], k < 21 ? "Image1" : ""});
    t.push_back({K::Marker, "Target", ""});
    t.insert(t.end(), {
        // "Gyorsító"
        {K::Panel, "Panel1", "", 7, 384, 166, 193},
        {K::Heading, "Label1", "Panel1", 8, 8},
        {K::Button, "Button4", "Panel1", 13, 33, 140, 25},
        {K::Label, "Label5", "Panel1", 9, 73},
        {K::Field, "Edit1", "Panel1", 86, 70, 43, 21},
        {K::Field, "Edit2", "Panel1", 84, 70, 44, 21, 0, 0, true},
        {K::Spinner, "UpDown1", "Panel1", 129, 70, 16, 21},
        {K::Label, "Label6", "Panel1", 9, 100},
        {K::Field, "Edit3", "Panel1", 85, 97, 43, 21},
        {K::Field, "Edit4", "Panel1", 85, 97, 42, 21, 0, 0, true},
        {K::Spinner, "UpDown2", "Panel1", 128, 97, 16, 21},
        {K::GroupBox, "GroupBox3", "Panel1", 13, 119, 146, 66},
        {K::Label, "Label25", "GroupBox3", 6, 20, 136},
        {K::Label, "Label26", "GroupBox3", 6, 39, 136},
        // "Ionforrás"
        {K::Panel, "Panel11", "", 178, 384, 136, 193},
        {K::Heading, "Label27", "Panel11", 8, 8},
        {K::Image, "Image4", "Panel11", 15, 33, 107, 61},
        {K::Shape, "Shape50", "Panel11", 119, 94, 2, 5, Black, Black},
        {K::Shape, "Shape51", "Panel11", 34, 94, 2, 5, Black, Black},
        {K::Shape, "Shape52", "Panel11", 17, 33, 1, 61, Red, Red},
        {K::WrappedLabel, "Label28", "Panel11", 8, 98, 122, 26},
        {K::Label, "Label30", "Panel11", 18, 123},
        {K::Label, "Label3", "Panel11", 77, 123},
        {K::Field, "Edit13", "Panel11", 18, 137, 36, 21},
        {K::Field, "Edit14", "Panel11", 77, 137, 36, 21},
        {K::CheckBox, "CheckBox1", "Panel11", 19, 163},
        // "Szimuláció"
        {K::Panel, "Panel3", "", 320, 384, 133, 193},
        {K::Heading, "Label2", "Panel3", 8, 8},
        {K::Label, "Label4", "Panel3", 17, 34},
        {K::List, "ComboBox1", "Panel3", 78, 31, 45, 21, 0, 0, false, false, "1|2|3|4|5"},
        {K::Label, "Label29", "Panel3", 17, 59},
        {K::Field, "Edit15", "Panel3", 42, 56, 81, 21},
        {K::Button, "Button2", "Panel3", 17, 87, 98, 25},
        {K::Button, "Button1", "Panel3", 17, 120, 98, 25},
        {K::Button, "Button3", "Panel3", 17, 153, 98, 25},
        // "Tájékoztató adatok"
        {K::Panel, "Panel10", "", 456, 384, 169, 193},
        {K::Heading, "Label24", "Panel10", 8, 8},
        {K::GroupBox, "GroupBox1", "Panel10", 15, 31, 151, 60},
        {K::Label, "Label21", "GroupBox1", 4, 19, 146},
        {K::Label, "Label22", "GroupBox1", 4, 37, 146},
        {K::GroupBox, "GroupBox2", "Panel10", 15, 96, 151, 88},
        {K::Label, "Label18", "GroupBox2", 4, 19, 146},
        {K::Label, "Label20", "GroupBox2", 4, 39, 146},
        // "Eredmények"
        {K::Panel, "Panel2", "", 642, 5, 297, 572},
    });
    AddSpectrum(t, Energy);
    AddSpectrum(t, Time);
    t.insert(t.end(), {
        {K::CheckBox, "CheckBox4", "Panel2", 16, 544},
        {K::Label, "Label7", "Panel2", 134, 546},
        {K::Button, "Button5", "Panel2", 208, 538, 75, 25},
        // The menu bar.
        {K::MenuItem, "Feladat1", ""},
        {K::Menu, "Gyorstadatai1", ""},
        {K::MenuItem, "Kirs1", "Gyorstadatai1"},
        {K::MenuItem, "Kirsmsknt1", "Gyorstadatai1"},
        {K::MenuItem, "Betlts1", "Gyorstadatai1"},
        {K::Menu, "Eredmnyek1", ""},
        {K::MenuItem, "Kirs2", "Eredmnyek1"},
        {K::MenuItem, "Kirsmsknt2", "Eredmnyek1"},
        {K::MenuItem, "Betlts2", "Eredmnyek1"},
        {K::MenuItem, "Exportls1", "Eredmnyek1"},
        {K::MenuItem, "Vge1", ""},
    });
    return t;
}

void AppendNumber(std::string& out, std::int64_t n) { out += FormatInteger(n); }

// A dialog's control with its fixed caption.
constexpr LayoutControl Captioned(ControlKind kind, const char* name, const char* parent, std::int16_t left,
                                  std::int16_t top, std::int16_t width, std::int16_t height, const char* text) {
    LayoutControl c{kind, name, parent, left, top, width, height};
    c.Text = text;
    return c;
}

// One electrode's group in the cavity dialog's panel: its frame, its
// heading, then its gap and its width, each a label beside a field showing
// "10" at first.
void AddElectrode(std::vector<LayoutControl>& t, std::int16_t top, const char* heading,
                  const std::array<const char*, 6>& n) {
    constexpr std::int16_t labels = 16, fields = 190;
    t.insert(t.end(), {
        Captioned(K::Bevel, n[0], "Panel1", 8, top, 251, 82, ""),
        Captioned(K::Heading, n[1], "Panel1", labels, top + 6, 0, 0, heading),
        Captioned(K::Label, n[2], "Panel1", labels, top + 30, 0, 0, "Add meg az új hézagot: "),
        Captioned(K::Field, n[3], "Panel1", fields, top + 27, 57, 21, "10"),
        Captioned(K::Label, n[4], "Panel1", labels, top + 56, 0, 0, "Add meg az új szélességet: "),
        Captioned(K::Field, n[5], "Panel1", fields, top + 53, 57, 21, "10"),
    });
}

// OK and Cancel beside the panel; in the panel the accelerating electrode,
// the delete button and the grounded electrode.
std::vector<LayoutControl> MakeCavityDialog() {
    std::vector<LayoutControl> t = {
        Captioned(K::Window, "UregAdatDlg", "", 0, 0, 365, 229, "Gyorsítóüreg"),
        Captioned(K::Button, "OKBtn", "", 283, 8, 75, 25, "OK"),
        Captioned(K::Button, "CancelBtn", "", 283, 38, 75, 25, "Cancel"),
        {K::Panel, "Panel1", "", 8, 8, 267, 213},
    };
    AddElectrode(t, 8, "Gyorsító elektróda ", {"Bevel1", "Label5", "Label2", "Edit2", "Label1", "Edit1"});
    t.push_back(Captioned(K::Button, "Button1", "Panel1", 46, 95, 175, 25, "Töröld  mindkét elektródát"));
    AddElectrode(t, 125, "Földpotenciálon lévo elektróda ", {"Bevel2", "Label6", "Label4", "Edit3", "Label3", "Edit4"});
    return t;
}

// The question in a frame over OK and Cancel, all on one panel.
const LayoutControl QuitDialog[] = {
    Captioned(K::Window, "MsgDlg", "", 0, 0, 326, 121, "FIGYELMEZTETÉS! "),
    {K::Panel, "Panel1", "", 16, 8, 297, 105},
    {K::Bevel, "Bevel1", "Panel1", 5, 6, 276, 51},
    Captioned(K::WrappedLabel, "Label1", "Panel1", 21, 12, 241, 32, "El vannak mentve az eredmények?  Kiléphetünk? "),
    Captioned(K::Button, "OKBtn", "Panel1", 52, 68, 75, 25, "OK"),
    Captioned(K::Button, "CancelBtn", "Panel1", 169, 67, 75, 25, "Cancel"),
};

// The text over its button.
const LayoutControl TaskWindow[] = {
    Captioned(K::Window, "Form3", "", 0, 0, 680, 450, "Feladat"),
    {K::TextView, "RichEdit1", "", 13, 16, 633, 401},
    Captioned(K::Button, "Button1", "", 328, 424, 75, 25, "Vissza"),
};

}  // namespace

std::span<const LayoutControl> CavityDialogLayout() {
    static const std::vector<LayoutControl> layout = MakeCavityDialog();
    return layout;
}
std::span<const LayoutControl> QuitDialogLayout() { return QuitDialog; }
std::span<const LayoutControl> TaskWindowLayout() { return TaskWindow; }

std::span<const LayoutControl> MainLayout() {
    static const std::vector<LayoutControl> layout = MakeMainLayout();
    return layout;
}

std::string_view KindName(ControlKind kind) {
    static constexpr std::array<std::string_view, 22> names = {
        "panel", "heading", "label", "wrap",  "button", "field", "check", "radio",  "list", "spinner", "group",
        "bevel", "image",   "shape", "bar",   "marker", "line",  "stats", "menu",   "item", "window",  "text"};
    return names[static_cast<std::size_t>(kind)];
}

std::string LayoutJson(std::span<const LayoutControl> layout) {
    std::string out = "[";
    for (const LayoutControl& c : layout) {
        if (out.size() > 1) out += ',';
        out += "{\"kind\":";
        AppendJsonString(out, KindName(c.Kind));
        out += ",\"name\":";
        AppendJsonString(out, c.Name);
        out += ",\"parent\":";
        AppendJsonString(out, c.Parent);
        const std::pair<const char*, std::int64_t> numbers[] = {
            {"left", c.Left}, {"top", c.Top}, {"width", c.Width}, {"height", c.Height}};
        for (const auto& [key, value] : numbers) {
            out += ",\"";
            out += key;
            out += "\":";
            AppendNumber(out, value);
        }
        if (c.Kind == ControlKind::Shape || c.Kind == ControlKind::Bar || c.Kind == ControlKind::MarkerLine) {
            out += ",\"fill\":";
            AppendNumber(out, c.Fill);
            out += ",\"outline\":";
            AppendNumber(out, c.Outline);
        }
        if (c.ReadOnly) out += ",\"readOnly\":true";
        if (c.Dark) out += ",\"dark\":true";
        for (const auto& [key, text] : {std::pair{"items", c.Items}, std::pair{"text", c.Text}}) {
            if (!*text) continue;
            out += ",\"";
            out += key;
            out += "\":";
            AppendJsonString(out, text);
        }
        out += '}';
    }
    out += ']';
    return out;
}

}  // namespace velox::app
