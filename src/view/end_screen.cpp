#include "view/end_screen.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include "puzzle/own_sets.h"
#include "puzzle/progress.h"
#include "shell/fades.h"
#include "shell/resources.h"
#include "shell/set_names.h"
#include "shell/translation.h"
#include "system/platform.h"
#include "view/record_line.h"

void show_end_screen() {
    sys_pace_from_now();
    // The board sinks into the dark while the strip under it comes back.
    for (int i = 0; i < 44; i++) {
        leave_if_closed();
        al_draw_tinted_scaled_bitmap(backdrop, al_map_rgba(i, i, i, i), 300, 610, 600, 48, 300, 610,
                                     600, 48, 0);
        al_draw_filled_rectangle(325, 115, 950, 585, al_map_rgba(0, 1, 1, i));
        sys_present();
        sys_rest(0.05);
    }
    sys_play_sample(sample_s3, 1.0f, ALLEGRO_AUDIO_PAN_NONE, 0.8f);

    ALLEGRO_COLOR text = al_map_rgb(166, 199, 166);
    // Shown together with the first set's line, by the same flip.
    al_draw_text(font_28, text, 630, 120, ALLEGRO_ALIGN_CENTRE, _("Gra zakończona"));
    for (int k = 1; k <= sets_in_game; k++) {
        float y = 170 + 140 * (k - 1);
        al_draw_textf(font_18, text, 350, y, 0, _("ZESTAW %d  "), k);
        al_draw_text(font_18, text, 450, y, 0, set_name(k - 1));
        // The number takes the plural form of the player's language.
        al_draw_textf(font_18, text, 600, y, 0,
                      ngettext("    - wykonano %d obrotów klockami",
                               "    - wykonano %d obrotów klockami", group_moves[k - 1]),
                      group_moves[k - 1]);
        // The player's own pictures keep no records.
        if (own_picture_count == 0) draw_record_line(k - 1, y);
        sys_present();
        sys_rest(0.5);
        // The set's pictures, from the thumbnails recorded when it was played.
        for (int j = 0; j < 6; j++) {
            leave_if_closed();
            al_draw_scaled_bitmap(tile_strip, 2, 27 + 710 * (k - 1) + 110 * j, 136, 96,
                                  333 + 102 * j, y + 30, 98, 68, 0);
            sys_present();
            sys_rest(0.1);
        }
    }

    for (int i = 0; i < 44; i++) {
        leave_if_closed();
        al_draw_tinted_scaled_bitmap(ui_sheet, al_map_rgba(i, i, i, i), 466, 470, 138, 41, 560, 605,
                                     138, 41, 0);
        sys_present();
        sys_rest(0.01);
    }
}
