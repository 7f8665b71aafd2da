// The system layer in a web page: rests and waits that hand the browser its
// turn, the browser's language, the page after leaving, the browser's game
// pads, and WebGL-safe primitives.
#include <GLES2/gl2.h>
#include <allegro5/allegro_primitives.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "system/canvas_fit.h"
#include "system/pad_reading.h"
#include "system/platform.h"
#include "system/platform_allegro.h"
#include "system/present_pacing.h"
#include "system/rest_pacing.h"

namespace {

// The browser draws the page, and delivers input, only while the game gives
// it its turn. A turn of at least `ms` milliseconds; a timer's turn comes 4 ms
// late at best, so a shorter one is a message the page sends itself.
// With `wake`, any input or a new window size ends it early, once the
// library's own handlers have taken the event in.
EM_ASYNC_JS(void, browser_turn, (double ms, int wake), {
    if (!Module.turns) {
        var turns = Module.turns = {channel : new MessageChannel(), waiting : [], wake : null};
        turns.channel.port1.onmessage = function() {
            turns.waiting.shift()();
        };
        var woken = function() {
            if (turns.wake) setTimeout(turns.wake, 0);
            turns.wake = null;
        };
        [
            "keydown", "keyup", "pointerdown", "pointerup", "pointermove", "touchstart",
            "touchmove", "touchend", "resize", "gamepadconnected", "gamepaddisconnected"
        ]
            .forEach(function(name) { window.addEventListener(name, woken, true); });
    }
    var turns = Module.turns;
    await new Promise(function(done) {
        if (ms < 4 && !wake) {
            turns.waiting.push(done);
            turns.channel.port2.postMessage(0);
            return;
        }
        var timer = setTimeout(
            function() {
                turns.wake = null;
                done();
            },
            ms);
        if (wake) turns.wake = function() {
                clearTimeout(timer);
                done();
            };
    });
});

// The language the browser is asked to show pages in, as a locale name
// ("pl_PL.UTF-8"): the game reads it as the desktop reads LANG.
EM_JS(void, browser_language, (char *buffer, int size), {
    var language = (navigator.languages && navigator.languages[0]) || navigator.language || "en";
    stringToUTF8(language.replace("-", "_") + ".UTF-8", buffer, size);
});

// A pad the browser knows the buttons of ("standard" mapping): the d-pad is
// buttons 12 to 15 (up, down, left, right), Back/Select button 8.
int pad_x;
int pad_y;

// Where the last finger was, while the pointer has not moved since: a finger
// lifted leaves the pointer there.
bool touch_last;
int touch_x;
int touch_y;
int mouse_x;
int mouse_y;

// Takes the window's events in; a new page size clears the page's canvas, so
// the last frame is shown again at once, whatever the game is doing.
void take_window_events() {
    ALLEGRO_EVENT event;
    while (window_events && al_get_next_event(window_events, &event)) {
        if (handle_event(event)) show_canvas();
    }
}

}  // namespace

bool sys_open_screen(const char *title, const char *) {
    // The page's own icon stands for the game; F11 is the browser's.
    f11_toggles_full_screen = false;
    // A finger on the page comes as a touch, which the library does not turn
    // into the pointer's state.
    al_install_touch_input();
    // Allegro would read every changed bitmap back from WebGL at each flip,
    // to restore it should the context be lost: a stall in every frame. The
    // game redraws nothing it could restore, so a lost context is a lost game.
    al_set_new_bitmap_flags(al_get_new_bitmap_flags() | ALLEGRO_NO_PRESERVE_TEXTURE);
    return open_window(title);
}

void sys_close_screen() {
    close_window();
    EM_ASM({
        if (Module.on_left) Module.on_left();
    });
}

void sys_rest(double seconds) {
    double now = al_get_time();
    double end = pace_rest(now, seconds);
    double length = seconds >= 0.01 ? seconds : end - now;
    double show_at = present_pending ? deferred_present_time(now, length) : -1;
    // Every rest gives the browser its turn, even one the pace has used up:
    // without it nothing drawn reaches the page and no input comes in.
    bool turned = false;
    for (;;) {
        take_window_events();
        now = al_get_time();
        if (show_at >= 0 && now >= show_at) {
            show_canvas();
            show_at = -1;
        }
        double wake = show_at >= 0 ? std::min(end, show_at) : end;
        if (now >= end && turned) return;
        browser_turn(std::max(0.0, std::min(wake - now, 0.05)) * 1000, 0);
        turned = true;
    }
}

