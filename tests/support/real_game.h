#pragma once

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "puzzle/progress.h"
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
};
