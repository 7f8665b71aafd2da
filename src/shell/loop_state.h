#pragma once

// State of the frame loop, kept for the whole run and shared with the roll
// animation and the completion check.
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
