#include "editor/qt/AcceleratorViewPanel.h"

#include "core/app/Window.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QMouseEvent>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/Image.h"
#include "ui/qt/Shape.h"

using namespace velox::ui;

TShape* AcceleratorViewPanel::NewMarker(QWidget& parent, const char* name, const velox::VeloxData& data) {
    const QString n = QLatin1String(name);
    if (n == QLatin1String("Target"))
        return velox::ui::NewMarker(&parent, n, data.TargetMarker.Left, data.TargetMarker.Top, data.TargetMarker);
    const int k = n.mid(5).toInt() - 1;  // "Shape1" … "Shape42"
    const auto i = static_cast<std::size_t>(k);
    // The cavity markers belong to the view: they are children of its image,
    // so a marker beyond the view's edge is cut off there like the drawing,
    // and never covers, nor takes a click from, the panels around the view.
    if (k < velox::MaxCavities) return velox::ui::NewMarker(&parent, n, 7 + 25 * k, 339, data.CavityMarkers[i]);
    const velox::ShapeState& state = data.ParticleMarkers[i - velox::MaxCavities];
    return velox::ui::NewMarker(&parent, n, state.Left, state.Top, state);
}

AcceleratorViewPanel::AcceleratorViewPanel(QWidget* client, velox::app::Window& app)
    : App(app), Data(app.Data), Client(client) {
    Bevel1 = Child<TBevel>(*client, "Bevel1");
    Image1 = Child<TImage>(*client, "Image1");
    const auto shape = [client](std::size_t number) {
        return Child<TShape>(*client, QStringLiteral("Shape%1").arg(number));
    };
    for (std::size_t k = 0; k < Bars.size(); ++k) Bars[k] = shape(46 + k);
    for (std::size_t k = 0; k < CavityMarkerShapes.size(); ++k) CavityMarkerShapes[k] = shape(k + 1);
    for (std::size_t k = 0; k < ParticleMarkerShapes.size(); ++k)
        ParticleMarkerShapes[k] = shape(k + 1 + velox::MaxCavities);
    Target = Child<TShape>(*client, "Target");

    const auto press = [this](TShape& s, QMouseEvent& e) {
        if (e.button() == Qt::LeftButton) DragStart(s, e.globalPosition().toPoint());
    };
    const auto move = [this](TShape&, QMouseEvent& e) {
        if (dragSource_) DragMove(e.globalPosition().toPoint());
    };
    for (TShape* marker : CavityMarkerShapes) {
        marker->OnMouseDown = press;
        marker->OnMouseMove = move;
        marker->OnMouseUp = [this](TShape& s, QMouseEvent& e) {
            if (dragSource_) {
                if (e.button() == Qt::LeftButton) DragEnd(e.globalPosition().toPoint());
                return;
            }
            Shape1MouseUp(s, e);
        };
    }
    Target->OnMouseDown = press;
    Target->OnMouseMove = move;
    Target->OnMouseUp = [this](TShape&, QMouseEvent& e) {
        if (dragSource_ && e.button() == Qt::LeftButton) DragEnd(e.globalPosition().toPoint());
    };
}

void AcceleratorViewPanel::Layout() {
    Bevel1->resize(Bars[3]->width() - 10, Bevel1->height());
    for (TShape* bar : Bars) {
        bar->SetBrushColor(PanelColour);
        bar->SetPenColor(PanelColour);
    }
    Image1->setGeometry(Bevel1->x() + 1, Bevel1->y() + 1, Bevel1->width() - 3, Bevel1->height() - 3);
    Image1->NewBitmap();

    ViewBuffer = Image1->NewPicture(Image1->size(), Qt::white);
    // A new zoom or screen needs the picture at its new pixel ratio.
    Image1->OnRescaled = [this] {
        ViewBuffer = Image1->NewPicture(Image1->size(), Qt::white);
        App.Repaint(velox::app::AcceleratorView);
    };
    Target->BringToFront();
}

void AcceleratorViewPanel::DrawAcceleratorView() { App.DrawAcceleratorView(); }

