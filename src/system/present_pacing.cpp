#include "system/present_pacing.h"

#include <algorithm>
#include <cmath>

namespace {
double refresh_period = 1.0 / 60;
double last_start;
double last_end;
bool presented;
// Swap returns a whole number of periods apart, in a row; two such gaps (three
// returns on one grid) mean the driver syncs, a gap off the grid means it
// does not.
int gaps_on_grid;
bool synced;
// How long before a refresh a present starts when swaps are synced. It grows
// when a swap misses the refresh it aimed at and shrinks slowly otherwise, so
// it settles just above what a swap costs.
double lead;
}  // namespace

void start_present_pacing(double period) {
    refresh_period = period;
    presented = false;
    gaps_on_grid = 0;
    synced = false;
    lead = 0.002;
}

double next_present_time(double now) {
    if (!presented) return now;
    if (!synced) return std::max(now, last_start + refresh_period);
    // The window before each refresh after the last one a swap returned on.
    double refresh = last_end + refresh_period;
    if (now >= refresh)
        refresh += std::ceil((now - refresh) / refresh_period + 1e-9) * refresh_period;
    return std::max(now, refresh - lead);
}

bool present_due(double now) {
    return next_present_time(now) <= now;
}

double deferred_present_time(double now, double seconds) {
    const double long_rest = 0.01;
    if (seconds >= long_rest) return now;
    double due = next_present_time(now);
    return due < now + seconds ? due : -1;
}

void note_present(double start, double end) {
    const double grid_tolerance = 0.0005;
    if (presented) {
        double gap = (end - last_end) / refresh_period;
        double periods = std::round(gap);
        bool on_grid = periods >= 1 && std::fabs(gap - periods) * refresh_period < grid_tolerance;
        gaps_on_grid = on_grid ? gaps_on_grid + 1 : 0;
        if (gaps_on_grid >= 2) synced = true;
        if (!on_grid) synced = false;
    }
    if (synced) {
        // Started within the lead of a refresh, it should have returned on it.
        if (end - start > lead + grid_tolerance) {
            lead = std::min(lead * 1.5 + 0.001, refresh_period * 0.9);
        } else {
            lead = std::max(lead - 0.0002, 0.001);
        }
    }
    last_start = start;
    last_end = end;
    presented = true;
}

bool swaps_synced() {
    return synced;
}
