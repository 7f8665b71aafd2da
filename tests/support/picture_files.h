#pragma once

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

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

// Scene k (1 to 6) stored as cameras and editors store pictures: a
// landscape, a portrait turned by its EXIF tag, a panorama upside down, a
// square PNG, a small one, a progressive JPEG turned the other way. With
// `upright`, the same scene's middle 4:3 as a plain upright PNG.
picture_file scene_file(int k, bool upright = false);
// Its file name, scene-k.jpg or scene-k.png.
std::string scene_file_name(int k, bool upright = false);

// Starts a JPEG on `file` (colour at full resolution or halved each way, as
// cameras store it; EXIF `orientation`, 0 for none); its rows follow with
// jpeg_write_scanlines, then jpeg_finish_compress and jpeg_destroy_compress.
void start_jpeg(jpeg_compress_struct &jpeg, jpeg_error_mgr &errors, FILE *file, int width,
                int height, int quality, bool full_colour, bool progressive, int orientation);

// Writes the picture to `path`; false when it cannot.
bool write_picture(const std::string &path, const picture_file &picture);

// The quarters' colours: top left, top right, bottom right, bottom left.
struct quarter_colour {
    int r, g, b;
};
extern const quarter_colour quarters[4];
