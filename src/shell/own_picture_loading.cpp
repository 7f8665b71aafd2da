// Loading one of the player's pictures in steps between presents.
#include "shell/own_picture_loading.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "puzzle/picture_fit.h"
#include "puzzle/picture_header.h"
#include "shell/fades.h"
#include "shell/picture_decoder.h"
#include "system/platform.h"

namespace {

// A step reads or decodes about this much of the file: some 10 ms of work.
const long long step_bytes = 1 << 20;

// The canvas is shown again between steps, so the window keeps repainting
// and its close button is heard while a picture loads.
void between_steps() {
    leave_if_closed();
    sys_present();
}

// The whole file, read a piece at a time.
bool read_whole(const std::string &path, long long size, std::vector<unsigned char> &bytes) {
    bytes.resize(static_cast<size_t>(size));
    for (long long at = 0; at < size; at += 4 * step_bytes) {
        long long piece = std::min(4 * step_bytes, size - at);
        if (sys_read_file(path.c_str(), at, bytes.data() + at, piece) != piece) return false;
        between_steps();
    }
    return true;
}

// The scale a JPEG is decoded at: the fewest eighths that still leave its
// middle 4:3 at least 600 pixels wide.
int eighths_for(const picture_header &header) {
    double w = upright_width(header), h = upright_height(header);
    double cut_width = std::min(w, h * 4 / 3);
    return std::clamp(static_cast<int>(std::ceil(8 * 600 / cut_width)), 1, 8);
}

ALLEGRO_BITMAP *bitmap_of(const unsigned char *rgba) {
    ALLEGRO_BITMAP *bitmap = al_create_bitmap(600, 450);
    if (!bitmap) return nullptr;
    ALLEGRO_LOCKED_REGION *region =
        al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < 450; y++) {
        memcpy(static_cast<unsigned char *>(region->data) + y * region->pitch, rgba + y * 2400,
               2400);
    }
    al_unlock_bitmap(bitmap);
    return bitmap;
}

}  // namespace

ALLEGRO_BITMAP *load_own_picture(const std::string &path, const char *&wrong) {
    path_facts facts;
    sys_path_facts(path.c_str(), &facts);
    std::vector<unsigned char> bytes;
    if (facts.kind != path_file || !read_whole(path, facts.size, bytes)) {
        wrong = "it can no longer be read";
        return nullptr;
    }
    picture_header header = read_picture_header(bytes.data(), facts.size, facts.size);
    if (header.wrong || header.needs) {
        wrong = header.wrong ? header.wrong : "it is cut short";
        return nullptr;
    }

    start_decoding(header.kind, bytes.data(), facts.size, eighths_for(header));
    int more;
    while ((more = decode_more(step_bytes)) > 0) between_steps();
    if (more < 0) {
        wrong = decoding_failure();
        return nullptr;
    }
    bytes = std::vector<unsigned char>();

    std::vector<unsigned char> rgba(600 * 450 * 4);
    start_fit({decoded_rgb.data(), decoded_width, decoded_height}, header.orientation);
    for (int row = 0; row < 450; row += fit_rows_per_step()) {
        fit_rows(row, fit_rows_per_step(), rgba.data());
        between_steps();
    }
    decoded_rgb = std::vector<unsigned char>();
    ALLEGRO_BITMAP *bitmap = bitmap_of(rgba.data());
    if (!bitmap) wrong = "there is no room for it";
    return bitmap;
}
