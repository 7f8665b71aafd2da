// Start-up with the real media folder, against the scripted system layer.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "shell/game.h"
#include "shell/loop_state.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"

namespace {

// True when every pixel of the bitmap is fully transparent black.
bool all_clear(ALLEGRO_BITMAP *bitmap) {
    ALLEGRO_LOCKED_REGION *region =
        al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_READONLY);
    bool clear = true;
    for (int y = 0; y < al_get_bitmap_height(bitmap) && clear; y++) {
        auto *row = static_cast<const unsigned char *>(region->data) + y * region->pitch;
        for (int x = 0; x < 4 * al_get_bitmap_width(bitmap); x++) clear = clear && row[x] == 0;
    }
    al_unlock_bitmap(bitmap);
    return clear;
}

class start_up_test : public testing::Test {
   protected:
    void SetUp() override { script::reset(); }
    void TearDown() override { script::reset(); }
};

TEST_F(start_up_test, opens_the_screen_loads_everything_and_presents_nothing) {
    ASSERT_TRUE(start_up());
    EXPECT_TRUE(script::screen_open);
    EXPECT_EQ(script::presents, 0);
    for (ALLEGRO_BITMAP *bitmap :
         {backdrop, ui_sheet, work_tile_1, work_tile_2, work_tile_3, tile_strip}) {
        ASSERT_NE(bitmap, nullptr);
    }
    EXPECT_EQ(al_get_bitmap_width(backdrop), 1020);
    EXPECT_EQ(al_get_bitmap_height(backdrop), 710);
    EXPECT_EQ(al_get_bitmap_width(tile_strip), 150);
    EXPECT_EQ(al_get_bitmap_height(tile_strip), 2160);
    EXPECT_NE(font_bold_14, nullptr);
    EXPECT_NE(font_18, nullptr);
    EXPECT_NE(font_28, nullptr);
    EXPECT_EQ(group_names[0], "BAJKI");
    EXPECT_EQ(group_names[1], "PRZYRODA");
    EXPECT_EQ(group_names[2], "WIDOKI");

    // The screen holds the start-up colour the intro will fade in over.
    EXPECT_EQ(pixel_at(script::canvas(), 0, 0), (rgb{0, 22, 22}));
    EXPECT_EQ(pixel_at(script::canvas(), 1019, 709), (rgb{0, 22, 22}));

    // Surfaces nothing has drawn on yet are see-through, not garbage.
    EXPECT_TRUE(all_clear(tile_strip));
    EXPECT_TRUE(all_clear(work_tile_1));
    EXPECT_TRUE(all_clear(work_tile_2));
    EXPECT_TRUE(all_clear(work_tile_3));
}

TEST_F(start_up_test, without_sound_the_samples_stay_silent) {
    script::audio_available = false;
    sample_s1 = sample_s3 = sample_s5 = sample_s = nullptr;
    ASSERT_TRUE(start_up());
    EXPECT_EQ(sample_s1, nullptr);
    EXPECT_EQ(sample_s5, nullptr);
}

TEST_F(start_up_test, the_generator_is_seeded_from_the_clock_in_whole_seconds) {
    script::clock_seconds = 1234567;
    ASSERT_TRUE(start_up());
    int first[8];
    for (int &value : first) value = rand();
    script::clock_seconds = 1234567;
    ASSERT_TRUE(start_up());
    for (int value : first) EXPECT_EQ(rand(), value);
    script::clock_seconds = 1234568;
    ASSERT_TRUE(start_up());
    int differing = 0;
    for (int value : first) differing += rand() != value;
    EXPECT_GT(differing, 0);
}

TEST_F(start_up_test, the_game_starts_with_the_board_laid_out_and_a_fresh_loop) {
    ASSERT_TRUE(start_game());
    EXPECT_EQ(cube_gap, 5);
    // Laid out with that gap: the bottom-right cube at (795, 430).
    EXPECT_EQ(cube_x[12], 795);
    EXPECT_EQ(cube_y[12], 430);
    EXPECT_EQ(selected_cube, 1);
    EXPECT_EQ(dragging, 0);
    EXPECT_EQ(roll_step, 0);
    EXPECT_EQ(group_loaded, 0);
    EXPECT_EQ(move_counter, 0);
}

}  // namespace
