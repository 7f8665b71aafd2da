#include "puzzle/rotation.h"

#include "puzzle/board.h"

namespace {

struct cell {
    int row;
    int column;
};

// Moves the picture and quarter-turn of each cell of a ring to the next cell,
// and those of the last cell to the first.
void cycle_ring(int cube, const cell (&ring)[4]) {
    const cell &last = ring[3];
    int picture = faces[cube][last.row][last.column];
    int turn = turns[cube][last.row][last.column];
    for (int i = 3; i > 0; i--) {
        const cell &to = ring[i];
        const cell &from = ring[i - 1];
        faces[cube][to.row][to.column] = faces[cube][from.row][from.column];
        turns[cube][to.row][to.column] = turns[cube][from.row][from.column];
    }
    faces[cube][ring[0].row][ring[0].column] = picture;
    turns[cube][ring[0].row][ring[0].column] = turn;
}

// +1 is a clockwise quarter turn of the face's image, -1 an anticlockwise one.
void turn_in_place(int cube, cell face, int by) {
    int &turn = turns[cube][face.row][face.column];
    turn = (turn + by + 4) % 4;
}

}  // namespace

void rotate_cube(int cube, int direction) {
    const cell left{0, 1}, front{1, 1}, right{2, 1}, back_horizontal{3, 1};
    const cell top{1, 0}, bottom{1, 2}, back_vertical{1, 3};

    // Each ring keeps its own quarter-turn for the back; only the picture number
    // is handed to the other ring's back cell.
    switch (direction) {
        case direction_right:
            cycle_ring(cube, {left, front, right, back_horizontal});
            faces[cube][1][3] = faces[cube][3][1];
            turn_in_place(cube, top, -1);
            turn_in_place(cube, bottom, +1);
            break;
        case direction_left:
            cycle_ring(cube, {right, front, left, back_horizontal});
            faces[cube][1][3] = faces[cube][3][1];
            turn_in_place(cube, top, +1);
            turn_in_place(cube, bottom, -1);
            break;
        case direction_down:
            cycle_ring(cube, {top, front, bottom, back_vertical});
            faces[cube][3][1] = faces[cube][1][3];
            turn_in_place(cube, left, +1);
            turn_in_place(cube, right, -1);
            break;
        case direction_up:
            cycle_ring(cube, {bottom, front, top, back_vertical});
            faces[cube][3][1] = faces[cube][1][3];
            turn_in_place(cube, left, -1);
            turn_in_place(cube, right, +1);
            break;
    }
}
