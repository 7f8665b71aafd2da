#include "puzzle/board.h"

int cube_x[13];
int cube_y[13];
int faces[13][4][4];
int turns[13][4][4];

void lay_out_cubes(const int &gap) {
    // The board's top-left cube stands at (330, 120); the pitch is a cube plus the gap.
    for (int row = 0; row < 3; row++) {
        for (int column = 0; column < 4; column++) {
            int cube = 4 * row + column + 1;
            cube_x[cube] = 330 + column * (gap + 150);
            cube_y[cube] = 120 + row * (gap + 150);
        }
    }
}
