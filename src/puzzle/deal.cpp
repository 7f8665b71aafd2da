#include <cstdlib>
#include <initializer_list>

#include "puzzle/board.h"

int draw_from(int n) {
    return rand() % n + 1;
}

namespace {

// Whether `picture` already sits in the cube's horizontal ring; empty cells hold 0.
bool in_horizontal_ring(int cube, int picture) {
    for (int row = 0; row < 4; row++) {
        if (faces[cube][row][1] == picture) return true;
    }
    return false;
}

bool in_vertical_ring(int cube, int picture) {
    for (int column = 0; column < 4; column++) {
        if (faces[cube][1][column] == picture) return true;
    }
    return false;
}

}  // namespace

void deal_faces() {
    // Every cell, entry 0 and the unused ones included, starts from 0, and every
    // face upright.
    for (int cube = 0; cube <= 12; cube++) {
        for (int row = 0; row < 4; row++) {
            for (int column = 0; column < 4; column++) {
                faces[cube][row][column] = 0;
                turns[cube][row][column] = 0;
            }
        }
    }

    // The draws are taken in a fixed order, all horizontal rings first, so that
    // one seed always deals one board.
    for (int cube = 1; cube <= 12; cube++) {
        for (int row = 0; row < 4; row++) {
            int picture;
            do picture = draw_from(6);
            while (in_horizontal_ring(cube, picture));
            faces[cube][row][1] = picture;
        }
    }

    // Top, then bottom: the two pictures the horizontal ring left over. The back
    // copy is refreshed after every draw so the vertical ring is whole throughout.
    for (int cube = 1; cube <= 12; cube++) {
        for (int column : {0, 2}) {
            int picture;
            bool taken;
            do {
                picture = draw_from(6);
                taken = in_horizontal_ring(cube, picture) || in_vertical_ring(cube, picture);
                faces[cube][1][3] = faces[cube][3][1];
            } while (taken);
            faces[cube][1][column] = picture;
        }
    }
}
