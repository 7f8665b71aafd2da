// The system layer's window, keyboard, mouse, clock, sound and files, on
// Allegro and the C library.
#include "system/platform_allegro.h"

#include <allegro5/allegro_acodec.h>

#include <clocale>
#include <cstdlib>
#include <ctime>

#include "system/canvas_fit.h"
#include "system/pad_reading.h"
#include "system/platform.h"
#include "system/present_pacing.h"
#include "system/rest_pacing.h"
#include "system/shown_frames.h"

ALLEGRO_DISPLAY *display;
ALLEGRO_EVENT_QUEUE *window_events;
bool close_requested;
bool present_pending;
bool input_seen;
bool f11_toggles_full_screen;

namespace {
ALLEGRO_BITMAP *canvas;
bool audio_ready;
// The frame being drawn will not be shown: its present shows nothing.
bool frame_hidden;
// When the last present went out.
double last_shown;
}  // namespace

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
            find_back_buttons();
            return false;
        case ALLEGRO_EVENT_JOYSTICK_AXIS:
        case ALLEGRO_EVENT_JOYSTICK_BUTTON_DOWN:
        case ALLEGRO_EVENT_JOYSTICK_BUTTON_UP:
            if (!pad_event_counts(event.joystick)) return false;
            break;
        case ALLEGRO_EVENT_KEY_DOWN:
            if (event.keyboard.keycode == ALLEGRO_KEY_F11 && f11_toggles_full_screen) {
                bool full = al_get_display_flags(display) & ALLEGRO_FULLSCREEN_WINDOW;
                al_set_display_flag(display, ALLEGRO_FULLSCREEN_WINDOW, !full);
            }
            break;
    }
    input_seen = true;
    return false;
}

void handle_window_events() {
    ALLEGRO_EVENT event;
    while (window_events && al_get_next_event(window_events, &event)) handle_event(event);
}

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

bool open_window(const char *title) {
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
    al_set_target_bitmap(canvas);
    return true;
}

bool sys_install_input() {
    if (!al_install_keyboard() || !al_install_mouse()) return false;
    // Pads are a bonus: without them the game plays by keys and pointer.
    if (al_install_joystick()) find_back_buttons();
    return true;
}

bool sys_install_audio() {
    // Without a sound device al_reserve_samples would abort the process, so it
    // is only asked for once the audio system is really up.
    audio_ready = al_install_audio() && al_init_acodec_addon() && al_reserve_samples(3);
    return audio_ready;
}

void close_window() {
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

void sys_set_environment(const char *name, const char *value) {
    setenv(name, value, 1);
}

bool sys_set_message_locale(const char *locale) {
    return setlocale(LC_MESSAGES, locale) != nullptr;
}

bool sys_file_exists(const char *path) {
    return al_filename_exists(path);
}

unsigned sys_clock_seconds() {
    return static_cast<unsigned>(time(nullptr));
}

void sys_get_keyboard_state(ALLEGRO_KEYBOARD_STATE *state) {
    // Read first in every frame: input from here on ends the next wait.
    input_seen = false;
    al_get_keyboard_state(state);
}

bool sys_close_requested() {
    handle_window_events();
    return close_requested;
}

void sys_play_sample(ALLEGRO_SAMPLE *sample, float gain, float pan, float speed) {
    if (!audio_ready || !sample) return;
    al_play_sample(sample, gain, pan, speed, ALLEGRO_PLAYMODE_ONCE, nullptr);
}

pad_event pad_event_of(const ALLEGRO_JOYSTICK_EVENT &event, bool stick_read, int back, int x_before,
                       int y_before) {
    pad_event seen{};
    seen.kind = event.type == ALLEGRO_EVENT_JOYSTICK_AXIS ? pad_event::axis_moved
                                                          : pad_event::button_changed;
    if (seen.kind == pad_event::axis_moved) {
        seen.stick_read = stick_read;
        seen.axis = event.axis;
        seen.position = event.pos;
        seen.direction = event.axis == 0 ? x_before : y_before;
    }
    seen.button = event.button;
    seen.back = back;
    return seen;
}
