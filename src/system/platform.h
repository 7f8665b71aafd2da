#pragma once

// The system layer's one interface; src/system holds its implementations.
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

#include <string>
#include <vector>

// The system layer: every call that opens or presents the screen, sleeps,
// reads the clock, polls the keyboard or the pointer, or plays a sound goes
// through here. The game links the Allegro implementation; the test suite
// links a scripted one that feeds input frame by frame, records rests instead
// of sleeping and draws into a memory canvas.
//
// The game never draws on the window's back buffer directly. It draws into a
// 1020 x 710 canvas that keeps its image from frame to frame, and presenting a
// frame copies the canvas to the window. Wherever the game means "the screen",
// it means this canvas.

// Installs keyboard and mouse, and game pads where the system has them. False
// when the keyboard or the mouse cannot be installed.
bool sys_install_input();

// Installs sound with three voices. False when there is no sound device; the
// game then plays silent and every sys_play_sample is a no-op.
bool sys_install_audio();

// Opens the 1020 x 710 window, resizable, with its title and the icons of
// `icon_folder` (icon-48.png and larger), and its canvas, and makes the canvas
// the target. False when no window can be opened.
bool sys_open_screen(const char *title, const char *icon_folder);

// Destroys the canvas and the window.
void sys_close_screen();

// Makes the canvas the drawing target.
void sys_target_screen();

// Shows the canvas in the window, scaled to fit, at most once per refresh of
// the screen: a frame asked for sooner is shown by a later present or rest.
void sys_present();

// Sleeps for the given seconds, or less once the window's close button is
// clicked. The time spent since the last rest (drawing, presenting) counts
// against the sleep, so a sequence keeps its designed pace on a slow machine.
void sys_rest(double seconds);

// The value of an environment variable, or null when it is not set.
const char *sys_environment(const char *name);

// Sets an environment variable for this process and what it starts.
void sys_set_environment(const char *name, const char *value);

// Sets the locale of messages (gettext's LC_MESSAGES); "" asks for the one the
// environment names. False when this system has no such locale.
bool sys_set_message_locale(const char *locale);

// Whether a file or folder exists at `path`.
bool sys_file_exists(const char *path);

// The folder the executable lives in, with a closing '/', or "" when the
// system cannot tell.
const char *sys_executable_folder();

// Ends the process at once with `code`, after flushing stdio, without the
// library's own shutdown (which waits on its threads).
[[noreturn]] void sys_exit_now(int code);

// Starts the designed pace afresh: what was spent before is no lag for the
// next rests to make up. Called where a sequence begins.
void sys_pace_from_now();

// Whether the frame being drawn, which ends with rests of `seconds` in all,
// will reach the window: a present is due by then, and the pace is not behind
// (a present costs time the rests then make up), unless none went out for a
// while. When it will not, its present shows nothing, and the caller may
// leave out any drawing that the next frame paints over anyway.
bool sys_frame_shown(double seconds);

// Blocks until the next pointer move or press, key or other input, or the
// window's close button; meanwhile the window is repainted whenever it needs
// it. Returns at once when input came since the keyboard was last read.
void sys_wait_for_input();

// The calendar time in whole seconds, to seed the generator and date records.
unsigned sys_clock_seconds();

// The player's calendar day at `seconds` since 1970 as "YYYY-MM-DD", in the
// zone `date` shows: TZ, else /etc/localtime; UTC where TZ names no zone.
void sys_local_date(unsigned seconds, char date[11]);

void sys_get_keyboard_state(ALLEGRO_KEYBOARD_STATE *state);
// The pointer in canvas pixels, whatever the window's size.
void sys_get_mouse_state(ALLEGRO_MOUSE_STATE *state);

// Whether the player has asked the window manager to close the window (its
// close button) since the screen opened.
bool sys_close_requested();

// Shows the words of a failure that stops the game in a message box and waits
// until the player closes it, when stderr is not a terminal (the game was
// started from a menu, where nobody reads stderr). Where no box can be shown,
// for want of a display, it does nothing: stderr alone tells.
void sys_show_failure(const char *message);

// Plays a sample once at the given pan (ALLEGRO_AUDIO_PAN_NONE: centred, no
// pan law). A null sample or a silent game plays nothing.
void sys_play_sample(ALLEGRO_SAMPLE *sample, float gain, float pan, float speed);

// --- Game pads ---

// What the plugged-in game pads report, taken together: a direction from a
// d-pad or a left stick (-1, 0 or 1 on each axis, x to the right, y down),
// the first face button and Back/Select. All quiet when no pad is plugged in.
struct pad_state {
    int x;
    int y;
    bool face;
    bool back;
};
void sys_get_pad_state(pad_state *state);

// ---- The game's own state folder ----
// $XDG_STATE_HOME/picture-cubes when that variable holds an absolute path,
// else ~/.local/state/picture-cubes; links on the way to it and the folder
// being one are followed. Files in it are plain files, never links.

// The full path of a file in the folder, for messages.
const char *sys_state_path(const char *name);

// Replaces the named file whole or not at all: a new file beside it (0600),
// flushed to disk and renamed over it, never while another copy of the game
// writes. Creates the folder (0700) first when needed. At most 16 KiB.
// Allocates nothing. A layer may hand the write to a writer beside the game
// and return at once (the desktop's does, so that no flush holds up a frame):
// writes and removals are then made in the order asked, and a file asked for
// again before it was written is written once, at its newest. 0, or the errno
// of what failed at once; a later failure comes from sys_state_failure.
int sys_write_state(const char *name, const char *bytes, int length);

// Reads the named file into `buffer`, at most `size` bytes, as the disk holds
// it (a write still waiting is not there yet). Its length; -1
// when there is no such file; -2 when it cannot be read as a plain file of at
// most `size` bytes (a link, a folder, too long, unreadable).
int sys_read_state(const char *name, char *buffer, int size);

// Keeps the named file aside as name.bad, in place of an older one.
void sys_set_aside_state(const char *name);

// Removes the named file, in its turn among the writes.
void sys_remove_state(const char *name);

// The errno of a write or removal that failed since the last call, or 0.
int sys_state_failure();

// Waits until every write and removal asked for is on disk, at most
// `seconds`. False when some were not done by then.
bool sys_wait_for_state(double seconds);

// Whether another copy of the game, still running, holds the state folder:
// the first copy to ask holds it until it ends, however it ends. A copy that
// does not hold it may still read and write the folder.
bool sys_state_held_elsewhere();

// ---- The player's own pictures, named on the command line ----
// Only ever read: nothing is written where they are.

enum { path_missing, path_file, path_folder, path_other, path_loops, path_unreadable };
struct path_facts {
    int kind;            // one of the above, links followed
    long long size;      // in bytes
    long long modified;  // the modification time, in microseconds since 1970
    int error;           // the errno behind path_missing and path_unreadable
};
void sys_path_facts(const char *path, path_facts *facts);

// The names in a folder, "." and ".." left out, in no particular order, into
// `names`. 0, or the errno when the folder cannot be read.
int sys_folder_names(const char *path, std::vector<std::string> *names);

// Reads up to `size` bytes of a file from `offset` into `buffer`. The count
// read (less at the file's end), or minus the errno.
long long sys_read_file(const char *path, long long offset, unsigned char *buffer, long long size);

// The absolute path with every link resolved, or "" when there is none.
std::string sys_real_path(const char *path);
