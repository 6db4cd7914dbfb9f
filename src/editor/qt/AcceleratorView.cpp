// The accelerator view: drawn off-screen into ViewBuffer and copied onto
// Image1 in one piece; the markers over it are placed from the model.
#include <QPainter>

#include "core/qt/Main.h"
#include "editor/model/AcceleratorView.h"
#include "ui/qt/PainterCanvas.h"

void TForm1::DrawAcceleratorView() {
    {
        QPainter painter(&ViewBuffer);
        velox::ui::PainterCanvas canvas(painter, font());
        velox::DrawAcceleratorView(Data, canvas, ViewBuffer.width(), ViewBuffer.height());
    }
    Image1->CopyFrom(ViewBuffer);
    PlaceCavityMarkers();
}

void TForm1::PlaceCavityMarkers() {
    Data.PlaceCavityMarkers();
    SyncMarkers();
    DrawPhaseWindow();
}
