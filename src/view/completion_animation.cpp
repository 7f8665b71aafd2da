#include "view/completion_animation.h"

#include "shell/fades.h"
#include "shell/picture_set.h"
#include "shell/resources.h"
#include "system/platform.h"

void play_completion_animation(const int &picture) {
    sys_pace_from_now();
    sys_play_sample(sample_s5, 1.0f, ALLEGRO_AUDIO_PAN_NONE, 1.0f);
    ALLEGRO_BITMAP *image = group_pictures[picture];
    float thumbnail_y = 25 + 110 * (picture - 1);

    // Flash: the picture added on top, a little more each frame.
    for (int i = 0; i < 15; i++) {
        leave_if_closed();
        // Each frame builds on the last, so every one is drawn; the window
        // may still leave some out when drawing is slow.
        sys_frame_shown(0.003);
        al_draw_tinted_scaled_bitmap(image, al_map_rgba(i, i, i, 0), 0, 0, 600, 450, 70,
                                     thumbnail_y, 140, 102, 0);
        sys_present();
        sys_rest(0.003);
    }

    // Dim the thumbnail while the banner opens from the middle of the message
    // area. The dimming builds up and is drawn in every frame; the banner is
    // drawn afresh over the restored area, so in a frame the window will not
    // show it is left out, except in the last.
    int k = 0;
    for (int j = 0; j < 280; j++) {
        leave_if_closed();
        if (j % 20 == 0) k++;
        al_draw_tinted_scaled_bitmap(image, al_map_rgba(4, 4, 4, k), 0, 0, 600, 450, 70,
                                     thumbnail_y, 140, 102, 0);
        if (j == 279 || sys_frame_shown(0.003)) {
            al_draw_bitmap_region(backdrop, 320, 610, 630, 48, 320, 610, 0);
            al_draw_scaled_bitmap(ui_sheet, 65, 400, 285, 46, 630 - j, 610, 2 * j, 46, 0);
        }
        sys_present();
        sys_rest(0.003);
    }
}
