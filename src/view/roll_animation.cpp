// The roll of one cube, drawn step by step.
#include "view/roll_animation.h"

#include <allegro5/allegro_primitives.h>

#include "puzzle/board.h"
#include "puzzle/rotation.h"
#include "shell/loop_state.h"
#include "shell/picture_set.h"
#include "shell/resources.h"
#include "system/platform.h"

ALLEGRO_COLOR tint_out_dim;
ALLEGRO_COLOR tint_in_fade;
ALLEGRO_COLOR tint_out_bright;
ALLEGRO_COLOR tint_in_bright;

void compute_roll_tints(int step) {
    int t = step;
    int out_dim = static_cast<int>(200 - t / 1.5);
    int in_fade = 250 - t / 3;
    int out_bright = 200 + t / 3;
    int in_bright = static_cast<int>(100 + t / 1.5);
    tint_out_dim = al_map_rgb(out_dim, out_dim, out_dim);
    tint_in_fade = al_map_rgba(in_fade, in_fade, in_fade, 100 + t);
    tint_out_bright = al_map_rgb(out_bright, out_bright, out_bright);
    tint_in_bright = al_map_rgb(in_bright, in_bright, in_bright);
}

namespace {

// Renders one face of a cube, picture `picture` turned by `turn`, into `tile`.
// Every face of a cube shows the square from the cube's own place.
void prepare_face(int cube, int picture, int turn, ALLEGRO_BITMAP *tile) {
    int q = (cube_x[cube] - 330) / 150;
    int r = (cube_y[cube] - 120) / 150;
    al_set_target_bitmap(work_tile_1);
    al_draw_scaled_bitmap(group_pictures[picture], 150 * q, 150 * r, 150, 150, 0, 0, 150, 150, 0);
    al_set_target_bitmap(tile);
    al_draw_rotated_bitmap(work_tile_1, 75, 75, 75, 75, static_cast<float>(turn * 1.57), 0);
    sys_target_screen();
}

// One step of a cube rolling: the face already in work_tile_2 goes out while
// the face of `net` opposite the drag comes in.
void draw_step(int cube, int direction, int step, float bulge, const int (&net_faces)[4][4],
               const int (&net_turns)[4][4]) {
    // The face that comes into view sits opposite the way the drag points.
    static const int incoming[5][2] = {{0, 0}, {0, 1}, {2, 1}, {1, 2}, {1, 0}};
    int row = incoming[direction][0], column = incoming[direction][1];
    prepare_face(cube, net_faces[row][column], net_turns[row][column], work_tile_3);

    float X = cube_x[cube];
    float Y = cube_y[cube];
    float t = step;
    al_draw_filled_rectangle(X - cube_gap, Y - cube_gap, X + 150 + cube_gap, Y + 150 + cube_gap,
                             al_map_rgb(0, 22, 22));
    float b = bulge;

    switch (direction) {
        case direction_right:
            al_draw_tinted_scaled_bitmap(work_tile_2, tint_out_dim, 0, 0, 150, 150, X + t, Y,
                                         150 - t + b, 150, 0);
            al_draw_tinted_scaled_bitmap(work_tile_3, tint_in_fade, 0, 0, 150, 150, X - b, Y, t + b,
                                         150, 0);
            break;
        case direction_left:
            al_draw_tinted_scaled_bitmap(work_tile_2, tint_out_bright, 0, 0, 150, 150, X - b, Y,
                                         150 - t + 2 * b, 150, 0);
            al_draw_tinted_scaled_bitmap(work_tile_3, tint_in_bright, 0, 0, 150, 150,
                                         X + 150 - t + b, Y, t, 150, 0);
            break;
        case direction_down:
            al_draw_tinted_scaled_bitmap(work_tile_2, tint_out_dim, 0, 0, 150, 150, X, Y + t, 150,
                                         150 - t + b, 0);
            al_draw_tinted_scaled_bitmap(work_tile_3, tint_in_fade, 0, 0, 150, 150, X, Y - b, 150,
                                         t + b, 0);
            break;
        case direction_up:
            al_draw_tinted_scaled_bitmap(work_tile_2, tint_out_bright, 0, 0, 150, 150, X, Y - b,
                                         150, 150 - t + 2 * b, 0);
            al_draw_tinted_scaled_bitmap(work_tile_3, tint_in_bright, 0, 0, 150, 150, X,
                                         Y + 150 - t + b, 150, t, 0);
            break;
    }
}

}  // namespace

void prepare_face_tiles(int cube) {
    prepare_face(cube, faces[cube][1][1], turns[cube][1][1], work_tile_2);
}

void draw_roll_step(int cube, int direction, int step, float bulge) {
    draw_step(cube, direction, step, bulge, faces[cube], turns[cube]);
}

// ---- A rolled front drawn again on a resumed board ----

void draw_front_as_rolled(int cube, int direction, const int (&before_faces)[4][4],
                          const int (&before_turns)[4][4], float bulge) {
    const int last_step = 150;
    compute_roll_tints(last_step);
    prepare_face(cube, before_faces[1][1], before_turns[1][1], work_tile_2);
    // The face that came in is the front now, where the net before the roll
    // had it opposite the drag.
    draw_step(cube, direction, last_step, bulge, before_faces, before_turns);
    compute_roll_tints(roll_step);
    sys_present();
    sys_rest(0.05);
}
