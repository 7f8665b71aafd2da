#pragma once

#include <allegro5/allegro.h>

// The six pictures of the set in play; picture number k is slot k.
extern ALLEGRO_BITMAP *group_pictures[7];

// Chooses, loads and scrolls in the current group's six pictures, deals the
// cubes and draws the twelve fronts.
void load_picture_set();

// Brings back the set of a saved game: the pictures of set_files, their
// thumbnails scrolled in, the saved fronts drawn with their turns. Deals
// nothing and draws nothing from the generator.
void resume_picture_set();
