#include "view/completion_check.h"

#include <allegro5/allegro_font.h>

#include "puzzle/progress.h"
#include "shell/loop_state.h"
#include "shell/resources.h"
#include "shell/translation.h"
#include "view/completion_animation.h"

void check_completion() {
    completion_verdict verdict = judge_completion();
    if (verdict.celebrate) {
        play_completion_animation(verdict.celebrate);
        pending_picture = verdict.celebrate;
    }
    if (verdict.already_assembled) {
        al_draw_bitmap_region(backdrop, 320, 610, 630, 48, 320, 610, 0);
        al_draw_text(font_18, al_map_rgb(222, 222, 0), 630, 620, ALLEGRO_ALIGN_CENTRE,
                     _("TEN OBRAZEK JUŻ UŁOŻONY - WYBIERZ INNY"));
    }

    // The progress bar: one lit segment per cube showing the best picture upright.
    al_draw_scaled_bitmap(backdrop, 240, 660, 600, 25, 240, 660, 600, 25, 0);
    for (int i = 1; i <= verdict.best; i++) {
        al_draw_scaled_bitmap(ui_sheet, 530, 406, 40, 26, 320 + 40 * (i - 1), 666, 32, 13,
                              ALLEGRO_FLIP_HORIZONTAL | ALLEGRO_FLIP_VERTICAL);
    }
    dragging = 0;
}
