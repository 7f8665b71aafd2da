#pragma once

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <functional>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/translation.h"
#include "support/scripted_platform.h"

// The whole game with the real media against the scripted system layer, from
// a clean start: sound on, the first group, no input polled yet.
class real_game : public testing::Test {
   protected:
    void SetUp() override {
        script::reset();
        script::audio_available = true;
        current_group = 0;
        mouse_state = ALLEGRO_MOUSE_STATE();
        keyboard_state = ALLEGRO_KEYBOARD_STATE();
    }
    void TearDown() override {
        script::reset();
        use_player_language();  // back to the texts as written
    }

    bool frame(int x, int y, int buttons) {
        script::set_pointer(x, y, buttons);
        return run_frame();
    }
    // The snapshot a frame acts on is the previous frame's poll, so each
    // pointer position is shown for two frames.
    void hold(int x, int y, int buttons) {
        frame(x, y, buttons);
        frame(x, y, buttons);
    }
    // Presses the cube and drags 30 pixels the given way; the button is let
    // go as the roll starts. `rolling` runs the frames up to the roll's end
    // (at most 100). Returns how many frames that took.
    int drag(
        int cube, int direction,
        const std::function<void(const std::function<void()> &)> &rolling =
            [](const std::function<void()> &run) { run(); }) {
        int x = cube_x[cube] + 75, y = cube_y[cube] + 75;
        int dx = direction == direction_right ? 30 : direction == direction_left ? -30 : 0;
        int dy = direction == direction_down ? 30 : direction == direction_up ? -30 : 0;
        hold(x, y, 1);
        frame(x + dx, y + dy, 1);
        int moves = move_counter;
        int frames = 0;
        rolling([&] {
            for (; frames < 100 && move_counter == moves; frames++) frame(x + dx, y + dy, 0);
        });
        return frames;
    }
};
