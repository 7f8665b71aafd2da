#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>

#include "shell/fades.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"

namespace {

using fades = game_fixture;

void paint_screen() {
    al_clear_to_color(al_map_rgb(200, 120, 60));
    al_draw_filled_rectangle(0, 700, 1020, 710, al_map_rgb(10, 220, 140));
}

TEST_F(fades, darkening_spares_the_bottom_rows_and_starts_on_its_second_frame) {
    paint_screen();
    rgb first_frame{-1, -1, -1};
    script::on_present = [&] {
        if (script::presents == 1) first_frame = pixel_at(script::canvas(), 500, 300);
    };
    fade_to_black();
    EXPECT_EQ(first_frame, (rgb{200, 120, 60}));
    EXPECT_EQ(script::presents, 44);
    ASSERT_EQ(script::rests.size(), 44u);
    for (double rest : script::rests) EXPECT_EQ(rest, 0.02);
    EXPECT_NEAR(script::total_rest(), 0.88, 1e-9);

    for (int x : {0, 511, 1019}) {
        for (int y = 705; y <= 709; y++) {
            EXPECT_EQ(pixel_at(script::canvas(), x, y), (rgb{10, 220, 140})) << x << "," << y;
        }
        rgb covered = pixel_at(script::canvas(), x, 704);
        EXPECT_LT(covered.g, 20) << x;
        rgb top = pixel_at(script::canvas(), x, 0);
        EXPECT_LT(top.r, 20) << x;
    }
    EXPECT_TRUE(script::screen_open);
}

TEST_F(fades, shutting_down_darkens_then_releases_the_screen_and_bitmaps) {
    paint_screen();
    int closed_at = -1;
    script::on_present = [&] {
        if (!script::screen_open && closed_at < 0) closed_at = script::presents;
    };
    shut_down();
    EXPECT_EQ(closed_at, -1);  // nothing is presented after the screen is gone
    EXPECT_EQ(script::presents, 44);
    EXPECT_NEAR(script::total_rest(), 0.88, 1e-9);
    EXPECT_FALSE(script::screen_open);
    for (ALLEGRO_BITMAP *bitmap :
         {backdrop, ui_sheet, work_tile_1, work_tile_2, work_tile_3, tile_strip}) {
        EXPECT_EQ(bitmap, nullptr);
    }
    EXPECT_EQ(pixel_at(script::canvas(), 300, 707), (rgb{10, 220, 140}));
}

}  // namespace
