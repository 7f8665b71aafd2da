#include <gtest/gtest.h>

#include "puzzle/board.h"
#include "shell/input.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"

namespace {

class hit_test_fixture : public game_fixture {
   protected:
    // What the hit test finds at a point, once the snapshot has caught up.
    int target_at(int x, int y) {
        script::set_pointer(x, y, 0);
        hit_test();
        hit_test();
        return hover_target;
    }
};

TEST_F(hit_test_fixture, cube_square_excludes_its_first_column_and_row_and_the_gap) {
    // Cube 1 stands at (330, 120), cube 2 at (485, 120).
    EXPECT_EQ(target_at(330, 200), 0);
    EXPECT_EQ(target_at(400, 120), 0);
    EXPECT_EQ(target_at(331, 121), 1);
    EXPECT_EQ(target_at(479, 269), 1);
    EXPECT_EQ(target_at(480, 200), 0);
    EXPECT_EQ(target_at(484, 200), 0);
    EXPECT_EQ(target_at(485, 200), 0);
    EXPECT_EQ(target_at(486, 200), 2);
    EXPECT_EQ(target_at(400, 270), 0);
    EXPECT_EQ(target_at(400, 276), 5);
    // Cube 12, bottom right, at (795, 430).
    EXPECT_EQ(target_at(944, 579), 12);
    EXPECT_EQ(target_at(945, 579), 0);
    EXPECT_EQ(target_at(944, 580), 0);
}

TEST_F(hit_test_fixture, every_cube_is_found_at_its_place) {
    for (int cube = 1; cube <= 12; cube++) {
        EXPECT_EQ(target_at(cube_x[cube] + 1, cube_y[cube] + 1), cube);
        EXPECT_EQ(target_at(cube_x[cube] + 149, cube_y[cube] + 149), cube);
    }
}

TEST_F(hit_test_fixture, buttons_react_within_inclusive_bounds) {
    EXPECT_EQ(target_at(867, 664), 20);
    EXPECT_EQ(target_at(963, 680), 20);
    EXPECT_EQ(target_at(866, 670), 0);
    EXPECT_EQ(target_at(964, 670), 0);
    EXPECT_EQ(target_at(900, 663), 0);
    EXPECT_EQ(target_at(900, 681), 0);

    EXPECT_EQ(target_at(566, 611), 21);
    EXPECT_EQ(target_at(687, 635), 21);
    EXPECT_EQ(target_at(565, 620), 0);
    EXPECT_EQ(target_at(688, 620), 0);
    EXPECT_EQ(target_at(600, 610), 0);
    EXPECT_EQ(target_at(600, 636), 0);
}

TEST_F(hit_test_fixture, snapshot_lags_one_poll_behind_the_pointer) {
    script::set_pointer(560, 350, 1);
    hit_test();
    // The first call reports what the previous poll read: nothing yet.
    EXPECT_EQ(pointer_x, 0);
    EXPECT_EQ(pointer_y, 0);
    EXPECT_EQ(pointer_buttons, 0);
    EXPECT_EQ(hover_target, 0);

    script::set_pointer(900, 670, 0);
    hit_test();
    EXPECT_EQ(pointer_x, 560);
    EXPECT_EQ(pointer_y, 350);
    EXPECT_EQ(pointer_buttons, 1);
    EXPECT_EQ(hover_target, 6);

    hit_test();
    EXPECT_EQ(hover_target, 20);
    EXPECT_EQ(pointer_buttons, 0);
    EXPECT_EQ(script::mouse_polls, 3);
}

}  // namespace
