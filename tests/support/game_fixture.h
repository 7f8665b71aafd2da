#pragma once

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

// A game ready to run frames against the scripted system layer: a memory
// canvas, stand-in images and fonts, the board laid out, the loop state fresh,
// group 0 in play with its set already loaded.
class game_fixture : public testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;

    // Sets what the pointer reports and runs one frame; false once the game left.
    bool frame(int x, int y, int buttons);
    // The same pointer for n frames; stops early if the game leaves.
    bool frames(int n, int x, int y, int buttons);

    // The centre of a cube on the screen.
    static int centre_x(int cube);
    static int centre_y(int cube);
};

// The flat colour of stand-in picture k; the top-left quarter of each of its
// 150 x 150 squares is white.
ALLEGRO_COLOR picture_colour(int picture);

// Colour of one canvas pixel as 8-bit components.
struct rgb {
    int r, g, b;
};
rgb pixel_at(ALLEGRO_BITMAP *bitmap, int x, int y);
bool operator==(const rgb &a, const rgb &b);
bool operator!=(const rgb &a, const rgb &b);
std::ostream &operator<<(std::ostream &out, const rgb &c);
