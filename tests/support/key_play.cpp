// Key presses and key rolls for tests that play without the pointer.
#include "support/key_play.h"

#include <gtest/gtest.h>

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

bool focus_by_keys(int cube) {
    if (!focus_shown) tap_keys({ALLEGRO_KEY_DOWN});  // the first key only shows it
    // Five steps cross the board; keys that do not move the focus stop here.
    for (int step = 0; step < 6 && focus_cube != cube; step++) {
        int column = (focus_cube - 1) % 4, goal = (cube - 1) % 4;
        int key = column < goal       ? ALLEGRO_KEY_RIGHT
                  : column > goal     ? ALLEGRO_KEY_LEFT
                  : focus_cube < cube ? ALLEGRO_KEY_DOWN
                                      : ALLEGRO_KEY_UP;
        tap_keys({key});
    }
    if (focus_cube == cube) return true;
    ADD_FAILURE() << "the arrows did not bring the focus to cube " << cube << " (it is on cube "
                  << focus_cube << ")";
    return false;
}

int roll_by_keys(int cube, int direction) {
    if (!focus_by_keys(cube)) return 0;
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
