// The heads-up display: the current group's slot and the move counter.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "puzzle/progress.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"
#include "view/hud.h"
#include "view/screen_reading.h"

namespace {

const rgb number_colour{0, 22, 22};
const rgb name_colour{199, 222, 199};

class view_hud : public game_fixture {
   protected:
    ALLEGRO_BITMAP *screen() { return script::canvas(); }
    // The stand-in font is 8 pixels a character; centred text starts half its width left.
    std::string number_shown(int digits) {
        return text_at(screen(), 396 - 4 * digits, 32, digits, number_colour);
    }
    const area badge{360, 8, 77, 77};
};

TEST_F(view_hud, marks_only_the_current_groups_slot_with_its_name) {
    const char *names[] = {"BAJKI", "PRZYRODA", "WIDOKI"};
    // A highlight whose right end is see-through shows the slot repainted under it.
    paint(ui_sheet, {508 + 130, 395, 24, 54}, al_map_rgba(0, 0, 0, 0));
    for (int g = 0; g < 3; g++) {
        SCOPED_TRACE(g);
        paint(screen(), {485, 20, 464, 54}, al_map_rgb(255, 0, 255));
        current_group = g;
        const int moves = 0;
        draw_hud(moves);

        int length = std::string(names[g]).size();
        EXPECT_EQ(text_at(screen(), 560 + 155 * g - 4 * length, 35, length, name_colour), names[g]);
        // The highlight lies over the slot, unscaled; its corners carry no text.
        EXPECT_EQ(pixel_at(screen(), 485 + 155 * g, 20), pixel_at(ui_sheet, 508, 395));
        EXPECT_EQ(pixel_at(screen(), 485 + 155 * g + 129, 73), pixel_at(ui_sheet, 637, 448));
        EXPECT_EQ(pixel_at(screen(), 485 + 155 * g + 140, 50),
                  pixel_at(backdrop, 485 + 155 * g + 140, 50));
        for (int other = 0; other < 3; other++) {
            if (other == g) continue;
            EXPECT_EQ(count_colour(screen(), {485 + 155 * other, 20, 154, 54}, {255, 0, 255}),
                      154 * 54)
                << "slot " << other;
        }
        EXPECT_EQ(pixel_at(screen(), 484, 40), (rgb{0, 22, 22}));
    }
}

TEST_F(view_hud, numbers_of_any_length_stay_centred_on_396) {
    for (int moves : {0, 7, 42, 1234567}) {
        draw_hud(moves);
        std::string digits = std::to_string(moves);
        EXPECT_EQ(number_shown(digits.size()), digits);
        int left, right;
        colour_extent(screen(), badge, number_colour, left, right);
        EXPECT_NEAR((left + right + 1) / 2.0, 396, 1.5) << moves;
    }
}

TEST_F(view_hud, a_short_number_leaves_no_trace_of_a_longer_one) {
    // A badge with a see-through middle, like a ring: the number stands on the
    // background repainted under it.
    paint(ui_sheet, {60 + 10, 450 + 10, 57, 57}, al_map_rgba(0, 0, 0, 0));
    draw_hud(888888);
    const int moves = 5;
    draw_hud(moves);
    EXPECT_EQ(number_shown(1), "5");
    EXPECT_EQ(number_shown(7), "   5   ");
    // Only the one glyph's pixels in the number's colour remain in the badge.
    int glyph = count_colour(screen(), {392, 32, 8, 8}, number_colour);
    EXPECT_GT(glyph, 0);
    EXPECT_EQ(count_colour(screen(), badge, number_colour), glyph);
    EXPECT_EQ(pixel_at(screen(), 380, 36), pixel_at(backdrop, 380, 36));
}

TEST_F(view_hud, the_badge_is_repainted_from_the_backdrop_and_the_sheet) {
    paint(screen(), {340, 0, 120, 100}, al_map_rgb(255, 0, 255));
    draw_hud(3);
    // The badge is 77 wide over a 75-wide repaint: every pixel of it is fresh.
    EXPECT_EQ(count_colour(screen(), badge, {255, 0, 255}), 0);
    EXPECT_EQ(pixel_at(screen(), 360, 8), pixel_at(ui_sheet, 60, 450));
    EXPECT_EQ(pixel_at(screen(), 436, 84), pixel_at(ui_sheet, 136, 526));
    // Nothing beside it is touched.
    EXPECT_EQ(pixel_at(screen(), 359, 40), (rgb{255, 0, 255}));
    EXPECT_EQ(pixel_at(screen(), 437, 40), (rgb{255, 0, 255}));
    EXPECT_EQ(pixel_at(screen(), 400, 85), (rgb{255, 0, 255}));
}

}  // namespace
