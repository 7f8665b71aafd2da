// The system layer on the desktop: a real window, sleeps, the environment,
// the locale, a message box and Linux's game pads.
#include <allegro5/allegro_native_dialog.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "system/canvas_fit.h"
#include "system/pad_codes.h"
#include "system/pad_reading.h"
#include "system/platform.h"
#include "system/platform_allegro.h"
#include "system/present_pacing.h"
#include "system/rest_pacing.h"

namespace {

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

}  // namespace

bool sys_open_screen(const char *title, const char *icon_folder) {
    // Mesa would keep the window's compiled shaders in a cache in the player's
    // home; the game writes nothing there but its own state folder, so its
    // window must not either.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    f11_toggles_full_screen = true;
    if (!open_window(title)) return false;
    set_window_icon(icon_folder);
    return true;
}

void sys_close_screen() {
    close_window();
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

void sys_get_mouse_state(ALLEGRO_MOUSE_STATE *state) {
    al_get_mouse_state(state);
    // The game hit-tests canvas pixels, whatever the window's size.
    if (display) {
        window_to_canvas(al_get_display_width(display), al_get_display_height(display), state->x,
                         state->y);
    }
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

// Each pad's Back button, found when the pads are configured; -1 where the
// game cannot tell which it is, and then no pad button leaves.
struct pad_back {
    ALLEGRO_JOYSTICK *pad;
    int button;
};
pad_back back_buttons[16];
int pads_known;

// A stick the game reads: the first (the left one) or a d-pad.
bool stick_read(ALLEGRO_JOYSTICK *pad, int stick) {
    bool dpad = al_get_joystick_stick_flags(pad, stick) & ALLEGRO_JOYFLAG_DIGITAL;
    return (stick == 0 || dpad) && al_get_joystick_num_axes(pad, stick) >= 2;
}

int back_button(ALLEGRO_JOYSTICK *pad) {
    for (int i = 0; i < pads_known; i++) {
        if (back_buttons[i].pad == pad) return back_buttons[i].button;
    }
    return -1;
}

}  // namespace

// By the names the driver gives the buttons, else by the kernel's codes.
void find_back_buttons() {
    pads_known = 0;
    for (int i = 0; i < al_get_num_joysticks() && pads_known < 16; i++) {
        ALLEGRO_JOYSTICK *pad = al_get_joystick(i);
        if (!pad) continue;
        int buttons = std::min(al_get_joystick_num_buttons(pad), _AL_MAX_JOYSTICK_BUTTONS);
        const char *names[_AL_MAX_JOYSTICK_BUTTONS];
        for (int b = 0; b < buttons; b++) names[b] = al_get_joystick_button_name(pad, b);
        int back = back_button_named(names, buttons);
        if (back < 0) {
            int codes[_AL_MAX_JOYSTICK_BUTTONS];
            int count = read_pad_button_codes(al_get_joystick_name(pad), buttons, codes,
                                              _AL_MAX_JOYSTICK_BUTTONS);
            back = back_button_coded(codes, count);
        }
        back_buttons[pads_known++] = {pad, back};
    }
}

bool pad_event_counts(const ALLEGRO_JOYSTICK_EVENT &event) {
    bool read = event.type == ALLEGRO_EVENT_JOYSTICK_AXIS && stick_read(event.id, event.stick);
    return pad_event_matters(pad_event_of(event, read, back_button(event.id), pad_x, pad_y));
}

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
            if (!stick_read(pad, stick)) continue;
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
