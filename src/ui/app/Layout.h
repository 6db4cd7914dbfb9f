// Where a window's controls lie: one table a window that both faces build
// their controls from.  Each control has its kind, its name, its parent's
// name ("" for the client area, or for the menu bar when it is a menu or a
// menu item) and its place at 100 % in its parent's coordinates.  The
// table is in creation order, which is the stacking order and the order in
// which the focus moves.  The main window's captions and texts are not
// here: they are its controls' state (Controls.h).  A dialog's are fixed
// and stand in its table, whose first row is the dialog itself.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velox::app {

enum class ControlKind : std::uint8_t {
    Panel,          // a raised panel in the window's panel colour
    Heading,        // a bold label
    Label,
    WrappedLabel,   // a label whose caption wraps within its width
    Button,
    Field,          // a one-line text field
    CheckBox,
    RadioButton,
    List,           // a drop-down list of Items
    Spinner,        // an up-down pair of arrows
    GroupBox,
    Bevel,          // a sunken frame line
    Image,          // a picture the window paints
    Shape,          // a rectangle in Fill with an Outline
    Bar,            // a frame bar of the accelerator view, in the panel colour
    Marker,         // a marker shape the model places, sizes and colours
    MarkerLine,     // a spectrum's marker line over its plot
    StatisticsBox,  // a spectrum's statistics, a panel over its plot
    Menu,           // a drop-down menu of the menu bar
    MenuItem,       // a command of the menu bar or of a menu
    Window,         // a dialog: its title and its fixed size
    TextView,       // a read-only view of rich text
};

// A control that takes its caption's width or height has 0 there; a label
// with a width keeps that width whatever its caption (a readout).
struct LayoutControl {
    ControlKind Kind;
    const char* Name;
    const char* Parent;
    std::int16_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::uint32_t Fill = 0, Outline = 0;  // a shape's colours, 0xRRGGBB
    bool ReadOnly = false;                // a field the user does not type in
    bool Dark = false;                    // a panel with a black background (a plot)
    const char* Items = "";               // a list's items, separated by "|"
    const char* Text = "";                // a dialog's caption or field text
};

// The main window's controls in creation order.
std::span<const LayoutControl> MainLayout();
// The cavity dialog "Gyorsítóüreg", the quit confirmation and the
// exercise text's window.
std::span<const LayoutControl> CavityDialogLayout();
std::span<const LayoutControl> QuitDialogLayout();
std::span<const LayoutControl> TaskWindowLayout();

// The table as a JSON array of objects (kind, name, parent, left, top,
// width, height, and fill, outline, readOnly, dark, items where they say
// something).
std::string LayoutJson(std::span<const LayoutControl> layout);

std::string_view KindName(ControlKind kind);

}  // namespace velox::app
