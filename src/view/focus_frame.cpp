// The focus frame round a cube or a button, and putting back what it covered.
#include "view/focus_frame.h"

#include <allegro5/allegro_primitives.h>

#include "puzzle/board.h"

namespace {

// The screen under the ring on view, and where it came from.
ALLEGRO_BITMAP *under_ring;
int under_x, under_y, under_width, under_height;

// Copies a rectangle pixel for pixel, whatever the alpha on either side.
void copy_exactly(ALLEGRO_BITMAP *from, int x, int y, int width, int height, ALLEGRO_BITMAP *to,
                  int to_x, int to_y) {
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP | ALLEGRO_STATE_BLENDER);
    al_set_target_bitmap(to);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_draw_bitmap_region(from, x, y, width, height, to_x, to_y, 0);
    al_restore_state(&state);
}

}  // namespace

void draw_focus_frame(int target) {
    // The ring fills the five pixels round the thing it frames: between cubes
    // that is the whole gap. Yellow between two dark lines stands out on every
    // picture and on the light bottom bar alike.
    int x, y, width, height;
    if (target >= 1 && target <= 12) {
        x = cube_x[target];
        y = cube_y[target];
        width = height = 150;
    } else if (target == 20) {
        x = 865, y = 661, width = 110, height = 27;
    } else {
        x = 563, y = 608, width = 127, height = 31;
    }
    const int ring = 5;
    under_x = x - ring;
    under_y = y - ring;
    under_width = width + 2 * ring;
    under_height = height + 2 * ring;
    if (!under_ring) under_ring = al_create_bitmap(160, 160);
    ALLEGRO_BITMAP *screen = al_get_target_bitmap();
    copy_exactly(screen, under_x, under_y, under_width, under_height, under_ring, 0, 0);

    ALLEGRO_COLOR dark = al_map_rgb(0, 22, 22);
    ALLEGRO_COLOR yellow = al_map_rgb(222, 222, 0);
    for (int band = 0; band < ring; band++) {
        ALLEGRO_COLOR colour = band == 0 || band == ring - 1 ? dark : yellow;
        float left = under_x + band, top = under_y + band;
        float right = x + width + ring - band, bottom = y + height + ring - band;
        al_draw_filled_rectangle(left, top, right, top + 1, colour);
        al_draw_filled_rectangle(left, bottom - 1, right, bottom, colour);
        al_draw_filled_rectangle(left, top + 1, left + 1, bottom - 1, colour);
        al_draw_filled_rectangle(right - 1, top + 1, right, bottom - 1, colour);
    }
}

void lift_focus_frame() {
    if (under_width == 0) return;
    copy_exactly(under_ring, 0, 0, under_width, under_height, al_get_target_bitmap(), under_x,
                 under_y);
    under_width = 0;
}

void forget_focus_frame() {
    under_width = 0;
}
