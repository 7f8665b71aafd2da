// The system layer on a real window, keyboard, mouse, clock and sound card.
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_native_dialog.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "system/canvas_fit.h"
#include "system/platform.h"
#include "system/present_pacing.h"
#include "system/rest_pacing.h"
#include "system/shown_frames.h"

namespace {
ALLEGRO_DISPLAY *display;
ALLEGRO_BITMAP *canvas;
bool audio_ready;
// Only the window's own business is taken from events: its close button, a
// new size, and F11 for a fullscreen window. The game's input is polled as
// state, once per frame; its events only tell that input came, which ends a
// wait for input.
ALLEGRO_EVENT_QUEUE *window_events;
bool close_requested;
// The canvas holds a frame the window does not show yet.
bool present_pending;
// The frame being drawn will not be shown: its present shows nothing.
bool frame_hidden;
// A pointer, key or other input event came since the keyboard was last read.
bool input_seen;
// When the last present went out.
double last_shown;

// Handles one event; returns whether the window must be repainted.
bool handle_event(const ALLEGRO_EVENT &event) {
    switch (event.type) {
        case ALLEGRO_EVENT_DISPLAY_CLOSE:
            close_requested = true;
            return false;
        case ALLEGRO_EVENT_DISPLAY_RESIZE:
            al_acknowledge_resize(display);
            return true;
        case ALLEGRO_EVENT_DISPLAY_EXPOSE:
            return true;
        case ALLEGRO_EVENT_JOYSTICK_CONFIGURATION:
            // A pad plugged in or pulled out while the game runs.
            al_reconfigure_joysticks();
            break;
        case ALLEGRO_EVENT_KEY_DOWN:
            if (event.keyboard.keycode == ALLEGRO_KEY_F11) {
                bool full = al_get_display_flags(display) & ALLEGRO_FULLSCREEN_WINDOW;
                al_set_display_flag(display, ALLEGRO_FULLSCREEN_WINDOW, !full);
            }
            break;
    }
    input_seen = true;
    return false;
}

// While frames are drawn the next present repaints the window anyway.
void handle_window_events() {
    ALLEGRO_EVENT event;
    while (window_events && al_get_next_event(window_events, &event)) handle_event(event);
}

// The game's own icon, in the sizes the folder has; without them the window
// keeps the default one.
void set_window_icon(const char *folder) {
    ALLEGRO_BITMAP *icons[4];
    int count = 0;
    for (const char *name : {"icon-48.png", "icon-64.png", "icon-128.png", "icon-256.png"}) {
        std::string path = std::string(folder) + "/" + name;
        if (!al_filename_exists(path.c_str())) continue;
        ALLEGRO_BITMAP *icon = al_load_bitmap(path.c_str());
        if (icon) icons[count++] = icon;
    }
    if (count > 0) al_set_display_icons(display, count, icons);
    for (int i = 0; i < count; i++) al_destroy_bitmap(icons[i]);
}

// Copies the canvas to the window, scaled to fit between black bars, and swaps.
void show_canvas() {
    double start = al_get_time();
    ALLEGRO_BITMAP *target = al_get_target_bitmap();
    al_set_target_backbuffer(display);
    // A plain copy: the canvas replaces the window's content whatever its alpha.
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    canvas_place place = fit_canvas(al_get_display_width(display), al_get_display_height(display));
    if (place.width == 1020 && place.height == 710 && place.x == 0 && place.y == 0) {
        al_draw_bitmap(canvas, 0, 0, 0);
    } else {
        al_clear_to_color(al_map_rgb(0, 0, 0));
        al_draw_scaled_bitmap(canvas, 0, 0, 1020, 710, place.x, place.y, place.width, place.height,
                              0);
    }
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_INVERSE_ALPHA);
    al_flip_display();
    al_set_target_bitmap(target);
    double end = al_get_time();
    note_present(start, end);
    last_shown = end;
    present_pending = false;
}
}  // namespace

bool sys_install_input() {
    if (!al_install_keyboard() || !al_install_mouse()) return false;
    // Pads are a bonus: without them the game plays by keys and pointer.
    al_install_joystick();
    return true;
}

bool sys_install_audio() {
    // Without a sound device al_reserve_samples would abort the process, so it
    // is only asked for once the audio system is really up.
    audio_ready = al_install_audio() && al_init_acodec_addon() && al_reserve_samples(3);
    return audio_ready;
}

