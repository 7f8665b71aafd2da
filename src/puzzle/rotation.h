#pragma once

// The four drags; each names the way the pointer moved.
enum roll_direction { direction_right = 1, direction_left, direction_up, direction_down };

// Turns one cube a quarter turn in the direction of the drag.
void rotate_cube(int cube, int direction);

// The face net cube `cube` had before its last roll went `direction`: a copy,
// the board untouched.
void net_before_roll(int cube, int direction, int (&before_faces)[4][4], int (&before_turns)[4][4]);
