// The focus, and what the keys and the pad do with it.
#include "shell/keys_and_pad.h"

#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "shell/input.h"
#include "shell/loop_state.h"
#include "view/focus_frame.h"

int focus_cube = 1;
int focus_button;
int focus_shown;
ALLEGRO_KEYBOARD_STATE keys_before;
pad_state pad_now;
pad_state pad_before;

namespace {

// What the keys and the pad asked for in this frame.
int move_x, move_y;  // one step of the focus
int roll;            // a roll_direction of the focused cube, or 0
bool press;
bool tab;
bool leave;

// The stage of the game when the keys were read, to tell whether a blocking
// sequence has run since.
int group_when_read, loaded_when_read, pending_when_read;
int last_pointer_x, last_pointer_y;

bool newly_down(int key) {
    return al_key_down(&keyboard_state, key) && !al_key_down(&keys_before, key);
}

int roll_towards(int x, int y) {
    if (x != 0) return x > 0 ? direction_right : direction_left;
    return y > 0 ? direction_down : direction_up;
}

void read_new_presses() {
    move_x = move_y = roll = 0;
    struct arrow {
        int key, x, y;
    };
    const arrow arrows[] = {{ALLEGRO_KEY_RIGHT, 1, 0},
                            {ALLEGRO_KEY_LEFT, -1, 0},
                            {ALLEGRO_KEY_UP, 0, -1},
                            {ALLEGRO_KEY_DOWN, 0, 1}};
    bool rolling = al_key_down(&keyboard_state, ALLEGRO_KEY_LSHIFT) ||
                   al_key_down(&keyboard_state, ALLEGRO_KEY_RSHIFT);
    for (const arrow &a : arrows) {
        if (newly_down(a.key)) move_x = a.x, move_y = a.y;
    }
    // On the pad the face button held down turns a direction into a roll.
    if (pad_now.x != 0 && pad_now.x != pad_before.x) {
        move_x = pad_now.x, move_y = 0, rolling = pad_now.face;
    } else if (pad_now.y != 0 && pad_now.y != pad_before.y) {
        move_x = 0, move_y = pad_now.y, rolling = pad_now.face;
    }
    if (rolling && (move_x || move_y)) roll = roll_towards(move_x, move_y);

    press = newly_down(ALLEGRO_KEY_ENTER) || newly_down(ALLEGRO_KEY_PAD_ENTER) ||
            newly_down(ALLEGRO_KEY_SPACE) || (pad_now.face && !pad_before.face);
    tab = newly_down(ALLEGRO_KEY_TAB);
    leave = pad_now.back && !pad_before.back;
}

// Tab: the board, the exit button, the restart button while it is shown, and
// round again; under the summary the board is not in play.
void next_focus_stop() {
    if (focus_button == 0) {
        focus_button = 20;
    } else if (focus_button == 20 && current_group > 2) {
        focus_button = 21;
    } else {
        focus_button = current_group > 2 ? 20 : 0;
    }
}

// The focus stops at the board's edges.
void move_focus_cube() {
    int column = (focus_cube - 1) % 4 + move_x;
    int row = (focus_cube - 1) / 4 + move_y;
    if (0 <= column && column <= 3 && 0 <= row && row <= 2) focus_cube = 4 * row + column + 1;
}

// A set loaded, a picture celebrated, the summary shown or the game restarted
// since the keys were read: each runs a blocking sequence.
bool sequence_ran() {
    return (!loaded_when_read && group_loaded) || (!pending_when_read && pending_picture) ||
           (current_group != group_when_read && (current_group == 4 || group_when_read == 4));
}

}  // namespace

void read_keys() {
    lift_focus_frame();
    sys_get_pad_state(&pad_now);
    read_new_presses();
    keys_before = keyboard_state;
    pad_before = pad_now;
    group_when_read = current_group;
    loaded_when_read = group_loaded;
    pending_when_read = pending_picture;

    if (pointer_x != last_pointer_x || pointer_y != last_pointer_y) focus_shown = 0;
    last_pointer_x = pointer_x;
    last_pointer_y = pointer_y;

    if (!move_x && !move_y && !press && !tab) return;
    if (!focus_shown) {
        // The first key only shows where the focus is: on the cube pressed
        // last, or on the restart button under the summary.
        focus_shown = 1;
        focus_cube = selected_cube;
        focus_button = current_group > 2 ? 21 : 0;
        move_x = move_y = roll = 0;
        press = tab = false;
        return;
    }
    if (tab) next_focus_stop();
    if (!roll && focus_button == 0 && current_group <= 2) move_focus_cube();
}

bool pad_asks_to_leave() {
    return leave;
}

void press_by_key() {
    if ((!press && !roll) || !focus_shown || focus_button != 0 || dragging || sequence_ran()) {
        return;
    }
    // Just what a press of the pointer does; a roll is latched at once, as a
    // drag latches it, and draws its first step in this same frame.
    selected_cube = focus_cube;
    press_x = pointer_x;
    press_y = pointer_y;
    roll_right = roll == direction_right;
    roll_left = roll == direction_left;
    roll_up = roll == direction_up;
    roll_down = roll == direction_down;
    dragging = 1;
}

int button_pressed_by_key() {
    if (!press || !focus_shown || focus_button == 0 || sequence_ran()) return 0;
    if (focus_button == 21 && current_group <= 2) return 0;
    return focus_button;
}

void end_key_frame() {
    if (sequence_ran()) forget_held_keys();
    if (focus_button == 21 && current_group <= 2) focus_button = 0;
    if (focus_button == 0 && current_group > 2) focus_button = 21;
    if (focus_shown) draw_focus_frame(focus_button ? focus_button : focus_cube);
}

void forget_held_keys() {
    sys_get_keyboard_state(&keys_before);
    sys_get_pad_state(&pad_before);
}

void reset_keys() {
    focus_cube = 1;
    focus_button = 0;
    focus_shown = 0;
    keys_before = ALLEGRO_KEYBOARD_STATE();
    pad_now = pad_before = pad_state();
    move_x = move_y = roll = 0;
    press = tab = leave = false;
    last_pointer_x = last_pointer_y = 0;
    forget_focus_frame();
}

bool key_ends_intro() {
    ALLEGRO_KEYBOARD_STATE keys;
    sys_get_keyboard_state(&keys);
    pad_state pad;
    sys_get_pad_state(&pad);
    return al_key_down(&keys, ALLEGRO_KEY_ENTER) || al_key_down(&keys, ALLEGRO_KEY_PAD_ENTER) ||
           al_key_down(&keys, ALLEGRO_KEY_SPACE) || pad.face;
}
