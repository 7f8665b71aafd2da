#include "view/roll_animation.h"

#include "shell/loop_state.h"

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

void prepare_face_tiles() {}

void draw_roll_step(int) {}
