#include "ui/qt/Zoom.h"

#include <cmath>

#include <QApplication>
#include <QVariant>

#include "ui/model/Zoom.h"

namespace velox::ui {
namespace {

constexpr const char* ZoomProperty = "veloxZoom";
constexpr const char* GeometryProperty = "veloxLogicalGeometry";
constexpr const char* FontProperty = "veloxLogicalFont";
constexpr const char* SizeProperty = "veloxLogicalFixedSize";
constexpr const char* RootProperty = "veloxZoomRoot";

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

// The font a window's content inherits, at a zoom.  The controls take
// their sizes from it (a heading is only bold).
void ScaleFont(QWidget& w, double zoom) {
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
    const PixelRect r = velox::ScaledRect({logical.x(), logical.y(), logical.width(), logical.height()}, zoom);
    return QRect(r.Left, r.Top, r.Width, r.Height);
}

void MarkZoomRoot(QWidget& root) { root.setProperty(RootProperty, true); }

QRect ShownGeometry(const QWidget* w, const QRect& logical, double zoom) {
    // The shapes move in every step: at 100 % without the walk up.
    if (zoom == 1) return logical;
    QPoint origin;
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow() && !p->property(RootProperty).toBool();
         p = p->parentWidget())
        origin += LogicalGeometryOf(p).topLeft();
    const QPoint shownOrigin(velox::Scaled(origin.x(), zoom), velox::Scaled(origin.y(), zoom));
    return ScaledRect(logical.translated(origin), zoom).translated(-shownOrigin);
}

QRect LogicalGeometryOf(const QWidget* w) {
    if (const auto* z = dynamic_cast<const Zoomable*>(w)) return z->LogicalGeometry();
    const QVariant v = w->property(GeometryProperty);
    return v.isValid() ? v.toRect() : w->geometry();
}

QFont ScaledFont(const QFont& font, double zoom) {
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
    QList<QWidget*> controls = root.findChildren<QWidget*>();
    controls.removeIf([](const QWidget* w) { return w->isWindow(); });
    // Every control's logical geometry is recorded before the first one
    // changes: a control that places its children when resized would
    // otherwise hand them on already scaled.
    for (QWidget* w : controls)
        if (!dynamic_cast<Zoomable*>(w)) Recorded<QRect>(*w, GeometryProperty, [w] { return w->geometry(); });
    for (QWidget* w : controls) {
        if (auto* z = dynamic_cast<Zoomable*>(w)) {
            z->Rescale();
            continue;
        }
        const QRect shown = ShownGeometry(w, w->property(GeometryProperty).toRect(), zoom);
        if (w->geometry() != shown) w->setGeometry(shown);
    }
}

void SetWindowZoom(QWidget& window, double zoom) { window.setProperty(ZoomProperty, zoom); }

void ZoomDialog(QWidget& dialog) {
    // A dialog without a parent belongs to the window it is opened from.
    const double zoom = ZoomOf(dialog.parentWidget() ? dialog.parentWidget() : QApplication::activeWindow());
    const double shown = StoredZoom(&dialog);
    if (shown == zoom || (shown == 0 && zoom == 1)) return;
    // The dialog's own zoom is recorded before its controls are placed, so
    // that the controls that ask see it.
    dialog.setProperty(ZoomProperty, zoom);
    ScaleControls(dialog, zoom);
    ScaleFont(dialog, zoom);
    if (dialog.minimumSize() == dialog.maximumSize()) {
        const QSize logical = Recorded<QSize>(dialog, SizeProperty, [&dialog] { return dialog.minimumSize(); });
        dialog.setFixedSize(ScaledRect(QRect(QPoint(), logical), zoom).size());
    }
}

}  // namespace velox::ui
