#pragma once

// A set arriving on the screen: the thumbnails recorded and scrolled in, the
// first set's fade-in, the fronts drawn one by one.

#include <allegro5/allegro.h>

// Records the framed thumbnail of picture k of a group's set in the group's
// band of the thumbnail strip.
void record_thumbnail(ALLEGRO_BITMAP *picture, int group, int k);

// The game screen comes up out of black, the move badge showing `moves`.
void fade_in(const int &moves);

// The thumbnail column scrolls the current group's set in; over a set, the
// old board sinks into the dark meanwhile.
void scroll_thumbnails(bool over_a_set);

// The strip under the board, as the backdrop has it.
void erase_strip_under_board();

// Cube c's front, with its quarter-turn, shown for a moment; the cube stands
// at `row` and `column` of the board.
void draw_front(int c, int row, int column);
