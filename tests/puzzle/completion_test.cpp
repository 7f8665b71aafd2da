#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "puzzle/board.h"
#include "puzzle/progress.h"
#include "puzzle/rotation.h"
#include "support/solver.h"

namespace {

void start_game() {
    current_group = 0;
    std::memset(group_moves, 0, sizeof group_moves);
    move_counter = 0;
    std::memset(assembled, 0, sizeof assembled);
    pending_picture = 0;
    group_loaded = 1;
}

// A board as the loading code leaves it: dealt, each front at 0, 1 or 2.
void load_board(unsigned seed) {
    srand(seed);
    deal_faces();
    for (int cube = 1; cube <= 12; cube++) turns[cube][1][1] = rand() % 3;
}

void show_on_every_front(int picture) {
    for (int cube = 1; cube <= 12; cube++) {
        faces[cube][1][1] = picture;
        turns[cube][1][1] = 0;
    }
}

struct frame_outcome {
    completion_verdict verdict;  // best is -1 in a frame that judges nothing
    bool group_finished;
};

// The board update of one playing frame as the main loop runs it: a held press
// acknowledges; a frame without one, or in which a roll ends, judges the fronts
// and celebrates; then the group may finish.
frame_outcome play_frame(bool pressed, int roll_cube = 0, int roll_direction = 0) {
    frame_outcome outcome{{-1, 0, false}, false};
    if (roll_cube != 0) {
        rotate_cube(roll_cube, roll_direction);
        move_counter++;
    }
    if (pressed && roll_cube == 0) {
        acknowledge_pending();
    } else {
        outcome.verdict = judge_completion();
        if (outcome.verdict.celebrate != 0) pending_picture = outcome.verdict.celebrate;
    }
    outcome.group_finished = finish_group_if_complete();
    return outcome;
}

// Press a cube and roll it: the frame in which the roll ends judges the fronts,
// and the press is over with it.
frame_outcome drag(int cube, int direction) {
    play_frame(true);
    return play_frame(true, cube, direction);
}

}  // namespace

TEST(Completion, OneFrontTurnedIsNotWhole) {
    start_game();
    load_board(1);
    show_on_every_front(4);
    turns[7][1][1] = 2;
    completion_verdict verdict = judge_completion();
    EXPECT_EQ(verdict.best, 11);
    EXPECT_EQ(verdict.celebrate, 0);
    EXPECT_FALSE(verdict.already_assembled);

    // Upright fronts count towards their own picture only.
    faces[2][1][1] = 1;
    faces[3][1][1] = 1;
    EXPECT_EQ(judge_completion().best, 9);
}

TEST(Completion, NoFrontUprightGivesNothing) {
    start_game();
    load_board(2);
    for (int cube = 1; cube <= 12; cube++) turns[cube][1][1] = 1 + cube % 3;
    completion_verdict verdict = judge_completion();
    EXPECT_EQ(verdict.best, 0);
    EXPECT_EQ(verdict.celebrate, 0);
    EXPECT_FALSE(verdict.already_assembled);
}

TEST(Completion, APictureIsCelebratedOnceAndCountsFromTheNextPress) {
    start_game();
    load_board(3);
    for (auto [cube, direction] : solve_picture(5)) drag(cube, direction);
    // The drag that completes the picture celebrates it in the frame its roll ends.
    EXPECT_EQ(pending_picture, 5);
    EXPECT_EQ(assembled[5], 0);

    // Judging does not change anything by itself.
    completion_verdict verdict = judge_completion();
    EXPECT_EQ(verdict.best, 12);
    EXPECT_EQ(verdict.celebrate, 0);
    EXPECT_FALSE(verdict.already_assembled);
    EXPECT_EQ(pending_picture, 5);

    // Frames without a press neither celebrate it again nor call it done.
    for (int frame = 0; frame < 3; frame++) {
        frame_outcome outcome = play_frame(false);
        EXPECT_EQ(outcome.verdict.celebrate, 0);
        EXPECT_FALSE(outcome.verdict.already_assembled);
    }
    EXPECT_EQ(assembled[5], 0);

    // The next press counts it; released without a roll, it is reported as done.
    play_frame(true);
    EXPECT_EQ(assembled[5], 1);
    EXPECT_EQ(pending_picture, 0);
    frame_outcome released = play_frame(false);
    EXPECT_EQ(released.verdict.celebrate, 0);
    EXPECT_TRUE(released.verdict.already_assembled);
    EXPECT_EQ(released.verdict.best, 12);
}

