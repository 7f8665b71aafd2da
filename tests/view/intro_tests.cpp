// The description page that opens the game.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/input.h"
#include "shell/intro.h"
#include "shell/media_folder.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"
#include "view/screen_reading.h"

namespace {

class view_intro : public game_fixture {
   protected:
    ALLEGRO_BITMAP *screen() { return script::canvas(); }
    int waiting_rests() { return std::count(script::rests.begin(), script::rests.end(), 0.01); }
};

TEST_F(view_intro, without_a_click_waits_1000_polls_and_fades_out_by_itself) {
    bool first_frame_is_the_ground = false;
    int rested_before_first_present = -1;
    script::on_rest = [&] {
        if (rested_before_first_present < 0) rested_before_first_present = script::presents == 0;
    };
    script::on_present = [&] {
        if (script::presents == 1) {
            first_frame_is_the_ground =
                count_colour(screen(), {0, 0, 1020, 710}, {0, 22, 22}) == 1020 * 710;
        }
    };
    show_intro();

    EXPECT_EQ(script::mouse_polls, 1000);
    EXPECT_EQ(script::presents, 55 + 128);
    ASSERT_EQ(script::rests.size(), 55u + 1000u + 128u);
    EXPECT_NEAR(script::total_rest(), 2.75 + 10 + 0.384, 1e-9);
    EXPECT_EQ(std::count(script::rests.begin(), script::rests.begin() + 55, 0.05), 55);
    EXPECT_EQ(waiting_rests(), 1000);
    EXPECT_EQ(std::count(script::rests.end() - 128, script::rests.end(), 0.003), 128);
    EXPECT_EQ(rested_before_first_present, 1);
    EXPECT_TRUE(first_frame_is_the_ground);

    // The window is left nearly black.
    int brightest = 0;
    for (int y = 0; y < 710; y += 23) {
        for (int x = 0; x < 1020; x += 17) {
            rgb c = pixel_at(screen(), x, y);
            brightest = std::max({brightest, c.r, c.g, c.b});
        }
    }
    EXPECT_LE(brightest, 2);

    // The page was drawn over the background; it is loaded afresh.
    ALLEGRO_BITMAP *fresh = al_load_bitmap(media_path("t2.jpg").c_str());
    ASSERT_NE(fresh, nullptr);
    ASSERT_EQ(al_get_bitmap_width(backdrop), 1020);
    ASSERT_EQ(al_get_bitmap_height(backdrop), 710);
    EXPECT_EQ(count_changed(fresh, backdrop, {0, 0, 1020, 710}), 0);
    al_destroy_bitmap(fresh);
}

TEST_F(view_intro, shows_the_page_after_fading_in) {
    ALLEGRO_BITMAP *faded_in = nullptr;
    script::on_present = [&] {
        if (script::presents == 55) faded_in = al_clone_bitmap(screen());
    };
    script::set_pointer(0, 0, 1);
    show_intro();
    ASSERT_NE(faded_in, nullptr);
    // The picture from the sheet stands at (210, 100); outside the page is dark.
    rgb sheet = pixel_at(ui_sheet, 60 + 300, 530 + 100);
    rgb shown = pixel_at(faded_in, 210 + 300, 100 + 100);
    EXPECT_GT(shown.r + shown.g + shown.b, (sheet.r + sheet.g + sheet.b) * 9 / 10) << shown;
    rgb outside = pixel_at(faded_in, 100, 650);
    EXPECT_LT(outside.r + outside.g + outside.b, 12) << outside;
    // The text in its grey-green (the fade rounds down a few levels on the
    // way up), centred on x 510.
    int left = -1, right = -1;
    for (int x = 0; x < 1020; x++) {
        for (int y = 360; y < 368; y++) {
            if (!near(pixel_at(faded_in, x, y), {99, 133, 122}, 6)) continue;
            if (left < 0) left = x;
            right = x;
        }
    }
    al_destroy_bitmap(faded_in);
    ASSERT_GE(left, 0);
    EXPECT_NEAR((left + right + 1) / 2.0, 510, 4);
}

TEST_F(view_intro, only_the_primary_button_alone_ends_the_wait) {
    // Both buttons, and Escape, change nothing.
    script::set_pointer(500, 300, 3);
    script::set_key(ALLEGRO_KEY_ESCAPE, true);
    show_intro();
    EXPECT_EQ(script::mouse_polls, 1000);
    EXPECT_EQ(waiting_rests(), 1000);
    EXPECT_EQ(script::presents, 55 + 128);
}

TEST_F(view_intro, a_button_held_from_the_start_ends_the_wait_at_the_second_poll) {
    script::set_pointer(500, 300, 1);
    show_intro();
    EXPECT_EQ(script::mouse_polls, 2);
    EXPECT_EQ(waiting_rests(), 1);
    EXPECT_EQ(script::presents, 55 + 128);
    EXPECT_NEAR(script::total_rest(), 2.75 + 0.01 + 0.384, 1e-9);
}

TEST_F(view_intro, a_click_during_the_wait_is_seen_one_poll_later) {
    script::on_rest = [&] {
        if (waiting_rests() == 300) script::set_pointer(500, 300, 1);
    };
    show_intro();
    EXPECT_EQ(script::mouse_polls, 302);
    EXPECT_EQ(waiting_rests(), 301);
    EXPECT_EQ(script::presents, 55 + 128);
}

TEST_F(view_intro, the_pads_face_button_ends_the_wait_at_the_same_poll) {
    script::on_rest = [&] {
        if (waiting_rests() == 300) script::set_pad(0, 0, true, false);
    };
    show_intro();
    EXPECT_EQ(script::mouse_polls, 301);
}

}  // namespace
