// A seeded random player drives the real frame loop with the real media:
// presses, drags every way including diagonally, releases in the middle of
// rolls, other buttons, clicks on the buttons, the empty board and the frame,
// and a restart after every summary; Escape only at the end. Now and then it
// makes the solver's next drag, so sets are finished and summaries come up.
//
// The suite runs a short game; a long one is
//   RANDOM_PLAYER_FRAMES=200000 build/tests/game_tests --gtest_filter='random_player*'
// (RANDOM_PLAYER_SEED picks another game.)
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <gtest/gtest.h>
#include <libintl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/loop_state.h"
#include "shell/resources.h"
#include "support/heap_watch.h"
#include "support/scripted_platform.h"
#include "support/solver.h"

namespace {

long setting(const char *name, long fallback) {
    const char *value = getenv(name);
    return value && *value ? atol(value) : fallback;
}

bool on_exit_button(int x, int y) {
    return 867 <= x && x <= 963 && 664 <= y && y <= 680;
}

class random_player : public testing::Test {
   protected:
    void SetUp() override {
        script::reset();
        script::audio_available = true;
        current_group = 0;
        for (int &moves : group_moves) moves = 0;
        // An earlier test in the same process may have left Escape down.
        keyboard_state = ALLEGRO_KEYBOARD_STATE();
        mouse_state = ALLEGRO_MOUSE_STATE();
    }
    void TearDown() override { script::reset(); }

    long budget = setting("RANDOM_PLAYER_FRAMES", 2500);
    std::mt19937 random{static_cast<unsigned>(setting("RANDOM_PLAYER_SEED", 1))};

    // What the run saw.
    long frames_run = 0;
    long rolls = 0;
    long sets_finished = 0;
    long summaries = 0;
    long restarts = 0;
    long plain_frames = 0;
    long allocating_frames = 0;  // plain frames that allocated
    long first_allocating_frame = -1;
    long allocations_in_play = 0;
    std::vector<size_t> heap_after_set;
    long roll_started = -1;
    long misrun_roll_frame = -1;  // a roll that did not last 76 frames
    bool left_early = false;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // One frame with the pointer reporting (x, y, buttons), and what it did.
    // False once the frame budget is spent or the game left.
    bool frame(int x, int y, int buttons) {
        if (frames_run >= budget || left_early) return false;
        // The player never presses the exit button; that is left for the end.
        if (buttons & 1 && on_exit_button(x, y)) buttons = 0;
        int group = current_group;
        int step = roll_step;
        int moves = move_counter;
        int presents = script::presents;
        long allocations = heap_allocations();

        script::set_pointer(x, y, buttons);
        if (!run_frame()) {
            left_early = true;
            return false;
        }
        frames_run++;

        // A frame that ran no blocking sequence (loading, celebration, summary,
        // fade) is steady play and must not touch the heap.
        if (script::presents - presents == 1) {
            plain_frames++;
            long made = heap_allocations() - allocations;
            if (made > 0) {
                allocating_frames++;
                allocations_in_play += made;
                if (first_allocating_frame < 0) first_allocating_frame = frames_run;
            }
        }
        // A roll runs 76 frames whatever the input does meanwhile, and counts once.
        if (step == 0 && roll_step != 0) roll_started = frames_run;
        if (step != 0 && roll_step == 0) {
            rolls++;
            bool counted = move_counter == moves + 1;
            if ((frames_run - roll_started != 75 || !counted) && misrun_roll_frame < 0) {
                misrun_roll_frame = frames_run;
            }
        }
        if (group <= 2 && current_group > group) {
            sets_finished++;
            heap_after_set.push_back(heap_in_use());
        }
        if (group != 4 && current_group == 4) summaries++;
        if (group == 4 && current_group == 0) restarts++;

        // The records would grow for ever; clearing keeps their room.
        script::rests.clear();
        script::samples.clear();
        return true;
    }

    bool frames(int n, int x, int y, int buttons) {
        for (int i = 0; i < n; i++) {
            if (!frame(x, y, buttons)) return false;
        }
        return true;
    }

