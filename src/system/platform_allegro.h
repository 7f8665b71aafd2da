#pragma once

#include <allegro5/allegro.h>

// The Allegro window, its canvas and its events, shared by the system layer
// of the desktop (platform_desktop.cpp) and of a web page (platform_web.cpp),
// which add the system's own rests, waits, files and environment.

extern ALLEGRO_DISPLAY *display;
// Only the window's own business is taken from events: its close button, a
// new size, and F11 for a fullscreen window. The game's input is polled as
// state, once per frame; its events only tell that input came, which ends a
// wait for input.
extern ALLEGRO_EVENT_QUEUE *window_events;
extern bool close_requested;
// The canvas holds a frame the window does not show yet.
extern bool present_pending;
// A pointer, key or other input event came since the keyboard was last read.
extern bool input_seen;
// Whether F11 switches the window to the full screen and back (a browser
// keeps that key for itself).
extern bool f11_toggles_full_screen;

// Opens the 1020 x 710 window, resizable, titled, and its canvas, the target
// from then on. False when no window can be opened.
bool open_window(const char *title);

// Destroys the canvas and the window.
void close_window();

// Handles one event; returns whether the window must be repainted.
bool handle_event(const ALLEGRO_EVENT &event);

// While frames are drawn the next present repaints the window anyway.
void handle_window_events();

// Copies the canvas to the window, scaled to fit between black bars, and swaps.
void show_canvas();

// Each system layer's own pads: finds each pad's Back button once the pads
// are configured, and tells whether a pad's event changes what the game
// reads of the pads (drift and unused axes and buttons do not).
void find_back_buttons();
bool pad_event_counts(const ALLEGRO_JOYSTICK_EVENT &event);

// A pad's event as the pads' rule reads it: whether its stick is one the game
// reads, the pad's Back button (-1: none) and what each axis gave last.
struct pad_event;
pad_event pad_event_of(const ALLEGRO_JOYSTICK_EVENT &event, bool stick_read, int back, int x_before,
                       int y_before);
