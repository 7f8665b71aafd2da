// The composed background of the game screen.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"
#include "system/platform.h"
#include "view/backdrop.h"
#include "view/hud.h"
#include "view/screen_reading.h"

namespace {

class view_backdrop : public game_fixture {
   protected:
    void SetUp() override {
        game_fixture::SetUp();
        original = al_clone_bitmap(backdrop);
    }
    void TearDown() override {
        al_destroy_bitmap(original);
        game_fixture::TearDown();
    }
    // A sheet with nothing on it: only what composition draws itself shows.
    void use_transparent_sheet() { paint(ui_sheet, {0, 0, 672, 807}, al_map_rgba(0, 0, 0, 0)); }
    rgb before(int x, int y) { return pixel_at(original, x, y); }
    // The column panel's quarter of teal over two thirds of the old colour.
    static rgb under_column_panel(rgb was) {
        return {55 + was.r * 167 / 255, 77 + was.g * 167 / 255, 77 + was.b * 167 / 255};
    }
    rgb after(int x, int y) { return pixel_at(backdrop, x, y); }

    ALLEGRO_BITMAP *original = nullptr;
};

TEST_F(view_backdrop, the_board_panel_grows_with_the_gap_from_a_fixed_near_corner) {
    const rgb panel{22, 22, 22};
    for (int gap : {5, 0, 10}) {
        TearDown();
        SetUp();
        use_transparent_sheet();
        compose_backdrop(gap);
        int far_x = 935 + 4 * gap, far_y = 575 + 3 * gap;
        SCOPED_TRACE(gap);
        EXPECT_EQ(after(320, 110), panel);
        EXPECT_EQ(after(far_x - 1, far_y - 1), panel);
        EXPECT_EQ(after(far_x - 1, 110), panel);
        EXPECT_EQ(after(320, far_y - 1), panel);
        EXPECT_EQ(after(319, 300), before(319, 300));
        EXPECT_EQ(after(500, 109), before(500, 109));
        EXPECT_EQ(after(far_x, 300), before(far_x, 300));
        EXPECT_EQ(after(500, far_y), before(500, far_y));
    }
}

TEST_F(view_backdrop, with_the_games_gap_the_panel_ends_at_955_590) {
    use_transparent_sheet();
    compose_backdrop(5);
    EXPECT_EQ(after(954, 589), (rgb{22, 22, 22}));
    EXPECT_EQ(after(955, 589), before(955, 589));
    EXPECT_EQ(after(954, 590), before(954, 590));
    // Ten pixels of panel on every side of the block of cubes.
    EXPECT_EQ(count_colour(backdrop, {320, 110, 635, 480}, {22, 22, 22}), 635 * 480);
}

TEST_F(view_backdrop, the_column_panel_tints_x_59_to_220_over_the_full_height_only) {
    use_transparent_sheet();
    compose_backdrop(5);
    for (int y : {0, 1, 300, 708, 709}) {
        for (int x : {59, 60, 140, 219, 220}) {
            EXPECT_TRUE(near(after(x, y), under_column_panel(before(x, y)), 1))
                << x << "," << y << ": " << after(x, y) << " from " << before(x, y);
        }
        EXPECT_EQ(after(58, y), before(58, y)) << y;
        EXPECT_EQ(after(221, y), before(221, y)) << y;
    }
}

TEST_F(view_backdrop, the_column_panel_covers_the_strips_where_they_overlap_it) {
    compose_backdrop(5);
    // Edge strip drawn 1:1 at x 35..64, divider mirrored into x 220..269.
    for (int y : {0, 355, 709}) {
        rgb strip = pixel_at(ui_sheet, 30 + (62 - 35), y);
        EXPECT_TRUE(near(after(62, y), under_column_panel(strip), 1)) << y;
        // The strip ends at 64: beyond it the panel lies over the background.
        EXPECT_TRUE(near(after(66, y), under_column_panel(before(66, y)), 1)) << y;
        // The divider's first column is tinted, its second not.
        rgb divider = pixel_at(ui_sheet, 54, y);
        EXPECT_TRUE(near(after(220, y), under_column_panel(divider), 1)) << y;
        EXPECT_EQ(after(221, y), pixel_at(ui_sheet, 53, y)) << y;
    }
}

TEST_F(view_backdrop, transparent_sheet_areas_leave_the_background) {
    use_transparent_sheet();
    compose_backdrop(5);
    // Where composition draws only sheet pieces, nothing changes: the move
    // label's right end, the group bar, the bottom bar, the frame, the strips.
    for (auto [x, y] : {std::pair{365, 70},
                        {700, 50},
                        {990, 700},
                        {300, 600},
                        {980, 400},
                        {40, 300},
                        {260, 500}}) {
        EXPECT_EQ(after(x, y), before(x, y)) << x << "," << y;
    }
}

TEST_F(view_backdrop, sheet_pieces_land_at_their_places) {
    compose_backdrop(5);
    // Group slots, unscaled, at x = 485 + 155 g; the frame overlaps their last rows.
    for (int g = 0; g < 3; g++) {
        for (auto [dx, dy] : {std::pair{0, 0}, {153, 0}, {70, 30}, {153, 49}}) {
            EXPECT_EQ(after(485 + 155 * g + dx, 20 + dy), pixel_at(ui_sheet, 355 + dx, 395 + dy))
                << g << ": " << dx << "," << dy;
        }
    }
    // The frame's top-left quarter is unscaled at (285, 70), and the top-right
    // one its mirror image: equal distances from x 635 show the same pixel.
    EXPECT_EQ(after(285, 70), pixel_at(ui_sheet, 60, 0));
    EXPECT_EQ(after(300, 100), pixel_at(ui_sheet, 75, 30));
    EXPECT_EQ(after(635 + 354 - 15, 100), pixel_at(ui_sheet, 60 + 15, 30));
}

TEST_F(view_backdrop, the_progress_bar_has_twelve_empty_cells) {
    use_transparent_sheet();
    compose_backdrop(5);
    for (int i = 0; i < 12; i++) {
        EXPECT_EQ(after(336 + 40 * i, 673), (rgb{0, 66, 66})) << i;
        EXPECT_EQ(after(357 + 40 * i, 673), before(357 + 40 * i, 673)) << i;
    }
    EXPECT_EQ(after(816, 673), before(816, 673));
}

TEST_F(view_backdrop, labels_are_written_where_the_hud_and_exit_button_expect_them) {
    use_transparent_sheet();
    compose_backdrop(5);
    // "RUCH >" is 48 pixels wide in the stand-in font, centred on x 320.
    EXPECT_EQ(text_at(backdrop, 320 - 24, 35, 6, {11, 11, 11}), "RUCH >");
    int left, right;
    colour_extent(backdrop, {860, 660, 120, 30}, {166, 166, 166}, left, right);
    ASSERT_GE(left, 0);
    EXPECT_NEAR((left + right) / 2.0, 920, 5);
}

TEST_F(view_backdrop, the_screen_is_the_target_afterwards) {
    ALLEGRO_BITMAP *elsewhere = al_create_bitmap(10, 10);
    al_set_target_bitmap(elsewhere);
    compose_backdrop(5);
    EXPECT_EQ(al_get_target_bitmap(), script::canvas());
    al_destroy_bitmap(elsewhere);
    // Composition drew on the backdrop, not on the screen.
    EXPECT_EQ(pixel_at(script::canvas(), 500, 300), (rgb{0, 22, 22}));
}

}  // namespace

