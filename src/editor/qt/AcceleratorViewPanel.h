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

namespace velox::app {
class Window;
}
namespace velox::ui {
class TBevel;
class TImage;
class TShape;
}  // namespace velox::ui

class AcceleratorViewPanel : public QObject {
public:
    using TShape = velox::ui::TShape;

    // Takes the view's controls, which the window made from its layout,
    // under `client`.
    AcceleratorViewPanel(QWidget* client, velox::app::Window& app);
    // A marker shape of the view ("Shape1" … "Shape21" the cavities',
    // "Shape22" … "Shape42" the particles', "Target") as the model starts it.
    static TShape* NewMarker(QWidget& parent, const char* name, const velox::VeloxData& data);

    velox::ui::TBevel* Bevel1 = nullptr;
    velox::ui::TImage* Image1 = nullptr;
    std::array<TShape*, 4> Bars{};  // the frame: left, right, top, bottom
    TShape* Target = nullptr;
    std::array<TShape*, velox::MaxCavities> CavityMarkerShapes{};
    std::array<TShape*, velox::ParticleCount> ParticleMarkerShapes{};
    QImage ViewBuffer;  // off-screen picture of the view

    // The layout step: the frame, the view image and its bitmap.
    void Layout();
    // The layer's drawing of the view and its markers.
    void DrawAcceleratorView();
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

private:
    void DragStart(TShape& source, const QPoint& globalPos);
    void DragMove(const QPoint& globalPos);
    void DragEnd(const QPoint& globalPos);
    bool DragAccepted(const QPoint& globalPos, QWidget** over = nullptr);

    velox::app::Window& App;
    velox::VeloxData& Data;
    QWidget* Client;
    TShape* dragSource_ = nullptr;
    bool dragCursor_ = false;
};
