#include "support/reference_frames.h"

#include <allegro5/allegro_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "shell/resources.h"
#include "support/scripted_platform.h"

namespace {

bool regenerating() {
    const char *value = getenv("PICTURE_CUBES_REGENERATE");
    return value && *value && strcmp(value, "0") != 0;
}

std::string reference_path(const std::string &file) {
    return std::string(PICTURE_CUBES_SOURCE_DIR) + "/tests/reference/" + file;
}

std::string mismatch_path(const std::string &file) {
    std::filesystem::create_directories(PICTURE_CUBES_MISMATCH_DIR);
    return std::string(PICTURE_CUBES_MISMATCH_DIR) + "/" + file;
}

const char *regenerate_hint = "after an intended change run tools/regenerate-references";

// An exact copy of an area as 8-bit RGBA, byte for byte (no blending).
ALLEGRO_BITMAP *copy_area(ALLEGRO_BITMAP *bitmap, area a) {
    int flags = al_get_new_bitmap_flags();
    int format = al_get_new_bitmap_format();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE);
    ALLEGRO_BITMAP *copy = al_create_bitmap(a.w, a.h);
    al_set_new_bitmap_flags(flags);
    al_set_new_bitmap_format(format);
    ALLEGRO_LOCKED_REGION *from = al_lock_bitmap_region(
        bitmap, a.x, a.y, a.w, a.h, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
    ALLEGRO_LOCKED_REGION *to =
        al_lock_bitmap(copy, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_WRITEONLY);
    for (int y = 0; y < a.h; y++) {
        memcpy(static_cast<char *>(to->data) + y * to->pitch,
               static_cast<const char *>(from->data) + y * from->pitch, 4 * a.w);
    }
    al_unlock_bitmap(copy);
    al_unlock_bitmap(bitmap);
    return copy;
}

const unsigned char *row_of(ALLEGRO_LOCKED_REGION *region, int y) {
    return static_cast<const unsigned char *>(region->data) + y * region->pitch;
}

// FNV-1a over the screen's pixels, a word at a time, read in the canvas's own
// format so that no frame is converted.
std::uint64_t digest_of(ALLEGRO_BITMAP *bitmap) {
    ALLEGRO_LOCKED_REGION *region =
        al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_READONLY);
    std::uint64_t hash = 14695981039346656037ull;
    int bytes = region->pixel_size * al_get_bitmap_width(bitmap);
    for (int y = 0; y < al_get_bitmap_height(bitmap); y++) {
        const unsigned char *row = row_of(region, y);
        for (int i = 0; i + 4 <= bytes; i += 4) {
            std::uint32_t word;
            memcpy(&word, row + i, 4);
            hash = (hash ^ word) * 1099511628211ull;
        }
    }
    al_unlock_bitmap(bitmap);
    return hash;
}

const char *sample_name(ALLEGRO_SAMPLE *sample) {
    if (sample == sample_s1) return "s1";
    if (sample == sample_s3) return "s3";
    if (sample == sample_s5) return "s5";
    if (sample == sample_s) return "s";
    return "?";
}

// One line per frame: the screen's digest, then every sound asked for since
// the frame before (after `presents_before` presents), with its gain, pan and
// speed. Sounds of frames left out are passed over.
std::string frame_line(std::size_t &sounds_seen, int presents_before) {
    char text[160];
    snprintf(text, sizeof text, "%016" PRIx64, digest_of(script::canvas()));
    std::string line = text;
    for (; sounds_seen < script::samples.size(); sounds_seen++) {
        const script::played_sample &s = script::samples[sounds_seen];
        if (s.presents_before < presents_before) continue;
        char pan[16];
        if (s.pan == ALLEGRO_AUDIO_PAN_NONE) {
            snprintf(pan, sizeof pan, "none");
        } else {
            snprintf(pan, sizeof pan, "%.2f", s.pan);
        }
        snprintf(text, sizeof text, " %s gain %.2f pan %s speed %.2f", sample_name(s.sample),
                 s.gain, pan, s.speed);
        line += text;
    }
    return line;
}

}  // namespace

