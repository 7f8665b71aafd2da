// The system layer on a real window, keyboard, mouse, clock and sound card.
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_native_dialog.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "shell/platform.h"
#include "shell/resources.h"

namespace {
ALLEGRO_BITMAP *canvas;
bool audio_ready;
// Only the window's close button is taken from events; all other input is
// polled as state, once per frame.
ALLEGRO_EVENT_QUEUE *window_events;
bool close_requested;
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
    // home; the game writes nothing, so its window must not either.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    display = al_create_display(1020, 710);
    if (!display) return false;
    // Double-buffered GL windows promise nothing about the back buffer after a
    // flip, and the game draws incrementally: it keeps its own image instead.
    canvas = al_create_bitmap(1020, 710);
    if (!canvas) {
        al_destroy_display(display);
        display = nullptr;
        return false;
    }
    window_events = al_create_event_queue();
    if (window_events)
        al_register_event_source(window_events, al_get_display_event_source(display));
    close_requested = false;
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
}

void sys_target_screen() {
    al_set_target_bitmap(canvas);
}

void sys_present() {
    ALLEGRO_BITMAP *target = al_get_target_bitmap();
    al_set_target_backbuffer(display);
    // A plain copy: the canvas replaces the window's content whatever its alpha.
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_draw_bitmap(canvas, 0, 0, 0);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_INVERSE_ALPHA);
    al_flip_display();
    al_set_target_bitmap(target);
}

void sys_rest(double seconds) {
    al_rest(seconds);
}

unsigned sys_clock_seconds() {
    return static_cast<unsigned>(time(nullptr));
}

void sys_get_keyboard_state(ALLEGRO_KEYBOARD_STATE *state) {
    al_get_keyboard_state(state);
}

void sys_get_mouse_state(ALLEGRO_MOUSE_STATE *state) {
    al_get_mouse_state(state);
}

bool sys_close_requested() {
    ALLEGRO_EVENT event;
    while (window_events && al_get_next_event(window_events, &event)) {
        if (event.type == ALLEGRO_EVENT_DISPLAY_CLOSE) close_requested = true;
    }
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
    al_show_native_message_box(nullptr, "Picture Cubes", "Picture Cubes has stopped", message,
                               nullptr, ALLEGRO_MESSAGEBOX_ERROR);
}
