// Key presses and key rolls for tests that play without the pointer.
#include "support/key_play.h"

#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "shell/game.h"
#include "shell/keys_and_pad.h"
#include "support/scripted_platform.h"

void tap_keys(std::initializer_list<int> keycodes) {
    for (int key : keycodes) script::set_key(key, true);
    run_frame();
    for (int key : keycodes) script::set_key(key, false);
    run_frame();
}

void focus_by_keys(int cube) {
    if (!focus_shown) tap_keys({ALLEGRO_KEY_DOWN});  // the first key only shows it
    while ((focus_cube - 1) % 4 < (cube - 1) % 4) tap_keys({ALLEGRO_KEY_RIGHT});
    while ((focus_cube - 1) % 4 > (cube - 1) % 4) tap_keys({ALLEGRO_KEY_LEFT});
    while (focus_cube < cube) tap_keys({ALLEGRO_KEY_DOWN});
    while (focus_cube > cube) tap_keys({ALLEGRO_KEY_UP});
}

int roll_by_keys(int cube, int direction) {
    focus_by_keys(cube);
    const int arrows[] = {0, ALLEGRO_KEY_RIGHT, ALLEGRO_KEY_LEFT, ALLEGRO_KEY_UP, ALLEGRO_KEY_DOWN};
    int before = move_counter;
    int frames = 2;
    tap_keys({ALLEGRO_KEY_LSHIFT, arrows[direction]});
    while (move_counter == before && frames < 200) {
        run_frame();
        frames++;
    }
    return frames;
}
