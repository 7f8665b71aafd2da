// The fades to black, and the ways of leaving the game.
#include "shell/fades.h"

#include <allegro5/allegro_primitives.h>

#include "shell/persistence.h"
#include "shell/resources.h"
#include "system/platform.h"

namespace {

// Each frame blends a little more black over what the screen already shows;
// the bottom five rows are left as they are.
void darken_screen() {
    sys_pace_from_now();
    for (int i = 0; i < 44; i++) {
        leave_if_closed();
        al_draw_filled_rectangle(0, 0, 1020, 705, al_map_rgba(0, 0, 0, i));
        sys_present();
        sys_rest(0.02);
    }
}

}  // namespace

void fade_to_black() {
    darken_screen();
}

void leave_if_closed() {
    if (!sys_close_requested()) return;
    save_game_if_changed();
    sys_close_screen();
    // The library's own shutdown at exit waits up to 0.1 s for its event
    // thread; the game is saved already, so the process ends here.
    sys_exit_now(0);
}

void shut_down() {
    save_game_if_changed();
    darken_screen();
    sys_close_screen();
    ALLEGRO_BITMAP **long_lived[] = {&backdrop,    &ui_sheet,    &work_tile_1,
                                     &work_tile_2, &work_tile_3, &tile_strip};
    for (ALLEGRO_BITMAP **bitmap : long_lived) {
        al_destroy_bitmap(*bitmap);
        *bitmap = nullptr;
    }
}
