// The canvas in a window of any size, and the pointer mapped back onto it.
#include <gtest/gtest.h>

#include "system/canvas_fit.h"

namespace {

TEST(canvas_fit, scales_to_fit_between_bars_and_maps_the_pointer_back) {
    struct row {
        int window_width, window_height;
        canvas_place place;
        int window_x, window_y, canvas_x, canvas_y;
    };
    const row rows[] = {
        // The designed size: pixel for pixel.
        {1020, 710, {0, 0, 1020, 710}, 915, 672, 915, 672},
        {1020, 710, {0, 0, 1020, 710}, 1019, 709, 1019, 709},
        // Doubled: the exit button at doubled coordinates, and both pixels of a pair.
        {2040, 1420, {0, 0, 2040, 1420}, 1830, 1344, 915, 672},
        {2040, 1420, {0, 0, 2040, 1420}, 661, 241, 330, 120},
        // Wider than the canvas: bars left and right.
        {1280, 800, {65, 0, 1149, 800}, 65, 0, 0, 0},
        {1280, 800, {65, 0, 1149, 800}, 64, 400, -1, 355},
        {1280, 800, {65, 0, 1149, 800}, 1213, 799, 1019, 709},
        // Taller: bars above and below.
        {1020, 1000, {0, 145, 1020, 710}, 500, 145, 500, 0},
        {1020, 1000, {0, 145, 1020, 710}, 500, 144, 500, -1},
        // Smaller than the canvas.
        {510, 355, {0, 0, 510, 355}, 457, 336, 914, 672},
    };
    for (const row &r : rows) {
        canvas_place place = fit_canvas(r.window_width, r.window_height);
        EXPECT_EQ(place.x, r.place.x) << r.window_width << "x" << r.window_height;
        EXPECT_EQ(place.y, r.place.y) << r.window_width << "x" << r.window_height;
        EXPECT_EQ(place.width, r.place.width) << r.window_width << "x" << r.window_height;
        EXPECT_EQ(place.height, r.place.height) << r.window_width << "x" << r.window_height;
        int x = r.window_x, y = r.window_y;
        window_to_canvas(r.window_width, r.window_height, x, y);
        EXPECT_EQ(x, r.canvas_x) << r.window_x << "," << r.window_y << " in " << r.window_width;
        EXPECT_EQ(y, r.canvas_y) << r.window_x << "," << r.window_y << " in " << r.window_width;
    }
}

}  // namespace
