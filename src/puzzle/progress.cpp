#include "puzzle/progress.h"

int current_group;
int group_moves[3];
int sets_in_game = 3;

int move_counter;
int assembled[7];
int pending_picture;
int group_loaded;

void acknowledge_pending() {
    // With nothing pending this marks slot 0, which nobody reads.
    assembled[pending_picture] = 1;
    pending_picture = 0;
}

bool finish_group_if_complete() {
    // Only a group in play can be finished; past the third there is no entry
    // of group_moves to write.
    if (current_group < 0 || current_group > 2) return false;
    for (int picture = 1; picture <= 6; picture++) {
        if (assembled[picture] != 1) return false;
    }
    group_moves[current_group] = move_counter;
    current_group++;
    if (current_group == sets_in_game) current_group = 3;
    for (int slot = 0; slot <= 6; slot++) assembled[slot] = 0;
    group_loaded = 0;
    return true;
}
