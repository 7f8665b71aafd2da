#include "view/picture_set.h"

#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_primitives.h>

#include <cstdlib>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "puzzle/saved_game.h"
#include "puzzle/set_choice.h"
#include "shell/fades.h"
#include "shell/media_folder.h"
#include "shell/platform.h"
#include "shell/resources.h"
#include "view/hud.h"
#include "view/roll_animation.h"

ALLEGRO_BITMAP *group_pictures[7];

namespace {

void load_pictures(const int file_numbers[7]) {
    for (int k = 1; k <= 6; k++) {
        // The previous set's pictures are not read again once a new set begins.
        if (group_pictures[k]) al_destroy_bitmap(group_pictures[k]);
        group_pictures[k] = reload_media_bitmap(picture_file_name(current_group, file_numbers[k]));
    }
}

// The framed thumbnail of picture k of a group's set, in the group's band of
// the strip (the current target).
void record_thumbnail(ALLEGRO_BITMAP *picture, int group, int k) {
    float y = 25 + 110 * (k - 1) + 710 * group;
    al_draw_scaled_bitmap(picture, 0, 0, 600, 450, 0, y, 140, 100, 0);
    al_draw_scaled_bitmap(ui_sheet, 460, 200, 150, 110, 0, y, 150, 110, 0);
}

void record_thumbnails() {
    al_set_target_bitmap(tile_strip);
    for (int k = 1; k <= 6; k++) record_thumbnail(group_pictures[k], current_group, k);
    sys_target_screen();
}

// The first group comes up out of black. Each frame paints the whole screen
// afresh, so one the window will not show is not drawn, except the last.
void fade_in(const int &moves) {
    for (int a = 255; a >= 1; a--) {
        leave_if_closed();
        if (a == 1 || sys_frame_shown(0.003)) {
            al_draw_bitmap(backdrop, 0, 0, 0);
            draw_hud(moves);
            al_draw_tinted_scaled_bitmap(ui_sheet, al_map_rgba(0, 0, 0, a), 350, 470, 40, 40, 0, 0,
                                         1020, 710, 0);
        }
        sys_rest(0.003);
        sys_present();
    }
}

// The thumbnail column scrolls the new set in, pushing the previous one out;
// after the first group the old board sinks into the dark meanwhile. The
// darkening builds up and is drawn in every frame; the column is painted
// afresh, so in a frame the window will not show it is left out, except in
// the last.
void scroll_thumbnails(bool over_a_set) {
    int s = 0;
    for (int f = 0; f < 710; f++) {
        leave_if_closed();
        sys_play_sample(sample_s1, 0.7f, ALLEGRO_AUDIO_PAN_NONE, 1.0f);
        if (f % 15 == 0 && over_a_set) {
            s++;
            al_draw_filled_rectangle(325, 115, 950, 585, al_map_rgba(0, 0, 0, s));
            al_draw_tinted_scaled_bitmap(backdrop, al_map_rgba(s, s, s, s), 300, 610, 600, 48, 300,
                                         610, 600, 48, 0);
        }
        if (f == 709 || sys_frame_shown(0.001)) {
            al_draw_scaled_bitmap(backdrop, 70, 0, 150, 710, 70, 0, 150, 710, 0);
            al_draw_bitmap(tile_strip, 70, 710 * (1 - current_group) - f, 0);
            if (over_a_set) {
                for (int k = 1; k <= 6; k++) {
                    al_draw_tinted_scaled_bitmap(group_pictures[k], al_map_rgba(4, 4, 4, 141), 0, 0,
                                                 600, 450, 70, 25 + 110 * (k - 1) - f, 140, 102, 0);
                }
            }
        }
        sys_present();
        sys_rest(0.001);
    }
}

// One front with its quarter-turn, shown for a moment.
void draw_front(int c, int row, int column) {
    al_draw_tinted_scaled_rotated_bitmap_region(group_pictures[faces[c][1][1]], 150 * column,
                                                150 * row, 150, 150, al_map_rgb(200, 200, 200), 75,
                                                75, cube_x[c] + 75, cube_y[c] + 75, 1, 1,
                                                static_cast<float>(turns[c][1][1] * 1.57), 0);
    sys_present();
    sys_rest(0.05);
}

// Every front is drawn in turn; a new set gives each a random quarter-turn
// of 0, 1 or 2 first.
void draw_fronts(bool new_turns) {
    for (int row = 0; row < 3; row++) {
        for (int column = 0; column < 4; column++) {
            leave_if_closed();
            int c = 4 * row + column + 1;
            if (new_turns) turns[c][1][1] = rand() % 3;
            if (last_roll[c]) {
                draw_front_as_rolled(c);
            } else {
                draw_front(c, row, column);
            }
        }
    }
}

}  // namespace

void load_picture_set() {
    sys_pace_from_now();
    int *file_numbers = set_files[current_group];
    choose_set(file_numbers);
    load_pictures(file_numbers);
    record_thumbnails();
    const int no_moves = 0;
    if (current_group == 0) fade_in(no_moves);
    scroll_thumbnails(current_group > 0);
    al_draw_scaled_bitmap(backdrop, 300, 610, 600, 48, 300, 610, 600, 48, 0);
    sys_present();
    deal_faces();
    for (int &roll : last_roll) roll = 0;
    al_draw_scaled_bitmap(backdrop, 240, 660, 600, 25, 240, 660, 600, 25, 0);
    sys_present();
    draw_fronts(true);
}

// ---- A saved set brought back ----

void resume_picture_set() {
    sys_pace_from_now();
    // The earlier sets' thumbnails, for the summary.
    al_set_target_bitmap(tile_strip);
    for (int g = 0; g < current_group; g++) {
        for (int k = 1; k <= 6; k++) {
            ALLEGRO_BITMAP *picture = reload_media_bitmap(picture_file_name(g, set_files[g][k]));
            record_thumbnail(picture, g, k);
            al_destroy_bitmap(picture);
        }
    }
    sys_target_screen();
    load_pictures(set_files[current_group]);
    record_thumbnails();
    // The intro left the screen black whatever the group: the game screen
    // comes up as for a first set, and the set rises into an empty column.
    fade_in(move_counter);
    scroll_thumbnails(false);
    al_draw_scaled_bitmap(backdrop, 300, 610, 600, 48, 300, 610, 600, 48, 0);
    sys_present();
    al_draw_scaled_bitmap(backdrop, 240, 660, 600, 25, 240, 660, 600, 25, 0);
    sys_present();
    // The fronts as they were left, quarter-turns and all; no new deal. Every
    // roll frame clears the message area, so a board rolled on shows it clear.
    bool rolled = false;
    for (int c = 1; c <= 12; c++) rolled = rolled || last_roll[c];
    if (rolled) al_draw_bitmap_region(backdrop, 320, 610, 630, 48, 320, 610, 0);
    draw_fronts(false);
}
