// The progress bar under the board.
#include "view/progress_bar.h"

#include <allegro5/allegro.h>

#include "shell/resources.h"

void erase_progress_bar() {
    al_draw_scaled_bitmap(backdrop, 240, 660, 600, 25, 240, 660, 600, 25, 0);
}

void draw_progress_bar(int best) {
    erase_progress_bar();
    for (int i = 1; i <= best; i++) {
        al_draw_scaled_bitmap(ui_sheet, 530, 406, 40, 26, 320 + 40 * (i - 1), 666, 32, 13,
                              ALLEGRO_FLIP_HORIZONTAL | ALLEGRO_FLIP_VERTICAL);
    }
}
