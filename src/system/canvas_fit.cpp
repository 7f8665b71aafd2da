#include "system/canvas_fit.h"

#include <algorithm>

namespace {
const int canvas_width = 1020;
const int canvas_height = 710;

// Division rounding towards minus infinity, so the pixels left of the canvas
// map to negative columns rather than to column 0.
int floor_div(long long a, long long b) {
    return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b));
}
}  // namespace

canvas_place fit_canvas(int window_width, int window_height) {
    window_width = std::max(window_width, 1);
    window_height = std::max(window_height, 1);
    canvas_place place;
    // Compare the two scales without rounding: width-bound or height-bound.
    if (static_cast<long long>(window_width) * canvas_height <=
        static_cast<long long>(window_height) * canvas_width) {
        place.width = window_width;
        place.height =
            std::max(1, (window_width * canvas_height + canvas_width / 2) / canvas_width);
    } else {
        place.height = window_height;
        place.width =
            std::max(1, (window_height * canvas_width + canvas_height / 2) / canvas_height);
    }
    place.x = (window_width - place.width) / 2;
    place.y = (window_height - place.height) / 2;
    return place;
}

void window_to_canvas(int window_width, int window_height, int &x, int &y) {
    canvas_place place = fit_canvas(window_width, window_height);
    x = floor_div(static_cast<long long>(x - place.x) * canvas_width, place.width);
    y = floor_div(static_cast<long long>(y - place.y) * canvas_height, place.height);
}
