// The common look of the program's windows: a pale yellow window, dark
// red-brown panels and white captions on them.
#pragma once

#include <QColor>

class QWidget;

namespace velox::ui {

inline const QColor WindowColour{255, 255, 170};
inline const QColor PanelColour{136, 34, 0};
inline const QColor CaptionColour{255, 255, 255};

// Gives the window the application's icon and its colour, every panel in it
// the panel colour, and every label, check box and radio button the caption
// colour.  Controls created later are not touched.
void ApplyDialogLook(QWidget& window);

}  // namespace velox::ui
