#pragma once

// A saved game read at start-up, waiting to be brought back (the intro offers
// a new game instead).
extern bool saved_game_waiting;
// Another copy of the game, still running, holds the saved game: this one
// plays a new game.
extern bool saved_game_held_elsewhere;

// Reads the records and the saved game from the state folder. A damaged file
// is told on stderr in one line naming it, kept aside as .bad, and ignored.
void look_for_saved_game();

// Makes the waiting saved game the game in play and brings its set back on
// the screen; does nothing without one.
void bring_back_saved_game();

// Writes the game in play when it differs from what was last written, then
// the records when a finished set changed them; once the summary is reached,
// removes the game. The writing may go on beside the game. Allocates nothing.
void save_game_if_changed();

// Leaving: waits, at most 2 s, until what was asked to be saved is on disk,
// and says so on stderr when it is not.
void wait_for_saving();

// A set was just finished: its rotations may make a record, and the records
// are written with the next saved game, which holds the set's end.
void note_records_of_finished_set();
