#include "view/backdrop.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include "shell/resources.h"
#include "shell/translation.h"
#include "system/platform.h"

namespace {

// One piece of the interface sheet, stretched from its place on the sheet to
// its place on the backdrop.
void draw_piece(float sx, float sy, float sw, float sh, float dx, float dy, float dw, float dh,
                int flags) {
    al_draw_scaled_bitmap(ui_sheet, sx, sy, sw, sh, dx, dy, dw, dh, flags);
}

}  // namespace

void compose_backdrop(const int &gap) {
    al_set_target_bitmap(backdrop);

    draw_piece(67, 325, 135, 66, 240, 20, 135, 54, 0);  // move label
    al_draw_text(font_18, al_map_rgb(11, 11, 11), 320, 35, ALLEGRO_ALIGN_CENTRE, _("RUCH >"));
    draw_piece(80, 368, 200, 35, 380, 40, 500, 35, 0);  // group bar
    for (int slot = 0; slot < 3; slot++) {
        draw_piece(355, 395, 154, 54, 485 + 155 * slot, 20, 154, 54, 0);
    }
    draw_piece(67, 325, 605, 70, 240, 650, 780, 54, 0);  // bottom bar

    // The twelve empty cells of the progress bar, each filled then outlined.
    for (int i = 0; i < 12; i++) {
        al_draw_filled_rectangle(320 + 40 * i, 666, 353 + 40 * i, 680, al_map_rgb(0, 66, 66));
        al_draw_rectangle(320 + 40 * i, 666, 353 + 40 * i, 680, al_map_rgb(0, 0, 0), 0);
    }

    draw_piece(166, 472, 138, 38, 865, 661, 110, 27, 0);  // exit button plate
    al_draw_text(font_bold_14, al_map_rgb(166, 166, 166), 920, 665, ALLEGRO_ALIGN_CENTRE,
                 _("WYJŚCIE"));

    draw_piece(30, 0, 30, 710, 35, 0, 30, 710, 0);                        // edge strip
    draw_piece(0, 0, 55, 710, 220, 0, 50, 710, ALLEGRO_FLIP_HORIZONTAL);  // divider strip

    // The thumbnail column: a translucent teal over the background.
    al_draw_filled_rectangle(59, 0, 221, 710, al_map_rgba(55, 77, 77, 88));
    // The dark panel behind the cubes, with a margin of 10 around them.
    al_draw_filled_rectangle(320, 110, 935 + 4 * gap, 575 + 3 * gap, al_map_rgb(22, 22, 22));

    // The board frame: one quarter of artwork, mirrored into four.
    draw_piece(60, 0, 355, 245, 285, 70, 350, 245, 0);
    draw_piece(60, 0, 355, 245, 635, 70, 355, 245, ALLEGRO_FLIP_HORIZONTAL);
    draw_piece(60, 0, 355, 310, 285, 315, 350, 315, ALLEGRO_FLIP_VERTICAL);
    draw_piece(60, 0, 355, 310, 635, 315, 355, 315,
               ALLEGRO_FLIP_HORIZONTAL | ALLEGRO_FLIP_VERTICAL);

    sys_target_screen();
}