    // Any point of the window but the exit button.
    void anywhere(int &x, int &y) {
        do {
            x = pick(0, 1019);
            y = pick(0, 709);
        } while (on_exit_button(x, y));
    }

    // Presses a cube with the given buttons, drags one of eight ways in a few
    // moves, holds on for a while (often into the roll) and lets go.
    void random_drag(int buttons) {
        static const int ways[8][2] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                       {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
        int cube = pick(1, 12);
        int x = cube_x[cube] + pick(1, 149);
        int y = cube_y[cube] + pick(1, 149);
        const int *way = ways[pick(0, 7)];
        int distance = pick(3, 60);
        if (!frames(pick(2, 3), x, y, buttons)) return;
        int moves = pick(1, 4);
        for (int i = 1; i <= moves; i++) {
            if (!frame(x + way[0] * distance * i / moves, y + way[1] * distance * i / moves,
                       buttons)) {
                return;
            }
        }
        int held = pick(0, 90);
        if (!frames(held, x + way[0] * distance, y + way[1] * distance, buttons)) return;
        frames(pick(1, 4), x + way[0] * distance, y + way[1] * distance, 0);
    }

    // A click on the restart button, the empty board between or at the edge
    // of the cubes, or anywhere on the frame.
    void random_click() {
        int x, y;
        switch (pick(0, 2)) {
            case 0:
                x = pick(566, 687);
                y = pick(611, 635);
                break;
            case 1: {
                // A cube's first row and column, and the gap before it, are board.
                int cube = pick(1, 12);
                bool column = pick(0, 1);
                x = cube_x[cube] + (column ? -pick(0, 5) : pick(0, 149));
                y = cube_y[cube] + (column ? pick(0, 149) : -pick(0, 5));
                break;
            }
            default:
                anywhere(x, y);
        }
        if (!frames(pick(2, 3), x, y, 1)) return;
        frames(pick(2, 3), x, y, 0);
    }

    // The pointer wanders with no button, over the exit button too.
    void wander() {
        int n = pick(1, 12);
        for (int i = 0; i < n; i++) {
            int x, y;
            anywhere(x, y);
            if (pick(0, 3) == 0) x = pick(867, 963), y = pick(664, 680);
            if (!frames(pick(1, 3), x, y, 0)) return;
        }
    }

    // The solver's next drag for the first picture not yet assembled, made
    // cleanly; or the press that counts a celebrated picture.
    void solver_step() {
        // (In a playing stage some picture is always open: the sixth
        // acknowledgement ends the set.)
        // Let a running roll finish first.
        for (int i = 0; i < 80 && (roll_step != 0 || dragging); i++) {
            if (!frame(10, 10, 0)) return;
        }
        if (current_group > 2) return;
        int cube = pick(1, 12);
        int x = cube_x[cube] + 75;
        int y = cube_y[cube] + 75;
        if (pending_picture != 0) {
            if (!frames(2, x, y, 1)) return;
            frames(2, x, y, 0);
            return;
        }
        // The open picture fewest drags away, so sets end in fewer rolls.
        int next = 0;
        size_t fewest = SIZE_MAX;
        for (int k = 1; k <= 6; k++) {
            if (assembled[k]) continue;
            size_t drags = 0;
            for (int c = 1; c <= 12; c++) drags += solve_cube(c, k).size();
            if (drags < fewest) next = k, fewest = drags;
        }
        cube = 1;
        while (cube <= 12 && faces[cube][1][1] == next && turns[cube][1][1] == 0) cube++;
        if (cube > 12) {
            frames(2, x, y, 0);  // whole already: the next idle frame celebrates it
            return;
        }
        int direction = solve_cube(cube, next).front();
        x = cube_x[cube] + 75;
        y = cube_y[cube] + 75;
        int dx = direction == direction_right ? 30 : direction == direction_left ? -30 : 0;
        int dy = direction == direction_down ? 30 : direction == direction_up ? -30 : 0;
        if (!frames(2, x, y, 1)) return;
        if (!frame(x + dx, y + dy, 1)) return;
        for (int i = 0; i < 80 && roll_step != 0; i++) {
            if (!frame(x + dx, y + dy, 0)) return;
        }
        frame(x + dx, y + dy, 0);
    }

    // The font library renders and keeps each character the first time it is
    // drawn, which allocates once per character; the fonts are given every
    // character of the game's texts beforehand, so that only a true
    // allocation per frame counts.
    static void warm_glyph_caches() {
        ALLEGRO_BITMAP *scratch = al_create_bitmap(64, 64);
        ALLEGRO_BITMAP *target = al_get_target_bitmap();
        al_set_target_bitmap(scratch);
        std::string characters = "ĄĆĘŁŃÓŚŹŻąćęłńóśźż";
        for (char c = ' '; c <= '~'; c++) characters += c;
        for (ALLEGRO_FONT *font : {font_bold_14, font_18, font_28}) {
            al_draw_text(font, al_map_rgb(255, 255, 255), 0, 0, 0, characters.c_str());
        }
        al_set_target_bitmap(target);
        al_destroy_bitmap(scratch);
    }

    // gettext too keeps each text it looked up, the first time it is asked
    // for it: every text of the template is asked for beforehand.
    static void warm_text_lookups() {
        std::ifstream pot(PICTURE_CUBES_SOURCE_DIR "/po/picture-cubes.pot");
        for (std::string line; std::getline(pot, line);) {
            if (line.rfind("msgid \"", 0) != 0) continue;
            std::string text = line.substr(7, line.size() - 8);
            ngettext(text.c_str(), text.c_str(), 2);
        }
    }

    void play() {
        script::set_pointer(10, 10, 1);  // ends the intro at once
        ASSERT_TRUE(start_game());
        warm_glyph_caches();
        warm_text_lookups();
        // The records' room is made once, so the player's own bookkeeping
        // does not show in the heap it measures.
        heap_after_set.reserve(1000);
        script::rests.reserve(4096);
        script::samples.reserve(4096);
        while (frames_run < budget && !left_early) {
            if (current_group == 4 && pick(0, 2) == 0) {
                int x = pick(566, 687);
                int y = pick(611, 635);
                if (frames(2, x, y, 1)) frames(2, x, y, 0);
                continue;
            }
            int choice = pick(0, 11);
            if (choice < 5) {
                solver_step();
            } else if (choice < 8) {
                random_drag(1);
            } else if (choice < 9) {
                random_drag(pick(2, 3));  // no other mask makes a press
            } else if (choice < 11) {
                random_click();
            } else {
                wander();
            }
        }
    }
};

TEST_F(random_player, plays_long_without_leaving_allocating_or_growing) {
    long allocations_before = heap_allocations();
    play();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_FALSE(left_early) << "the game left after frame " << frames_run;

    // Escape, seen at the next frame's top, is the way out.
    script::set_key(ALLEGRO_KEY_ESCAPE, true);
    EXPECT_TRUE(run_frame());
    EXPECT_FALSE(run_frame());
    EXPECT_FALSE(script::screen_open);

    printf("random player: %ld frames, %ld rolls, %ld sets, %ld summaries, %ld restarts\n",
           frames_run, rolls, sets_finished, summaries, restarts);
    printf(
        "random player: %ld steady frames, %ld of them allocated (%ld allocations); "
        "%ld allocations in the whole run\n",
        plain_frames, allocating_frames, allocations_in_play,
        heap_allocations() - allocations_before);
    for (size_t i = 0; i < heap_after_set.size(); i++) {
        printf("random player: heap in use after set %zu: %zu bytes\n", i + 1, heap_after_set[i]);
    }

    EXPECT_EQ(allocating_frames, 0) << "first at frame " << first_allocating_frame;
    EXPECT_EQ(misrun_roll_frame, -1) << "a roll did not run its 76 frames or count once";
    for (size_t i = 1; i < heap_after_set.size(); i++) {
        EXPECT_LE(heap_after_set[i], heap_after_set[0]) << "after set " << i + 1;
    }
}

}  // namespace
