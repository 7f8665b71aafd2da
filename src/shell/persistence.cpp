// The state folder in use: the saved game and the records read at start-up,
// the game resumed, and both written back as play goes on.
#include "shell/persistence.h"

#include <cstdio>
#include <cstring>

#include "puzzle/own_sets.h"
#include "puzzle/progress.h"
#include "puzzle/records.h"
#include "puzzle/saved_game.h"
#include "shell/own_pictures.h"
#include "shell/picture_set.h"
#include "system/platform.h"

bool saved_game_waiting;
bool saved_game_held_elsewhere;

namespace {

const char *const game_file = "game";
const char *const records_file = "records";

// The saved game as this run last wrote it; empty once it is gone. A game of
// the player's pictures holds their paths.
char last_written_game[65536];
// Where a file is formatted before it is written.
char formatted[65536];
bool cannot_save_told;
// A finished set changed the records: they are written after the saved game
// that holds the set's end, so that a game ended between the two writes
// never finishes that set again against its own record.
bool records_changed;

void tell_cannot_save(int failure) {
    if (!failure || cannot_save_told) return;
    cannot_save_told = true;
    fprintf(stderr, "picture-cubes: cannot save the game in %s (%s); playing on without saving\n",
            sys_state_path(""), strerror(failure));
}

void write_file(const char *name, const char *bytes, int length) {
    tell_cannot_save(length < 0 ? ENOSPC : sys_write_state(name, bytes, length));
}

void write_records_if_changed() {
    if (!records_changed) return;
    records_changed = false;
    write_file(records_file, formatted, write_records(formatted, sizeof formatted));
}

// Reads one file of the folder; a damaged one is set aside. The reader
// returns null when the text is good.
void read_file(const char *name, const char *(*read)(const char *, int), const char *instead) {
    static char bytes[65536];
    int length = sys_read_state(name, bytes, sizeof bytes);
    if (length == -1) return;
    const char *wrong =
        length == -2 ? "it is not a plain file of a few lines" : read(bytes, length);
    if (!wrong) return;
    fprintf(stderr, "picture-cubes: %s cannot be used (%s); it is kept as %s.bad and %s\n",
            sys_state_path(name), wrong, name, instead);
    sys_set_aside_state(name);
}

const char *read_game_text(const char *bytes, int length) {
    const char *wrong = read_saved_game(bytes, length);
    saved_game_waiting = !wrong;
    return wrong;
}

}  // namespace

void look_for_saved_game() {
    saved_game_waiting = false;
    last_written_game[0] = 0;
    cannot_save_told = false;
    records_changed = false;
    clear_records();
    saved_game_held_elsewhere = sys_state_held_elsewhere();
    read_file(records_file, read_records, "the records start afresh");
    if (saved_game_held_elsewhere) {
        fprintf(stderr,
                "picture-cubes: another copy of the game is running and holds the saved game in "
                "%s; this one plays a new game\n",
                sys_state_path(""));
        return;
    }
    read_file(game_file, read_game_text, "a new game begins");
    if (saved_game_waiting && !saved_game_can_resume()) saved_game_waiting = false;
}

void bring_back_saved_game() {
    if (!saved_game_waiting) return;
    saved_game_waiting = false;
    resume_saved_game();
    resume_picture_set();
    group_loaded = 1;
    // A game ended between its saved game and its records still holds the
    // record its finished sets made; the day is today's, the set's own lost.
    char today[11];
    sys_local_date(sys_clock_seconds(), today);
    // The player's pictures keep no records.
    for (int g = 0; g < current_group && !own_picture_count; g++) {
        int verdict = set_against_record[g];
        if (verdict == record_kept) continue;
        if (note_finished_set(g, group_moves[g], today)) records_changed = true;
        set_against_record[g] = verdict;
    }
    write_records_if_changed();
    // The folder holds this very game already.
    int length = write_saved_game(last_written_game, sizeof last_written_game);
    if (length < 0) last_written_game[0] = 0;
}

void save_game_if_changed() {
    // A write the writer could not make is told here, once.
    tell_cannot_save(sys_state_failure());
    if (current_group > 2) {
        // A finished game leaves nothing to resume.
        if (last_written_game[0]) sys_remove_state(game_file);
        last_written_game[0] = 0;
        write_records_if_changed();
        return;
    }
    // While a set is being dealt there is no board to keep, nor records to
    // write: a game ended now finishes its last set again.
    if (!group_loaded) return;
    int length = write_saved_game(formatted, sizeof formatted);
    if (length < 0 || strcmp(formatted, last_written_game) != 0) {
        write_file(game_file, formatted, length);
        // Tried once per change, whether or not it could be written.
        memcpy(last_written_game, formatted, sizeof last_written_game);
    }
    write_records_if_changed();
}

void wait_for_saving() {
    if (!sys_wait_for_state(2.0)) {
        fprintf(stderr,
                "picture-cubes: the game was still being saved in %s after 2 s; leaving without "
                "waiting: its last moves may be lost, and the state saved before them is kept\n",
                sys_state_path(""));
        return;
    }
    tell_cannot_save(sys_state_failure());
}

void note_records_of_finished_set() {
    // Records are the built-in groups'; the player's pictures keep none.
    if (own_picture_count) return;
    int group = current_group - 1;
    char today[11];
    sys_local_date(sys_clock_seconds(), today);
    if (note_finished_set(group, group_moves[group], today)) records_changed = true;
}