TEST(Completion, AReassembledPictureIsNotCountedAgain) {
    start_game();
    load_board(4);
    for (auto [cube, direction] : solve_picture(2)) drag(cube, direction);
    play_frame(true);
    ASSERT_EQ(assembled[2], 1);

    // Break it, build it again.
    drag(8, direction_up);
    EXPECT_FALSE(play_frame(false).verdict.already_assembled);
    frame_outcome outcome{};
    for (auto [cube, direction] : solve_picture(2)) outcome = drag(cube, direction);
    EXPECT_EQ(outcome.verdict.celebrate, 0);
    EXPECT_TRUE(outcome.verdict.already_assembled);
    EXPECT_EQ(pending_picture, 0);

    // The next press acknowledges nothing: only slot 0 is written.
    play_frame(true);
    EXPECT_EQ(assembled[0], 1);
    int counted = 0;
    for (int picture = 1; picture <= 6; picture++) counted += assembled[picture];
    EXPECT_EQ(counted, 1);
    EXPECT_EQ(current_group, 0);
}

TEST(Completion, TheSixthAcknowledgementFinishesTheGroup) {
    start_game();
    current_group = 1;
    group_moves[0] = 77;
    load_board(5);
    const int order[] = {3, 6, 1, 2, 5, 4};
    for (int picture : order) {
        for (auto [cube, direction] : solve_picture(picture)) {
            frame_outcome outcome = drag(cube, direction);
            EXPECT_FALSE(outcome.group_finished);
        }
        ASSERT_EQ(pending_picture, picture);
        if (picture == order[5]) break;
        EXPECT_FALSE(play_frame(true).group_finished);
        EXPECT_EQ(assembled[picture], 1);
    }
    ASSERT_GT(move_counter, 6);
    const int moves = move_counter;

    // Slot 0 has no say in it.
    assembled[0] = 0;
    EXPECT_TRUE(play_frame(true).group_finished);
    EXPECT_EQ(group_moves[1], moves);
    EXPECT_EQ(group_moves[0], 77);
    EXPECT_EQ(current_group, 2);
    EXPECT_EQ(group_loaded, 0);
    EXPECT_EQ(pending_picture, 0);
    for (int slot = 0; slot <= 6; slot++) EXPECT_EQ(assembled[slot], 0) << "slot " << slot;
}

TEST(Completion, NoGroupIsFinishedOnceAllThreeAre) {
    for (int stage : {3, 4}) {
        current_group = stage;
        group_moves[2] = 5;
        move_counter = 99;
        for (int slot = 1; slot <= 6; slot++) assembled[slot] = 1;
        EXPECT_FALSE(finish_group_if_complete());
        EXPECT_EQ(current_group, stage);
        EXPECT_EQ(group_moves[2], 5);
    }
    for (int slot = 0; slot <= 6; slot++) assembled[slot] = 0;
    current_group = 0;
}

// Each picture from fresh deals and from long random play, checked by the
// fronts themselves rather than by what the solver claims.
TEST(Completion, TheSolverReachesEveryPictureFromAnyBoard) {
    for (unsigned seed = 1; seed <= 6; seed++) {
        load_board(seed);
        for (int scramble = 0; scramble < 2; scramble++) {
            if (scramble == 1) {
                for (int drag = 0; drag < 200; drag++) rotate_cube(rand() % 12 + 1, rand() % 4 + 1);
            }
            int saved_faces[13][4][4], saved_turns[13][4][4];
            std::memcpy(saved_faces, faces, sizeof faces);
            std::memcpy(saved_turns, turns, sizeof turns);
            for (int picture = 1; picture <= 6; picture++) {
                SCOPED_TRACE(testing::Message() << "seed " << seed << ", scrambled " << scramble
                                                << ", picture " << picture);
                for (auto [cube, direction] : solve_picture(picture)) rotate_cube(cube, direction);
                for (int cube = 1; cube <= 12; cube++) {
                    ASSERT_EQ(faces[cube][1][1], picture) << "cube " << cube;
                    ASSERT_EQ(turns[cube][1][1], 0) << "cube " << cube;
                }
                std::memcpy(faces, saved_faces, sizeof faces);
                std::memcpy(turns, saved_turns, sizeof turns);
            }
        }
    }
}
