// A finished picture: its celebration, the message for one finished before,
// and the progress bar.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "shell/completion_check.h"
#include "shell/loop_state.h"
#include "shell/picture_set.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"
#include "view/completion_animation.h"
#include "view/screen_reading.h"

namespace {

const area message_area{320, 610, 630, 48};
const rgb junk{9, 200, 9};
const rgb banner{250, 120, 0};

class view_completion : public game_fixture {
   protected:
    void SetUp() override {
        game_fixture::SetUp();
        tag_samples();
        // The game screen as the main loop leaves it, with a stale message.
        al_draw_bitmap(backdrop, 0, 0, 0);
        paint(screen(), message_area, al_map_rgb(junk.r, junk.g, junk.b));
        paint(ui_sheet, {65, 400, 285, 46}, al_map_rgb(banner.r, banner.g, banner.b));
    }
    void TearDown() override {
        clear_sample_tags();
        game_fixture::TearDown();
    }
    ALLEGRO_BITMAP *screen() { return script::canvas(); }

    // Every front shows `picture`, upright unless listed in `turned`.
    static void show_on_every_front(int picture, int turned_cube = 0, int turn = 0) {
        for (int c = 1; c <= 12; c++) {
            faces[c][1][1] = picture;
            turns[c][1][1] = c == turned_cube ? turn : 0;
        }
    }
};

class view_completion_animation : public view_completion,
                                  public testing::WithParamInterface<int> {};

TEST_P(view_completion_animation, flashes_and_dims_the_thumbnail_while_the_banner_opens) {
    const int picture = GetParam();
    const area thumbnail{70, 25 + 110 * (picture - 1), 140, 102};
    paint(screen(), thumbnail, al_map_rgb(30, 30, 30));
    ALLEGRO_BITMAP *before = al_clone_bitmap(screen());
    rgb flash_start = pixel_at(screen(), 205, thumbnail.y + 95);

    // In every banner frame, the area beside the banner is the clean background
    // and the banner's own edge columns are drawn: it grows without smearing.
    int smeared = 0, missing = 0;
    rgb flashed{-1, -1, -1};
    script::on_present = [&] {
        int j = script::presents - 16;
        if (j == -1) flashed = pixel_at(screen(), 205, thumbnail.y + 95);
        if (j < 0) return;
        for (int x : {630 - j - 1, 630 + j, 325, 945}) {
            if (x < 630 - j || x >= 630 + j) {
                for (int y : {610, 630, 657}) {
                    smeared += pixel_at(screen(), x, y) != pixel_at(backdrop, x, y);
                }
            }
        }
        if (j >= 2) {
            for (int x : {630 - j, 630 + j - 1}) missing += pixel_at(screen(), x, 630) != banner;
        }
    };
    play_completion_animation(picture);

    EXPECT_EQ(script::presents, 295);
    ASSERT_EQ(script::rests.size(), 295u);
    for (double rest : script::rests) EXPECT_EQ(rest, 0.003);
    ASSERT_EQ(script::samples.size(), 1u);
    EXPECT_EQ(script::samples[0].sample, sample_s5);
    EXPECT_EQ(script::samples[0].presents_before, 0);
    EXPECT_EQ(script::samples[0].gain, 1.0f);
    EXPECT_EQ(script::samples[0].speed, 1.0f);
    EXPECT_EQ(script::samples[0].pan, ALLEGRO_AUDIO_PAN_NONE);

    EXPECT_EQ(smeared, 0);
    EXPECT_EQ(missing, 0);
    // The last banner spans x 351 to 909, all 46 rows of it.
    EXPECT_EQ(pixel_at(screen(), 351, 610), banner);
    EXPECT_EQ(pixel_at(screen(), 908, 655), banner);
    EXPECT_EQ(pixel_at(screen(), 350, 630), pixel_at(backdrop, 350, 630));
    EXPECT_EQ(pixel_at(screen(), 910, 630), pixel_at(backdrop, 910, 630));
    EXPECT_EQ(pixel_at(screen(), 630, 656), pixel_at(backdrop, 630, 656));

    // The stand-in picture's colour lies over the lower right of its thumbnail:
    // the flash brightens it, the dimming leaves it well below the flash.
    rgb end = pixel_at(screen(), 205, thumbnail.y + 95);
    EXPECT_GT(flashed.r + flashed.g + flashed.b,
              flash_start.r + flash_start.g + flash_start.b + 100);
    EXPECT_LT(end.r + end.g + end.b, flashed.r + flashed.g + flashed.b - 100);
    EXPECT_EQ(picture_seen(end), picture) << end;

    // Only the thumbnail and the message area changed; the board, the HUD and
    // the buttons are as they were.
    EXPECT_GT(count_changed(before, screen(), thumbnail), 140 * 100);
    EXPECT_EQ(count_changed_outside(before, screen(), {thumbnail, message_area}), 0);
    al_destroy_bitmap(before);
}

INSTANTIATE_TEST_SUITE_P(view_first_and_last_picture, view_completion_animation,
                         testing::Values(1, 6), testing::PrintToStringParamName());

TEST_F(view_completion, a_picture_whole_for_the_first_time_is_celebrated_once) {
    show_on_every_front(2);
    dragging = 1;
    check_completion();
    EXPECT_EQ(script::presents, 295);
    ASSERT_EQ(script::samples.size(), 1u);
    EXPECT_EQ(script::samples[0].sample, sample_s5);
    EXPECT_EQ(pending_picture, 2);
    EXPECT_EQ(assembled[2], 0);
    EXPECT_EQ(dragging, 0);
    // The banner stays; the full progress bar is drawn after it.
    EXPECT_EQ(pixel_at(screen(), 630, 630), banner);

    // Still whole in the next frames: no second celebration, no message.
    check_completion();
    EXPECT_EQ(script::presents, 295);
    EXPECT_EQ(script::samples.size(), 1u);
    EXPECT_EQ(pending_picture, 2);
    EXPECT_EQ(pixel_at(screen(), 630, 630), banner);
}

TEST_F(view_completion, a_picture_acknowledged_before_brings_up_the_message_only) {
    show_on_every_front(4);
    assembled[4] = 1;
    check_completion();
    EXPECT_EQ(script::presents, 0);
    EXPECT_TRUE(script::samples.empty());
    EXPECT_EQ(pending_picture, 0);

    const rgb yellow{222, 222, 0};
    // The stand-in font lacks the Polish capitals; the rest reads as written.
    const std::string message = "TEN OBRAZEK JU";
    int left, right;
    colour_extent(screen(), message_area, yellow, left, right);
    ASSERT_GE(left, 0);
    EXPECT_NEAR((left + right + 1) / 2.0, 630, 4);
    EXPECT_EQ(text_at(screen(), left, 620, message.size(), yellow), message);
    // The stale message is gone: the area is the background wherever no text is.
    EXPECT_EQ(count_colour(screen(), message_area, junk), 0);
    EXPECT_EQ(pixel_at(screen(), 330, 640), pixel_at(backdrop, 330, 640));
}

class view_progress_bar : public view_completion {
   protected:
    void SetUp() override {
        view_completion::SetUp();
        // The lit segment: magenta with a green top-left corner, to see the flips.
        paint(ui_sheet, {530, 406, 40, 26}, al_map_rgb(255, 0, 255));
        paint(ui_sheet, {530, 406, 20, 13}, al_map_rgb(0, 255, 0));
        paint(screen(), {240, 660, 600, 25}, al_map_rgb(junk.r, junk.g, junk.b));
    }
    int lit_segments() {
        int lit = 0;
        for (int i = 0; i < 12; i++) lit += pixel_at(screen(), 320 + 40 * i + 8, 668) == magenta;
        return lit;
    }
    const rgb magenta{255, 0, 255};
};

TEST_F(view_progress_bar, one_front_half_turned_leaves_eleven_segments) {
    show_on_every_front(3, 7, 2);
    check_completion();
    EXPECT_EQ(script::presents, 0);
    EXPECT_EQ(pending_picture, 0);
    for (int i = 0; i < 11; i++) {
        int x = 320 + 40 * i;
        EXPECT_EQ(pixel_at(screen(), x + 8, 668), magenta) << i;
        // Flipped both ways: the sheet's top-left corner ends bottom-right.
        EXPECT_EQ(pixel_at(screen(), x + 24, 676), (rgb{0, 255, 0})) << i;
        EXPECT_EQ(pixel_at(screen(), x + 33, 672), pixel_at(backdrop, x + 33, 672)) << i;
    }
    EXPECT_EQ(lit_segments(), 11);
    EXPECT_EQ(pixel_at(screen(), 760 + 8, 668), pixel_at(backdrop, 760 + 8, 668));
    EXPECT_EQ(count_colour(screen(), {240, 660, 600, 25}, junk), 0);
}

TEST_F(view_progress_bar, shows_the_best_pictures_count_and_nothing_when_none_is_upright) {
    show_on_every_front(5);
    for (int c = 1; c <= 4; c++) faces[c][1][1] = 1;
    turns[9][1][1] = 3;
    check_completion();
    EXPECT_EQ(lit_segments(), 7);

    for (int c = 1; c <= 12; c++) turns[c][1][1] = 1;
    check_completion();
    EXPECT_EQ(lit_segments(), 0);
    EXPECT_EQ(count_colour(screen(), {240, 660, 600, 25}, junk), 0);
}

TEST_F(view_completion, the_check_ends_the_drag) {
    dragging = 1;
    check_completion();
    EXPECT_EQ(dragging, 0);
}

}  // namespace
