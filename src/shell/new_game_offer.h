#pragma once

// With a saved game waiting, the intro's foot offers a new game instead.

// Draws the offer's line onto the page being drawn; nothing without a saved game.
void draw_new_game_offer();

// Whether the player takes the offer now: the N key down, or the primary
// button alone on the offer's line (read from the pointer snapshot). Taking
// it forgets the saved game for this run.
bool new_game_chosen();
