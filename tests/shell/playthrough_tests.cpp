// A whole game, played through the real frame loop with the real media: the
// intro, three sets of six pictures assembled by pressing and dragging (the
// second by keys alone), the end screen, a restart, and leaving by Escape.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "shell/game.h"
#include "shell/loop_state.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/key_play.h"
#include "support/real_game.h"
#include "support/scripted_platform.h"
#include "support/solver.h"

namespace {

class playthrough : public real_game {
   protected:
    void SetUp() override {
        real_game::SetUp();
        for (int &moves : group_moves) moves = -1;
    }

    // Drags the cube and shows one more frame after the roll ends. Returns the
    // frames from the latch to the turn.
    int drag(int cube, int direction) {
        int frames = real_game::drag(cube, direction);
        EXPECT_EQ(selected_cube, cube);
        frame(cube_x[cube] + 75, cube_y[cube] + 75, 0);
        return frames;
    }

    // The press that counts a celebrated picture, then the release.
    void acknowledge() {
        hold(cube_x[1] + 75, cube_y[1] + 75, 1);
        hold(cube_x[1] + 75, cube_y[1] + 75, 0);
    }

    // Assembles all six pictures of the group in play, by pointer or by keys;
    // returns the rolls made. Stops at the first failure, naming the picture.
    int play_group(bool by_keys) {
        int group = current_group;
        int rolls = 0;
        int celebrations = 0;
        // Six pictures, each celebrated once: a seventh round means the group
        // did not end.
        for (int round = 1; current_group == group; round++) {
            int next = 1;
            while (next <= 6 && assembled[next] == 1) next++;
            if (round > 6 || next > 6) {
                ADD_FAILURE() << "group " << group + 1 << " did not end after " << celebrations
                              << " pictures were celebrated";
                return rolls;
            }
            std::vector<std::pair<int, int>> drags = solve_picture(next);
            EXPECT_FALSE(drags.empty());
            for (auto [cube, direction] : drags) {
                EXPECT_EQ(by_keys ? roll_by_keys(cube, direction) : drag(cube, direction), 76);
                rolls++;
                // A roll that happens to complete another picture is celebrated too.
                if (pending_picture != 0 || HasFailure()) break;
            }
            if (pending_picture == 0 || HasFailure()) {
                ADD_FAILURE() << "group " << group + 1 << ": picture " << next
                              << " was not assembled and celebrated";
                return rolls;
            }
            celebrations++;
            EXPECT_EQ(assembled[pending_picture], 0);
            int celebrated = pending_picture;
            if (by_keys) {
                tap_keys({ALLEGRO_KEY_ENTER});
            } else {
                acknowledge();
            }
            if (pending_picture != 0) {
                ADD_FAILURE() << "group " << group + 1 << ": the press did not count picture "
                              << celebrated;
                return rolls;
            }
        }
        EXPECT_EQ(celebrations, 6);
        return rolls;
    }
};

TEST_F(playthrough, three_sets_then_the_summary_a_restart_and_leaving) {
    // A press held from the start ends the intro at its second poll.
    script::set_pointer(10, 10, 1);
    ASSERT_TRUE(start_game());
    EXPECT_EQ(script::mouse_polls, 2);
    hold(10, 10, 0);

    int rolls[3];
    for (int group = 0; group < 3; group++) {
        ASSERT_EQ(current_group, group);
        frame(10, 10, 0);  // loads and deals the set
        ASSERT_EQ(group_loaded, 1);
        EXPECT_EQ(move_counter, 0);
        rolls[group] = play_group(group == 1);
        if (HasFailure()) return;
    }

    // The third group's last acknowledgement brought up the summary.
    EXPECT_EQ(current_group, 4);
    for (int group = 0; group < 3; group++) EXPECT_EQ(group_moves[group], rolls[group]);
    int end_sounds = 0;
    for (const script::played_sample &played : script::samples) {
        end_sounds += played.sample == sample_s3;
    }
    ASSERT_NE(sample_s3, nullptr);
    EXPECT_EQ(end_sounds, 1);

    // Cubes no longer react; the restart button deals the first group afresh.
    int selected = selected_cube;
    hold(cube_x[6] + 75, cube_y[6] + 75, 1);
    hold(cube_x[6] + 105, cube_y[6] + 75, 1);
    EXPECT_EQ(selected_cube, selected);
    EXPECT_EQ(roll_step, 0);
    hold(620, 620, 0);
    hold(620, 620, 1);
    EXPECT_EQ(current_group, 0);
    EXPECT_EQ(group_loaded, 0);
    frame(620, 620, 0);
    EXPECT_EQ(group_loaded, 1);
    EXPECT_EQ(move_counter, 0);
    EXPECT_EQ(group_moves[2], rolls[2]);

    script::set_key(ALLEGRO_KEY_ESCAPE, true);
    EXPECT_TRUE(frame(620, 620, 0));
    EXPECT_FALSE(frame(620, 620, 0));
    EXPECT_FALSE(script::screen_open);
}

}  // namespace
