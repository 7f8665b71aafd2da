// A cube rolling over in 76 frames, and the tints of its two faces.
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "shell/loop_state.h"
#include "shell/resources.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"
#include "view/roll_animation.h"
#include "view/screen_reading.h"

namespace {

struct grey {
    int level, alpha;
};

grey grey_of(ALLEGRO_COLOR c) {
    unsigned char r, g, b, a;
    al_unmap_rgba(c, &r, &g, &b, &a);
    EXPECT_EQ(r, g);
    EXPECT_EQ(g, b);
    return {r, a};
}

TEST(view_roll_tints, follow_the_roll_from_its_first_to_its_last_step) {
    struct row {
        int t;
        grey out_dim, in_fade, out_bright, in_bright;
    };
    const row rows[] = {
        {0, {200, 255}, {250, 100}, {200, 255}, {100, 255}},
        {2, {198, 255}, {250, 102}, {200, 255}, {101, 255}},
        {76, {149, 255}, {225, 176}, {225, 255}, {150, 255}},
        {150, {100, 255}, {200, 250}, {250, 255}, {200, 255}},
    };
    for (const row &r : rows) {
        SCOPED_TRACE(r.t);
        roll_step = r.t;
        compute_roll_tints(roll_step);
        for (auto [tint, expected] : {std::pair{tint_out_dim, r.out_dim},
                                      {tint_in_fade, r.in_fade},
                                      {tint_out_bright, r.out_bright},
                                      {tint_in_bright, r.in_bright}}) {
            grey g = grey_of(tint);
            EXPECT_EQ(g.level, expected.level);
            EXPECT_EQ(g.alpha, expected.alpha);
        }
    }
    roll_step = 0;
}

// Cube 6 stands second in the middle row, at (485, 275).
constexpr int X = 485, Y = 275;
const rgb board_marker{255, 0, 255};
const rgb cleared{0, 22, 22};

struct direction {
    const char *name;
    int ax, ay;  // the way the drag points
    int incoming_row, incoming_column;
};

const direction directions[] = {
    {"right", 1, 0, 0, 1},
    {"left", -1, 0, 2, 1},
    {"up", 0, -1, 1, 2},
    {"down", 0, 1, 1, 0},
};

class view_roll : public game_fixture {
   protected:
    void SetUp() override {
        game_fixture::SetUp();
        // The board as drawn: every square and gap carries a marker colour.
        al_draw_filled_rectangle(320, 110, 955, 590, al_map_rgb(255, 0, 255));
    }
    ALLEGRO_BITMAP *screen() { return script::canvas(); }

    // The picture shown near the edge of cube 6 that lies `towards` (+1 the way
    // the drag points, -1 the other way); of two points across the roll, the
    // one not on a white mark.
    int picture_at_side(const direction &d, int towards) {
        for (int across : {-45, 45}) {
            int x = X + 75 + towards * 65 * d.ax + across * (d.ay != 0);
            int y = Y + 75 + towards * 65 * d.ay + across * (d.ax != 0);
            int k = picture_seen(pixel_at(screen(), x, y));
            if (k) return k;
        }
        return 0;
    }

