#pragma once

// State of the frame loop, kept for the whole run; the completion check and
// the set loading write it too, the drawing only reads it.
extern int cube_gap;       // pixels between neighbouring cubes
extern int selected_cube;  // the cube the last press landed on
extern int press_x;        // pointer position at that press
extern int press_y;
extern int dragging;    // a press is held, or the roll it produced is running
extern int roll_right;  // the direction latched for the current drag
extern int roll_left;
extern int roll_up;
extern int roll_down;
extern int roll_step;  // progress of the running roll, 0 to 150 in steps of 2
extern float bulge;    // the rolling faces' extra width in pixels

// The rolling faces' bulge once step `step` of a roll is drawn, from the bulge
// before it: it grows through the first half of the roll and shrinks after.
float bulge_after_step(int step, float before);
