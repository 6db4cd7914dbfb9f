// The layout table that the window and the page build the main window from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "core/app/Window.h"
#include "ui/app/Layout.h"

namespace velox::app {
namespace {

// Each table holds every control once, after its parent and, where it has
// a size, inside it; the main window's holds every control the layer keeps
// but the window and its timers.
TEST(MainLayout, HoldsEveryControlOfTheLayerOnceAfterItsParentAndInsideIt) {
    FixedMeasure measure{6, 3, 13};
    QueuedAsker asker;
    DiskFiles files;
    NullPainter painter;
    const Window app{measure, asker, files, painter};
    for (const auto table : {MainLayout(), CavityDialogLayout(), QuitDialogLayout(), TaskWindowLayout()}) {
        std::map<std::string, const LayoutControl*> seen;
        for (const LayoutControl& c : table) {
            EXPECT_TRUE(seen.emplace(c.Name, &c).second) << c.Name << " twice";
            if (!*c.Parent && table.front().Kind != ControlKind::Window) continue;  // the client area
            const LayoutControl& p = *c.Parent ? *seen.at(c.Parent) : table.front();
            if (c.Width && p.Width && &p != &c) {
                EXPECT_TRUE(c.Left >= 0 && c.Top >= 0 && c.Left + c.Width <= p.Width && c.Top + c.Height <= p.Height)
                    << c.Name;
            }
        }
        if (table.data() != MainLayout().data()) continue;
        // Every marker: a cavity's in the view's image (cut off at its edge), the others over the client area.
        for (std::size_t k = 0; k <= MaxCavities + ParticleCount; ++k)
            EXPECT_EQ(std::string(seen.at(k < MaxCavities + ParticleCount ? "Shape" + std::to_string(k + 1) : "Target")->Parent),
                      k < MaxCavities ? "Image1" : "");
        for (const auto& [name, state] : app.Controls.All()) {
            if (name != "Form1" && !name.starts_with("Timer")) {
                EXPECT_TRUE(seen.contains(name)) << name;
            }
        }
    }
    for (const auto dialog : {CavityDialogLayout(), QuitDialogLayout(), TaskWindowLayout()})
        EXPECT_EQ(dialog.front().Kind, ControlKind::Window);
}

// The design's lines: controls that line up share those edges, and a
// label beside a field sits 3 pixels below the field's top.
TEST(MainLayout, ControlsThatLineUpShareTheirEdges) {
    using Edges = std::vector<std::int16_t LayoutControl::*>;
    const Edges left{&LayoutControl::Left, &LayoutControl::Width}, top{&LayoutControl::Top, &LayoutControl::Height};
    const auto at = [](std::span<const LayoutControl> t, std::string_view name) {
        return *std::find_if(t.begin(), t.end(), [name](const LayoutControl& c) { return c.Name == name; });
    };
    const std::span<const LayoutControl> main = MainLayout(), cavity = CavityDialogLayout();
    const std::tuple<std::span<const LayoutControl>, Edges, std::vector<std::string_view>> lines[] = {
        {main, top, {"Panel1", "Panel11", "Panel3", "Panel10"}},
        {main, {&LayoutControl::Left, &LayoutControl::Top}, {"Label1", "Label27", "Label2", "Label24"}},
        {main, left, {"Button2", "Button1", "Button3"}},
        {main, left, {"GroupBox1", "GroupBox2"}},
        {main, left, {"Label21", "Label22", "Label18", "Label20"}},
        {main, left, {"Label25", "Label26"}},
        {main, {&LayoutControl::Left}, {"Label5", "Label6"}},
        {main, {&LayoutControl::Top, &LayoutControl::Width}, {"Edit13", "Edit14"}},
        {main, {&LayoutControl::Width}, {"Panel8", "Panel6", "Panel9", "Panel7"}},
        {cavity, left, {"OKBtn", "CancelBtn"}},
        {cavity, left, {"Edit1", "Edit2", "Edit3", "Edit4"}},
        {cavity, {&LayoutControl::Left}, {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}},
        {QuitDialogLayout(), {&LayoutControl::Width, &LayoutControl::Height}, {"OKBtn", "CancelBtn"}},
    };
    for (const auto& [table, edges, names] : lines)
        for (const auto edge : edges)
            for (const std::string_view name : names) EXPECT_EQ(at(table, name).*edge, at(table, names[0]).*edge) << name;
    for (const auto& [table, label, field] : {std::tuple{main, "Label5", "Edit2"}, {main, "Label6", "Edit4"},
                                              {main, "Label4", "ComboBox1"}, {main, "Label29", "Edit15"},
                                              {cavity, "Label2", "Edit2"}, {cavity, "Label1", "Edit1"}})
        EXPECT_EQ(at(table, label).Top, at(table, field).Top + 3) << label;
}

// The tables as the design stands, one control a line.  After a deliberate
// change of the design, VELOX_RECORD=1 writes the file anew.
TEST(MainLayout, TablesAreTheRecordedDesign) {
    const std::string path = VELOX_SOURCE_DIR "/tests/expected/layout.json";
    std::string tables = "{";
    for (const auto& [window, table] : {std::pair{"Form1", MainLayout()}, {"UregAdatDlg", CavityDialogLayout()},
                                        {"MsgDlg", QuitDialogLayout()}, {"Form3", TaskWindowLayout()}}) {
        std::string json = LayoutJson(table);
        for (std::size_t at = 0; (at = json.find("},{", at)) != std::string::npos; at += 4) json.replace(at, 3, "},\n{");
        tables += std::string(tables.size() > 1 ? ",\n\"" : "\"") + window + "\": " + json;
    }
    tables += "}\n";
    if (std::getenv("VELOX_RECORD")) std::ofstream(path, std::ios::binary) << tables;
    std::ifstream expected(path, std::ios::binary);
    std::stringstream text;
    text << expected.rdbuf();
    EXPECT_EQ(tables, text.str());
}

}  // namespace
}  // namespace velox::app
