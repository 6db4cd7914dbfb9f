#include "ui/qt/Fonts.h"

namespace velox::ui {

QFont MainFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
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
