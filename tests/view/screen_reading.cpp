#include "view/screen_reading.h"

#include <allegro5/allegro_font.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "shell/resources.h"

namespace {

// Locked view of a whole bitmap as 8-bit RGBA, unlocked when it goes.
class pixels {
   public:
    explicit pixels(ALLEGRO_BITMAP *bitmap) : bitmap_(bitmap) {
        region_ = al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_READONLY);
    }
    ~pixels() { al_unlock_bitmap(bitmap_); }
    pixels(const pixels &) = delete;
    pixels &operator=(const pixels &) = delete;

    const unsigned char *at(int x, int y) const {
        return static_cast<const unsigned char *>(region_->data) + y * region_->pitch + 4 * x;
    }
    bool is(int x, int y, rgb c) const {
        const unsigned char *p = at(x, y);
        return p[0] == c.r && p[1] == c.g && p[2] == c.b;
    }
    bool same_as(const pixels &other, int x, int y) const {
        const unsigned char *a = at(x, y);
        const unsigned char *b = other.at(x, y);
        return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
    }

   private:
    ALLEGRO_BITMAP *bitmap_;
    ALLEGRO_LOCKED_REGION *region_;
};

// 64 bits, one per pixel of an 8 x 8 cell, row by row.
std::uint64_t cell_mask(const pixels &p, int x, int y, rgb colour) {
    std::uint64_t mask = 0;
    for (int row = 0; row < 8; row++) {
        for (int column = 0; column < 8; column++) {
            mask = mask << 1 | (p.is(x + column, y + row, colour) ? 1 : 0);
        }
    }
    return mask;
}

const std::map<std::uint64_t, char> &glyphs() {
    static std::map<std::uint64_t, char> table;
    if (!table.empty()) return table;
    ALLEGRO_FONT *font = al_create_builtin_font();
    ALLEGRO_BITMAP *previous = al_get_target_bitmap();
    ALLEGRO_BITMAP *cell = al_create_bitmap(8, 8);
    al_set_target_bitmap(cell);
    for (char c = ' '; c <= '~'; c++) {
        al_clear_to_color(al_map_rgb(0, 0, 0));
        const char text[2] = {c, 0};
        al_draw_text(font, al_map_rgb(255, 255, 255), 0, 0, 0, text);
        pixels p(cell);
        table.emplace(cell_mask(p, 0, 0, rgb{255, 255, 255}), c);
    }
    al_set_target_bitmap(previous);
    al_destroy_bitmap(cell);
    al_destroy_font(font);
    return table;
}

}  // namespace

std::string text_at(ALLEGRO_BITMAP *bitmap, int x, int y, int length, rgb colour) {
    const auto &table = glyphs();
    pixels p(bitmap);
    std::string text;
    for (int i = 0; i < length; i++) {
        auto found = table.find(cell_mask(p, x + 8 * i, y, colour));
        text += found == table.end() ? '?' : found->second;
    }
    return text;
}

int count_colour(ALLEGRO_BITMAP *bitmap, area a, rgb colour) {
    pixels p(bitmap);
    int count = 0;
    for (int y = a.y; y < a.y + a.h; y++) {
        for (int x = a.x; x < a.x + a.w; x++) count += p.is(x, y, colour);
    }
    return count;
}

void colour_extent(ALLEGRO_BITMAP *bitmap, area a, rgb colour, int &left, int &right) {
    pixels p(bitmap);
    left = right = -1;
    for (int y = a.y; y < a.y + a.h; y++) {
        for (int x = a.x; x < a.x + a.w; x++) {
            if (!p.is(x, y, colour)) continue;
            if (left < 0 || x < left) left = x;
            right = std::max(right, x);
        }
    }
}

rgb mean_colour(ALLEGRO_BITMAP *bitmap, area a) {
    pixels p(bitmap);
    long sum[3] = {0, 0, 0};
    for (int y = a.y; y < a.y + a.h; y++) {
        for (int x = a.x; x < a.x + a.w; x++) {
            for (int c = 0; c < 3; c++) sum[c] += p.at(x, y)[c];
        }
    }
    long n = static_cast<long>(a.w) * a.h;
    return {static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n),
            static_cast<int>(sum[2] / n)};
}

int count_changed(ALLEGRO_BITMAP *before, ALLEGRO_BITMAP *after, area a) {
    pixels p(before), q(after);
    int count = 0;
    for (int y = a.y; y < a.y + a.h; y++) {
        for (int x = a.x; x < a.x + a.w; x++) count += !p.same_as(q, x, y);
    }
    return count;
}

int count_changed_outside(ALLEGRO_BITMAP *before, ALLEGRO_BITMAP *after,
                          std::initializer_list<area> allowed) {
    pixels p(before), q(after);
    int count = 0;
    for (int y = 0; y < al_get_bitmap_height(before); y++) {
        for (int x = 0; x < al_get_bitmap_width(before); x++) {
            bool inside = false;
            for (const area &a : allowed) {
                inside = inside || (a.x <= x && x < a.x + a.w && a.y <= y && y < a.y + a.h);
            }
            if (!inside) count += !p.same_as(q, x, y);
        }
    }
    return count;
}

bool near(rgb a, rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

int picture_seen(rgb pixel) {
    int top = std::max({pixel.r, pixel.g, pixel.b});
    int low = std::min({pixel.r, pixel.g, pixel.b});
    if (top < 60 || low * 2 > top) return 0;
    int high = top * 6 / 10;
    bool r = pixel.r > high, g = pixel.g > high, b = pixel.b > high;
    for (int k = 1; k <= 6; k++) {
        unsigned char cr, cg, cb;
        al_unmap_rgb(picture_colour(k), &cr, &cg, &cb);
        if ((cr > 128) == r && (cg > 128) == g && (cb > 128) == b) return k;
    }
    return 0;
}

int white_quadrant(ALLEGRO_BITMAP *bitmap, int x, int y) {
    const int centres[4][2] = {{37, 37}, {112, 37}, {112, 112}, {37, 112}};
    int found = -1;
    for (int q = 0; q < 4; q++) {
        rgb c = pixel_at(bitmap, x + centres[q][0], y + centres[q][1]);
        bool grey = std::abs(c.r - c.g) < 8 && std::abs(c.g - c.b) < 8 && c.r > 100;
        if (!grey) continue;
        if (found >= 0) return -1;
        found = q;
    }
    return found;
}

void paint(ALLEGRO_BITMAP *bitmap, area a, ALLEGRO_COLOR colour) {
    ALLEGRO_BITMAP *previous = al_get_target_bitmap();
    ALLEGRO_BITMAP *part = al_create_sub_bitmap(bitmap, a.x, a.y, a.w, a.h);
    al_set_target_bitmap(part);
    al_clear_to_color(colour);
    al_set_target_bitmap(previous);
    al_destroy_bitmap(part);
}

namespace {
char s1_tag, s3_tag, s5_tag;
}

void tag_samples() {
    sample_s1 = reinterpret_cast<ALLEGRO_SAMPLE *>(&s1_tag);
    sample_s3 = reinterpret_cast<ALLEGRO_SAMPLE *>(&s3_tag);
    sample_s5 = reinterpret_cast<ALLEGRO_SAMPLE *>(&s5_tag);
}

void clear_sample_tags() {
    sample_s1 = sample_s3 = sample_s5 = nullptr;
}
