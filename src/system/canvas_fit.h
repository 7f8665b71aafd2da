#pragma once

// Where the 1020 x 710 canvas sits in a window of any size: scaled to fit,
// keeping its shape, centred between black bars. At 1020 x 710 it fills the
// window pixel for pixel.
struct canvas_place {
    int x, y;           // top-left corner in the window
    int width, height;  // size drawn
};

canvas_place fit_canvas(int window_width, int window_height);

// The canvas pixel under window pixel (x, y). Points on the bars map outside
// the canvas, where nothing is hit.
void window_to_canvas(int window_width, int window_height, int &x, int &y);
