#pragma once

// For each group, the fewest rotations in which one of its sets was finished,
// and on which day; kept from game to game.
extern int record_moves[3];       // -1: no set of the group finished yet
extern char record_dates[3][11];  // "2026-12-08"

// How each set of this game compared with the record that stood before it.
enum { first_finished = 0, record_beaten = 1, record_kept = 2 };
extern int set_against_record[3];

// Counts a set of `group` finished in `moves` rotations on `date`
// ("YYYY-MM-DD", the player's day). Returns whether the records changed.
bool note_finished_set(int group, int moves, const char *date);

// The records as text into `text` (at most `size` bytes, with a closing zero);
// the length, or -1 when it does not fit. Allocates nothing.
int write_records(char *text, int size);

// Replaces the records with those in `text`. Null on success; otherwise what
// is wrong, in a few words, and the records are left empty.
const char *read_records(const char *text, int length);

// No record for any group.
void clear_records();

// The calendar day of `seconds` since 1970, counted in no zone, as
// "YYYY-MM-DD".
void date_of(unsigned seconds, char date[11]);
