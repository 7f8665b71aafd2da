#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "puzzle/records.h"
#include "shell/fades.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/intro.h"
#include "shell/loop_state.h"
#include "shell/persistence.h"
#include "shell/picture_set.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"
#include "view/completion_animation.h"
#include "view/end_screen.h"
#include "view/screen_reading.h"

namespace {

using frame_loop = game_fixture;

// Cube 6 stands second in the middle row; its centre is (560, 350).
constexpr int cx = 560;
constexpr int cy = 350;

int latch_count() {
    return roll_right + roll_left + roll_up + roll_down;
}

// The snapshot a frame acts on is the poll of the frame before, so every
// pointer position is shown for two frames: one to be read, one to be acted on.
class drag : public frame_loop {
   protected:
    void hold(int x, int y, int buttons) {
        frame(x, y, buttons);
        frame(x, y, buttons);
    }
    void press_cube_6() {
        hold(cx, cy, 1);
        ASSERT_EQ(dragging, 1);
        ASSERT_EQ(selected_cube, 6);
        ASSERT_EQ(press_x, cx);
        ASSERT_EQ(press_y, cy);
    }
    // Frames until the running roll turns the cube; -1 if it never does.
    int frames_until_rotation(int x, int y, int buttons) {
        int before = move_counter;
        for (int n = 1; n <= 200; n++) {
            frame(x, y, buttons);
            if (move_counter != before) return n;
        }
        return -1;
    }
};

TEST_F(drag, each_direction_latches_only_inside_its_band) {
    struct band {
        int *latch;
        int in_dx, in_dy;        // just inside the band
        int short_dx, short_dy;  // 15 pixels along the axis: not yet a drag
        int drift_dx, drift_dy;  // 15 pixels off the axis: diagonal
    };
    const band bands[] = {
        {&roll_right, 16, 14, 15, 0, 16, 15},
        {&roll_left, -16, -14, -15, 0, -16, -15},
        {&roll_up, 14, -16, 0, -15, 15, -16},
        {&roll_down, -14, 16, 0, 15, -15, 16},
    };
    for (const band &b : bands) {
        TearDown();
        SetUp();
        press_cube_6();
        hold(cx + b.short_dx, cy + b.short_dy, 1);
        EXPECT_EQ(latch_count(), 0);
        EXPECT_EQ(roll_step, 0);
        hold(cx + b.drift_dx, cy + b.drift_dy, 1);
        EXPECT_EQ(latch_count(), 0);
        EXPECT_EQ(roll_step, 0);
        hold(cx + b.in_dx, cy + b.in_dy, 1);
        EXPECT_EQ(*b.latch, 1);
        EXPECT_EQ(latch_count(), 1);
        // The roll starts in the frame that latches it.
        EXPECT_EQ(roll_step, 2);
    }
}

TEST_F(drag, a_roll_lasts_76_frames_and_a_drag_makes_one_roll) {
    press_cube_6();
    frame(cx + 40, cy, 1);
    frame(cx + 40, cy, 1);  // latches and draws step 0
    ASSERT_EQ(roll_right, 1);
    EXPECT_EQ(frames_until_rotation(cx + 40, cy, 1), 75);
    EXPECT_EQ(move_counter, 1);
    EXPECT_EQ(roll_step, 0);
    EXPECT_EQ(bulge, 0.0f);
    EXPECT_EQ(dragging, 0);

    // Holding the button on: a new press at the current point, no new roll.
    frames(300, cx + 40, cy, 1);
    EXPECT_EQ(move_counter, 1);
    EXPECT_EQ(dragging, 1);
    EXPECT_EQ(press_x, cx + 40);

    // A further roll needs a further drag.
    hold(cx + 40, cy + 20, 1);
    EXPECT_EQ(roll_down, 1);
    EXPECT_EQ(frames_until_rotation(cx + 40, cy + 20, 1), 75);
    EXPECT_EQ(move_counter, 2);
}

TEST_F(drag, releasing_during_a_roll_lets_it_finish) {
    press_cube_6();
    hold(cx, cy - 30, 1);
    ASSERT_EQ(roll_up, 1);
    ASSERT_EQ(roll_step, 2);
    EXPECT_EQ(frames_until_rotation(cx, cy - 30, 0), 75);
    EXPECT_EQ(dragging, 0);
    // While the roll ran, a release never ended the drag early.
    EXPECT_EQ(move_counter, 1);
}

TEST_F(drag, only_the_primary_button_alone_presses) {
    hold(cx, cy, 2);
    EXPECT_EQ(dragging, 0);
    hold(cx, cy, 3);
    EXPECT_EQ(dragging, 0);

    // Once pressed, other buttons keep the drag alive until all are released.
    press_cube_6();
    hold(cx, cy, 3);
    EXPECT_EQ(dragging, 1);
    hold(cx, cy, 2);
    EXPECT_EQ(dragging, 1);
    hold(cx, cy, 0);
    EXPECT_EQ(dragging, 0);
    EXPECT_EQ(move_counter, 0);
}

TEST_F(drag, pressing_outside_then_moving_onto_a_cube_presses_it) {
    hold(100, 100, 1);
    EXPECT_EQ(dragging, 0);
    hold(cube_x[11] + 10, cube_y[11] + 20, 1);
    EXPECT_EQ(dragging, 1);
    EXPECT_EQ(selected_cube, 11);
    EXPECT_EQ(press_x, cube_x[11] + 10);
    EXPECT_EQ(press_y, cube_y[11] + 20);
}

TEST_F(drag, a_held_press_keeps_its_cube_across_other_cubes) {
    press_cube_6();
    // Diagonal: beyond both bands, so nothing latches while crossing cube 2.
    hold(cx - 60, cy - 120, 1);
    EXPECT_EQ(selected_cube, 6);
    EXPECT_EQ(dragging, 1);
    EXPECT_EQ(latch_count(), 0);
}

TEST_F(drag, the_next_press_acknowledges_a_celebrated_picture) {
    pending_picture = 4;
    hold(100, 100, 0);
    EXPECT_EQ(pending_picture, 4);
    EXPECT_EQ(assembled[4], 0);
    press_cube_6();
    EXPECT_EQ(pending_picture, 0);
    EXPECT_EQ(assembled[4], 1);
}

TEST_F(drag, the_press_acknowledging_the_sixth_picture_finishes_the_group) {
    clear_records();
    // Half past midnight in Warsaw, still the day before in UTC.
    script::clock_seconds = 1796772600;
    script::utc_offset = 3600;
    for (int k = 1; k <= 5; k++) assembled[k] = 1;
    pending_picture = 6;
    move_counter = 37;
    press_cube_6();
    EXPECT_EQ(group_moves[0], 37);
    EXPECT_STREQ(record_dates[0], "2026-12-09");
    EXPECT_EQ(current_group, 1);
    EXPECT_EQ(group_loaded, 0);
    for (int k = 0; k <= 6; k++) EXPECT_EQ(assembled[k], 0);
    // The next frame deals the next group and the counter starts again.
    frame(cx, cy, 1);
    EXPECT_EQ(group_loaded, 1);
    EXPECT_EQ(move_counter, 0);
    // The press is still held on the new board.
    EXPECT_EQ(dragging, 1);

    // The clock set back a day: the next record bears that day, and both
    // come back from the folder.
    script::clock_seconds -= 86400;
    hold(cx, cy, 0);
    for (int k = 1; k <= 5; k++) assembled[k] = 1;
    pending_picture = 6;
    press_cube_6();
    EXPECT_EQ(current_group, 2);
    // The records are written after the saved game of the next set's deal.
    frame(cx, cy, 0);
    look_for_saved_game();
    EXPECT_EQ(record_moves[0], 37);
    EXPECT_STREQ(record_dates[0], "2026-12-09");
    EXPECT_STREQ(record_dates[1], "2026-12-08");
}

class leaving : public frame_loop {};

TEST_F(leaving, escape_leaves_at_the_top_of_the_frame_after_the_poll_that_saw_it) {
    frame(0, 0, 0);
    script::set_key(ALLEGRO_KEY_ESCAPE, true);
    int presents = script::presents;
    // This frame polls the key down, plays on and presents once.
    EXPECT_TRUE(frame(0, 0, 0));
    EXPECT_EQ(script::presents, presents + 1);
    // Released meanwhile: the next frame still acts on the state it was given.
    script::set_key(ALLEGRO_KEY_ESCAPE, false);
    EXPECT_FALSE(frame(0, 0, 0));
    // It left through the darkening and closed the screen.
    EXPECT_EQ(script::presents, presents + 1 + 44);
    EXPECT_FALSE(script::screen_open);
    EXPECT_EQ(backdrop, nullptr);
}

TEST_F(leaving, escape_leaves_in_every_stage) {
    struct stage {
        const char *name;
        int group, x, y, buttons, drag_frames;
    };
    const stage stages[] = {
        {"idle", 0, 0, 0, 0, 0},           {"pressed", 0, cx, cy, 1, 0},
        {"rolling", 0, cx + 30, cy, 1, 3}, {"second group", 1, 0, 0, 0, 0},
        {"third group", 2, 0, 0, 0, 0},    {"end screen", 4, 0, 0, 0, 0},
    };
    for (const stage &s : stages) {
        SCOPED_TRACE(s.name);
        TearDown();
        SetUp();
        current_group = s.group;
        frames(2, cx, cy, s.buttons);
        frames(s.drag_frames, s.x, s.y, s.buttons);
        EXPECT_EQ(roll_step != 0, s.drag_frames != 0);
        script::set_key(ALLEGRO_KEY_ESCAPE, true);
        int presents = script::presents;
        EXPECT_TRUE(frame(s.x, s.y, s.buttons));
        EXPECT_FALSE(frame(s.x, s.y, s.buttons));
        EXPECT_EQ(script::presents, presents + 1 + 44);
        EXPECT_FALSE(script::screen_open);
    }
}

// The close button ends the game within a frame wherever it is clicked, also
// inside the blocking sequences, which read no input; the code is 0.
TEST_F(leaving, the_window_close_button_ends_the_game_at_once_in_every_stage) {
    struct stage {
        const char *name;
        int close_at_rest;
        void (*run)();
    };
    const stage stages[] = {
        {"a playing frame", 0, [] { run_frame(); }},
        {"the intro's fade-in", 10, show_intro},
        {"the intro's wait", 60, show_intro},
        {"the intro's fade-out", 55 + 1000 + 20, show_intro},
        {"loading a set", 400, load_picture_set},
        {"the picture-completed animation", 100, [] { play_completion_animation(1); }},
        {"the summary's long rest", 45, show_end_screen},
        {"the summary's last fade", 44 + 21 + 10, show_end_screen},
        {"the fade before a new game", 10, fade_to_black},
        {"the fade on leaving", 3, shut_down},
    };
    for (const stage &s : stages) {
        auto run = [&] {
            int after = -1;
            auto count = [&] {
                // One more present may follow the rest that saw the click.
                if (after >= 0 && ++after > 1) _exit(3);
            };
            script::on_rest = [&] {
                count();
                if (static_cast<int>(script::rests.size()) == s.close_at_rest) {
                    script::close_requested = true;
                    after = 0;
                }
            };
            script::on_present = count;
            if (s.close_at_rest == 0) script::close_requested = true;
            s.run();
        };
        EXPECT_EXIT(run(), testing::ExitedWithCode(0), "") << s.name;
    }
}

TEST_F(leaving, the_exit_button_leaves_in_every_stage) {
    for (int stage : {0, 2, 4}) {
        TearDown();
        SetUp();
        current_group = stage;
        EXPECT_TRUE(frame(900, 670, 1));
        EXPECT_FALSE(frame(900, 670, 1)) << "stage " << stage;
        EXPECT_FALSE(script::screen_open);
    }
    // Also in the middle of a drag that started on a cube.
    TearDown();
    SetUp();
    frames(2, cx, cy, 1);
    ASSERT_EQ(dragging, 1);
    EXPECT_TRUE(frame(900, 670, 1));
    EXPECT_FALSE(frame(900, 670, 1));
}

TEST_F(leaving, other_buttons_on_the_exit_button_do_not_leave) {
    EXPECT_TRUE(frames(5, 900, 670, 3));
    EXPECT_TRUE(frames(5, 900, 670, 2));
    EXPECT_TRUE(script::screen_open);
}

class restart_button : public frame_loop {};

TEST_F(restart_button, does_nothing_and_draws_nothing_during_play) {
    current_group = 1;
    move_counter = 9;
    frame(620, 620, 0);
    al_draw_filled_rectangle(560, 600, 700, 645, al_map_rgb(255, 0, 255));
    int presents = script::presents;
    frames(4, 620, 620, 1);
    EXPECT_EQ(current_group, 1);
    EXPECT_EQ(move_counter, 9);
    EXPECT_EQ(script::presents, presents + 4);
    EXPECT_EQ(pixel_at(script::canvas(), 600, 620), (rgb{255, 0, 255}));
}

TEST_F(restart_button, after_the_end_screen_fades_out_and_deals_the_first_group_again) {
    current_group = 3;
    group_moves[0] = 11;
    frame(0, 0, 0);
    EXPECT_EQ(current_group, 4);
    // The restart button is drawn plain while the pointer is elsewhere.
    EXPECT_EQ(pixel_at(script::canvas(), 563 + 10, 608 + 5), pixel_at(ui_sheet, 469 + 10, 473 + 5));

    // On the end screen a press on a cube starts nothing.
    frames(2, cx, cy, 1);
    EXPECT_EQ(dragging, 0);

    frame(620, 620, 0);
    int presents = script::presents;
    frame(620, 620, 1);  // read
    frame(620, 620, 1);  // acted on
    EXPECT_EQ(script::presents, presents + 2 + 44);
    EXPECT_EQ(current_group, 0);
    EXPECT_EQ(move_counter, 0);
    EXPECT_EQ(group_loaded, 0);
    EXPECT_EQ(group_moves[0], 11);
    frame(0, 0, 0);
    EXPECT_EQ(group_loaded, 1);
}

TEST_F(frame_loop, hovering_a_button_lightens_it_and_leaving_restores_it) {
    frame(0, 0, 0);
    rgb plain = pixel_at(script::canvas(), 900, 670);
    EXPECT_EQ(plain, pixel_at(backdrop, 900, 670));
    frames(2, 900, 670, 0);
    rgb lit_once = pixel_at(script::canvas(), 900, 670);
    frame(900, 670, 0);
    rgb lit_twice = pixel_at(script::canvas(), 900, 670);
    EXPECT_GT(lit_once.r + lit_once.g + lit_once.b, plain.r + plain.g + plain.b);
    EXPECT_GT(lit_twice.r + lit_twice.g + lit_twice.b, lit_once.r + lit_once.g + lit_once.b);
    frames(2, 0, 0, 0);
    EXPECT_EQ(pixel_at(script::canvas(), 900, 670), plain);
}

TEST_F(frame_loop, every_frame_presents_once_and_rests_a_millisecond) {
    frames(10, 0, 0, 0);
    EXPECT_EQ(script::presents, 10);
    ASSERT_EQ(script::rests.size(), 10u);
    for (double rest : script::rests) EXPECT_EQ(rest, 0.001);
}

TEST_F(frame_loop, a_rolling_frame_rests_once_more) {
    frames(2, cx, cy, 1);
    frames(2, cx + 30, cy, 1);
    ASSERT_EQ(roll_right, 1);
    script::rests.clear();
    frame(cx + 30, cy, 1);
    EXPECT_EQ(script::rests.size(), 2u);
}

// Once the input stays as it is, the loop waits for input instead of drawing,
// but only after the screen has stopped changing, and never while a press is
// held or a roll runs. Each row: a pointer held for a number of frames, after
// a press on cube 6 taken to `from`.
TEST_F(frame_loop, still_input_waits_once_the_screen_has_settled) {
    struct row {
        const char *what;
        int from_x, from_y, x, y, buttons, count;
        bool waits;
        float stick;  // the pad's stick pushed this far, to one side and the other in turn
    };
    const row rows[] = {
        {"over the exit button, lit a little more each frame", 0, 0, 900, 670, 0, 150, true, 0},
        {"a press held on a cube", cx, cy, cx, cy, 1, 150, false, 0},
        {"a roll running with the button let go", cx + 30, cy, cx + 30, cy, 0, 74, false, 0},
        {"the pad's stick drifting inside its dead zone", 0, 0, 0, 0, 0, 150, true, 0.25f},
        {"the pad's stick pushed beyond it", 0, 0, 0, 0, 0, 150, false, 0.7f},
    };
    for (const row &r : rows) {
        frames(2, cx, cy, 1);
        frames(2, r.from_x, r.from_y, r.buttons | 1);
        script::waits = 0;
        int first_wait = 0;
        ALLEGRO_BITMAP *settled = nullptr;
        for (int n = 1; n <= r.count; n++) {
            script::set_pad(n % 2 ? r.stick : -r.stick, 0, false, false);
            frame(r.x, r.y, r.buttons);
            if (script::waits == 1 && !settled) {
                first_wait = n;
                settled = al_clone_bitmap(script::canvas());
            }
        }
        EXPECT_EQ(script::waits > 0, r.waits) << r.what;
        if (!settled) continue;
        EXPECT_GT(first_wait, 40) << r.what;
        EXPECT_EQ(count_changed(settled, script::canvas(), {0, 0, 1020, 710}), 0) << r.what;
        al_destroy_bitmap(settled);
        frames(80, 0, 0, 0);
    }
}

}  // namespace
