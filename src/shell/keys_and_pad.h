#pragma once

#include <allegro5/allegro.h>

#include "system/platform.h"

// The keyboard and the game pad: a focus over the twelve cubes and the two
// buttons, moved and pressed without the pointer. A key acts once per press,
// on the state polled once per frame; a key that goes down while a blocking
// sequence runs does not act afterwards.

extern int focus_cube;    // the cube the focus is on, or goes back to from a button
extern int focus_button;  // 20 the exit button, 21 the restart button, 0 the board
extern int focus_shown;   // the frame round the focus is on view

// The previous polls of the keyboard and the pad, against which a new press
// is told from a held key.
extern ALLEGRO_KEYBOARD_STATE keys_before;
extern pad_state pad_now;
extern pad_state pad_before;

// Right after the frame's polls: lifts the last frame's focus frame, hides the
// focus when the pointer moved, and shows or moves it on a new press.
void read_keys();

// Whether the pad's Back button went down: it leaves, as Escape does.
bool pad_asks_to_leave();

// In a playing frame, after the pointer had its say: a new Enter or Space on
// the focused cube presses it, Shift with an arrow (or the face button with a
// direction) also starts its roll.
void press_by_key();

// The button (20, 21) a new Enter or Space pressed in this frame, or 0.
int button_pressed_by_key();

// Last in a frame: forgets keys held through a blocking sequence, and draws
// the focus frame while the focus is shown.
void end_key_frame();

// Takes what is down now as held, not newly pressed.
void forget_held_keys();

// Back to a hidden focus on cube 1 with nothing held, for a new game.
void reset_keys();

// The intro's wait ends on Enter, Space or the pad's face button.
bool key_ends_intro();
