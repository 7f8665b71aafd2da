#pragma once

// Where the game stands: 0, 1, 2 while that group is played, 3 for the instant
// after the third group is finished, 4 while the end screen is on view.
extern int current_group;
extern int group_moves[3];  // the move counter recorded when each group was finished
// How many sets the game has: the three groups, or one to three sets of the
// player's own pictures. Finishing the last one goes on to the summary.
extern int sets_in_game;

extern int move_counter;     // rolls completed since the current group was loaded
extern int assembled[7];     // slot k is 1 once picture k is assembled and acknowledged
extern int pending_picture;  // celebrated, not yet acknowledged (0 = none)
extern int group_loaded;     // 0: the current group is dealt at the next playing frame

// What the twelve fronts show right now, judged against the group's progress.
struct completion_verdict {
    int best;                // the most cubes that show one picture upright
    int celebrate;           // a picture whole for the first time, to celebrate now (0 = none)
    bool already_assembled;  // an acknowledged picture stands whole again
};
completion_verdict judge_completion();

// The press after a celebration counts the pending picture as assembled.
void acknowledge_pending();

// Once all six pictures are acknowledged: records the moves and moves on to the
// next group. Returns whether the group was finished.
bool finish_group_if_complete();