void expect_reference(const std::string &name, ALLEGRO_BITMAP *bitmap, area a) {
    ALLEGRO_BITMAP *actual = copy_area(bitmap, a);
    std::string path = reference_path(name + ".png");
    if (regenerating()) {
        EXPECT_TRUE(al_save_bitmap(path.c_str(), actual)) << path;
        al_destroy_bitmap(actual);
        return;
    }
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP | ALLEGRO_NO_PREMULTIPLIED_ALPHA);
    ALLEGRO_BITMAP *expected = al_load_bitmap(path.c_str());
    al_set_new_bitmap_flags(flags);
    if (!expected || al_get_bitmap_width(expected) != a.w ||
        al_get_bitmap_height(expected) != a.h) {
        ADD_FAILURE() << "no reference " << path << " of " << a.w << " x " << a.h << "; "
                      << regenerate_hint;
        if (expected) al_destroy_bitmap(expected);
        al_destroy_bitmap(actual);
        return;
    }

    // The difference image: the actual frame at a third of its brightness,
    // every differing pixel pure red.
    ALLEGRO_BITMAP *difference = copy_area(actual, {0, 0, a.w, a.h});
    ALLEGRO_LOCKED_REGION *e =
        al_lock_bitmap(expected, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
    ALLEGRO_LOCKED_REGION *d =
        al_lock_bitmap(difference, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READWRITE);
    int differing = 0, left = a.w, top = a.h, right = -1, bottom = -1;
    for (int y = 0; y < a.h; y++) {
        const unsigned char *want = row_of(e, y);
        auto *got = static_cast<unsigned char *>(d->data) + y * d->pitch;
        for (int x = 0; x < a.w; x++, want += 4, got += 4) {
            bool same = memcmp(want, got, 4) == 0;
            for (int c = 0; c < 3; c++) got[c] = same ? got[c] / 3 : (c == 0 ? 255 : 0);
            got[3] = 255;
            if (same) continue;
            differing++;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    al_unlock_bitmap(difference);
    al_unlock_bitmap(expected);
    if (differing > 0) {
        std::string actual_path = mismatch_path(name + ".actual.png");
        std::string difference_path = mismatch_path(name + ".difference.png");
        al_save_bitmap(actual_path.c_str(), actual);
        al_save_bitmap(difference_path.c_str(), difference);
        ADD_FAILURE() << name << ": " << differing << " pixels differ from " << path
                      << ", within x " << a.x + left << ".." << a.x + right << ", y " << a.y + top
                      << ".." << a.y + bottom << " of the screen\n  actual: " << actual_path
                      << "\n  difference: " << difference_path << "\n  " << regenerate_hint;
    }
    al_destroy_bitmap(difference);
    al_destroy_bitmap(expected);
    al_destroy_bitmap(actual);
}

void expect_sequence(const std::string &name, const std::function<void()> &action,
                     const std::function<void(int)> &look) {
    std::string path = reference_path(name + ".frames");
    std::vector<std::string> expected;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) expected.push_back(line);
    if (!regenerating() && expected.empty()) {
        ADD_FAILURE() << "no frame list " << path << "; " << regenerate_hint;
    }

    // Frames are numbered by their presents, shown or not; only those shown
    // are compared.
    std::vector<std::string> seen;
    std::size_t sounds_seen = script::samples.size();
    int first = script::presents;
    bool reported = regenerating() || expected.empty();
    script::on_present = [&] {
        std::size_t n = script::presents - first;
        seen.resize(n);
        seen.back() = frame_line(sounds_seen, script::presents - 1);
        if (!reported && (n > expected.size() || seen.back() != expected[n - 1])) {
            reported = true;
            std::string frame_path = mismatch_path(name + ".frame-" + std::to_string(n) + ".png");
            ALLEGRO_BITMAP *frame = copy_area(script::canvas(), {0, 0, 1020, 710});
            al_save_bitmap(frame_path.c_str(), frame);
            al_destroy_bitmap(frame);
            ADD_FAILURE() << name << ": frame " << n << " differs from line " << n << " of " << path
                          << "\n  expected: "
                          << (n <= expected.size() ? expected[n - 1] : "no more frames")
                          << "\n  actual:   " << seen.back() << "\n  frame written to "
                          << frame_path << "\n  " << regenerate_hint;
        }
        if (look) look(static_cast<int>(n));
    };
    action();
    script::on_present = nullptr;

    if (regenerating()) {
        std::ofstream out(path);
        for (const std::string &line : seen) out << line << '\n';
        return;
    }
    EXPECT_EQ(static_cast<std::size_t>(script::presents - first), expected.size())
        << name << ": frames presented";
}
