#include "view/picture_set.h"

#include "puzzle/board.h"

ALLEGRO_BITMAP *group_pictures[7];

void load_picture_set() {
    deal_faces();
}