void sys_wait_for_input() {
    take_window_events();
    // A pad sends the page no events: the library looks at the pads, and
    // turns what changed into events, whenever it is asked for events.
    const double pad_look = 0.1;
    while (!input_seen) {
        double now = al_get_time();
        double until = now + pad_look;
        if (present_pending) {
            // The last frame still goes out, at its time.
            until = next_present_time(now);
            if (until <= now) {
                show_canvas();
                continue;
            }
        }
        browser_turn((until - now) * 1000, 1);
        take_window_events();
    }
    start_rest_pacing(al_get_time());
}

const char *sys_environment(const char *name) {
    static char language[64];
    if (strcmp(name, "LANG") != 0) return getenv(name);
    browser_language(language, sizeof language);
    return language;
}

const char *sys_executable_folder() {
    // The page's files lie at the root of the browser's file system.
    return "/";
}

void sys_exit_now(int code) {
    fflush(nullptr);
    emscripten_force_exit(code);
    abort();
}

void sys_show_failure(const char *message) {
    EM_ASM(
        {
            if (Module.on_failure) Module.on_failure(UTF8ToString($0));
        },
        message);
}

void sys_get_mouse_state(ALLEGRO_MOUSE_STATE *state) {
    al_get_mouse_state(state);
    if (state->x != mouse_x || state->y != mouse_y) touch_last = false;
    mouse_x = state->x;
    mouse_y = state->y;
    if (al_is_touch_input_installed()) {
        // The first finger down drags as the primary button does.
        ALLEGRO_TOUCH_INPUT_STATE fingers;
        al_get_touch_input_state(&fingers);
        for (const ALLEGRO_TOUCH_STATE &finger : fingers.touches) {
            if (finger.id < 0) continue;
            touch_last = true;
            touch_x = static_cast<int>(finger.x);
            touch_y = static_cast<int>(finger.y);
            state->buttons |= 1;
            break;
        }
    }
    if (touch_last) {
        state->x = touch_x;
        state->y = touch_y;
    }
    if (display) {
        window_to_canvas(al_get_display_width(display), al_get_display_height(display), state->x,
                         state->y);
    }
}

// The browser names no buttons: Back is the standard mapping's.
void find_back_buttons() {}

bool pad_event_counts(const ALLEGRO_JOYSTICK_EVENT &event) {
    return pad_event_matters(pad_event_of(event, event.stick == 0, 8, pad_x, pad_y));
}

void sys_get_pad_state(pad_state *state) {
    *state = pad_state();
    if (!al_is_joystick_installed()) return;
    float x = 0, y = 0;
    for (int i = 0; i < al_get_num_joysticks(); i++) {
        ALLEGRO_JOYSTICK *pad = al_get_joystick(i);
        if (!pad || !al_get_joystick_active(pad) || al_get_joystick_num_buttons(pad) < 16) continue;
        ALLEGRO_JOYSTICK_STATE now;
        al_get_joystick_state(pad, &now);
        float stick_x = al_get_joystick_num_sticks(pad) > 0 ? now.stick[0].axis[0] : 0;
        float stick_y = al_get_joystick_num_sticks(pad) > 0 ? now.stick[0].axis[1] : 0;
        float dpad_x = (now.button[15] ? 1.0f : 0.0f) - (now.button[14] ? 1.0f : 0.0f);
        float dpad_y = (now.button[13] ? 1.0f : 0.0f) - (now.button[12] ? 1.0f : 0.0f);
        // The strongest push on any pad wins.
        for (float value : {stick_x, dpad_x}) {
            if (std::abs(value) > std::abs(x)) x = value;
        }
        for (float value : {stick_y, dpad_y}) {
            if (std::abs(value) > std::abs(y)) y = value;
        }
        if (now.button[0]) state->face = true;
        if (now.button[8]) state->back = true;
    }
    pad_x = state->x = stick_direction(x, pad_x);
    pad_y = state->y = stick_direction(y, pad_y);
}

// --- Primitives (linked with --wrap) ---

// WebGL refuses to draw while the target bitmap's own texture is bound (a
// feedback loop), and Allegro's shader path leaves the last drawn bitmap's
// texture bound for untextured primitives: a rectangle drawn into the canvas
// right after the canvas was shown would silently go missing.
extern "C" {
void __real_al_draw_filled_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color);
void __real_al_draw_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color,
                              float thickness);

void __wrap_al_draw_filled_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color) {
    glBindTexture(GL_TEXTURE_2D, 0);
    __real_al_draw_filled_rectangle(x1, y1, x2, y2, color);
}

void __wrap_al_draw_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color,
                              float thickness) {
    glBindTexture(GL_TEXTURE_2D, 0);
    __real_al_draw_rectangle(x1, y1, x2, y2, color, thickness);
}
}
