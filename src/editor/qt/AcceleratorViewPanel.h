// The accelerator view: the view image Image1 in its frame, drawn
// off-screen into ViewBuffer and copied in one piece; the cavity markers
// that open the cavity dialog, the particle markers and the target that
// can be dragged along the axis.
//
// The markers drag as shapes of this window do: a left press starts a drag
// at once, with no movement threshold; while the button is held the cursor
// tells whether the place under it accepts the dragged shape; the release
// drops it there or, where it is refused, ends the drag without effect.
// Only the target is accepted anywhere, so a cavity marker never moves and
// its left release never reaches Shape1MouseUp.
#pragma once

#include <array>
#include <functional>

#include <QImage>
#include <QObject>

#include "core/model/VeloxData.h"

class QMouseEvent;
class QWidget;
class TUregAdatDlg;

namespace velox::ui {
class TBevel;
class TImage;
class TShape;
}  // namespace velox::ui

class AcceleratorViewPanel : public QObject {
public:
    using TShape = velox::ui::TShape;

    AcceleratorViewPanel(QWidget* client, velox::VeloxData& data);

    velox::ui::TBevel* Bevel1 = nullptr;
    velox::ui::TImage* Image1 = nullptr;
    TShape *Shape46, *Shape47, *Shape48, *Shape49;  // frame bars: left, right, top, bottom
    TShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *Shape8, *Shape9, *Shape10, *Shape11,
        *Shape12, *Shape13, *Shape14, *Shape15, *Shape16, *Shape17, *Shape18, *Shape19, *Shape20,
        *Shape21;  // cavity markers
    TShape *Shape22, *Shape23, *Shape24, *Shape25, *Shape26, *Shape27, *Shape28, *Shape29, *Shape30, *Shape31, *Shape32,
        *Shape33, *Shape34, *Shape35, *Shape36, *Shape37, *Shape38, *Shape39, *Shape40, *Shape41,
        *Shape42;  // particle markers
    TShape* Target = nullptr;
    std::array<TShape*, velox::MaxCavities> CavityMarkerShapes{};
    std::array<TShape*, velox::ParticleCount> ParticleMarkerShapes{};
    QImage ViewBuffer;  // off-screen picture of the view

    // The layout step: the frame, the view image and its bitmap, the axis
    // and the target's column.
    void Layout();
    void DrawAcceleratorView();
    // Draws the view into its buffer and shows it, leaving the markers.
    void PaintView();
    void PlaceCavityMarkers();
    // Applies the model's marker states to the shapes, raising them in the
    // order in which the model brought them to the front.
    void SyncMarkers();

    // A release over a cavity marker (one handler for all 21).
    void Shape1MouseUp(TShape& sender, QMouseEvent& event);
    // Drag and drop of the target: whether the view (at x, y in its own
    // coordinates) or the target marker itself accepts `source`, and the
    // drop on the view.
    bool Image1DragOver(QObject* source, int x, int y);
    void Image1DragDrop(QObject* source, int x, int y);
    bool Shape1DragOver(QObject* sender, QObject* source);
    // Ends a drag that will not get its release, without effect.
    void DragCancel();

    std::function<TUregAdatDlg&()> CavityDialog;
    // The cavity markers have been placed: the phase window is redrawn.
    std::function<void()> MarkersPlaced;
    // A cavity was deleted: the control states follow.
    std::function<void()> CavityRemoved;

private:
    void DragStart(TShape& source, const QPoint& globalPos);
    void DragMove(const QPoint& globalPos);
    void DragEnd(const QPoint& globalPos);
    bool DragAccepted(const QPoint& globalPos, QWidget** over = nullptr);

    velox::VeloxData& Data;
    QWidget* Client;
    TShape* dragSource_ = nullptr;
    bool dragCursor_ = false;
};
