// Playing without the pointer: the focus, its frame, key rolls and presses,
// the pad, and keys and pointer side by side.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "shell/game.h"
#include "shell/keys_and_pad.h"
#include "shell/loop_state.h"
#include "support/game_fixture.h"
#include "support/key_play.h"
#include "support/reference_frames.h"
#include "support/scripted_platform.h"
#include "support/solver.h"

namespace {

using keys = game_fixture;

// The cube's state once rolled that way; the board is left as it was.
uint64_t rolled(int cube, int direction) {
    uint64_t before = cube_state(cube);
    rotate_cube(cube, direction);
    uint64_t after = cube_state(cube);
    set_cube_state(cube, before);
    return after;
}

TEST_F(keys, a_held_key_rolls_once_and_neither_way_in_cuts_the_others_roll) {
    ASSERT_TRUE(frames(2, 10, centre_y(6), 0));
    tap_keys({ALLEGRO_KEY_LEFT});
    uint64_t turned = rolled(1, direction_right);

    // Shift+Right held for 200 frames; the pointer presses and drags over
    // cube 6 while the key's roll runs, and lets go before it ends.
    script::set_key(ALLEGRO_KEY_LSHIFT, true);
    script::set_key(ALLEGRO_KEY_RIGHT, true);
    for (int n = 0; n < 200; n++) {
        int x = n >= 3 && n < 20 ? centre_x(6) + 2 * n : 10;
        ASSERT_TRUE(frame(x, centre_y(6), n < 40 ? 1 : 0));
    }
    EXPECT_EQ(move_counter, 1);
    EXPECT_EQ(cube_state(1), turned);

    // A pointer roll of cube 6 ignores a Shift+arrow that comes while it runs.
    turned = rolled(6, direction_down);
    script::set_key(ALLEGRO_KEY_RIGHT, false);
    ASSERT_TRUE(frames(2, centre_x(6), centre_y(6), 1));
    ASSERT_TRUE(frames(2, centre_x(6), centre_y(6) + 30, 1));
    ASSERT_TRUE(frame(centre_x(6), centre_y(6) + 30, 0));
    tap_keys({ALLEGRO_KEY_DOWN});  // shows the focus again
    script::set_key(ALLEGRO_KEY_LEFT, true);
    ASSERT_TRUE(frames(150, centre_x(6), centre_y(6) + 30, 0));
    EXPECT_EQ(move_counter, 2);
    EXPECT_EQ(cube_state(6), turned);
}

TEST_F(keys, the_pad_moves_and_rolls_and_keys_held_through_the_summary_do_not_act) {
    auto pad = [](int x, int y, bool face, bool back) {
        script::set_pad(x, y, face, back);
        return run_frame();
    };
    pad(1, 0, false, false);  // shows the focus on cube 1
    pad(0, 0, false, false);
    pad(1, 0, false, false);
    pad(0, 0, true, false);
    pad(0, 1, true, false);  // the face button held: cube 2 rolls down
    for (int n = 0; n < 80; n++) pad(0, 0, false, false);
    EXPECT_EQ(move_counter, 1);
    EXPECT_EQ(selected_cube, 2);

    // Tab and the face button pressed while the summary is shown and held.
    current_group = 2;
    for (int k = 1; k <= 6; k++) assembled[k] = 1;
    script::on_present = [] {
        script::set_key(ALLEGRO_KEY_TAB, true);
        script::set_pad(0, 0, true, false);
    };
    ASSERT_TRUE(run_frame());
    script::on_present = nullptr;
    for (int n = 0; n < 5; n++) ASSERT_TRUE(run_frame());
    EXPECT_EQ(focus_button, 21);  // the restart button, as the summary came
    EXPECT_EQ(current_group, 4);
    script::set_key(ALLEGRO_KEY_TAB, false);
    ASSERT_TRUE(run_frame());
    for (int stop : {20, 21}) {
        tap_keys({ALLEGRO_KEY_TAB});
        EXPECT_EQ(focus_button, stop);
    }

    // A new press restarts; Back leaves.
    pad(0, 0, false, false);
    ASSERT_TRUE(pad(0, 0, true, false)) << "the face button on the restart button left";
    EXPECT_EQ(current_group, 0);
    current_group = 4;
    EXPECT_TRUE(pad(0, 0, false, true));
    EXPECT_FALSE(pad(0, 0, false, false));
}

TEST_F(keys, the_focus_frame_lifts_without_a_trace) {
    // Cube 6 rolled by keys shows a front; then the pointer hides the focus.
    ASSERT_EQ(roll_by_keys(6, direction_left), 76);
    ASSERT_TRUE(frames(2, 10, 10, 0));
    ALLEGRO_BITMAP *before = al_clone_bitmap(script::canvas());
    tap_keys({ALLEGRO_KEY_DOWN});
    EXPECT_EQ(focus_cube, 6);
    expect_reference("focus-cube", script::canvas(), {475, 265, 170, 170});
    tap_keys({ALLEGRO_KEY_TAB});
    expect_reference("focus-exit", script::canvas(), {850, 645, 140, 60});
    ASSERT_TRUE(frames(2, 11, 10, 0));  // the pointer moves: the frame goes
    EXPECT_FALSE(focus_shown);
    EXPECT_EQ(count_changed(before, script::canvas(), {0, 0, 1020, 710}), 0);

    // Shown on the cube again and gone, it leaves the cube's next front alone.
    tap_keys({ALLEGRO_KEY_TAB});
    ASSERT_TRUE(frames(2, 12, 10, 0));
    ASSERT_TRUE(frames(2, centre_x(6), centre_y(6), 1));
    ASSERT_TRUE(frames(2, centre_x(6) + 30, centre_y(6), 1));
    ASSERT_TRUE(frames(90, centre_x(6) + 30, centre_y(6), 0));
    EXPECT_GT(count_changed(before, script::canvas(), {475, 265, 170, 170}), 10000);
    al_destroy_bitmap(before);

    // The focus stops at the board's edge.
    ASSERT_TRUE(focus_by_keys(4));
    tap_keys({ALLEGRO_KEY_RIGHT});
    EXPECT_EQ(focus_cube, 4);
}

}  // namespace
