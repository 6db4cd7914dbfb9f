#include "editor/qt/AcceleratorViewPanel.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "editor/model/AcceleratorView.h"
#include "editor/model/CavityFields.h"
#include "editor/qt/Uregadat.h"
#include "ui/qt/Controls.h"
#include "ui/qt/DialogLook.h"
#include "ui/qt/Image.h"
#include "ui/qt/ModalDialogs.h"
#include "ui/qt/PainterCanvas.h"
#include "ui/qt/Shape.h"

using namespace velox::ui;

AcceleratorViewPanel::AcceleratorViewPanel(QWidget* client, velox::VeloxData& data) : Data(data), Client(client) {
    Bevel1 = Named(new TBevel(client), "Bevel1");
    Bevel1->setGeometry(12, 10, 609, 363);
    Image1 = Named(new TImage(client), "Image1");
    Image1->setGeometry(13, 11, 606, 360);
    Shape48 = NewShape(client, "Shape48", TShape::Kind::Rectangle, 7, 5, 620, 5, Qt::white, Qt::black, 1);
    Shape49 = NewShape(client, "Shape49", TShape::Kind::Rectangle, 7, 373, 620, 5, Qt::white, Qt::black, 1);
    Shape46 = NewShape(client, "Shape46", TShape::Kind::Rectangle, 7, 5, 5, 373, Qt::white, Qt::black, 1);
    Shape47 = NewShape(client, "Shape47", TShape::Kind::Rectangle, 622, 5, 5, 373, Qt::white, Qt::black, 1);

    TShape** cavity[velox::MaxCavities] = {&Shape1,  &Shape2,  &Shape3,  &Shape4,  &Shape5,  &Shape6,  &Shape7,
                                           &Shape8,  &Shape9,  &Shape10, &Shape11, &Shape12, &Shape13, &Shape14,
                                           &Shape15, &Shape16, &Shape17, &Shape18, &Shape19, &Shape20, &Shape21};
    // The cavity markers belong to the view: they are children of its image,
    // so a marker beyond the view's edge is cut off there like the drawing,
    // and never covers, nor takes a click from, the panels around the view.
    for (int k = 0; k < velox::MaxCavities; ++k) {
        const auto i = static_cast<std::size_t>(k);
        *cavity[k] = NewMarker(Image1, QStringLiteral("Shape%1").arg(k + 1), 7 + 25 * k, 339, Data.CavityMarkers[i]);
        CavityMarkerShapes[i] = *cavity[k];
    }
    TShape** particle[velox::ParticleCount] = {&Shape22, &Shape23, &Shape24, &Shape25, &Shape26, &Shape27, &Shape28,
                                               &Shape29, &Shape30, &Shape31, &Shape32, &Shape33, &Shape34, &Shape35,
                                               &Shape36, &Shape37, &Shape38, &Shape39, &Shape40, &Shape41, &Shape42};
    for (int k = 0; k < velox::ParticleCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const velox::ShapeState& state = Data.ParticleMarkers[i];
        *particle[k] = NewMarker(client, QStringLiteral("Shape%1").arg(k + 22), state.Left, state.Top, state);
        ParticleMarkerShapes[i] = *particle[k];
    }
    Target =
        NewMarker(client, QStringLiteral("Target"), Data.TargetMarker.Left, Data.TargetMarker.Top, Data.TargetMarker);

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
    Bevel1->resize(Shape49->width() - 10, Bevel1->height());
    for (TShape* bar : {Shape46, Shape47, Shape48, Shape49}) {
        bar->SetBrushColor(PanelColour);
        bar->SetPenColor(PanelColour);
    }
    Image1->setGeometry(Bevel1->x() + 1, Bevel1->y() + 1, Bevel1->width() - 3, Bevel1->height() - 3);
    Image1->NewBitmap();
    Data.View.ImageLeft = Image1->x();
    Data.View.ImageTop = Image1->y();

    ViewBuffer = Image1->NewPicture(Image1->size(), Qt::white);
    // A new zoom or screen needs the picture at its new pixel ratio.
    Image1->OnRescaled = [this] {
        ViewBuffer = Image1->NewPicture(Image1->size(), Qt::white);
        PaintView();
    };

    Data.AxisY = Image1->y() + 30;
    Data.SetTargetLeft(Target->x());
    Target->BringToFront();
}

void AcceleratorViewPanel::DrawAcceleratorView() {
    PaintView();
    PlaceCavityMarkers();
}

void AcceleratorViewPanel::PaintView() {
    {
        QPainter painter(&ViewBuffer);
        PainterCanvas canvas(painter, Client->window()->font());
        velox::DrawAcceleratorView(Data, canvas, Image1->width(), Image1->height());
    }
    Image1->CopyFrom(ViewBuffer);
}

void AcceleratorViewPanel::PlaceCavityMarkers() {
    Data.PlaceCavityMarkers();
    SyncMarkers();
    MarkersPlaced();
}

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

// Edits or deletes the cavity whose marker received the release.  The
// simulation goes on while the dialog is open; the new sizes take effect
// when it has closed.
void AcceleratorViewPanel::Shape1MouseUp(TShape& sender, QMouseEvent&) {
    const int i = sender.Tag();
    if (i < 0 || i >= Data.Cavities.CavityCount()) return;
    TUregAdatDlg& dialog = CavityDialog();
    dialog.SetTexts(velox::CavityFieldTextsOf(Data.Cavities[static_cast<std::size_t>(i)]));
    const int result = ShowModal(dialog);
    bool removed = false;
    if (i < Data.Cavities.CavityCount()) {
        if (result == mrOk) {
            if (const auto sizes = velox::CavitySizesOf(dialog.Texts()))
                Data.Cavities[static_cast<std::size_t>(i)] = *sizes;
        } else if (result == mrAbort && dialog.DeleteConfirmed) {
            Data.Cavities.Remove(i);
            removed = true;
        }
    }
    Data.BuildCavities();
    DrawAcceleratorView();
    // Like an add, a delete can change whether there is anything to run;
    // without it the last delete would leave the run controls as they were.
    if (removed) CavityRemoved();
}

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
    if (!IsTargetShape(source)) return;
    const velox::ShapeState& marker = Data.TargetMarker;
    Data.TargetMarker.Top = Image1->y() + Data.AxisY - marker.Height / 2;
    Data.SetTargetLeft(Image1->x() + x - marker.Width / 2);
    DrawAcceleratorView();
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
