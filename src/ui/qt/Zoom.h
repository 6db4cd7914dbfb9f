// The zoom of a window's content.  Every control keeps its place and size
// at 100 % (its logical geometry, in which the model and the program's
// code think) and shows at that geometry times the zoom of its window.
// The controls whose place changes while the program runs (the shapes and
// the image controls) derive from Logical<>, which keeps the logical
// geometry and answers in it; every other control's logical geometry is
// recorded the first time its window is zoomed.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace velox::ui {

// The zoom of the window `w` lies in: 1 unless that window (or, for a
// dialog, the window it belongs to) has been zoomed.
double ZoomOf(const QWidget* w);

// The zoom times the device pixel ratio: how many device pixels a logical
// pixel of `w` covers.
double PixelScaleOf(const QWidget* w);

QRect ScaledRect(const QRect& logical, double zoom);

// Where a control of logical geometry `logical` shows in its parent at
// `zoom`: its edges scaled in the coordinates of the whole zoomed content,
// so that a control inside another stays inside at every zoom.
QRect ShownGeometry(const QWidget* w, const QRect& logical, double zoom);

// The widget whose children's coordinates the zoom scales (the window's
// content); a dialog is its own.
void MarkZoomRoot(QWidget& root);

// A control whose place the program changes while it runs.
class Zoomable {
public:
    virtual ~Zoomable() = default;
    // Shows the control at its logical geometry times the zoom.
    virtual void Rescale() = 0;
    virtual QRect LogicalGeometry() const = 0;
};

// The geometry calls of a control, answered and taken in logical pixels;
// they hide QWidget's own, which stay in the pixels shown.
template <class Base>
class Logical : public Base, public Zoomable {
public:
    template <class... Args>
    explicit Logical(Args&&... args) : Base(std::forward<Args>(args)...), logical_(Base::geometry()) {}

    QRect geometry() const { return logical_; }
    QRect LogicalGeometry() const override { return logical_; }
    QPoint pos() const { return logical_.topLeft(); }
    QSize size() const { return logical_.size(); }
    QRect rect() const { return QRect(QPoint(), logical_.size()); }
    int x() const { return logical_.x(); }
    int y() const { return logical_.y(); }
    int width() const { return logical_.width(); }
    int height() const { return logical_.height(); }
    void setGeometry(const QRect& r) {
        logical_ = r;
        Rescale();
    }
    void setGeometry(int x, int y, int w, int h) { setGeometry(QRect(x, y, w, h)); }
    void move(int x, int y) { setGeometry(QRect(QPoint(x, y), logical_.size())); }
    void move(const QPoint& p) { move(p.x(), p.y()); }
    void resize(int w, int h) { setGeometry(QRect(logical_.topLeft(), QSize(w, h))); }
    void resize(const QSize& s) { resize(s.width(), s.height()); }
    // A point on the screen in the control's logical pixels.
    QPoint mapFromGlobal(const QPoint& global) const {
        const QPoint shown = Base::mapFromGlobal(global);
        const double zoom = ZoomOf(this);
        if (zoom == 1) return shown;
        return QPoint(static_cast<int>(std::floor(shown.x() / zoom)), static_cast<int>(std::floor(shown.y() / zoom)));
    }
    void Rescale() override {
        const QRect shown = ShownGeometry(this, logical_, ZoomOf(this));
        if (Base::geometry() != shown) Base::setGeometry(shown);
    }

private:
    QRect logical_;
};

// The logical geometry of any control.
QRect LogicalGeometryOf(const QWidget* w);

// Shows every control under `root` (not `root` itself) at its logical
// geometry times `zoom`; their fonts follow the font `root` gives them.
void ScaleControls(QWidget& root, double zoom);

// Records `zoom` as the zoom of `window` and of the dialogs that belong to it.
void SetWindowZoom(QWidget& window, double zoom);

// A font at a zoom: its size (pixels or points) and letter spacing scaled;
// pixel sizes round down, so that a text never outgrows its control.
QFont ScaledFont(const QFont& font, double zoom);

// Prepares a dialog for showing at its owner's zoom: its controls, fonts
// and fixed size scaled (done again only when the zoom has changed).
void ZoomDialog(QWidget& dialog);

}  // namespace velox::ui
