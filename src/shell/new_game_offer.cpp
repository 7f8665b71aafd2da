// The intro's line that lets the player start afresh instead of resuming.
#include "shell/new_game_offer.h"

#include <allegro5/allegro_font.h>

#include "shell/input.h"
#include "shell/persistence.h"
#include "shell/resources.h"
#include "shell/translation.h"
#include "system/platform.h"

namespace {

const char *const offer =
    N_("Zapisana gra czeka. Aby zacząć nową, naciśnij N albo kliknij ten napis.");
// Below the page's last line, centred like every line of the page.
const float offer_y = 640;

}  // namespace

void draw_new_game_offer() {
    if (!saved_game_waiting) return;
    al_draw_text(font_18, al_map_rgb(99, 133, 122), 510, offer_y, ALLEGRO_ALIGN_CENTRE, _(offer));
}

bool new_game_chosen() {
    if (!saved_game_waiting) return false;
    ALLEGRO_KEYBOARD_STATE keys;
    sys_get_keyboard_state(&keys);
    int half = al_get_text_width(font_18, _(offer)) / 2;
    bool on_offer = pointer_buttons == 1 && pointer_x >= 510 - half && pointer_x <= 510 + half &&
                    pointer_y >= offer_y && pointer_y < offer_y + al_get_font_line_height(font_18);
    if (!on_offer && !al_key_down(&keys, ALLEGRO_KEY_N)) return false;
    saved_game_waiting = false;
    return true;
}
