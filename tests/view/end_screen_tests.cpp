// The summary after the third group.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "puzzle/progress.h"
#include "puzzle/records.h"
#include "shell/resources.h"
#include "shell/translation.h"
#include "support/game_fixture.h"
#include "support/scripted_platform.h"
#include "view/end_screen.h"
#include "view/screen_reading.h"

namespace {

const rgb text_colour{166, 199, 166};
const rgb frame_colour{255, 255, 255};

// A distinct flat colour for the thumbnail of slot j of set k's band.
rgb thumbnail_colour(int k, int j) {
    return {40 + 60 * k, 30 + 30 * j, 200 - 30 * j};
}

class view_end_screen : public game_fixture {
   protected:
    void SetUp() override {
        game_fixture::SetUp();
        tag_samples();
        current_group = 4;
        group_moves[0] = 17;
        group_moves[1] = 250;
        group_moves[2] = 3;
        for (int &against : set_against_record) against = first_finished;
        // Each thumbnail a flat colour inside a white frame two pixels wide.
        for (int k = 1; k <= 3; k++) {
            for (int j = 0; j < 6; j++) {
                int y = 710 * (k - 1) + 25 + 110 * j;
                paint(tile_strip, {0, y, 140, 100}, al_map_rgb(255, 255, 255));
                rgb c = thumbnail_colour(k, j);
                paint(tile_strip, {2, y + 2, 136, 96}, al_map_rgb(c.r, c.g, c.b));
            }
        }
        al_draw_bitmap(backdrop, 0, 0, 0);
    }
    void TearDown() override {
        clear_sample_tags();
        game_fixture::TearDown();
    }
    ALLEGRO_BITMAP *screen() { return script::canvas(); }
    static int line_y(int k) { return 170 + 140 * (k - 1); }
    int text_pixels(area a) { return count_colour(screen(), a, text_colour); }
    // Thumbnails of set k shown so far.
    int thumbnails_shown(int k) {
        int shown = 0;
        for (int j = 0; j < 6; j++) {
            shown += pixel_at(screen(), 333 + 102 * j + 49, line_y(k) + 30 + 34) ==
                     thumbnail_colour(k, j);
        }
        return shown;
    }
};

TEST_F(view_end_screen, dims_sounds_then_writes_the_title_with_the_first_sets_line) {
    std::vector<int> title, first_line, thumbnails;
    std::vector<size_t> sounds;
    script::on_present = [&] {
        title.push_back(text_pixels({500, 120, 260, 10}));
        first_line.push_back(text_pixels({350, 170, 600, 10}));
        thumbnails.push_back(thumbnails_shown(1));
        sounds.push_back(script::samples.size());
    };
    show_end_screen();

    ASSERT_EQ(script::presents, 44 + 3 * 7 + 44);
    ASSERT_EQ(script::samples.size(), 1u);
    EXPECT_EQ(script::samples[0].sample, sample_s3);
    EXPECT_EQ(script::samples[0].presents_before, 44);
    EXPECT_EQ(script::samples[0].speed, 0.8f);
    EXPECT_EQ(script::samples[0].gain, 1.0f);
    EXPECT_EQ(script::samples[0].pan, ALLEGRO_AUDIO_PAN_NONE);
    EXPECT_NEAR(script::total_rest(), 5.94, 1e-9);
    for (int i = 0; i < 44; i++) EXPECT_EQ(script::rests[i], 0.05) << i;

    // Nothing written during the 44 dimming frames; title and line together.
    EXPECT_EQ(title[43], 0);
    EXPECT_EQ(first_line[43], 0);
    EXPECT_EQ(sounds[43], 0u);
    EXPECT_GT(title[44], 0);
    EXPECT_GT(first_line[44], 0);
    // Then the set's thumbnails, one per frame.
    for (int j = 0; j <= 6; j++) EXPECT_EQ(thumbnails[44 + j], j) << j;

    // The board sank to near black; the strip under it came back.
    rgb board = pixel_at(screen(), 330, 130);
    EXPECT_LT(board.r + board.g + board.b, 12) << board;
    EXPECT_TRUE(near(pixel_at(screen(), 310, 640), pixel_at(backdrop, 310, 640), 8));
}

TEST_F(view_end_screen, each_set_shows_its_number_group_count_pictures_and_record) {
    // Polish, with its three forms of a count (the font shows 'ó' as '?').
    use_player_language();
    const int moves[] = {1, 23, 112};
    const char *forms[] = {"obr?t ", "obroty", "obrot?w"};
    for (int k = 0; k < 3; k++) group_moves[k] = moves[k];
    set_against_record[0] = record_beaten;
    set_against_record[1] = record_kept;
    record_moves[1] = 22;
    strcpy(record_dates[1], "2026-01-02");
    show_end_screen();
    const char *names[] = {"BAJKI", "PRZYRODA", "WIDOKI"};
    for (int k = 1; k <= 3; k++) {
        SCOPED_TRACE(k);
        int y = line_y(k);
        EXPECT_EQ(text_at(screen(), 350, y, 11, text_colour),
                  "ZESTAW " + std::to_string(k) + "   ");
        EXPECT_EQ(text_at(screen(), 450, y, 8, text_colour),
                  (std::string(names[k - 1]) + "        ").substr(0, 8));
        std::string count =
            "    - wykonano " + std::to_string(group_moves[k - 1]) + " " + forms[k - 1];
        EXPECT_EQ(text_at(screen(), 600, y, count.size(), text_colour), count);

        for (int j = 0; j < 6; j++) {
            int x = 333 + 102 * j;
            EXPECT_EQ(pixel_at(screen(), x + 49, y + 64), thumbnail_colour(k, j)) << j;
            // The frame is cut away: the corners show the picture too.
            EXPECT_EQ(pixel_at(screen(), x, y + 30), thumbnail_colour(k, j)) << j;
            EXPECT_EQ(pixel_at(screen(), x + 97, y + 97), thumbnail_colour(k, j)) << j;
            EXPECT_NE(pixel_at(screen(), x + 98, y + 64), thumbnail_colour(k, j)) << j;
        }
        EXPECT_EQ(count_colour(screen(), {333, y + 30, 612, 68}, frame_colour), 0);
    }
    EXPECT_EQ(text_at(screen(), 630 - 7 * 8, 120, 13, text_colour), "Gra zako?czon");
    // Under the thumbnails: a record beaten, a record kept, and nothing for a
    // group finished for the first time.
    EXPECT_EQ(text_at(screen(), 350, line_y(1) + 102, 18, {222, 222, 0}), "Nowy rekord grupy!");
    EXPECT_EQ(text_at(screen(), 350, line_y(2) + 102, 36, text_colour),
              "Rekord grupy: 22 obroty (2026-01-02)");
    EXPECT_EQ(count_colour(screen(), {340, line_y(3) + 100, 600, 20}, text_colour), 0);
}

TEST_F(view_end_screen, ends_with_the_restart_button_faded_in) {
    rgb before_fade{-1, -1, -1};
    script::on_present = [&] {
        if (script::presents == 44 + 21) before_fade = pixel_at(screen(), 620, 625);
    };
    show_end_screen();
    int far = 0;
    for (int dy = 0; dy < 41; dy += 5) {
        for (int dx = 0; dx < 138; dx += 7) {
            far += !near(pixel_at(screen(), 560 + dx, 605 + dy),
                         pixel_at(ui_sheet, 466 + dx, 470 + dy), 8);
        }
    }
    EXPECT_EQ(far, 0);
    EXPECT_FALSE(near(before_fade, pixel_at(ui_sheet, 466 + 60, 470 + 20), 8));
    for (int i = 0; i < 44; i++) EXPECT_EQ(script::rests[65 + i], 0.01) << i;
}

}  // namespace
