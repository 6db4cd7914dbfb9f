// The side view of the accelerator and the potential diagram under it.
#pragma once

#include <cstdint>

#include "core/model/Canvas.h"

namespace velox {

class VeloxData;

// View columns of one cavity: Trunc(x · ViewScale) of its edges and middles.
struct CavityColumns {
    std::int32_t Acc1 = 0, Acc2 = 0;      // accelerating electrode, left and right edge
    std::int32_t Ground1 = 0, Ground2 = 0;  // grounded electrode
    std::int32_t AccMiddle = 0, GroundMiddle = 0;
};

struct Cavity;
CavityColumns ColumnsOf(const Cavity& cavity, double viewScale);

// The column of the target rod: Trunc((target width div 2 + TargetX) · ViewScale).
std::int32_t TargetRodColumn(const VeloxData& data);

// Draws the whole view (a bitmap of the given width and height) from the
// model and puts the target marker's top on the axis.  Copying the picture
// to the screen and placing the cavity markers are left to the caller.
void DrawAcceleratorView(VeloxData& data, Canvas& canvas, std::int32_t width, std::int32_t height);

}  // namespace velox
