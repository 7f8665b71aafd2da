// The frame loop: one frame of play, from the polls to the present.
#include <allegro5/allegro.h>

#include "puzzle/board.h"
#include "puzzle/own_sets.h"
#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "puzzle/saved_game.h"
#include "shell/command_line.h"
#include "shell/completion_check.h"
#include "shell/fades.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/intro.h"
#include "shell/keys_and_pad.h"
#include "shell/loop_state.h"
#include "shell/own_pictures.h"
#include "shell/persistence.h"
#include "shell/picture_set.h"
#include "shell/resources.h"
#include "shell/stillness.h"
#include "system/platform.h"
#include "view/backdrop.h"
#include "view/end_screen.h"
#include "view/hud.h"
#include "view/message_line.h"
#include "view/roll_animation.h"

int cube_gap;
int selected_cube;
int press_x;
int press_y;
int dragging;
int roll_right;
int roll_left;
int roll_up;
int roll_down;
int roll_step;
float bulge;

float bulge_after_step(int step, float before) {
    return step <= 74 ? before + 0.13 : before - 0.13;
}

void reset_loop_state() {
    cube_gap = 5;
    move_counter = 0;
    for (int &slot : assembled) slot = 0;
    pending_picture = 0;
    group_loaded = 0;
    selected_cube = 1;
    press_x = 0;
    press_y = 0;
    dragging = 0;
    roll_right = roll_left = roll_up = roll_down = 0;
    roll_step = 0;
    bulge = 0.0f;
    reset_keys();
}

bool start_game() {
    cube_gap = 5;
    if (!start_up()) return false;
    use_own_pictures(pictures_named());
    look_for_saved_game();
    show_intro();
    compose_backdrop(cube_gap);
    lay_out_cubes(cube_gap);
    reset_loop_state();
    bring_back_saved_game();
    // The key that ended the intro is still held, not pressed anew.
    forget_held_keys();
    return true;
}

