// The system layer of the test suite: no window, no sleeping, no devices.
#include "support/scripted_platform.h"

#include <allegro5/allegro_acodec.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <stdexcept>

#include "puzzle/records.h"
#include "system/pad_reading.h"
#include "system/platform.h"
#include "system/present_pacing.h"
#include "system/rest_pacing.h"
#include "system/shown_frames.h"

namespace script {

bool close_requested;
unsigned clock_seconds = 1;
int utc_offset;
bool screen_available = true;
bool audio_available = false;
double refresh_period;
int presents;
int waits;
std::vector<double> rests;
std::vector<played_sample> samples;
int mouse_polls;
std::vector<std::string> failures_shown;
bool screen_open;
std::map<std::string, std::string> environment;
std::function<void()> on_present;
std::function<void()> on_rest;
std::string state_folder;
int state_writes_left = -1;
bool state_held_elsewhere;
std::set<std::string> unreadable_files;
std::vector<file_read> file_reads;

namespace {
ALLEGRO_BITMAP *memory_canvas;
ALLEGRO_MOUSE_STATE pointer;
ALLEGRO_KEYBOARD_STATE keys;
float pad_x, pad_y;
pad_state pad;
bool frame_hidden;
// The scripted clock: rests move it on, nothing else does.
double now;
double last_shown;

// The longest designed sequence presents 1107 frames between two polls of the
// keyboard, and the intro's wait rests 1001 times without a present. Far past
// that the game is stuck in a loop, and the test ends there.
const int stuck_after = 5000;
int presents_since_poll;
int rests_since_present;

void fail_if_stuck(int count, const char *what) {
    if (count <= stuck_after) return;
    presents_since_poll = rests_since_present = 0;
    throw std::runtime_error(std::string("the game is stuck: ") + std::to_string(stuck_after) +
                             " " + what);
}
}  // namespace

void set_pad(float x, float y, bool face, bool back) {
    pad_x = x;
    pad_y = y;
    pad.face = face;
    pad.back = back;
}

void set_pointer(int x, int y, int buttons) {
    pointer.x = x;
    pointer.y = y;
    pointer.buttons = buttons;
}

void set_key(int keycode, bool down) {
    // The library's own key test reads these bits.
    unsigned bit = 1u << (keycode % 32);
    if (down) {
        keys.__key_down__internal__[keycode / 32] |= bit;
    } else {
        keys.__key_down__internal__[keycode / 32] &= ~bit;
    }
}

double total_rest() {
    return std::accumulate(rests.begin(), rests.end(), 0.0);
}

ALLEGRO_BITMAP *canvas() {
    return memory_canvas;
}

bool remove_state_folder() {
    if (state_folder.empty()) return true;
    std::error_code error;
    std::filesystem::path temporary =
        std::filesystem::weakly_canonical(std::filesystem::temp_directory_path(), error);
    std::filesystem::path folder =
        std::filesystem::weakly_canonical(state_folder, error).lexically_normal();
    std::filesystem::path inside = folder.lexically_relative(temporary);
    if (inside.empty() || *inside.begin() == ".." || inside == ".") {
        fprintf(stderr,
                "scripted state folder %s is not inside the temporary directory %s: left as it "
                "is, so no test touches a player's files\n",
                state_folder.c_str(), temporary.c_str());
        return false;
    }
    std::filesystem::remove_all(folder, error);
    return !error;
}

void reset() {
    pointer = ALLEGRO_MOUSE_STATE();
    keys = ALLEGRO_KEYBOARD_STATE();
    pad = pad_state();
    pad_x = pad_y = 0;
    clock_seconds = 1;
    utc_offset = 0;
    close_requested = false;
    screen_available = true;
    audio_available = false;
    refresh_period = 0;
    frame_hidden = false;
    now = 0;
    last_shown = 0;
    presents_since_poll = rests_since_present = 0;
    presents = 0;
    waits = 0;
    rests.clear();
    samples.clear();
    mouse_polls = 0;
    failures_shown.clear();
    environment.clear();
    on_present = nullptr;
    on_rest = nullptr;
    // Every test starts with nothing saved, alone in its folder.
    state_writes_left = -1;
    state_held_elsewhere = false;
    unreadable_files.clear();
    file_reads.clear();
    // Every test starts with nothing saved.
    remove_state_folder();
}

}  // namespace script

