// Measures the game's own frames against the scripted system layer: the
// drawing is real (in software, into a memory canvas), only waiting is left
// out. Prints milliseconds per frame and the peak resident memory.
// Run from the project root: build/bench/frame_cost
#include <allegro5/allegro.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include <chrono>
#include <cstdio>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "shell/game.h"
#include "shell/persistence.h"
#include "shell/picture_set.h"
#include "support/scripted_platform.h"
#include "view/completion_animation.h"

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point start) {
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

void report(const char *what, double seconds, int frames) {
    printf("%-34s %6d frames %8.1f ms %7.3f ms/frame\n", what, frames, seconds * 1000,
           seconds * 1000 / frames);
}

bool frame(int x, int y, int buttons) {
    script::set_pointer(x, y, buttons);
    return run_frame();
}

}  // namespace

int main() {
    setvbuf(stdout, nullptr, _IOLBF, 0);
    script::reset();
    script::set_pointer(10, 10, 1);  // ends the intro at once
    auto start = clock_type::now();
    if (!start_game()) return 1;
    report("start-up and intro", seconds_since(start), script::presents);

    script::presents = 0;
    start = clock_type::now();
    frame(10, 10, 0);
    report("first frame: loading group 1", seconds_since(start), script::presents);

    script::presents = 0;
    start = clock_type::now();
    for (int i = 0; i < 500; i++) frame(10, 10, 0);
    report("idle playing frames", seconds_since(start), script::presents);

    // Rolls of cube 6 to the right, 78 frames each with the press and drag.
    int x = cube_x[6] + 75;
    int y = cube_y[6] + 75;
    script::presents = 0;
    start = clock_type::now();
    for (int roll = 0; roll < 20; roll++) {
        frame(x, y, 1);
        frame(x, y, 1);
        frame(x + 30, y, 1);  // the drag is seen while the button is still down
        int before = move_counter;
        while (move_counter == before) frame(x + 30, y, 0);
    }
    report("rolling frames", seconds_since(start), script::presents);

    script::presents = 0;
    start = clock_type::now();
    play_completion_animation(1);
    report("picture-completed animation", seconds_since(start), script::presents);

    current_group = 1;
    script::presents = 0;
    start = clock_type::now();
    load_picture_set();
    report("loading group 2", seconds_since(start), script::presents);

    // Saving the game when a roll ends: written, flushed to disk and renamed
    // by the real state folder, in a scratch folder. Its slowest must stay
    // within a refresh.
    char state[] = "/tmp/picture-cubes-bench-XXXXXX";
    if (mkdtemp(state) && setenv("XDG_STATE_HOME", state, 1) == 0) {
        current_group = 1;
        double took[20];
        for (int i = 0; i < 20; i++) {
            move_counter = 100 + i;
            start = clock_type::now();
            save_game_if_changed();
            took[i] = seconds_since(start) * 1000;
        }
        std::sort(took, took + 20);
        printf("saving the game: 20 saves, median %.2f ms, slowest %.2f ms\n", took[10], took[19]);
        std::system((std::string("rm -rf ") + state).c_str());
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    printf("peak resident memory %ld MiB\n", usage.ru_maxrss / 1024);
    return 0;
}
