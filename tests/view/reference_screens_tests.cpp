// The designed screens of one game, drawn by the game's own code with the real
// media and a fixed seed, against the frames and frame lists kept in
// tests/reference: the intro, the composed backdrop, each set dealt, a scroll,
// a roll each way, a completed picture, the message, the progress bar, the
// summary with its buttons, a restart and leaving.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/loop_state.h"
#include "shell/resources.h"
#include "support/real_game.h"
#include "support/reference_frames.h"
#include "support/scripted_platform.h"
#include "support/solver.h"

namespace {

const area whole{0, 0, 1020, 710};
const area bottom_bar{240, 650, 780, 54};
// The message area and the bottom bar under the board.
const area under_board{240, 600, 780, 104};
const area thumbnail_column{70, 0, 150, 710};
const area restart_button{560, 605, 138, 41};

class reference_screens : public real_game {
   protected:
    void SetUp() override {
        real_game::SetUp();
        script::clock_seconds = 20261208;
    }
    static ALLEGRO_BITMAP *screen() { return script::canvas(); }
    // The drags that assemble the picture nearest to whole.
    static std::vector<std::pair<int, int>> nearest_picture() {
        std::vector<std::pair<int, int>> drags = solve_picture(1);
        for (int k = 2; k <= 6; k++) {
            std::vector<std::pair<int, int>> other = solve_picture(k);
            if (other.size() < drags.size()) drags = other;
        }
        return drags;
    }
    // Every picture counted as assembled: the next frame finishes the group.
    void finish_group() {
        for (int k = 1; k <= 6; k++) assembled[k] = 1;
        frame(10, 10, 0);
    }
    void play_one_game();
};

// Played with every frame shown, then with the window showing only some, as
// the present pacing does on a slow machine: every frame that is shown must be
// the design's frame of the same number.
TEST_F(reference_screens, one_game_from_the_intro_to_leaving) {
    // A window refreshing every seven roll frames (each rests 2 ms).
    for (double refresh_period : {0.0, 0.014}) {
        SetUp();
        script::refresh_period = refresh_period;
        play_one_game();
        // Regenerated lists hold every frame.
        if (getenv("PICTURE_CUBES_REGENERATE") || HasFatalFailure()) break;
    }
}

void reference_screens::play_one_game() {
    // A press held from the start ends the intro's wait at its second poll.
    script::set_pointer(10, 10, 1);
    expect_sequence(
        "intro", [&] { ASSERT_TRUE(start_game()); },
        [&](int n) {
            if (n == 55) expect_reference("intro-faded-in", screen(), whole);
        });
    expect_reference("backdrop", backdrop, whole);

    // The first frame loads the first set; its last front is drawn over an
    // empty progress bar.
    expect_sequence(
        "set-1", [&] { frame(10, 10, 0); },
        [&](int n) {
            if (n == 255 + 710 + 2 + 12) {
                expect_reference("progress-0", screen(), bottom_bar);
            }
        });
    expect_reference("set-1-dealt", screen(), whole);

    // One roll each way, each of a cube whose front is quarter-turned.
    const char *names[] = {"", "right", "left", "up", "down"};
    bool rolled[13] = {};
    for (int direction : {direction_right, direction_left, direction_up, direction_down}) {
        int cube = 1;
        while (cube < 12 && (rolled[cube] || turns[cube][1][1] == 0)) cube++;
        rolled[cube] = true;
        const area square{cube_x[cube] - 5, cube_y[cube] - 5, 160, 160};
        std::string name = std::string("roll-") + names[direction];
        drag(cube, direction, [&](const std::function<void()> &run) {
            expect_sequence(name, run, [&](int n) {
                // Frame n draws the step t = 2 (n - 1).
                if (n == 1) expect_reference(name + "-t0", screen(), square);
                if (n == 38) expect_reference(name + "-t74", screen(), square);
                if (n == 76) expect_reference(name + "-t150", screen(), square);
            });
        });
    }

    // The picture nearest to whole is assembled; its last roll is celebrated.
    std::vector<std::pair<int, int>> drags = nearest_picture();
    ASSERT_FALSE(drags.empty());
    for (std::size_t i = 0; i + 1 < drags.size(); i++) drag(drags[i].first, drags[i].second);
    ASSERT_EQ(pending_picture, 0);
    expect_reference("progress-11", screen(), bottom_bar);
    drag(drags.back().first, drags.back().second, [&](const std::function<void()> &run) {
        // 75 roll frames, then the animation's 295 in the frame the roll ends.
        expect_sequence("completion", run, [&](int n) {
            if (n == 75 + 15) expect_reference("completion-flash", screen(), thumbnail_column);
            if (n == 75 + 15 + 141)
                expect_reference("completion-banner-half", screen(), under_board);
            if (n == 75 + 295 + 1)
                expect_reference("completion-banner-open", screen(), under_board);
        });
    });
    ASSERT_NE(pending_picture, 0);

    // Acknowledged by the next press; once let go the whole picture brings up
    // the message.
    hold(cube_x[1] + 75, cube_y[1] + 75, 1);
    hold(cube_x[1] + 75, cube_y[1] + 75, 0);
    expect_reference("already-assembled", screen(), under_board);
    // The next roll clears the message from its first frame on.
    drag(1, direction_right, [&](const std::function<void()> &run) {
        expect_sequence("roll-after-message", run, [&](int n) {
            if (n == 1) expect_reference("roll-after-message", screen(), under_board);
        });
    });

    finish_group();
    expect_sequence(
        "set-2", [&] { frame(10, 10, 0); },
        [&](int n) {
            if (n == 356) expect_reference("set-2-scroll-middle", screen(), whole);
        });
    expect_reference("set-2-dealt", screen(), whole);
    finish_group();
    expect_sequence("set-3", [&] { frame(10, 10, 0); });
    expect_reference("set-3-dealt", screen(), whole);

    // The third set finished: the summary in the same frame.
    for (int k = 1; k <= 6; k++) assembled[k] = 1;
    expect_sequence(
        "end-screen", [&] { frame(10, 10, 0); },
        [&](int n) {
            if (n == 44 + 21 + 22) {
                expect_reference("end-screen-button-half", screen(), restart_button);
            }
        });
    ASSERT_EQ(current_group, 4);
    expect_reference("end-screen", screen(), whole);

    // Each button lit by one frame of hovering.
    frame(900, 670, 0);
    frame(620, 620, 0);
    expect_reference("exit-hover", screen(), {860, 660, 110, 25});
    frame(620, 620, 0);
    expect_reference("restart-hover", screen(), restart_button);

    // Restart fades to black; Escape, seen in the same frame, leaves before
    // the first set is dealt again.
    expect_sequence("restart-and-leave", [&] {
        frame(620, 620, 1);
        script::set_key(ALLEGRO_KEY_ESCAPE, true);
        EXPECT_TRUE(frame(620, 620, 1));
        EXPECT_EQ(current_group, 0);
        EXPECT_FALSE(frame(620, 620, 0));
    });
}

// A player on an English desktop, whose locale this machine need not have:
// the intro, the banner and the message with the game screen, the summary.
TEST_F(reference_screens, in_english) {
    script::environment["LANG"] = "en_US.UTF-8";
    script::set_pointer(10, 10, 1);
    script::on_present = [&] {
        if (script::presents == 55) expect_reference("en-intro-faded-in", screen(), whole);
    };
    ASSERT_TRUE(start_game());
    script::on_present = nullptr;

    frame(10, 10, 0);
    std::vector<std::pair<int, int>> drags = nearest_picture();
    ASSERT_FALSE(drags.empty());
    for (const auto &d : drags) drag(d.first, d.second);
    ASSERT_NE(pending_picture, 0);
    expect_reference("en-completion-banner-open", screen(), under_board);
    hold(cube_x[1] + 75, cube_y[1] + 75, 1);
    hold(cube_x[1] + 75, cube_y[1] + 75, 0);
    expect_reference("en-already-assembled", screen(), whole);

    for (int set = 1; set <= 3; set++) {
        finish_group();
        frame(10, 10, 0);
    }
    ASSERT_EQ(current_group, 4);
    expect_reference("en-end-screen", screen(), whole);
}

}  // namespace