bool sys_open_screen(const char *title, const char *icon_folder) {
    // Mesa would keep the window's compiled shaders in a cache in the player's
    // home; the game writes nothing there but its own state folder, so its
    // window must not either.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    al_set_new_window_title(title);
    al_set_new_display_flags(ALLEGRO_WINDOWED | ALLEGRO_RESIZABLE | ALLEGRO_GENERATE_EXPOSE_EVENTS);
    // Swaps should not wait for the screen: the game paces itself by sleeping
    // and presents at most once per refresh (a driver may sync them anyway).
    al_set_new_display_option(ALLEGRO_VSYNC, 2, ALLEGRO_SUGGEST);
    display = al_create_display(1020, 710);
    if (!display) return false;
    // Double-buffered GL windows promise nothing about the back buffer after a
    // flip, and the game draws incrementally: it keeps its own image instead.
    // Shrunk below its size it is smoothed; enlarged, its pixels stay sharp.
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(flags | ALLEGRO_MIN_LINEAR);
    canvas = al_create_bitmap(1020, 710);
    al_set_new_bitmap_flags(flags);
    if (!canvas) {
        al_destroy_display(display);
        display = nullptr;
        return false;
    }
    window_events = al_create_event_queue();
    if (window_events) {
        al_register_event_source(window_events, al_get_display_event_source(display));
        al_register_event_source(window_events, al_get_keyboard_event_source());
        al_register_event_source(window_events, al_get_mouse_event_source());
        if (al_is_joystick_installed()) {
            al_register_event_source(window_events, al_get_joystick_event_source());
        }
    }
    close_requested = false;
    present_pending = false;
    frame_hidden = false;
    start_rest_pacing(al_get_time());
    int rate = al_get_display_refresh_rate(display);
    start_present_pacing(1.0 / (rate > 0 ? rate : 60));
    set_window_icon(icon_folder);
    al_set_target_bitmap(canvas);
    return true;
}

void sys_close_screen() {
    if (window_events) al_destroy_event_queue(window_events);
    window_events = nullptr;
    al_destroy_bitmap(canvas);
    canvas = nullptr;
    al_destroy_display(display);
    display = nullptr;
    present_pending = false;
}

void sys_target_screen() {
    al_set_target_bitmap(canvas);
}

void sys_present() {
    handle_window_events();
    if (frame_hidden) {
        frame_hidden = false;
        return;
    }
    present_pending = true;
    if (present_due(al_get_time())) show_canvas();
}

void sys_rest(double seconds) {
    // The rest ends where the designed rests put it, however long the drawing
    // and the presents since the last one took.
    double now = al_get_time();
    double end = pace_rest(now, seconds);
    // A frame before a long rest goes out at once, however short the rest
    // turns out; before a short one, if its time comes within the rest.
    double length = seconds >= 0.01 ? seconds : end - now;
    double show_at = present_pending ? deferred_present_time(now, length) : -1;
    for (;;) {
        handle_window_events();
        if (close_requested) return;
        now = al_get_time();
        if (show_at >= 0 && now >= show_at) {
            show_canvas();
            show_at = -1;
            continue;
        }
        if (now >= end) return;
        double wake = show_at >= 0 ? std::min(end, show_at) : end;
        // Short naps, so the close button is noticed at once.
        al_rest(std::min(wake - now, 0.05));
    }
}

const char *sys_environment(const char *name) {
    return getenv(name);
}

void sys_set_environment(const char *name, const char *value) {
    setenv(name, value, 1);
}

bool sys_set_message_locale(const char *locale) {
    return setlocale(LC_MESSAGES, locale) != nullptr;
}

bool sys_file_exists(const char *path) {
    return al_filename_exists(path);
}

const char *sys_executable_folder() {
    static std::string folder;
    if (folder.empty()) {
        ALLEGRO_PATH *path = al_get_standard_path(ALLEGRO_EXENAME_PATH);
        if (!path) return "";
        al_set_path_filename(path, nullptr);
        folder = al_path_cstr(path, '/');
        al_destroy_path(path);
    }
    return folder.c_str();
}

void sys_exit_now(int code) {
    fflush(nullptr);
    _exit(code);
}

void sys_pace_from_now() {
    start_rest_pacing(al_get_time());
}

bool sys_frame_shown(double seconds) {
    // The canvas is about to change: a frame still waiting is overtaken.
    present_pending = false;
    double now = al_get_time();
    if (!display || frame_reaches_window(seconds, now, planned_rest_end(now, seconds),
                                         next_present_time(now), last_shown)) {
        return true;
    }
    frame_hidden = true;
    return false;
}

