#pragma once

// The frame that shows where the keyboard's focus is: a ring just outside the
// focused cube or button, drawn last in a frame and lifted first in the next,
// so nothing the game draws ever lands on it or is lost under it.

// Keeps what lies under the ring round `target` (1 to 12 a cube, 20 the exit
// button, 21 the restart button), then draws the ring.
void draw_focus_frame(int target);

// Puts back what lay under the last ring drawn; nothing if none is on view.
void lift_focus_frame();

// Forgets the ring without touching the screen, for a screen drawn afresh.
void forget_focus_frame();
