#pragma once

// Which frames reach the window: the one rule that every system layer's
// sys_frame_shown follows. Times are seconds on one monotonic clock.

// Whether a frame that ends with rests of `seconds` in all, asked about at
// `now`, reaches the window. `rests_end` is where the pace puts the end of
// those rests, `next_present` the earliest time a present may go out, and
// `last_shown` when the window last showed a frame. A frame before a long
// rest is always shown; any other when a present is due by the end of its
// rests, unless the pace is behind while the window showed a frame lately (a
// present costs time the rests then make up).
bool frame_reaches_window(double seconds, double now, double rests_end, double next_present,
                          double last_shown);
