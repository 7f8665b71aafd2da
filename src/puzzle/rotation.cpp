// Turning a cube: its face net moved round one ring.
#include "puzzle/rotation.h"

#include "puzzle/board.h"

namespace {

using net = int[4][4];

struct cell {
    int row;
    int column;
};

// Moves the picture and quarter-turn of each cell of a ring to the next cell,
// and those of the last cell to the first.
void cycle_ring(net &faces, net &turns, const cell (&ring)[4]) {
    const cell &last = ring[3];
    int picture = faces[last.row][last.column];
    int turn = turns[last.row][last.column];
    for (int i = 3; i > 0; i--) {
        const cell &to = ring[i];
        const cell &from = ring[i - 1];
        faces[to.row][to.column] = faces[from.row][from.column];
        turns[to.row][to.column] = turns[from.row][from.column];
    }
    faces[ring[0].row][ring[0].column] = picture;
    turns[ring[0].row][ring[0].column] = turn;
}

// +1 is a clockwise quarter turn of the face's image, -1 an anticlockwise one.
void turn_in_place(net &turns, cell face, int by) {
    int &turn = turns[face.row][face.column];
    turn = (turn + by + 4) % 4;
}

// Turns one face net, a cube's or a copy of one.
void rotate_net(net &faces, net &turns, int direction) {
    const cell left{0, 1}, front{1, 1}, right{2, 1}, back_horizontal{3, 1};
    const cell top{1, 0}, bottom{1, 2}, back_vertical{1, 3};

    // Each ring keeps its own quarter-turn for the back; only the picture number
    // is handed to the other ring's back cell.
    switch (direction) {
        case direction_right:
            cycle_ring(faces, turns, {left, front, right, back_horizontal});
            faces[1][3] = faces[3][1];
            turn_in_place(turns, top, -1);
            turn_in_place(turns, bottom, +1);
            break;
        case direction_left:
            cycle_ring(faces, turns, {right, front, left, back_horizontal});
            faces[1][3] = faces[3][1];
            turn_in_place(turns, top, +1);
            turn_in_place(turns, bottom, -1);
            break;
        case direction_down:
            cycle_ring(faces, turns, {top, front, bottom, back_vertical});
            faces[3][1] = faces[1][3];
            turn_in_place(turns, left, +1);
            turn_in_place(turns, right, -1);
            break;
        case direction_up:
            cycle_ring(faces, turns, {bottom, front, top, back_vertical});
            faces[3][1] = faces[1][3];
            turn_in_place(turns, left, -1);
            turn_in_place(turns, right, +1);
            break;
    }
}

}  // namespace

void rotate_cube(int cube, int direction) {
    rotate_net(faces[cube], turns[cube], direction);
}

void net_before_roll(int cube, int direction, int (&before_faces)[4][4],
                     int (&before_turns)[4][4]) {
    static const int opposite[5] = {0, direction_left, direction_right, direction_down,
                                    direction_up};
    for (int row = 0; row < 4; row++) {
        for (int column = 0; column < 4; column++) {
            before_faces[row][column] = faces[cube][row][column];
            before_turns[row][column] = turns[cube][row][column];
        }
    }
    rotate_net(before_faces, before_turns, opposite[direction]);
}
