#pragma once

// The designed pace of the game's rests, kept on a monotonic clock. Each rest
// ends where the designed sleeps so far add up to, so the time spent drawing
// and presenting since the last rest is taken out of the sleep. A sequence
// then takes its designed time whenever the machine can draw it in that time,
// and never less. How far behind the clock may fall is capped, so a stall (a
// suspended machine, a slow swap) is forgotten rather than made up in a rush.

// Starts the pace afresh at `now`: after start-up and after a wait for input.
void start_rest_pacing(double now);

// When a rest of `seconds` asked for at `now` is planned to end; the clock is
// not moved.
double planned_rest_end(double now, double seconds);

// Moves the clock on by a rest of `seconds` asked for at `now` and returns
// when it ends (never before `now`).
double pace_rest(double now, double seconds);