void AcceleratorViewPanel::SyncMarkers() {
    struct Pending {
        TShape* Shape;
        const velox::ShapeState* State;
        QPoint Origin;
    };
    std::vector<Pending> pending;
    pending.reserve(2 * velox::MaxCavities + 1);
    auto add = [&](TShape* shape, const velox::ShapeState& state, QPoint origin = {}) {
        if (shape->AppliedFrontStamp != state.FrontStamp)
            pending.push_back({shape, &state, origin});
        else
            ApplyShapeState(*shape, state, origin);
    };
    // The cavity markers lie in the view image.
    for (std::size_t k = 0; k < CavityMarkerShapes.size(); ++k)
        add(CavityMarkerShapes[k], Data.CavityMarkers[k], Image1->pos());
    for (std::size_t i = 0; i < ParticleMarkerShapes.size(); ++i) add(ParticleMarkerShapes[i], Data.ParticleMarkers[i]);
    add(Target, Data.TargetMarker);
    // Raise in the order in which the model brought the shapes to the front.
    std::sort(pending.begin(), pending.end(),
              [](const Pending& a, const Pending& b) { return a.State->FrontStamp < b.State->FrontStamp; });
    for (const Pending& p : pending) ApplyShapeState(*p.Shape, *p.State, p.Origin);
}

// A release over a cavity marker edits or deletes its cavity.
void AcceleratorViewPanel::Shape1MouseUp(TShape& sender, QMouseEvent&) { App.Shape1MouseUp(sender.Tag()); }

namespace {

bool IsTargetShape(const QObject* o) {
    const auto* shape = dynamic_cast<const TShape*>(o);
    return shape && shape->Tag() == velox::DefaultMarkerLooks.TargetTag;
}

}  // namespace

bool AcceleratorViewPanel::Image1DragOver(QObject* source, int, int) { return IsTargetShape(source); }

bool AcceleratorViewPanel::Shape1DragOver(QObject* sender, QObject* source) {
    return dynamic_cast<TShape*>(sender) && IsTargetShape(source);
}

// The target lands on the axis, its middle column at the drop column,
// wherever across the view that is.
void AcceleratorViewPanel::Image1DragDrop(QObject* source, int x, int) {
    if (IsTargetShape(source)) App.Image1DragDrop(x);
}

bool AcceleratorViewPanel::DragAccepted(const QPoint& globalPos, QWidget** over) {
    QWidget* w = Client->childAt(Client->mapFromGlobal(globalPos));
    if (over) *over = w;
    if (!w || !dragSource_) return false;
    if (w == Image1) {
        const QPoint p = Image1->mapFromGlobal(globalPos);
        return Image1DragOver(dragSource_, p.x(), p.y());
    }
    if (w == Target) return Shape1DragOver(w, dragSource_);
    return false;
}

void AcceleratorViewPanel::DragStart(TShape& source, const QPoint& globalPos) {
    DragCancel();
    dragSource_ = &source;
    QApplication::setOverrideCursor(DragAccepted(globalPos) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    dragCursor_ = true;
}

void AcceleratorViewPanel::DragMove(const QPoint& globalPos) {
    if (!dragCursor_) return;
    QApplication::changeOverrideCursor(DragAccepted(globalPos) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

// A drop on the target itself leaves it where it was; a refused place ends
// the drag without effect.
void AcceleratorViewPanel::DragEnd(const QPoint& globalPos) {
    QWidget* over = nullptr;
    const bool accepted = DragAccepted(globalPos, &over);
    TShape* source = dragSource_;
    DragCancel();
    if (accepted && over == Image1) {
        const QPoint p = Image1->mapFromGlobal(globalPos);
        Image1DragDrop(source, p.x(), p.y());
    }
}

// A drag that lost its release (a window opened over the main window while
// the button was held) ends without effect.
void AcceleratorViewPanel::DragCancel() {
    dragSource_ = nullptr;
    if (dragCursor_) {
        QApplication::restoreOverrideCursor();
        dragCursor_ = false;
    }
}
