#pragma once

// The twelve cubes, numbered 1 to 12 in reading order (1 to 4 the top row).
// Every array is indexed by cube number; entry 0 is not a cube and stays 0.
extern int cube_x[13];  // screen x of the cube's top-left corner
extern int cube_y[13];  // screen y of the cube's top-left corner

// A cube's face net: a 4 x 4 grid [row][column] of which seven cells are used.
// Horizontal ring (column 1 read downwards): left [0][1], front [1][1],
// right [2][1], back [3][1]. Vertical ring (row 1 read rightwards): top [1][0],
// front [1][1], bottom [1][2], back [1][3]. The back sits in both rings.
// `faces` holds picture numbers 1..6, `turns` clockwise quarter-turns 0..3.
extern int faces[13][4][4];
extern int turns[13][4][4];

// Places the cubes in four columns and three rows, `gap` pixels apart.
void lay_out_cubes(const int &gap);

// Gives every cube a fresh random arrangement of the six pictures, all upright.
void deal_faces();

// A draw from 1..n: the shared generator's next value modulo n, plus 1.
int draw_from(int n);
