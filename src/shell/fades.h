#pragma once

// Darkens the window over 44 frames before a new game begins.
void fade_to_black();

// The same darkening, then the window and the long-lived bitmaps are released.
// Nothing may be drawn afterwards.
void shut_down();
