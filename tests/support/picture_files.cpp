// Test pictures stored turned by their EXIF orientation, and the check that a fitted one came out
// upright and centred.
#include "support/picture_files.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <png.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

const quarter_colour quarters[4] = {{220, 40, 40}, {40, 220, 40}, {220, 220, 40}, {40, 40, 220}};

namespace {

const quarter_colour magenta = {255, 0, 255};

// Scene k at (x, y), each from 0 to 1 across the middle 4:3.
quarter_colour scene_colour(int k, double x, double y) {
    const quarter_colour tops[6] = {{40, 90, 200},  {230, 140, 40}, {30, 160, 90},
                                    {170, 60, 150}, {90, 190, 220}, {200, 200, 60}};
    const quarter_colour bottoms[6] = {{20, 60, 30},   {60, 30, 90},  {200, 210, 120},
                                       {240, 200, 80}, {30, 50, 120}, {110, 40, 30}};
    if (std::hypot(x - 0.3, (y - 0.35) * 0.75) < 0.12) return {245, 240, 225};
    if (x > 0.6 && x < 0.85 && y > 0.6 && y < 0.85) return {25, 25, 35};
    const quarter_colour &a = tops[k - 1], &b = bottoms[k - 1];
    auto mix = [&](int top, int bottom) {
        return std::min(255, static_cast<int>(top + (bottom - top) * y + 20 * x));
    };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

// Upright pixel (u, v) of the picture, with its alpha.
void upright_colour(const picture_file &p, int u, int v, unsigned char rgba[4]) {
    double cut_width = std::min<double>(p.width, p.height * 4.0 / 3.0);
    double cut_height = cut_width * 3 / 4;
    double x0 = (p.width - cut_width) / 2, y0 = (p.height - cut_height) / 2;
    quarter_colour colour = magenta;
    rgba[3] = 255;
    bool inside = u >= x0 && u < x0 + cut_width && v >= y0 && v < y0 + cut_height;
    if (inside && p.scene) {
        colour = scene_colour(p.scene, (u - x0 + 0.5) / cut_width, (v - y0 + 0.5) / cut_height);
    } else if (inside) {
        bool right = u >= x0 + cut_width / 2, bottom = v >= y0 + cut_height / 2;
        int quarter = bottom ? (right ? 2 : 3) : (right ? 1 : 0);
        colour = quarters[quarter];
        if (quarter == 0 && p.see_through_corner) rgba[3] = 0;
    }
    rgba[0] = static_cast<unsigned char>(colour.r);
    rgba[1] = static_cast<unsigned char>(colour.g);
    rgba[2] = static_cast<unsigned char>(colour.b);
}

// The stored pixels, as the EXIF orientation describes them: which upright
// pixel stored pixel (x, y) of a W x H file shows.
std::vector<unsigned char> stored_pixels(const picture_file &p, int &w, int &h, int channels) {
    bool across = p.orientation >= 5;
    w = across ? p.height : p.width;
    h = across ? p.width : p.height;
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * channels);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            int u = x, v = y;
            switch (p.orientation) {
                case 2:
                    u = w - 1 - x;
                    break;
                case 3:
                    u = w - 1 - x, v = h - 1 - y;
                    break;
                case 4:
                    v = h - 1 - y;
                    break;
                case 5:
                    u = y, v = x;
                    break;
                case 6:
                    u = h - 1 - y, v = x;
                    break;
                case 7:
                    u = h - 1 - y, v = w - 1 - x;
                    break;
                case 8:
                    u = y, v = w - 1 - x;
                    break;
            }
            unsigned char rgba[4];
            upright_colour(p, u, v, rgba);
            std::copy(rgba, rgba + channels, &pixels[(static_cast<size_t>(y) * w + x) * channels]);
        }
    }
    return pixels;
}

