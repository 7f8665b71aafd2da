// A set arriving on the screen: thumbnails, the fade-in, the scroll, the fronts.
#include "view/set_arrival.h"

#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_primitives.h>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "shell/fades.h"
#include "shell/picture_set.h"
#include "shell/resources.h"
#include "system/platform.h"
#include "view/hud.h"

void record_thumbnail(ALLEGRO_BITMAP *picture, int group, int k) {
    al_set_target_bitmap(tile_strip);
    float y = 25 + 110 * (k - 1) + 710 * group;
    al_draw_scaled_bitmap(picture, 0, 0, 600, 450, 0, y, 140, 100, 0);
    al_draw_scaled_bitmap(ui_sheet, 460, 200, 150, 110, 0, y, 150, 110, 0);
    sys_target_screen();
}

// Each frame paints the whole screen afresh, so one the window will not show
// is not drawn, except the last.
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

// After the first group the old board sinks into the dark while the column
// scrolls. The darkening builds up and is drawn in every frame; the column is
// painted afresh, so in a frame the window will not show it is left out,
// except in the last.
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

void erase_strip_under_board() {
    al_draw_scaled_bitmap(backdrop, 300, 610, 600, 48, 300, 610, 600, 48, 0);
}

void draw_front(int c, int row, int column) {
    al_draw_tinted_scaled_rotated_bitmap_region(group_pictures[faces[c][1][1]], 150 * column,
                                                150 * row, 150, 150, al_map_rgb(200, 200, 200), 75,
                                                75, cube_x[c] + 75, cube_y[c] + 75, 1, 1,
                                                static_cast<float>(turns[c][1][1] * 1.57), 0);
    sys_present();
    sys_rest(0.05);
}
