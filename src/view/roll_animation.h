#pragma once

// The roll of one cube, drawn step by step.

#include <allegro5/allegro.h>

// Greys of the outgoing and incoming faces, recomputed every playing frame.
extern ALLEGRO_COLOR tint_out_dim;
extern ALLEGRO_COLOR tint_in_fade;
extern ALLEGRO_COLOR tint_out_bright;
extern ALLEGRO_COLOR tint_in_bright;

void compute_roll_tints(int step);

// Renders the cube's front, with its quarter-turn, into a scratch tile.
void prepare_face_tiles(int cube);

// Draws step `step` (0 to 150) of the cube rolling in the given direction,
// its faces widened by `bulge` pixels.
void draw_roll_step(int cube, int direction, int step, float bulge);

// Draws the cube's front as the last step of its last roll left it, from the
// net it had before that roll, then shows it for a moment.
void draw_front_as_rolled(int cube, int direction, const int (&before_faces)[4][4],
                          const int (&before_turns)[4][4], float bulge);
