#pragma once

// The four drags; each names the way the pointer moved.
enum roll_direction { direction_right = 1, direction_left, direction_up, direction_down };

// Turns one cube a quarter turn in the direction of the drag.
void rotate_cube(int cube, int direction);
