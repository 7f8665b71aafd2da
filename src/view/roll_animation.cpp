#include "view/roll_animation.h"

#include <allegro5/allegro_primitives.h>

#include "puzzle/board.h"
#include "puzzle/rotation.h"
#include "puzzle/saved_game.h"
#include "shell/loop_state.h"
#include "shell/platform.h"
#include "shell/resources.h"
#include "view/picture_set.h"

ALLEGRO_COLOR tint_out_dim;
ALLEGRO_COLOR tint_in_fade;
ALLEGRO_COLOR tint_out_bright;
ALLEGRO_COLOR tint_in_bright;

void compute_roll_tints() {
    int t = roll_step;
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

// Renders one face of the selected cube, turned by its quarter-turn, into
// `tile`. Every face of a cube shows the square from the cube's own place.
void prepare_face(int row, int column, ALLEGRO_BITMAP *tile) {
    int cube = selected_cube;
    int q = (cube_x[cube] - 330) / 150;
    int r = (cube_y[cube] - 120) / 150;
    al_set_target_bitmap(work_tile_1);
    al_draw_scaled_bitmap(group_pictures[faces[cube][row][column]], 150 * q, 150 * r, 150, 150, 0,
                          0, 150, 150, 0);
    al_set_target_bitmap(tile);
    al_draw_rotated_bitmap(work_tile_1, 75, 75, 75, 75,
                           static_cast<float>(turns[cube][row][column] * 1.57), 0);
    sys_target_screen();
}

}  // namespace

void prepare_face_tiles() {
    prepare_face(1, 1, work_tile_2);
}

void step_bulge() {
    bulge = roll_step <= 74 ? bulge + 0.13 : bulge - 0.13;
}

void draw_roll_step(int direction) {
    // The face that comes into view sits opposite the way the drag points.
    static const int incoming[5][2] = {{0, 0}, {0, 1}, {2, 1}, {1, 2}, {1, 0}};
    prepare_face(incoming[direction][0], incoming[direction][1], work_tile_3);

    float X = cube_x[selected_cube];
    float Y = cube_y[selected_cube];
    float t = roll_step;
    al_draw_filled_rectangle(X - cube_gap, Y - cube_gap, X + 150 + cube_gap, Y + 150 + cube_gap,
                             al_map_rgb(0, 22, 22));
    step_bulge();
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

// ---- A rolled front drawn again on a resumed board ----

void draw_front_as_rolled(int c) {
    static const int opposite[5] = {0, direction_left, direction_right, direction_down,
                                    direction_up};
    int direction = last_roll[c];
    int kept_cube = selected_cube, kept_step = roll_step;
    float kept_bulge = bulge;
    // The faces before the roll, and the bulge its last step starts from.
    rotate_cube(c, opposite[direction]);
    selected_cube = c;
    bulge = 0.0f;
    for (roll_step = 0; roll_step < 150; roll_step += 2) step_bulge();
    compute_roll_tints();
    prepare_face_tiles();
    draw_roll_step(direction);
    rotate_cube(c, direction);
    selected_cube = kept_cube;
    roll_step = kept_step;
    bulge = kept_bulge;
    compute_roll_tints();
    sys_present();
    sys_rest(0.05);
}
