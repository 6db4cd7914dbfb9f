// Fonts of the program.  DejaVu Sans carries every Hungarian letter and is
// on every Debian system; sizes are in pixels so that texts fit the
// controls, whose sizes are in pixels too.
#pragma once

#include <QFont>

namespace velox::ui {

// The windows' font (in place of an 8-point sans serif).
QFont MainFont();

// The small font of the spectrum plots (in place of a 6-point one).
QFont SmallFont();

}  // namespace velox::ui
