#pragma once

// With a saved game waiting, the intro's foot offers a new game instead; with
// the saved game held by another copy of the game, it says so.

// Draws the offer's line, or the other copy's, onto the page being drawn;
// nothing without a saved game.
void draw_new_game_offer();

// Whether the player takes the offer now: the N key down, or the primary
// button alone on the offer's line (read from the pointer snapshot). Taking
// it forgets the saved game for this run.
bool new_game_chosen();
