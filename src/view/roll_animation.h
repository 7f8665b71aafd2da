#pragma once

#include <allegro5/allegro.h>

// Greys of the outgoing and incoming faces, recomputed every playing frame.
extern ALLEGRO_COLOR tint_out_dim;
extern ALLEGRO_COLOR tint_in_fade;
extern ALLEGRO_COLOR tint_out_bright;
extern ALLEGRO_COLOR tint_in_bright;

void compute_roll_tints();

// Renders the selected cube's front, with its quarter-turn, into a scratch tile.
void prepare_face_tiles();

// Draws one step of the selected cube rolling in the given direction.
void draw_roll_step(int direction);

// Moves the rolling faces' bulge on by one step, as drawing a step does.
void step_bulge();

// Draws cube c's front as the last step of its last roll (last_roll[c]) left
// it, then shows it for a moment. The loop's roll state is left as it was.
void draw_front_as_rolled(int c);
