#pragma once

// The progress bar under the board: one lit segment per cube showing the
// picture nearest to whole upright.

// The bar emptied to the backdrop.
void erase_progress_bar();

// The bar with `best` segments lit (0 to 12).
void draw_progress_bar(int best);
