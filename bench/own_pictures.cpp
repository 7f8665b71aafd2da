// How long the player's own pictures take to load and how much memory they
// take: six 24-megapixel JPEGs, as a camera writes them (one a portrait stored
// turned, with its EXIF tag), made in a scratch folder and dealt as the first
// set through the game's start-up against the scripted system layer, beside
// the same first set of the built-in pictures. The drawing is real (in
// software, into a memory canvas); the designed rests are counted, not slept.
// Prints figures; asserts nothing.
// Run from the project root: build-bench/bench/own_pictures [FOLDER]
// Given a folder, the pictures are made there and kept, for timing the real
// game on them (`/usr/bin/time -v build/picture-cubes FOLDER`).
#include <sys/resource.h>

#include <cstdio>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "puzzle/own_sets.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/own_pictures.h"
#include "support/picture_files.h"
#include "support/scripted_platform.h"

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point start) {
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

long peak_mib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// A made-up photograph: a sky and a ground, hills, and grain, so that it
// compresses as a camera's picture does (some 8 to 12 MB at this size).
void write_photo(const std::string &path, int number, bool turned) {
    const int width = 6000, height = 4000;
    FILE *file = fopen(path.c_str(), "wb");
    jpeg_compress_struct jpeg;
    jpeg_error_mgr errors;
    // One stored turned, with orientation 6, as a phone held upright writes it.
    start_jpeg(jpeg, errors, file, width, height, 92, false, false, turned ? 6 : 0);
    std::vector<unsigned char> row(width * 3);
    unsigned noise = 2463534242u + number;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
            int grain = static_cast<int>(noise % 25) - 12;
            double hill = 2000 + 400 * std::sin(x / (500.0 + 90 * number) + number);
            bool sky = y < hill;
            int r = sky ? 90 + y / 40 : 60 + (y - 2000) / 30 + number * 10;
            int g = sky ? 140 + y / 50 : 110 - (y - 2000) / 60;
            int b = sky ? 220 - y / 80 : 50 + (x % 700) / 20;
            unsigned char *p = &row[3 * x];
            p[0] = static_cast<unsigned char>(std::clamp(r + grain, 0, 255));
            p[1] = static_cast<unsigned char>(std::clamp(g + grain, 0, 255));
            p[2] = static_cast<unsigned char>(std::clamp(b + grain, 0, 255));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&jpeg, rows, 1);
    }
    jpeg_finish_compress(&jpeg);
    jpeg_destroy_compress(&jpeg);
    fclose(file);
}

// Starts the game with these arguments, the intro ended by a held click, and
// times its first frame, which deals the first set.
void time_first_set(const char *what, const std::vector<std::string> &paths) {
    std::vector<const char *> argv = {"picture-cubes"};
    for (const std::string &path : paths) argv.push_back(path.c_str());
    read_command_line(static_cast<int>(argv.size()), argv.data());
    script::reset();
    script::set_pointer(10, 10, 1);
    if (!start_game()) exit(1);
    double rests = script::total_rest();
    auto start = clock_type::now();
    script::set_pointer(10, 10, 0);
    run_frame();
    double took = seconds_since(start);
    printf("first set, %-28s %6.2f s of work, %5.2f s of designed rests, peak %ld MiB\n", what,
           took, script::total_rest() - rests, peak_mib());
}

}  // namespace

int main(int argc, char **argv) {
    setvbuf(stdout, nullptr, _IOLBF, 0);
    std::string scratch = std::filesystem::temp_directory_path() / "picture-cubes-bench-XXXXXX";
    if (!mkdtemp(scratch.data())) return 1;
    // What the game saves goes there too, not to the real home.
    setenv("XDG_STATE_HOME", scratch.c_str(), 1);
    std::string folder = argc > 1 ? argv[1] : scratch + "/Photos";
    std::filesystem::create_directories(folder);
    auto start = clock_type::now();
    long long bytes = 0;
    for (int i = 1; i <= 6; i++) {
        std::string path = folder + "/IMG_" + std::to_string(1000 + i) + ".jpg";
        write_photo(path, i, i == 2);
        bytes += static_cast<long long>(std::filesystem::file_size(path));
    }
    printf("six 6000 x 4000 JPEGs made in %.1f s, %.1f MB in all\n", seconds_since(start),
           bytes / 1e6);
    printf("peak resident memory before any game: %ld MiB\n", peak_mib());

    time_first_set("the built-in pictures:", {});
    time_first_set("six 24 MP JPEGs:", {folder});
    // The pictures alone: read, decoded, turned, cut and scaled, one by one.
    start = clock_type::now();
    for (int number = 1; number <= 6; number++) al_destroy_bitmap(own_set_picture(number));
    printf("six 24 MP JPEGs loaded again alone: %.2f s, peak %ld MiB\n", seconds_since(start),
           peak_mib());

    std::filesystem::remove_all(scratch);
    return 0;
}
