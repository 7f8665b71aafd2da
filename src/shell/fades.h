#pragma once

// Darkens the window over 44 frames before a new game begins.
void fade_to_black();

// The same darkening, then the window and the long-lived bitmaps are released
// and the saving is waited for (at most 2 s). Nothing may be drawn afterwards.
void shut_down();

// Once the window's close button was clicked, closes the window, waits for
// the saving (at most 2 s) and ends the process with code 0, without a fade.
// Every blocking sequence calls it each frame, so leaving never waits for one
// to finish.
void leave_if_closed();
