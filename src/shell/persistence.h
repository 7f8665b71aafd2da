#pragma once

// A saved game read at start-up, waiting to be brought back (the intro offers
// a new game instead).
extern bool saved_game_waiting;

// Reads the records and the saved game from the state folder. A damaged file
// is told on stderr in one line naming it, kept aside as .bad, and ignored.
void look_for_saved_game();

// Makes the waiting saved game the game in play and brings its set back on
// the screen; does nothing without one.
void bring_back_saved_game();

// Writes the game in play when it differs from what was last written; once
// the summary is reached, removes it. Allocates nothing.
void save_game_if_changed();

// A set was just finished: its rotations may make a record, and the records
// are written when they do.
void save_records_of_finished_set();
