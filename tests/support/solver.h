#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Finds drags for the current board, with the game's own rotate_cube, and
// leaves the board as it found it.

// The shortest run of drags (roll_direction values) that brings `picture`
// upright to the front of `cube`; empty when it is there already (or when no
// drags can bring it).
std::vector<int> solve_cube(int cube, int picture);

// Drags, as (cube, direction), that bring `picture` upright to all twelve
// fronts; none at all if some cube cannot be brought.
std::vector<std::pair<int, int>> solve_picture(int picture);

// One cube's seven ring cells, pictures and quarter-turns, packed into one
// number, and put back; for searches over a cube's states.
uint64_t cube_state(int cube);
void set_cube_state(int cube, uint64_t state);
