#include "ui/qt/Fonts.h"

namespace velox::ui {

QFont MainFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    // DejaVu Sans is wider than the face the controls were sized for; a
    // slightly tighter spacing lets the longest readouts fit.
    f.setLetterSpacing(QFont::AbsoluteSpacing, -0.4);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont SmallFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(8);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

}  // namespace velox::ui
