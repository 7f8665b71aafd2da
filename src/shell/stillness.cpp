// Stillness: when the frame loop may stop drawing and wait for input.
#include "shell/stillness.h"

#include <cstring>

#include "puzzle/progress.h"
#include "shell/input.h"
#include "shell/keys_and_pad.h"
#include "shell/loop_state.h"
#include "system/platform.h"

namespace {
ALLEGRO_KEYBOARD_STATE last_keyboard;
pad_state last_pad;
int still_frames;
}  // namespace

bool input_still() {
    // The snapshot this frame used against the poll the next frame will use.
    bool same = pointer_x == mouse_state.x && pointer_y == mouse_state.y &&
                pointer_buttons == mouse_state.buttons &&
                memcmp(&last_keyboard, &keyboard_state, sizeof keyboard_state) == 0 &&
                last_pad.x == pad_now.x && last_pad.y == pad_now.y &&
                last_pad.face == pad_now.face && last_pad.back == pad_now.back;
    last_keyboard = keyboard_state;
    last_pad = pad_now;
    return same;
}

void wait_if_still() {
    // Some idle drawing lands on itself and builds up to a fixed point: the
    // hover highlight, the move badge's edge, the summary's restart button.
    // Read from the pixels, the slowest (that button) stops changing after 43
    // frames in memory and 19 under GL; past that every frame is the last.
    const int settling_frames = 48;
    bool busy = dragging || roll_step != 0 || (current_group <= 2 && !group_loaded);
    if (!input_still() || busy) {
        still_frames = 0;
        return;
    }
    if (still_frames < settling_frames) {
        still_frames++;
        return;
    }
    sys_wait_for_input();
    // The frame after the wait would act on the old input and draw the
    // picture on the screen again; only its polls matter, so the next frame
    // answers the new input at once.
    sys_get_keyboard_state(&keyboard_state);
    hit_test();
    input_still();
}
