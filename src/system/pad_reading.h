#pragma once

// What the game takes from a game pad: the one rule every system layer's pads
// follow. A direction from the first stick or a d-pad, pushed beyond a dead
// zone; the first face button; and Back, where the pad tells which it is.

// -1, 0 or 1 for a stick's axis at `value` (-1 to 1), where `before` is what
// the axis gave last: pushed beyond 0.6 of its travel, let go under 0.3.
int stick_direction(float value, int before);

// Back among a pad's buttons by the names its driver gives them ("Back",
// "Select", "BTN_SELECT", any case; a name may be null), or -1.
int back_button_named(const char *const names[], int count);

// Back among a pad's buttons by the kernel's event codes of them, in the
// order the buttons are numbered: the one whose code is Select, or -1.
int back_button_coded(const int codes[], int count);

// One event of a pad, as far as the game is concerned.
struct pad_event {
    enum { axis_moved, button_changed } kind;
    bool stick_read;  // its stick is the first one or a d-pad, with two axes
    int axis;
    float position;
    int direction;  // what the game last read on that axis
    int button;
    int back;  // the pad's Back button, or -1
};

// Whether the event changes what the game reads of the pads: a read stick
// crossing its dead zone, the face button or Back. Drift, the other sticks,
// triggers and buttons neither end a wait for input nor count as input.
bool pad_event_matters(const pad_event &event);
