// Rest pacing: where the designed rests put the end of the next one.
#include "system/rest_pacing.h"

#include <algorithm>

namespace {
// Where the designed rests so far have brought the game.
double due;
}  // namespace

void start_rest_pacing(double now) {
    due = now;
}

double planned_rest_end(double now, double seconds) {
    // Three refreshes of lag at most: more is a stall, not drawing to make up.
    const double most_behind = 0.05;
    // A rest never sleeps longer than designed, even if the clock went back.
    return std::clamp(due + seconds, now - most_behind, now + seconds);
}

double pace_rest(double now, double seconds) {
    due = planned_rest_end(now, seconds);
    return std::max(now, due);
}
