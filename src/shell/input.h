#pragma once

#include <allegro5/allegro.h>

// Input is polled once per frame, and every decision of a frame rests on the
// state captured by the previous poll.
extern ALLEGRO_KEYBOARD_STATE keyboard_state;
extern ALLEGRO_MOUSE_STATE mouse_state;

// The pointer snapshot every step of a frame uses.
extern int pointer_x;
extern int pointer_y;
extern int pointer_buttons;  // bit mask: 1 is the primary button alone

// What the pointer is over: 0 nothing, 1 to 12 a cube, 20 the exit button,
// 21 the restart button.
extern int hover_target;

// Takes the snapshot from the previous poll, polls the pointer for the next
// call, and finds the cube or button under the snapshot.
void hit_test();
