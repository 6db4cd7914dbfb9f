#include "ui/qt/Zoom.h"

#include <cmath>

#include <QVariant>

#include "ui/model/Zoom.h"

namespace velox::ui {
namespace {

constexpr const char* ZoomProperty = "veloxZoom";
constexpr const char* GeometryProperty = "veloxLogicalGeometry";
constexpr const char* FontProperty = "veloxLogicalFont";
constexpr const char* SizeProperty = "veloxLogicalFixedSize";

double StoredZoom(const QWidget* w) {
    const QVariant v = w->property(ZoomProperty);
    return v.isValid() ? v.toDouble() : 0;
}

// The recorded value of a property, recorded now when it has none.
template <class T, class Read>
T Recorded(QWidget& w, const char* name, Read read) {
    const QVariant v = w.property(name);
    if (v.isValid()) return v.value<T>();
    const T value = read();
    w.setProperty(name, QVariant::fromValue(value));
    return value;
}

void ScaleFont(QWidget& w, double zoom) {
    if (!w.testAttribute(Qt::WA_SetFont) && !w.property(FontProperty).isValid()) return;
    const QFont logical = Recorded<QFont>(w, FontProperty, [&w] { return w.font(); });
    const QFont shown = ScaledFont(logical, zoom);
    if (w.font() != shown) w.setFont(shown);
}

}  // namespace

double ZoomOf(const QWidget* w) {
    for (const QWidget* window = w ? w->window() : nullptr; window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr)
        if (const double zoom = StoredZoom(window); zoom > 0) return zoom;
    return 1;
}

double PixelScaleOf(const QWidget* w) { return ZoomOf(w) * w->devicePixelRatioF(); }

QRect ScaledRect(const QRect& logical, double zoom) {
    if (zoom == 1) return logical;
    const PixelRect r = velox::ScaledRect({logical.x(), logical.y(), logical.width(), logical.height()}, zoom);
    return QRect(r.Left, r.Top, r.Width, r.Height);
}

QRect LogicalGeometryOf(const QWidget* w) {
    if (const auto* z = dynamic_cast<const Zoomable*>(w)) return z->LogicalGeometry();
    const QVariant v = w->property(GeometryProperty);
    return v.isValid() ? v.toRect() : w->geometry();
}

QFont ScaledFont(const QFont& font, double zoom) {
    if (zoom == 1) return font;
    QFont f = font;
    if (font.pixelSize() > 0)
        f.setPixelSize(std::max(1, static_cast<int>(std::floor(font.pixelSize() * zoom))));
    else if (font.pointSizeF() > 0)
        f.setPointSizeF(font.pointSizeF() * zoom);
    if (font.letterSpacingType() == QFont::AbsoluteSpacing && font.letterSpacing() != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, font.letterSpacing() * zoom);
    return f;
}

void ScaleControls(QWidget& root, double zoom) {
    for (QWidget* w : root.findChildren<QWidget*>()) {
        if (w->isWindow()) continue;
        ScaleFont(*w, zoom);
        if (auto* z = dynamic_cast<Zoomable*>(w)) {
            z->Rescale();
            continue;
        }
        const QRect logical = Recorded<QRect>(*w, GeometryProperty, [w] { return w->geometry(); });
        const QRect shown = ScaledRect(logical, zoom);
        if (w->geometry() != shown) w->setGeometry(shown);
    }
}

void SetWindowZoom(QWidget& window, double zoom) { window.setProperty(ZoomProperty, zoom); }

void ZoomDialog(QWidget& dialog) {
    const QWidget* owner = dialog.parentWidget();
    const double zoom = owner ? ZoomOf(owner) : 1;
    const double shown = StoredZoom(&dialog);
    if (shown == zoom || (shown == 0 && zoom == 1)) return;
    // The dialog's own zoom is recorded before its controls are placed, so
    // that the controls that ask see it.
    dialog.setProperty(ZoomProperty, zoom);
    ScaleFont(dialog, zoom);
    ScaleControls(dialog, zoom);
    if (dialog.minimumSize() == dialog.maximumSize()) {
        const QSize logical = Recorded<QSize>(dialog, SizeProperty, [&dialog] { return dialog.minimumSize(); });
        dialog.setFixedSize(ScaledRect(QRect(QPoint(), logical), zoom).size());
    }
}

}  // namespace velox::ui