void sys_wait_for_input() {
    handle_window_events();
    while (window_events && !input_seen && !close_requested) {
        ALLEGRO_EVENT event;
        bool got;
        if (present_pending) {
            // The last frame still goes out, at its time.
            double wait = next_present_time(al_get_time()) - al_get_time();
            if (wait <= 0) {
                show_canvas();
                continue;
            }
            got = al_wait_for_event_timed(window_events, &event, static_cast<float>(wait));
        } else {
            al_wait_for_event(window_events, &event);
            got = true;
        }
        // The canvas holds the last frame whole: shown again, it repaints the
        // window after an expose or a new size.
        if (got && handle_event(event)) show_canvas();
    }
    // The time spent waiting is no lag to make up.
    start_rest_pacing(al_get_time());
}

unsigned sys_clock_seconds() {
    return static_cast<unsigned>(time(nullptr));
}

void sys_get_keyboard_state(ALLEGRO_KEYBOARD_STATE *state) {
    // Read first in every frame: input from here on ends the next wait.
    input_seen = false;
    al_get_keyboard_state(state);
}

void sys_get_mouse_state(ALLEGRO_MOUSE_STATE *state) {
    al_get_mouse_state(state);
    // The game hit-tests canvas pixels, whatever the window's size.
    if (display) {
        window_to_canvas(al_get_display_width(display), al_get_display_height(display), state->x,
                         state->y);
    }
}

bool sys_close_requested() {
    handle_window_events();
    return close_requested;
}

void sys_play_sample(ALLEGRO_SAMPLE *sample, float gain, float pan, float speed) {
    if (!audio_ready || !sample) return;
    al_play_sample(sample, gain, pan, speed, ALLEGRO_PLAYMODE_ONCE, nullptr);
}

void sys_show_failure(const char *message) {
    if (isatty(STDERR_FILENO)) return;
    // The add-on refuses to start without an X display.
    if (!al_init_native_dialog_addon()) return;
    al_show_native_message_box(nullptr, "Obrazkowe klocki: error", "The game has stopped", message,
                               nullptr, ALLEGRO_MESSAGEBOX_ERROR);
}

// --- Game pads ---

namespace {

int pad_x;
int pad_y;

// A stick counts as pushed beyond 0.6 of its travel and as let go only under
// 0.3, so one held near the middle does not flicker between the two.
int stick_direction(float value, int before) {
    float threshold = before != 0 && (value > 0) == (before > 0) ? 0.3f : 0.6f;
    if (value >= threshold) return 1;
    if (value <= -threshold) return -1;
    return 0;
}

// Linux numbers a pad's buttons in the order of their event codes; pads laid
// out as the kernel's gamepad documentation asks end with Select, Start, Mode
// and the two stick clicks.
int back_button(ALLEGRO_JOYSTICK *pad) {
    int buttons = al_get_joystick_num_buttons(pad);
    return buttons >= 11 ? buttons - 5 : -1;
}

}  // namespace

void sys_get_pad_state(pad_state *state) {
    *state = pad_state();
    if (!al_is_joystick_installed()) return;
    // The strongest push on any pad's left stick (stick 0) or d-pad (a
    // digital stick) wins.
    float x = 0, y = 0;
    for (int i = 0; i < al_get_num_joysticks(); i++) {
        ALLEGRO_JOYSTICK *pad = al_get_joystick(i);
        if (!pad || !al_get_joystick_active(pad)) continue;
        ALLEGRO_JOYSTICK_STATE now;
        al_get_joystick_state(pad, &now);
        for (int stick = 0; stick < al_get_joystick_num_sticks(pad); stick++) {
            bool dpad = al_get_joystick_stick_flags(pad, stick) & ALLEGRO_JOYFLAG_DIGITAL;
            if ((stick != 0 && !dpad) || al_get_joystick_num_axes(pad, stick) < 2) continue;
            if (std::abs(now.stick[stick].axis[0]) > std::abs(x)) x = now.stick[stick].axis[0];
            if (std::abs(now.stick[stick].axis[1]) > std::abs(y)) y = now.stick[stick].axis[1];
        }
        if (al_get_joystick_num_buttons(pad) > 0 && now.button[0]) state->face = true;
        int back = back_button(pad);
        if (back >= 0 && now.button[back]) state->back = true;
    }
    pad_x = state->x = stick_direction(x, pad_x);
    pad_y = state->y = stick_direction(y, pad_y);
}
