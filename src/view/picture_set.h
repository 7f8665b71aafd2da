#pragma once

#include <allegro5/allegro.h>

// The six pictures of the set in play; picture number k is slot k.
extern ALLEGRO_BITMAP *group_pictures[7];

// Chooses, loads and scrolls in the current group's six pictures, deals the
// cubes and draws the twelve fronts.
void load_picture_set();
