#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "puzzle/board.h"
#include "puzzle/rotation.h"
#include "support/solver.h"

namespace {

const int all_directions[] = {direction_right, direction_left, direction_up, direction_down};

int opposite(int direction) {
    switch (direction) {
        case direction_right:
            return direction_left;
        case direction_left:
            return direction_right;
        case direction_up:
            return direction_down;
        default:
            return direction_up;
    }
}

// A dealt board whose seven ring cells all carry different, non-zero
// quarter-turns where possible, so a turn moved to the wrong cell shows.
void deal_with_turns(unsigned seed) {
    srand(seed);
    deal_faces();
    for (int cube = 1; cube <= 12; cube++) {
        for (int row = 0; row < 4; row++) turns[cube][row][1] = rand() % 4;
        turns[cube][1][0] = rand() % 4;
        turns[cube][1][2] = rand() % 4;
        turns[cube][1][3] = rand() % 4;
    }
}

struct board_copy {
    int faces[13][4][4];
    int turns[13][4][4];
};

board_copy save_board() {
    board_copy copy;
    std::memcpy(copy.faces, faces, sizeof faces);
    std::memcpy(copy.turns, turns, sizeof turns);
    return copy;
}

bool board_is(const board_copy &copy) {
    return std::memcmp(copy.faces, faces, sizeof faces) == 0 &&
           std::memcmp(copy.turns, turns, sizeof turns) == 0;
}

struct face {
    int picture;
    int turn;
    bool operator==(const face &other) const {
        return picture == other.picture && turn == other.turn;
    }
};

face at(int cube, int row, int column) {
    return {faces[cube][row][column], turns[cube][row][column]};
}

}  // namespace

TEST(Rotation, FourEqualDragsOrADragAndItsOppositeChangeNothing) {
    for (unsigned seed = 1; seed <= 20; seed++) {
        deal_with_turns(seed);
        const board_copy before = save_board();
        for (int cube = 1; cube <= 12; cube++) {
            for (int direction : all_directions) {
                SCOPED_TRACE(testing::Message() << "cube " << cube << ", direction " << direction);
                rotate_cube(cube, direction);
                EXPECT_FALSE(board_is(before));
                rotate_cube(cube, opposite(direction));
                EXPECT_TRUE(board_is(before));

                for (int i = 0; i < 4; i++) rotate_cube(cube, direction);
                EXPECT_TRUE(board_is(before));
            }
        }
    }
}

// The new front comes from the face on the side the drag starts from, with its
// quarter-turn; the two faces on the axis keep their pictures and turn in place.
TEST(Rotation, EachDragBringsTheRightFaceToTheFront) {
    struct expectation {
        int direction;
        int from_row, from_column;  // the face that becomes the front
        int goes_row, goes_column;  // where the front goes
        int axis_a_row, axis_a_column, axis_a_turn;
        int axis_b_row, axis_b_column, axis_b_turn;
    };
    const expectation drags[] = {
        {direction_right, 0, 1, 2, 1, 1, 0, -1, 1, 2, +1},  // top anticlockwise
        {direction_left, 2, 1, 0, 1, 1, 0, +1, 1, 2, -1},
        {direction_down, 1, 0, 1, 2, 0, 1, +1, 2, 1, -1},  // left clockwise
        {direction_up, 1, 2, 1, 0, 0, 1, -1, 2, 1, +1},
    };
    deal_with_turns(3);
    const int cube = 6;
    for (const expectation &drag : drags) {
        SCOPED_TRACE(testing::Message() << "direction " << drag.direction);
        const face new_front = at(cube, drag.from_row, drag.from_column);
        const face old_front = at(cube, 1, 1);
        const face axis_a = at(cube, drag.axis_a_row, drag.axis_a_column);
        const face axis_b = at(cube, drag.axis_b_row, drag.axis_b_column);

        rotate_cube(cube, drag.direction);

        EXPECT_EQ(at(cube, 1, 1), new_front);
        EXPECT_EQ(at(cube, drag.goes_row, drag.goes_column), old_front);
        EXPECT_EQ(at(cube, drag.axis_a_row, drag.axis_a_column),
                  (face{axis_a.picture, (axis_a.turn + drag.axis_a_turn + 4) % 4}));
        EXPECT_EQ(at(cube, drag.axis_b_row, drag.axis_b_column),
                  (face{axis_b.picture, (axis_b.turn + drag.axis_b_turn + 4) % 4}));
    }
}

