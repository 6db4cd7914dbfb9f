// The timed exercise of the window, without a window: the run that the
// program makes when "Teszt üzemmód" is cleared and "Újraindít" is pressed,
// up to the moment it writes its two files.  velox-batch runs it once, its
// sweep once per grid point.
#pragma once

#include "core/model/VeloxData.h"
#include "files/model/SetupFile.h"

namespace velox {

// The window after its start-up, with `setup` (when given) loaded on top as
// the start-up file would be.
void PrepareTimedRun(VeloxData& data, const SetupData* setup);

struct TimedRunOutcome {
    long long Steps = 0;    // SimTimer ticks until the end of the run
    double RunClock = 0.0;  // the run clock at the end, as the results file stores it
};

// Clears "Teszt üzemmód", restarts with empty results and ticks at the
// speed of the given item index (0 … 4) until the run clock reaches the end
// of the timed run.  The "Auto" spectra then get the count axis that the
// window's next once-a-second redraw gives them.  `data` needs at least one
// cavity: without one the window cannot restart.
TimedRunOutcome RunTimedExercise(VeloxData& data, int speedIndex);

}  // namespace velox
