#include "support/game_fixture.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <cstdlib>

#include <ostream>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/picture_set.h"
#include "shell/resources.h"
#include "support/scripted_platform.h"
#include "system/platform.h"

namespace {

// A backdrop whose every pixel tells where it came from, so a repaint from
// the wrong rectangle shows.
ALLEGRO_BITMAP *patterned_bitmap(int width, int height, int seed) {
    ALLEGRO_BITMAP *bitmap = al_create_bitmap(width, height);
    ALLEGRO_LOCKED_REGION *region =
        al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < height; y++) {
        auto *row = static_cast<unsigned char *>(region->data) + y * region->pitch;
        for (int x = 0; x < width; x++) {
            row[4 * x + 0] = static_cast<unsigned char>(x + seed);
            row[4 * x + 1] = static_cast<unsigned char>(y);
            row[4 * x + 2] = static_cast<unsigned char>((x / 3 + y / 5 + seed) & 0x7f);
            row[4 * x + 3] = 255;
        }
    }
    al_unlock_bitmap(bitmap);
    return bitmap;
}

ALLEGRO_BITMAP *clear_bitmap(int width, int height) {
    ALLEGRO_BITMAP *bitmap = al_create_bitmap(width, height);
    al_set_target_bitmap(bitmap);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    return bitmap;
}

void destroy(ALLEGRO_BITMAP *&bitmap) {
    if (bitmap) al_destroy_bitmap(bitmap);
    bitmap = nullptr;
}

}  // namespace

ALLEGRO_COLOR picture_colour(int picture) {
    static const unsigned char levels[7][3] = {{0, 0, 0},     {220, 40, 40},  {40, 220, 40},
                                               {40, 40, 220}, {220, 220, 40}, {220, 40, 220},
                                               {40, 220, 220}};
    return al_map_rgb(levels[picture][0], levels[picture][1], levels[picture][2]);
}

namespace {

// Picture k is one flat colour, with its top-left quarter of every square
// white, so both the picture and its quarter-turn can be read off the screen.
ALLEGRO_BITMAP *marked_picture(int picture) {
    ALLEGRO_BITMAP *bitmap = al_create_bitmap(600, 450);
    al_set_target_bitmap(bitmap);
    al_clear_to_color(picture_colour(picture));
    for (int x = 0; x < 600; x += 150) {
        for (int y = 0; y < 450; y += 150) {
            al_draw_filled_rectangle(x, y, x + 75, y + 75, al_map_rgb(255, 255, 255));
        }
    }
    return bitmap;
}

}  // namespace

void game_fixture::SetUp() {
    script::reset();
    ASSERT_TRUE(sys_open_screen("", ""));
    backdrop = patterned_bitmap(1020, 710, 0);
    ui_sheet = patterned_bitmap(672, 807, 90);
    work_tile_1 = clear_bitmap(150, 150);
    work_tile_2 = clear_bitmap(150, 150);
    work_tile_3 = clear_bitmap(150, 150);
    tile_strip = clear_bitmap(150, 2160);
    for (int k = 1; k <= 6; k++) {
        destroy(group_pictures[k]);
        group_pictures[k] = marked_picture(k);
    }
    static ALLEGRO_FONT *builtin = al_create_builtin_font();
    font_bold_14 = font_18 = font_28 = builtin;
    sys_target_screen();
    al_clear_to_color(al_map_rgb(0, 22, 22));

    lay_out_cubes(5);
    srand(5);
    deal_faces();
    reset_loop_state();
    current_group = 0;
    group_loaded = 1;
    for (int &moves : group_moves) moves = 0;
    mouse_state = ALLEGRO_MOUSE_STATE();
    keyboard_state = ALLEGRO_KEYBOARD_STATE();
}

void game_fixture::TearDown() {
    for (ALLEGRO_BITMAP **bitmap :
         {&backdrop, &ui_sheet, &work_tile_1, &work_tile_2, &work_tile_3, &tile_strip}) {
        destroy(*bitmap);
    }
    script::reset();
}

bool game_fixture::frame(int x, int y, int buttons) {
    script::set_pointer(x, y, buttons);
    return run_frame();
}

bool game_fixture::frames(int n, int x, int y, int buttons) {
    for (int i = 0; i < n; i++) {
        if (!frame(x, y, buttons)) return false;
    }
    return true;
}

int game_fixture::centre_x(int cube) {
    return cube_x[cube] + 75;
}
int game_fixture::centre_y(int cube) {
    return cube_y[cube] + 75;
}

rgb pixel_at(ALLEGRO_BITMAP *bitmap, int x, int y) {
    unsigned char r, g, b;
    al_unmap_rgb(al_get_pixel(bitmap, x, y), &r, &g, &b);
    return {r, g, b};
}

bool operator==(const rgb &a, const rgb &b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

bool operator!=(const rgb &a, const rgb &b) {
    return !(a == b);
}

std::ostream &operator<<(std::ostream &out, const rgb &c) {
    return out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}
