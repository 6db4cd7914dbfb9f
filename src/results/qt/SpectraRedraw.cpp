// Both spectra redrawn after their data changed as a whole.
#include "core/qt/Main.h"

// The energy spectrum, then the time spectrum.  The plots themselves are
// drawn by the results panel (DrawSpectrum); until it is part of the window
// there is nothing to draw here.
void TForm1::RedrawSpectra() {}
