#include "puzzle/board.h"
#include "shell/input.h"
#include "system/platform.h"

ALLEGRO_KEYBOARD_STATE keyboard_state;
ALLEGRO_MOUSE_STATE mouse_state;
int pointer_x;
int pointer_y;
int pointer_buttons;
int hover_target;

void hit_test() {
    hover_target = 0;

    // The snapshot lags one poll behind: this frame acts on what the last
    // call read, and what is read now is for the next one.
    pointer_x = mouse_state.x;
    pointer_y = mouse_state.y;
    pointer_buttons = mouse_state.buttons;
    sys_get_mouse_state(&mouse_state);

    // A cube's first column and row of pixels are not part of it.
    for (int cube = 1; cube <= 12; cube++) {
        if (cube_x[cube] < pointer_x && pointer_x <= cube_x[cube] + 149 &&
            cube_y[cube] < pointer_y && pointer_y <= cube_y[cube] + 149) {
            hover_target = cube;
        }
    }
    if (867 <= pointer_x && pointer_x <= 963 && 664 <= pointer_y && pointer_y <= 680) {
        hover_target = 20;
    }
    if (566 <= pointer_x && pointer_x <= 687 && 611 <= pointer_y && pointer_y <= 635) {
        hover_target = 21;
    }
}
