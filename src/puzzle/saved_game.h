#pragma once

// The game in play as a small text a person can read, and back. Writing
// formats into the caller's buffer and allocates nothing, so it can run in
// any frame.

// File numbers (1..10 of the group's ten) of each group's set in this game,
// slot k holding picture number k; slot 0 unused.
extern int set_files[3][7];

// The way each cube last rolled (a roll direction; 0 while it stands as
// dealt): a roll leaves its front drawn a little differently from a dealt
// one, and a resumed board shows each front as the player last saw it.
extern int last_roll[13];

// Writes the state of the game in play into `text` (at most `size` bytes,
// with a closing zero). Returns the length, or -1 when it does not fit.
int write_saved_game(char *text, int size);

// Reads a saved game from `text` and checks every value. On success keeps it
// aside for resume_saved_game and returns null; otherwise returns what is
// wrong with it, in a few words.
const char *read_saved_game(const char *text, int length);

// The player's pictures the game read last by read_saved_game was played
// with, entries 1 .. the count returned; 0 for a game of the built-in groups.
struct own_picture;
int saved_own_pictures(const own_picture *&pictures);

// Makes the game read last by read_saved_game the game in play: group, set,
// face nets and turns, moves, slots and pending picture, finished groups.
void resume_saved_game();
