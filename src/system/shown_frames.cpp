// The rule for which frames reach the window.
#include "system/shown_frames.h"

#include <algorithm>

bool frame_reaches_window(double seconds, double now, double rests_end, double next_present,
                          double last_shown) {
    const double long_rest = 0.01;
    // Behind the pace by more than this after the rests, a frame is not shown
    // until they have caught up, unless the window has shown none for a while.
    const double slack = 0.002;
    const double longest_gap = 0.07;
    if (seconds >= long_rest) return true;
    bool catching_up = now - rests_end > slack && now - last_shown < longest_gap;
    return next_present <= std::max(now, rests_end) && !catching_up;
}