// Each drag hands the back's picture to the other ring, but each back cell
// keeps its own quarter-turn.
TEST(Rotation, TheBackCopiesOnlyItsPictureToTheOtherRing) {
    deal_with_turns(5);
    const int cube = 2;
    for (int direction : all_directions) {
        SCOPED_TRACE(testing::Message() << "direction " << direction);
        const bool horizontal = direction == direction_right || direction == direction_left;
        const int vertical_back_turn = turns[cube][1][3];
        const int horizontal_back_turn = turns[cube][3][1];
        const int left_before = faces[cube][0][1], right_before = faces[cube][2][1];
        const int top_before = faces[cube][1][0], bottom_before = faces[cube][1][2];

        rotate_cube(cube, direction);

        EXPECT_EQ(faces[cube][1][3], faces[cube][3][1]);
        if (horizontal) {
            EXPECT_EQ(faces[cube][1][3], direction == direction_right ? right_before : left_before);
            EXPECT_EQ(turns[cube][1][3], vertical_back_turn);
        } else {
            EXPECT_EQ(faces[cube][3][1], direction == direction_down ? bottom_before : top_before);
            EXPECT_EQ(turns[cube][3][1], horizontal_back_turn);
        }
    }
}

TEST(Rotation, EachRingKeepsItsOwnQuarterTurnOfTheBack) {
    srand(11);
    deal_faces();
    const int cube = 9;
    turns[cube][1][2] = 3;  // the bottom, about to reach the back through the vertical ring
    const int picture = faces[cube][1][2];

    rotate_cube(cube, direction_down);
    ASSERT_EQ(faces[cube][3][1], picture);
    ASSERT_EQ(turns[cube][1][3], 3);

    // Two more drags down bring it to the front as the vertical ring holds it...
    const board_copy behind = save_board();
    rotate_cube(cube, direction_down);
    rotate_cube(cube, direction_down);
    EXPECT_EQ(at(cube, 1, 1), (face{picture, 3}));

    // ...two drags right bring the same face with the horizontal ring's count.
    std::memcpy(faces, behind.faces, sizeof faces);
    std::memcpy(turns, behind.turns, sizeof turns);
    rotate_cube(cube, direction_right);
    rotate_cube(cube, direction_right);
    EXPECT_EQ(at(cube, 1, 1), (face{picture, 0}));
}

// Drags can be undone (tested above), so the states reachable from a dealt
// cube are all reachable from one another, and finding every picture at every
// count from the deal proves that every picture can be brought upright from
// anywhere in play. Every drag keeps the sum of the seven counts modulo 4, so
// a deal whose front starts at 0, 1 or 2 opens three separate sets of states:
// each is searched.
TEST(Rotation, EveryFrontIsReachableFromADeal) {
    const int cube = 4;
    for (int front_turn : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "front dealt at " << front_turn);
        srand(17);
        deal_faces();
        turns[cube][1][1] = front_turn;

        std::unordered_set<uint64_t> seen{cube_state(cube)};
        seen.reserve(1 << 18);
        std::vector<uint64_t> queue{cube_state(cube)};
        bool front_seen[7][4] = {};
        // Broken rules could open a far larger space: stop well past the right size.
        for (size_t next = 0; next < queue.size() && next < 1000000; next++) {
            for (int direction : all_directions) {
                set_cube_state(cube, queue[next]);
                rotate_cube(cube, direction);
                front_seen[faces[cube][1][1]][turns[cube][1][1]] = true;
                if (seen.insert(cube_state(cube)).second) queue.push_back(cube_state(cube));
            }
        }
        for (int picture = 1; picture <= 6; picture++) {
            for (int turn = 0; turn < 4; turn++) {
                EXPECT_TRUE(front_seen[picture][turn]) << picture << " at " << turn;
            }
        }
    }
}
