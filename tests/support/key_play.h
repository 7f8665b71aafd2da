#pragma once

#include <initializer_list>

// Playing by keys through the real frame loop, with the pointer left still.

// Holds the keys down for one frame, then lets go for one more.
void tap_keys(std::initializer_list<int> keycodes);

// Shows the focus and steps it to the cube with the arrows, in at most six
// steps; a failure names the cube it did not reach.
bool focus_by_keys(int cube);

// Focuses the cube and rolls it with Shift and the arrow of the direction;
// returns the frames from the press to the turn (at most 200; 0 when the
// focus did not get there).
int roll_by_keys(int cube, int direction);
