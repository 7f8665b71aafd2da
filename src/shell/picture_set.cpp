// A set of pictures brought into play: chosen (or read from a saved game),
// loaded, scrolled in, dealt and its fronts drawn.
#include "shell/picture_set.h"

#include <cstdlib>

#include "puzzle/board.h"
#include "puzzle/own_sets.h"
#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "puzzle/saved_game.h"
#include "puzzle/set_choice.h"
#include "shell/fades.h"
#include "shell/loop_state.h"
#include "shell/media_folder.h"
#include "shell/own_pictures.h"
#include "shell/resources.h"
#include "system/platform.h"
#include "view/message_line.h"
#include "view/progress_bar.h"
#include "view/roll_animation.h"
#include "view/set_arrival.h"

ALLEGRO_BITMAP *group_pictures[7];

namespace {

// Picture k of a group's set: one of the group's files, or of the player's
// pictures. Null when the player's cannot make a first set.
ALLEGRO_BITMAP *load_set_picture(int group, int k) {
    if (own_picture_count) return own_set_picture(set_files[group][k]);
    return reload_media_bitmap(picture_file_name(group, set_files[group][k]));
}

void load_pictures() {
    for (int k = 1; k <= 6; k++) {
        // The previous set's pictures are not read again once a new set begins.
        if (group_pictures[k]) al_destroy_bitmap(group_pictures[k]);
        group_pictures[k] = load_set_picture(current_group, k);
        if (!group_pictures[k]) {
            // The built-in group's pictures instead, from the first.
            give_up_own_pictures();
            choose_set(set_files[current_group]);
            k = 0;
        }
    }
}

// The player's sets are chosen when their game begins; each set takes the
// next six of them.
void choose_pictures() {
    int *file_numbers = set_files[current_group];
    if (own_picture_count == 0) {
        choose_set(file_numbers);
        return;
    }
    for (int k = 1; k <= 6; k++) file_numbers[k] = 6 * current_group + k;
}

void record_thumbnails() {
    for (int k = 1; k <= 6; k++) record_thumbnail(group_pictures[k], current_group, k);
}

// A front as its last roll left it: that roll's last step drawn again from
// the net the cube had before it.
void draw_rolled_front(int c) {
    int before_faces[4][4], before_turns[4][4];
    net_before_roll(c, last_roll[c], before_faces, before_turns);
    float last_bulge = 0.0f;
    for (int step = 0; step <= 150; step += 2) last_bulge = bulge_after_step(step, last_bulge);
    draw_front_as_rolled(c, last_roll[c], before_faces, before_turns, last_bulge);
}

// Every front is drawn in turn; a new set gives each a random quarter-turn
// of 0, 1 or 2 first.
void draw_fronts(bool new_turns) {
    for (int row = 0; row < 3; row++) {
        for (int column = 0; column < 4; column++) {
            leave_if_closed();
            int c = 4 * row + column + 1;
            if (new_turns) turns[c][1][1] = rand() % 3;
            if (last_roll[c]) {
                draw_rolled_front(c);
            } else {
                draw_front(c, row, column);
            }
        }
    }
}

}  // namespace

void load_picture_set() {
    sys_pace_from_now();
    choose_pictures();
    load_pictures();
    // Loading the player's pictures takes its own time, before the set's.
    if (own_picture_count) sys_pace_from_now();
    record_thumbnails();
    const int no_moves = 0;
    if (current_group == 0) fade_in(no_moves);
    scroll_thumbnails(current_group > 0);
    erase_strip_under_board();
    sys_present();
    deal_faces();
    for (int &roll : last_roll) roll = 0;
    erase_progress_bar();
    sys_present();
    draw_fronts(true);
}

// ---- A saved set brought back ----

void resume_picture_set() {
    sys_pace_from_now();
    // The earlier sets' thumbnails, for the summary.
    for (int g = 0; g < current_group; g++) {
        for (int k = 1; k <= 6; k++) {
            ALLEGRO_BITMAP *picture = load_set_picture(g, k);
            if (!picture) continue;
            record_thumbnail(picture, g, k);
            al_destroy_bitmap(picture);
        }
    }
    load_pictures();
    if (own_picture_count) sys_pace_from_now();
    record_thumbnails();
    // The intro left the screen black whatever the group: the game screen
    // comes up as for a first set, and the set rises into an empty column.
    fade_in(move_counter);
    scroll_thumbnails(false);
    erase_strip_under_board();
    sys_present();
    erase_progress_bar();
    sys_present();
    // The fronts as they were left, quarter-turns and all; no new deal. Every
    // roll frame clears the message area, so a board rolled on shows it clear.
    bool rolled = false;
    for (int c = 1; c <= 12; c++) rolled = rolled || last_roll[c];
    if (rolled) erase_message_area();
    draw_fronts(false);
}
