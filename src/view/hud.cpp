#include "view/hud.h"

#include <allegro5/allegro_font.h>

#include <cstdio>

#include "puzzle/progress.h"
#include "shell/resources.h"
#include "shell/set_names.h"

void draw_hud(const int &moves) {
    int g = current_group;
    int slot_x = 485 + 155 * g;
    al_draw_scaled_bitmap(backdrop, slot_x, 20, 154, 54, slot_x, 20, 154, 54, 0);
    al_draw_scaled_bitmap(ui_sheet, 508, 395, 154, 54, slot_x, 20, 154, 54, 0);
    al_draw_text(font_18, al_map_rgb(199, 222, 199), 560 + 155 * g, 35, ALLEGRO_ALIGN_CENTRE,
                 set_name(g));

    // The badge area is copied back 75 wide under a 77-wide badge, which erases
    // the previous number.
    al_draw_scaled_bitmap(backdrop, 360, 8, 75, 75, 360, 8, 75, 75, 0);
    al_draw_scaled_bitmap(ui_sheet, 60, 450, 77, 77, 360, 8, 77, 77, 0);
    // Formatted here rather than by al_draw_textf, which builds its text on
    // the heap: this runs every frame, and a frame allocates nothing.
    char count[12];
    snprintf(count, sizeof count, "%d", moves);
    al_draw_text(font_28, al_map_rgb(0, 22, 22), 396, 32, ALLEGRO_ALIGN_CENTRE, count);
}
