#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// Control over the scripted system layer the test suite links instead of the
// real one: the test sets what the keyboard and pointer report, reads what was
// presented, rested and played, and can look at every presented frame.
namespace script {

struct played_sample {
    ALLEGRO_SAMPLE *sample;
    float gain;
    float pan;
    float speed;
    int presents_before;  // frames presented when it was asked for
};

// What the devices report at the next poll.
void set_pointer(int x, int y, int buttons);
void set_key(int keycode, bool down);
// The pad: its stick's push each way (-1 to 1, read through the dead zone
// as the real layer reads it), the first face button, Back.
void set_pad(float x, float y, bool face, bool back);

extern bool close_requested;    // the window's close button was clicked
extern unsigned clock_seconds;  // what the clock reads
extern int utc_offset;          // seconds the player's zone is ahead of UTC
extern bool screen_available;   // false: opening the screen fails
extern bool audio_available;    // false: there is no sound device
// The environment the game reads (LANG and the like); empty: none set.
extern std::map<std::string, std::string> environment;

// The scripted window's refresh period, in seconds of the scripted clock,
// which moves on by each rest. Where the game asks whether a frame will be
// shown, the real layer's rule answers from that clock; 0 is a window that
// shows every frame. A frame not shown is still counted in `presents` but not
// passed to on_present.
extern double refresh_period;

// What the game did.
extern int presents;
extern int waits;  // times the frame loop waited for input
extern std::vector<double> rests;
extern std::vector<played_sample> samples;
extern int mouse_polls;
extern std::vector<std::string> failures_shown;  // words of each message box, also on stderr
extern bool screen_open;

double total_rest();

// Called after every presented frame and every rest, so a test can look at a
// blocking sequence while it runs or change the input in the middle of it.
extern std::function<void()> on_present;
extern std::function<void()> on_rest;

// The memory canvas the game draws on.
ALLEGRO_BITMAP *canvas();

// The state folder the game reads and writes: a scratch folder made in the
// system's temporary directory when the suite starts.
extern std::string state_folder;

// How many more writes and removals reach the state folder before the game
// is taken as killed, the rest never reaching it; -1: all of them.
extern int state_writes_left;
// Another copy of the game holds the state folder.
extern bool state_held_elsewhere;
// The player's files: those a read must fail on, as on files the player may
// not read, and every read made, in order.
extern std::set<std::string> unreadable_files;
struct file_read {
    std::string path;
    long long offset, size;
};
extern std::vector<file_read> file_reads;

// Back to a quiet keyboard, a still pointer at (0, 0), empty records and an
// empty state folder.
void reset();

// Removes the state folder and what it holds. Refuses, saying why on stderr,
// when it is not inside the system's temporary directory: a test must never
// touch a player's files. Returns whether it removed it (or it was not there).
bool remove_state_folder();

}  // namespace script