namespace {

// The game's own media, loaded by start-up against the scripted layer.
class view_backdrop_with_media : public testing::Test {
   protected:
    void SetUp() override {
        script::reset();
        ASSERT_TRUE(start_up());
    }
    void TearDown() override { script::reset(); }
};

TEST_F(view_backdrop_with_media, the_board_panel_shows_through_the_frame_and_numbers_centre) {
    compose_backdrop(5);
    // Inside the frame the dark panel shows wherever cubes will stand.
    for (auto [x, y] : {std::pair{330, 120}, {944, 579}, {637, 350}, {482, 272}}) {
        EXPECT_EQ(pixel_at(backdrop, x, y), (rgb{22, 22, 22})) << x << "," << y;
    }
    // The real font's move count stays centred on x 396 inside the badge:
    // the number is whatever differs from the bare badge over the background.
    ALLEGRO_BITMAP *bare = al_create_bitmap(1020, 710);
    al_set_target_bitmap(bare);
    al_draw_bitmap(backdrop, 0, 0, 0);
    al_draw_bitmap_region(ui_sheet, 60, 450, 77, 77, 360, 8, 0);
    sys_target_screen();
    for (int moves : {3, 47, 1234}) {
        al_draw_bitmap(backdrop, 0, 0, 0);
        draw_hud(moves);
        int left = -1, right = -1;
        for (int x = 340; x < 460; x++) {
            for (int y = 8; y < 85; y++) {
                if (near(pixel_at(script::canvas(), x, y), pixel_at(bare, x, y), 30)) continue;
                if (left < 0 || x < left) left = x;
                right = std::max(right, x);
            }
        }
        ASSERT_GE(left, 0) << moves;
        EXPECT_NEAR((left + right + 1) / 2.0, 396, 2) << moves;
        EXPECT_GE(left, 360) << moves;
        EXPECT_LE(right, 436) << moves;
    }
    al_destroy_bitmap(bare);
}

}  // namespace
