// The pictures of a game of the player's own pictures.
#include "puzzle/own_sets.h"

#include "puzzle/progress.h"

own_picture own_pictures[19];
int own_picture_count;
std::string own_sets_name;

void forget_own_sets() {
    own_picture_count = 0;
    own_sets_name.clear();
    sets_in_game = 3;
}