namespace {

void press_and_release() {
    if (hover_target >= 1 && hover_target <= 12 && pointer_buttons == 1 && !dragging) {
        selected_cube = hover_target;
        press_x = pointer_x;
        press_y = pointer_y;
        roll_right = roll_left = roll_up = roll_down = 0;
        dragging = 1;
    } else if (pointer_buttons == 0 && dragging && roll_step == 0) {
        dragging = 0;
    }
    // Anything else changes nothing: a held button keeps its cube wherever the
    // pointer goes, and a release does not stop a running roll.
}

// A drag latches a direction once it leaves the press point by more than 15
// pixels along one axis while staying within 14 pixels on the other. The
// regions are disjoint, so at most one latch is set per frame.
void decide_direction() {
    if (roll_step != 0) return;
    int dx = pointer_x - press_x;
    int dy = pointer_y - press_y;
    if (dx > 15 && -14 <= dy && dy <= 14) roll_right = 1;
    if (dx < -15 && -14 <= dy && dy <= 14) roll_left = 1;
    if (dy < -15 && -14 <= dx && dx <= 14) roll_up = 1;
    if (dy > 15 && -14 <= dx && dx <= 14) roll_down = 1;
}

// Draws one step of the latched roll (or only moves it on, in a frame that
// is not drawn); after the last step the model turns. Returns whether the
// roll ended in this frame.
bool advance_roll(bool drawn) {
    const int latches[] = {roll_right, roll_left, roll_up, roll_down};
    const int directions[] = {direction_right, direction_left, direction_up, direction_down};
    for (int i = 0; i < 4; i++) {
        if (!latches[i]) continue;
        bulge = bulge_after_step(roll_step, bulge);
        if (drawn) draw_roll_step(selected_cube, directions[i], roll_step, bulge);
        roll_step += 2;
        if (roll_step > 150) {
            rotate_cube(selected_cube, directions[i]);
            last_roll[selected_cube] = directions[i];
            move_counter++;
            roll_step = 0;
            bulge = 0.0f;
            return true;
        }
    }
    return false;
}

void update_board(bool drawn) {
    bool roll_ended = dragging && advance_roll(drawn);
    // Kept before a celebration can hold the frame up.
    if (roll_ended) save_game_if_changed();
    if (dragging && !roll_ended) {
        if (roll_right || roll_left || roll_up || roll_down) sys_rest(0.001);
        if (roll_step != 0) {
            erase_message_area();
        }
        acknowledge_pending();
    } else {
        check_completion();
    }
    if (finish_group_if_complete()) note_records_of_finished_set();
}

// A step in the middle of a roll is painted over by the next step, so one the
// window will not show is left out, unless the frame leaves the game (whose
// fade starts from this frame's picture).
bool frame_drawn() {
    // Only a held press or a roll can rest in the middle of a frame, with the
    // frame half drawn: a frame still waiting to be shown is overtaken first.
    if (!dragging) return true;
    bool leaving = al_key_down(&keyboard_state, ALLEGRO_KEY_ESCAPE) ||
                   (hover_target == 20 && pointer_buttons == 1) || button_pressed_by_key() == 20 ||
                   pad_asks_to_leave();
    bool mid_roll = roll_step >= 2 && roll_step <= 148 && !leaving;
    return sys_frame_shown(0.002) || !mid_roll;
}

void play_frame() {
    // Only a roll keeps a pace across frames: any other frame starts afresh.
    if (roll_step == 0) sys_pace_from_now();
    bool drawn = frame_drawn();
    // The badge is drawn over its own edge: the display builds up there.
    draw_hud(move_counter);
    if (!group_loaded) {
        load_picture_set();
        move_counter = 0;
        group_loaded = 1;
    }
    compute_roll_tints(roll_step);
    press_and_release();
    decide_direction();
    press_by_key();
    if (drawn) prepare_face_tiles(selected_cube);
    update_board(drawn);
}

void restart() {
    // A new game of the player's pictures deals new sets of them.
    if (own_picture_count) choose_own_sets();
    current_group = 0;
    move_counter = 0;
    fade_to_black();
    group_loaded = 0;
}

// The exit and restart buttons, in every stage. Returns false when the player
// leaves.
bool handle_buttons() {
    // Hovering redraws the button over itself with a translucent tint, which
    // lightens it a little more each frame; leaving restores it.
    ALLEGRO_COLOR highlight = al_map_rgba(250, 250, 250, 188);
    if (hover_target == 0) {
        al_draw_scaled_bitmap(backdrop, 860, 660, 110, 25, 860, 660, 110, 25, 0);
        if (current_group > 2) {
            al_draw_scaled_bitmap(ui_sheet, 469, 473, 127, 31, 563, 608, 127, 31, 0);
        }
    } else if (hover_target == 20) {
        al_draw_tinted_bitmap_region(backdrop, highlight, 866, 662, 100, 20, 866, 662, 0);
    } else if (hover_target == 21 && current_group > 2) {
        al_draw_tinted_bitmap_region(ui_sheet, highlight, 469, 473, 127, 31, 563, 608, 0);
    }
    // A button pressed from the keyboard or the pad acts as a click on it.
    int pressed = pointer_buttons == 1 ? hover_target : button_pressed_by_key();
    if (pressed) {
        if (pressed == 21 && current_group > 2) restart();
        if (pressed == 20) {
            shut_down();
            return false;
        }
    }
    return true;
}

}  // namespace

bool run_frame() {
    // The window's close button leaves at once; Escape is read from the
    // keyboard state captured by the previous frame and leaves with the fade.
    leave_if_closed();
    if (al_key_down(&keyboard_state, ALLEGRO_KEY_ESCAPE) || pad_asks_to_leave()) {
        shut_down();
        return false;
    }
    sys_get_keyboard_state(&keyboard_state);
    hit_test();
    read_keys();

    if (current_group <= 2) play_frame();
    if (current_group == 3) {
        current_group = 4;
        show_end_screen();
    }
    save_game_if_changed();
    if (!handle_buttons()) return false;
    end_key_frame();

    sys_present();
    sys_rest(0.001);
    wait_if_still();
    return true;
}
