// The system layer on a real window, keyboard, mouse, clock and sound card.
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_native_dialog.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>

#include "shell/canvas_fit.h"
#include "shell/media_folder.h"
#include "shell/platform.h"
#include "shell/present_pacing.h"
#include "shell/resources.h"

namespace {
ALLEGRO_BITMAP *canvas;
bool audio_ready;
// Only the window's own business is taken from events: its close button, a
// new size, and F11 for a fullscreen window. The game's input is polled as
// state, once per frame.
ALLEGRO_EVENT_QUEUE *window_events;
bool close_requested;
// The canvas holds a frame the window does not show yet.
bool present_pending;

void handle_window_events() {
    ALLEGRO_EVENT event;
    while (window_events && al_get_next_event(window_events, &event)) {
        if (event.type == ALLEGRO_EVENT_DISPLAY_CLOSE) close_requested = true;
        if (event.type == ALLEGRO_EVENT_DISPLAY_RESIZE) al_acknowledge_resize(display);
        if (event.type == ALLEGRO_EVENT_KEY_DOWN && event.keyboard.keycode == ALLEGRO_KEY_F11) {
            bool full = al_get_display_flags(display) & ALLEGRO_FULLSCREEN_WINDOW;
            al_set_display_flag(display, ALLEGRO_FULLSCREEN_WINDOW, !full);
        }
    }
}

// The game's own icon, in the sizes the media folder has; without them the
// window keeps the default one.
void set_window_icon() {
    ALLEGRO_BITMAP *icons[4];
    int count = 0;
    for (const char *name : {"icon-48.png", "icon-64.png", "icon-128.png", "icon-256.png"}) {
        std::string path = media_path(name);
        if (!al_filename_exists(path.c_str())) continue;
        ALLEGRO_BITMAP *icon = al_load_bitmap(path.c_str());
        if (icon) icons[count++] = icon;
    }
    if (count > 0) al_set_display_icons(display, count, icons);
    for (int i = 0; i < count; i++) al_destroy_bitmap(icons[i]);
}

// Copies the canvas to the window, scaled to fit between black bars, and swaps.
// Returns the seconds it took.
double show_canvas() {
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
    present_pending = false;
    return end - start;
}
}  // namespace

bool sys_install_input() {
    return al_install_keyboard() && al_install_mouse();
}

bool sys_install_audio() {
    // Without a sound device al_reserve_samples would abort the process, so it
    // is only asked for once the audio system is really up.
    audio_ready = al_install_audio() && al_init_acodec_addon() && al_reserve_samples(3);
    return audio_ready;
}

bool sys_open_screen() {
    // Mesa would keep the window's compiled shaders in a cache in the player's
    // home; the game writes nothing there but its own state folder, so its
    // window must not either.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    al_set_new_window_title("Obrazkowe klocki");
    al_set_new_display_flags(ALLEGRO_WINDOWED | ALLEGRO_RESIZABLE);
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
    }
    close_requested = false;
    present_pending = false;
    int rate = al_get_display_refresh_rate(display);
    start_present_pacing(1.0 / (rate > 0 ? rate : 60));
    set_window_icon();
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
    present_pending = true;
    if (!present_due(al_get_time())) return;
    // A synced screen made it wait: the next rests give that time back.
    credit_present(show_canvas());
}

void sys_rest(double seconds) {
    // The rest ends when it was due to, however long a present within it took.
    double end = al_get_time() + rest_after_credit(seconds);
    double show_at = present_pending ? deferred_present_time(al_get_time(), seconds) : -1;
    for (;;) {
        handle_window_events();
        if (close_requested) return;
        double now = al_get_time();
        if (show_at >= 0 && now >= show_at) {
            show_canvas();
            show_at = -1;
            credit_present(std::max(0.0, al_get_time() - end));
            continue;
        }
        if (now >= end) return;
        double wake = show_at >= 0 ? std::min(end, show_at) : end;
        // Short naps, so the close button is noticed at once.
        al_rest(std::min(wake - now, 0.05));
    }
}

unsigned sys_clock_seconds() {
    return static_cast<unsigned>(time(nullptr));
}

void sys_get_keyboard_state(ALLEGRO_KEYBOARD_STATE *state) {
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
