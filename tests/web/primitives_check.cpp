// A page that draws rectangles into the canvas just after each present and
// tells the console how many of them landed.
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include <cstdio>

#include "system/platform.h"

int main() {
    if (!al_init() || !al_init_primitives_addon() || !sys_install_input() ||
        !sys_open_screen("primitives", "")) {
        printf("primitives check: no screen\n");
        return 1;
    }
    al_clear_to_color(al_map_rgb(0, 0, 80));
    const int count = 30;
    for (int i = 1; i <= count; i++) {
        // Showing the canvas draws it into the window: its texture stays bound.
        sys_present();
        sys_rest(0.02);
        sys_target_screen();
        al_draw_filled_rectangle(i * 33, 100, i * 33 + 30, 200, al_map_rgb(255, 200, 0));
    }
    ALLEGRO_BITMAP *canvas = al_get_target_bitmap();
    al_lock_bitmap(canvas, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    int landed = 0;
    for (int i = 1; i <= count; i++) {
        unsigned char red, green, blue;
        al_unmap_rgb(al_get_pixel(canvas, i * 33 + 15, 150), &red, &green, &blue);
        if (red > 200 && green > 150) landed++;
    }
    al_unlock_bitmap(canvas);
    printf("primitives check: %d of %d rectangles landed\n", landed, count);
    return 0;
}