using namespace script;

bool sys_install_input() {
    return true;
}

// Samples load without a sound device once the codecs are registered, so a
// game with sound can be scripted on a silent machine.
bool sys_install_audio() {
    if (!audio_available) return false;
    if (!al_is_audio_installed()) al_install_audio();
    return al_init_acodec_addon();
}

bool sys_open_screen(const char *, const char *) {
    if (!screen_available) return false;
    start_rest_pacing(now);
    start_present_pacing(refresh_period);
    if (!memory_canvas) {
        al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
        memory_canvas = al_create_bitmap(1020, 710);
    }
    al_set_target_bitmap(memory_canvas);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    screen_open = true;
    return true;
}

void sys_close_screen() {
    screen_open = false;
}

void sys_target_screen() {
    al_set_target_bitmap(memory_canvas);
}

void sys_present() {
    presents++;
    rests_since_present = 0;
    fail_if_stuck(++presents_since_poll, "frames presented without reading the keyboard");
    if (frame_hidden) {
        frame_hidden = false;
        return;
    }
    // A window that shows every frame has no refresh grid to find.
    if (refresh_period > 0) note_present(now, now);
    last_shown = now;
    if (on_present) on_present();
}

bool sys_frame_shown(double seconds) {
    frame_hidden = !frame_reaches_window(seconds, now, planned_rest_end(now, seconds),
                                         next_present_time(now), last_shown);
    return !frame_hidden;
}

void sys_pace_from_now() {
    start_rest_pacing(now);
}

// Input never comes while the game waits: the test runs the next frame.
void sys_wait_for_input() {
    waits++;
    start_rest_pacing(now);
}

void sys_rest(double seconds) {
    rests.push_back(seconds);
    fail_if_stuck(++rests_since_present, "rests without presenting a frame");
    now = pace_rest(now, seconds);
    if (on_rest) on_rest();
}

bool sys_close_requested() {
    return close_requested;
}

const char *sys_environment(const char *name) {
    auto value = environment.find(name);
    return value == environment.end() ? nullptr : value->second.c_str();
}

// The process's own environment, which gettext reads.
void sys_set_environment(const char *name, const char *value) {
    setenv(name, value, 1);
}

bool sys_set_message_locale(const char *locale) {
    return setlocale(LC_MESSAGES, locale) != nullptr;
}

bool sys_file_exists(const char *path) {
    return access(path, F_OK) == 0;
}

// The suite's catalogs are linked beside its executable, as the game's are.
const char *sys_executable_folder() {
    static char folder[PATH_MAX];
    if (!folder[0]) {
        ssize_t length = readlink("/proc/self/exe", folder, sizeof folder - 1);
        if (length <= 0) return "";
        folder[length] = 0;
        *(strrchr(folder, '/') + 1) = 0;
    }
    return folder;
}

void sys_exit_now(int code) {
    fflush(nullptr);
    _exit(code);
}

unsigned sys_clock_seconds() {
    return clock_seconds;
}

void sys_local_date(unsigned seconds, char date[11]) {
    date_of(seconds + utc_offset, date);
}

void sys_get_keyboard_state(ALLEGRO_KEYBOARD_STATE *state) {
    presents_since_poll = 0;
    *state = keys;
}

void sys_get_mouse_state(ALLEGRO_MOUSE_STATE *state) {
    mouse_polls++;
    *state = pointer;
}

void sys_play_sample(ALLEGRO_SAMPLE *sample, float gain, float pan, float speed) {
    samples.push_back({sample, gain, pan, speed, presents});
}

// Also told on stderr, so a test can read a box shown just before an exit.
void sys_show_failure(const char *message) {
    failures_shown.push_back(message);
    fprintf(stderr, "[box] %s\n", message);
}

void sys_get_pad_state(pad_state *state) {
    pad.x = stick_direction(pad_x, pad.x);
    pad.y = stick_direction(pad_y, pad.y);
    *state = pad;
}
