#pragma once

#include <string>

// Pictures made for the tests of the player's own pictures. Each is drawn
// upright and then stored as its EXIF orientation asks, so that only turning
// it back shows it upright. Everything outside its middle 4:3 is magenta,
// which a cut off centre shows. That middle is four flat quarters (red top
// left, green top right, yellow bottom right, blue bottom left), or one of
// six scenes: a gradient with a light disc at the top left and a dark
// square at the bottom right.

struct picture_file {
    int width = 800, height = 600;  // upright
    int orientation = 0;            // EXIF 1 to 8; 0: no EXIF block
    bool png = false;
    bool see_through_corner = false;  // PNG: the top-left quarter fully transparent
    bool interlaced = false;          // PNG
    bool progressive = false;         // JPEG
    int scene = 0;                    // 1 to 6; 0: the four quarters
};

// Writes the picture to `path`; false when it cannot.
bool write_picture(const std::string &path, const picture_file &picture);

// The quarters' colours: top left, top right, bottom right, bottom left.
struct quarter_colour {
    int r, g, b;
};
extern const quarter_colour quarters[4];