// An EXIF block holding only the orientation, in either byte order.
std::vector<unsigned char> exif_block(int orientation) {
    bool little = orientation % 2;
    std::vector<unsigned char> block = {'E', 'x', 'i', 'f', 0, 0};
    auto put = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; i++) {
            int shift = 8 * (little ? i : bytes - 1 - i);
            block.push_back(static_cast<unsigned char>(value >> shift));
        }
    };
    block.push_back(little ? 'I' : 'M');
    block.push_back(little ? 'I' : 'M');
    put(42, 2), put(8, 4), put(1, 2);
    put(0x0112, 2), put(3, 2), put(1, 4), put(orientation, 2), put(0, 2);
    put(0, 4);
    return block;
}

}  // namespace

void start_jpeg(jpeg_compress_struct &jpeg, jpeg_error_mgr &errors, FILE *file, int width,
                int height, int quality, bool full_colour, bool progressive, int orientation) {
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_compress(&jpeg);
    jpeg_stdio_dest(&jpeg, file);
    jpeg.image_width = width;
    jpeg.image_height = height;
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, quality, TRUE);
    for (int i = 0; full_colour && i < jpeg.num_components; i++) {
        jpeg.comp_info[i].h_samp_factor = jpeg.comp_info[i].v_samp_factor = 1;
    }
    if (progressive) jpeg_simple_progression(&jpeg);
    jpeg_start_compress(&jpeg, TRUE);
    if (orientation) {
        std::vector<unsigned char> exif = exif_block(orientation);
        jpeg_write_marker(&jpeg, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
    }
}

namespace {

bool write_jpeg(FILE *file, const picture_file &p) {
    int w, h;
    std::vector<unsigned char> pixels = stored_pixels(p, w, h, 3);
    jpeg_compress_struct jpeg;
    jpeg_error_mgr errors;
    // Colour kept at full resolution, so the quarters' edges stay sharp.
    start_jpeg(jpeg, errors, file, w, h, 95, true, p.progressive, p.orientation);
    while (jpeg.next_scanline < jpeg.image_height) {
        JSAMPROW row = &pixels[static_cast<size_t>(jpeg.next_scanline) * w * 3];
        jpeg_write_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_compress(&jpeg);
    jpeg_destroy_compress(&jpeg);
    return true;
}

bool write_png(FILE *file, const picture_file &p) {
    int channels = p.see_through_corner ? 4 : 3;
    int w, h;
    std::vector<unsigned char> pixels = stored_pixels(p, w, h, channels);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, w, h, 8, channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<unsigned char> exif = exif_block(p.orientation);
    if (p.orientation)
        png_set_eXIf_1(png, info, static_cast<png_uint_32>(exif.size() - 6), &exif[6]);
    std::vector<png_bytep> rows(h);
    for (int y = 0; y < h; y++) rows[y] = &pixels[static_cast<size_t>(y) * w * channels];
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

picture_file scene_file(int k, bool upright) {
    const int sizes[6][3] = {{1600, 1200, 1}, {900, 1600, 6}, {3000, 1000, 3},
                             {1000, 1000, 0}, {320, 240, 0},  {1200, 900, 8}};
    picture_file picture;
    picture.scene = k;
    picture.width = sizes[k - 1][0];
    picture.height = sizes[k - 1][1];
    picture.orientation = sizes[k - 1][2];
    picture.png = k == 4;
    picture.progressive = k == 6;
    if (upright) {
        picture.width = std::min(picture.width, picture.height * 4 / 3);
        picture.height = picture.width * 3 / 4;
        picture.orientation = 0;
        picture.png = true;
    }
    return picture;
}

std::string scene_file_name(int k, bool upright) {
    return "scene-" + std::to_string(k) + (scene_file(k, upright).png ? ".png" : ".jpg");
}

bool write_picture(const std::string &path, const picture_file &picture) {
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = picture.png ? write_png(file, picture) : write_jpeg(file, picture);
    return fclose(file) == 0 && written;
}
