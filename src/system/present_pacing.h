#pragma once

// When a frame asked for reaches the window. The game's sequences are paced
// by sleeping and may ask for hundreds of frames a second; the screen shows
// one per refresh. A frame asked for too soon after the last present is
// deferred (the canvas keeps it), and the deferred frame goes out at its next
// chance: the next present, or within a rest that reaches that time.
//
// A driver that syncs buffer swaps to the screen makes a swap wait for the
// next refresh. Once swaps are seen returning on the refresh grid, presents
// start a little before a refresh (the lead), so a swap barely waits; the time
// it does wait is given back by the pace clock's next rests.
// Times are seconds on one monotonic clock.

// Forgets every present; `period` is the screen's refresh period.
void start_present_pacing(double period);

// The earliest time at or after `now` at which a present may go out.
double next_present_time(double now);

// Whether a present asked for at `now` goes out now.
bool present_due(double now);

// When a deferred frame goes out within a rest that starts at `now`: at once
// before a rest of 10 ms or more, so the screen never sleeps on a stale image;
// else at its next chance if that comes before the rest ends; -1 when it waits
// for a later call.
double deferred_present_time(double now, double seconds);

// Records a present that went out: when the swap was asked for and when it
// returned.
void note_present(double start, double end);

// Whether swaps are seen to wait for the screen's refresh.
bool swaps_synced();
