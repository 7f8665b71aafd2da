// When the game is written to the state folder, and how it is read back.
#include "shell/autosave.h"

#include <cstdio>
#include <cstring>

#include "puzzle/progress.h"
#include "puzzle/records.h"
#include "puzzle/saved_game.h"
#include "shell/platform.h"
#include "view/picture_set.h"

bool saved_game_waiting;

namespace {

const char *const game_file = "game";
const char *const records_file = "records";

// What the state folder holds, as this run last wrote it; empty once the
// saved game is gone.
char written[2048];
char text[2048];
bool cannot_save_told;

void write_file(const char *name, const char *bytes, int length) {
    int failure = length < 0 ? ENOSPC : sys_write_state(name, bytes, length);
    if (failure && !cannot_save_told) {
        cannot_save_told = true;
        fprintf(stderr,
                "picture-cubes: cannot save the game in %s (%s); playing on without saving\n",
                sys_state_path(""), strerror(failure));
    }
}

// Reads one file of the folder; a damaged one is set aside. The reader
// returns null when the text is good.
void read_file(const char *name, const char *(*read)(const char *, int), const char *instead) {
    char bytes[4096];
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
    written[0] = 0;
    cannot_save_told = false;
    clear_records();
    read_file(records_file, read_records, "the records start afresh");
    read_file(game_file, read_game_text, "a new game begins");
}

void bring_back_saved_game() {
    if (!saved_game_waiting) return;
    saved_game_waiting = false;
    resume_saved_game();
    resume_picture_set();
    group_loaded = 1;
    // The folder holds this very game already.
    int length = write_saved_game(written, sizeof written);
    if (length < 0) written[0] = 0;
}

void save_game_if_changed() {
    if (current_group > 2) {
        // A finished game leaves nothing to resume.
        if (written[0]) sys_remove_state(game_file);
        written[0] = 0;
        return;
    }
    // While a set is being dealt there is no board to keep.
    if (!group_loaded) return;
    int length = write_saved_game(text, sizeof text);
    if (length >= 0 && strcmp(text, written) == 0) return;
    write_file(game_file, text, length);
    // Tried once per change, whether or not it could be written.
    memcpy(written, text, sizeof written);
}

void note_set_finished() {
    int group = current_group - 1;
    if (!note_finished_set(group, group_moves[group], sys_clock_seconds())) return;
    write_file(records_file, text, write_records(text, sizeof text));
}
