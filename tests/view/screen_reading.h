#pragma once

#include <allegro5/allegro.h>

#include <initializer_list>
#include <string>

#include "support/game_fixture.h"

// Ways to read what the game put on a bitmap without knowing how it drew it.

struct area {
    int x, y, w, h;
};

// Text drawn in `colour` with the built-in 8 x 8 font, read back cell by cell
// from (x, y): `length` characters, '?' for a cell no glyph matches.
std::string text_at(ALLEGRO_BITMAP *bitmap, int x, int y, int length, rgb colour);

// Pixels of the area holding exactly `colour`.
int count_colour(ALLEGRO_BITMAP *bitmap, area a, rgb colour);

// Leftmost and rightmost column of the area holding `colour`; -1 when none.
void colour_extent(ALLEGRO_BITMAP *bitmap, area a, rgb colour, int &left, int &right);

// The average colour of an area.
rgb mean_colour(ALLEGRO_BITMAP *bitmap, area a);

// Pixels that differ between two bitmaps of one size, counted only inside `a`.
int count_changed(ALLEGRO_BITMAP *before, ALLEGRO_BITMAP *after, area a);

// The average colour of an area.
rgb mean_colour(ALLEGRO_BITMAP *bitmap, area a);

// Pixels that differ between two bitmaps of one size outside all the areas.
int count_changed_outside(ALLEGRO_BITMAP *before, ALLEGRO_BITMAP *after,
                          std::initializer_list<area> allowed);

// Every channel within `tolerance` of the other's.
bool near(rgb a, rgb b, int tolerance);

// Which stand-in picture a pixel shows, judged by which channels stand high
// (so shading and tints do not matter); 0 for a grey pixel.
int picture_seen(rgb pixel);

// The quadrant (0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left) of the
// 150 x 150 square at (x, y) that holds the white mark of a stand-in picture:
// with the mark drawn top-left, this is the face's clockwise quarter-turn.
// -1 when no single quadrant is grey.
int white_quadrant(ALLEGRO_BITMAP *bitmap, int x, int y);

// Fills a rectangle of a bitmap with one colour, transparent ones included,
// replacing what was there; the target is left as it was.
void paint(ALLEGRO_BITMAP *bitmap, area a, ALLEGRO_COLOR colour);

// Stand-in sound samples: distinct handles the scripted layer records, so a
// test can tell which sound was asked for. Undone by clear_sample_tags.
void tag_samples();
void clear_sample_tags();