    // Presses cube 6, drags it 40 pixels and holds until the roll has turned it.
    // Returns the number of frames drawn with a roll step.
    int roll(const direction &d) {
        int cx = X + 75, cy = Y + 75;
        frames(2, cx, cy, 1);
        int rolled = 0;
        for (int n = 0; n < 200 && move_counter == 0; n++) {
            frame(cx + 40 * d.ax, cy + 40 * d.ay, 1);
            rolled += roll_step != 0 || move_counter != 0;
        }
        return rolled;
    }
};

TEST_F(view_roll, each_direction_ends_showing_the_models_new_front_at_grey_200) {
    for (const direction &d : directions) {
        SCOPED_TRACE(d.name);
        TearDown();
        SetUp();
        int front = faces[6][1][1];
        int incoming = faces[6][d.incoming_row][d.incoming_column];
        turns[6][1][1] = 1;
        turns[6][d.incoming_row][d.incoming_column] = 3;

        ALLEGRO_BITMAP *before = al_clone_bitmap(screen());
        int first_step_mark = -1, outgoing = -1, coming = -1, neighbours_touched = 0;
        rgb peak_ahead{-1, -1, -1}, peak_behind{-1, -1, -1};
        script::on_present = [&] {
            if (roll_step == 2) first_step_mark = white_quadrant(screen(), X, Y);
            if (roll_step == 76) {
                // At its peak the bulge of nearly 5 pixels reaches into the gap
                // at both ends of the roll.
                peak_ahead = pixel_at(screen(), X + 75 + 79 * d.ax, Y + 75 + 79 * d.ay);
                peak_behind = pixel_at(screen(), X + 75 - 79 * d.ax, Y + 75 - 79 * d.ay);
            }
            if (roll_step == 78) {
                outgoing = picture_at_side(d, +1);
                coming = picture_at_side(d, -1);
            }
            for (auto [x, y] : {std::pair{X - 6, Y + 75},
                                {X + 155, Y + 75},
                                {X + 75, Y - 6},
                                {X + 75, Y + 155}}) {
                neighbours_touched += pixel_at(screen(), x, y) != board_marker;
            }
        };
        EXPECT_EQ(roll(d), 76);
        ASSERT_EQ(move_counter, 1);

        // The model turned as the screen showed.
        EXPECT_EQ(faces[6][1][1], incoming);
        EXPECT_EQ(turns[6][1][1], 3);
        // First step: the front, full size, with its own quarter-turn.
        EXPECT_EQ(first_step_mark, 1);
        // Mid-roll: the old front keeps the side the drag points to.
        EXPECT_EQ(outgoing, front);
        EXPECT_EQ(coming, incoming);
        EXPECT_NE(peak_ahead, cleared);
        EXPECT_NE(peak_behind, cleared);

        // The last step: the new front over the whole square, at grey 200.
        EXPECT_EQ(white_quadrant(screen(), X, Y), turns[6][1][1]);
        unsigned char r, g, b;
        al_unmap_rgb(picture_colour(incoming), &r, &g, &b);
        const rgb shaded{r * 200 / 255, g * 200 / 255, b * 200 / 255};
        for (auto [dx, dy] : {std::pair{1, 1},
                              {148, 1},
                              {148, 148},
                              {1, 148},
                              {37, 37},
                              {112, 37},
                              {112, 112},
                              {37, 112}}) {
            rgb shown = pixel_at(screen(), X + dx, Y + dy);
            bool white = near(shown, {200, 200, 200}, 2);
            EXPECT_TRUE(white || near(shown, shaded, 2)) << dx << "," << dy << ": " << shown;
        }

        // The gap around the cube is cleared; the neighbours are untouched.
        for (int i = 1; i <= 5; i++) {
            EXPECT_EQ(pixel_at(screen(), X - i, Y + 75), cleared) << i;
            EXPECT_EQ(pixel_at(screen(), X + 149 + i, Y + 75), cleared) << i;
            EXPECT_EQ(pixel_at(screen(), X + 75, Y - i), cleared) << i;
            EXPECT_EQ(pixel_at(screen(), X + 75, Y + 149 + i), cleared) << i;
            EXPECT_EQ(pixel_at(screen(), X - i, Y - i), cleared) << i;
        }
        EXPECT_EQ(neighbours_touched, 0);
        // Beside the cube, only what every frame repaints has changed.
        EXPECT_EQ(count_changed_outside(before, screen(),
                                        {{X - 5, Y - 5, 160, 160},
                                         {485, 20, 154, 54},
                                         {360, 8, 77, 77},
                                         {320, 610, 630, 48},
                                         {240, 660, 600, 25},
                                         {860, 660, 110, 25}}),
                  0);
        al_destroy_bitmap(before);
    }
}

}  // namespace
