// The game kept in the state folder: damaged files through the real start-up,
// a game resumed exactly, a new game instead, and how the files are written.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "puzzle/records.h"
#include "puzzle/saved_game.h"
#include "shell/persistence.h"
#include "support/real_game.h"
#include "support/reference_frames.h"
#include "support/scripted_platform.h"
#include "system/platform.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int lines_with(const std::string &text, const std::string &part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        count++;
    return count;
}

// A game of the second group, mid-set, as the game writes it.
std::string mid_game_text() {
    current_group = 1;
    group_moves[0] = 321;
    set_against_record[0] = record_kept;
    for (int k = 1; k <= 6; k++) {
        set_files[0][k] = k;
        set_files[1][k] = 11 - k;
        assembled[k] = k == 3;
    }
    srand(7);
    deal_faces();
    turns[2][1][1] = 1;
    move_counter = 42;
    pending_picture = 0;
    char text[2048];
    int length = write_saved_game(text, sizeof text);
    current_group = 0;
    return std::string(text, length);
}

struct bad_state {
    const char *name;
    const char *from, *to;  // the first `from` of a good file made `to`
    const char *told;       // what the line says is wrong; none: it resumes
};

// Files kept as an earlier version wrote them, with the records beside them:
// each must resume, whole and without a word, in every later version.
const char *const stored_game = PICTURE_CUBES_SOURCE_DIR "/tests/state/game-format-1";
const char *const stored_records = PICTURE_CUBES_SOURCE_DIR "/tests/state/records-format-1";

// Every way the file is damaged by a crash, an editor or another version,
// and the files of earlier versions, which are not damaged.
const bad_state bad_states[] = {
    {"empty", nullptr, "", "it is empty"},
    {"cut_short", nullptr, "half", "cut short"},
    {"garbled", "cube 7 faces", "cube 7 fa#es", "garbled"},
    {"faces_not_a_permutation", "cube 4 faces 5", "cube 4 faces 2", "not the six pictures"},
    {"backs_differ_between_rings", "\ncube 9 faces", "\ncube 9 faces", "two backs differ"},
    {"turn_out_of_range", " turns 0", " turns 4", "out of range"},
    {"group_out_of_range", "group 2", "group 4", "out of range"},
    {"picture_file_out_of_range", "\nfiles 10", "\nfiles 11", "out of range"},
    {"picture_file_twice", "\nfiles 10 9", "\nfiles 10 10", "one picture twice"},
    {"another_version", "game 1\n", "game 3\n", "another format version (3)"},
    {"pending_picture_not_whole", "pending 0", "pending 2", "pending picture is not whole"},
    {"negative_moves", "moves 42", "moves -42", "garbled"},
    {"link_planted", nullptr, "link", "not a plain file"},
    {"a_folder", nullptr, "folder", "not a plain file"},
    {"stored_by_format_1", nullptr, "stored", nullptr},
};

class saved_game_test : public real_game {
   protected:
    std::string game = sys_state_path("game");
    // Starts the game as the player does, with a click held from the start.
    std::string start() {
        script::audio_available = false;
        script::set_pointer(10, 10, 1);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(start_game());
        return testing::internal::GetCapturedStderr();
    }
};

class bad_saved_game : public saved_game_test, public testing::WithParamInterface<bad_state> {};

TEST_P(bad_saved_game, is_told_in_one_line_kept_aside_once_and_a_new_game_begins_or_resumes) {
    const bad_state &bad = GetParam();
    std::string text = mid_game_text();
    if (bad.from) {
        size_t at = text.find(bad.from);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, strlen(bad.from), bad.to);
    } else if (std::string(bad.to) == "half") {
        text.resize(text.size() / 2);
    } else if (std::string(bad.to) == "stored") {
        text = contents(stored_game);
    } else {
        text = bad.to;
    }
    if (std::string(bad.name) == "backs_differ_between_rings") {
        // Cube 9's vertical back, the seventh face, unlike its horizontal one.
        size_t line = text.find("cube 9 faces ");
        text[line + 13 + 12] = text[line + 13 + 6] == '1' ? '2' : '1';
    }
    std::string records = bad.told ? "picture-cubes records 1\n" : contents(stored_records);
    ASSERT_EQ(sys_write_state("records", records.data(), static_cast<int>(records.size())), 0);
    std::string elsewhere = sys_state_path("elsewhere");
    if (text == "link") {
        // A good game elsewhere: only following the link would resume it.
        std::string good = mid_game_text();
        ASSERT_EQ(sys_write_state("elsewhere", good.data(), static_cast<int>(good.size())), 0);
        fs::create_symlink(elsewhere, game);
    } else if (text == "folder") {
        fs::create_directory(game);
    } else {
        ASSERT_EQ(sys_write_state("game", text.data(), static_cast<int>(text.size())), 0);
    }
    // An older copy aside gives way to this one.
    ASSERT_EQ(sys_write_state("game.bad", "older", 5), 0);

    if (!bad.told) {
        std::string errors = start();
        // The second group's set finished, the third's half played, as stored.
        EXPECT_EQ(lines_with(errors, sys_state_path("")), 0) << errors;
        EXPECT_EQ(contents(game + ".bad"), "older");
        EXPECT_EQ(current_group, 2);
        EXPECT_EQ(move_counter, 42);
        EXPECT_EQ(group_moves[0], 321);
        EXPECT_EQ(group_moves[1], 288);
        EXPECT_EQ(set_against_record[0], record_beaten);
        EXPECT_EQ(set_against_record[1], record_kept);
        EXPECT_EQ(set_files[1][6], 1);
        EXPECT_EQ(set_files[2][1], 10);
        EXPECT_EQ(assembled[4] * 10 + assembled[5], 10);
        EXPECT_EQ(faces[7][1][1] * 10 + turns[7][0][1], 41);  // front, and left turned
        EXPECT_EQ(faces[2][1][0] * 10 + turns[2][1][0], 33);  // top turned
        EXPECT_EQ(last_roll[7], direction_down);
        EXPECT_EQ(record_moves[1], 250);
        EXPECT_STREQ(record_dates[2], "2027-01-02");
        return;
    }
    // The start-up's reading of the state folder, as start_game runs it.
    testing::internal::CaptureStderr();
    look_for_saved_game();
    reset_loop_state();
    bring_back_saved_game();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lines_with(errors, game + " cannot be used ("), 1) << errors;
    EXPECT_EQ(lines_with(errors, bad.told), 1) << errors;
    EXPECT_EQ(lines_with(errors, sys_state_path("")), 1) << errors;
    EXPECT_FALSE(fs::exists(fs::symlink_status(game)));
    if (text == "link") {
        EXPECT_EQ(fs::read_symlink(game + ".bad"), elsewhere);
    } else if (text != "folder") {
        EXPECT_EQ(contents(game + ".bad"), text);
    }
    EXPECT_EQ(current_group, 0);
    EXPECT_EQ(group_loaded, 0);
    EXPECT_FALSE(saved_game_waiting);
}

INSTANTIATE_TEST_SUITE_P(every_damage, bad_saved_game, testing::ValuesIn(bad_states),
                         [](const testing::TestParamInfo<bad_state> &info) {
                             return std::string(info.param.name);
                         });

// Damaged records are told and set aside, and the saved game still resumes.
TEST_F(saved_game_test, damaged_records_start_afresh_and_the_game_still_resumes) {
    std::string text = mid_game_text();
    ASSERT_EQ(sys_write_state("game", text.data(), static_cast<int>(text.size())), 0);
    ASSERT_EQ(sys_write_state("records", "picture-cubes records 1\ngroup 1 fewest 9", 40), 0);
    std::string errors = start();
    EXPECT_EQ(errors.substr(errors.find('\n') + 1),
              std::string("picture-cubes: ") + sys_state_path("records") +
                  " cannot be used (it is garbled or cut short); it is kept as "
                  "records.bad and the records start afresh\n");
    EXPECT_EQ(record_moves[0], -1);
    EXPECT_EQ(current_group, 1);
    EXPECT_EQ(move_counter, 42);
    EXPECT_EQ(group_moves[0], 321);
    EXPECT_EQ(set_against_record[0], record_kept);
}

TEST_F(saved_game_test, a_game_left_mid_set_resumes_as_it_was_left) {
    script::clock_seconds = 20261208;
    script::set_pointer(10, 10, 1);
    ASSERT_TRUE(start_game());
    frame(10, 10, 0);
    for (auto [cube, direction] : {std::pair{2, direction_right},
                                   {7, direction_down},
                                   {11, direction_left},
                                   {5, direction_up}})
        drag(cube, direction);
    // The badge is drawn over itself every frame, and settles after a few.
    for (int i = 0; i < 50; i++) frame(10, 10, 0);
    ALLEGRO_BITMAP *left = al_clone_bitmap(script::canvas());
    int moves = move_counter;
    ASSERT_GT(moves, 0);
    script::set_key(ALLEGRO_KEY_ESCAPE, true);
    ASSERT_TRUE(frame(10, 10, 0));
    ASSERT_FALSE(frame(10, 10, 0));
    script::set_key(ALLEGRO_KEY_ESCAPE, false);

    // As a new run of the game: nothing of the board kept in memory.
    for (auto &cube : faces) cube[1][1] = 0;
    mouse_state = ALLEGRO_MOUSE_STATE();
    keyboard_state = ALLEGRO_KEYBOARD_STATE();
    int offer_pixels = 0;
    int presents = 0;
    script::on_present = [&] {
        if (++presents == 55)
            offer_pixels =
                1020 * 24 - count_colour(script::canvas(), {0, 640, 1020, 24}, {0, 0, 0});
    };
    script::set_pointer(10, 10, 1);
    ASSERT_TRUE(start_game());
    script::on_present = nullptr;
    EXPECT_GT(offer_pixels, 0) << "the intro offers a new game";
    EXPECT_EQ(move_counter, moves);
    for (int i = 0; i < 50; i++) frame(10, 10, 0);
    expect_reference("resumed-board", script::canvas(), {0, 0, 1020, 710});
    int differing = 1020 * 710;
    for (int y = 0; y < 710; y++) {
        for (int x = 0; x < 1020; x++) {
            differing -= pixel_at(left, x, y) == pixel_at(script::canvas(), x, y);
        }
    }
    EXPECT_EQ(differing, 0);
    al_destroy_bitmap(left);
}

// N at the intro forgets the saved game: the first set deals exactly as a
// first run does.
TEST_F(saved_game_test, the_new_game_key_deals_as_a_first_run_does) {
    std::string text = mid_game_text();
    ASSERT_EQ(sys_write_state("game", text.data(), static_cast<int>(text.size())), 0);
    script::clock_seconds = 20261208;
    script::set_key(ALLEGRO_KEY_N, true);
    ASSERT_TRUE(start_game());
    script::set_key(ALLEGRO_KEY_N, false);
    EXPECT_EQ(current_group, 0);
    frame(10, 10, 0);
    expect_reference("set-1-dealt", script::canvas(), {0, 0, 1020, 710});
}

// Another copy of the game holds the saved game: this one says so once, on
// stderr and at the intro's foot, plays a new game and saves it.
TEST_F(saved_game_test, a_game_held_by_another_copy_is_left_to_it_and_the_intro_says_so) {
    std::string text = mid_game_text();
    ASSERT_EQ(sys_write_state("game", text.data(), static_cast<int>(text.size())), 0);
    script::state_held_elsewhere = true;
    int line_pixels = 0;
    int presents = 0;
    script::on_present = [&] {
        if (++presents == 55)
            line_pixels = 1020 * 24 - count_colour(script::canvas(), {0, 640, 1020, 24}, {0, 0, 0});
    };
    std::string errors = start();
    script::on_present = nullptr;
    EXPECT_EQ(
        lines_with(errors,
                   std::string("another copy of the game is running and holds the saved game in ") +
                       sys_state_path("")),
        1)
        << errors;
    EXPECT_GT(line_pixels, 0) << "the intro's foot says so";
    EXPECT_EQ(current_group, 0);
    EXPECT_EQ(group_loaded, 0);
    frame(10, 10, 0);
    drag(2, direction_right);
    EXPECT_NE(contents(game).find("\nmoves 1\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(game + ".bad"));
}

// The game in which the sixth picture of the first set waits for the press
// that finishes the set, 30 rotations in; the records stand at 35.
std::string last_picture_pending_text() {
    current_group = 0;
    for (int k = 1; k <= 6; k++) {
        set_files[0][k] = k;
        assembled[k] = k != 6;
    }
    const int net[4][4] = {{0, 1, 0, 0}, {4, 6, 5, 3}, {0, 2, 0, 0}, {0, 3, 0, 0}};
    for (int c = 1; c <= 12; c++) {
        for (int i = 0; i < 4; i++) {
            for (int j = 0; j < 4; j++) faces[c][i][j] = net[i][j], turns[c][i][j] = 0;
        }
        last_roll[c] = 0;
    }
    move_counter = 30;
    pending_picture = 6;
    char text[2048];
    int length = write_saved_game(text, sizeof text);
    return std::string(text, length);
}

// How many of the state folder's writes, from the press that finishes a set
// on, reach it before the game is killed.
struct kill_point {
    const char *name;
    int writes;
};

class record_kept_new : public saved_game_test, public testing::WithParamInterface<kill_point> {
   protected:
    // Starts the game anew and plays on, up to the second set dealt.
    void play_to_the_second_set() {
        start();
        frame(10, 10, 0);
        for (int i = 0; i < 6 && current_group == 0; i++) hold(cube_x[1] + 75, cube_y[1] + 75, 1);
        for (int i = 0; i < 3; i++) frame(10, 10, 0);
        ASSERT_EQ(current_group, 1) << "the set was not finished";
        ASSERT_EQ(group_loaded, 1) << "the second set was not dealt";
    }
};

TEST_P(record_kept_new, whenever_the_game_is_killed_after_the_set_that_made_it) {
    std::string text = last_picture_pending_text();
    ASSERT_EQ(sys_write_state("game", text.data(), static_cast<int>(text.size())), 0);
    const char records[] = "picture-cubes records 1\ngroup 1 fewest 35 on 2026-12-01\n";
    ASSERT_EQ(sys_write_state("records", records, sizeof records - 1), 0);
    script::state_writes_left = GetParam().writes;
    ASSERT_NO_FATAL_FAILURE(play_to_the_second_set());
    EXPECT_EQ(set_against_record[0], record_beaten);
    // Killed: the next run resumes what reached the folder, finishing the
    // set again where it did not.
    script::state_writes_left = -1;
    ASSERT_NO_FATAL_FAILURE(play_to_the_second_set());
    EXPECT_EQ(set_against_record[0], record_beaten) << "the summary would say the record was kept";
    EXPECT_NE(contents(sys_state_path("records")).find("group 1 fewest 30 on"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(every_moment, record_kept_new,
                         testing::Values(kill_point{"while_the_next_set_is_dealt", 0},
                                         kill_point{"between_the_two_files", 1}),
                         [](const testing::TestParamInfo<kill_point> &info) {
                             return std::string(info.param.name);
                         });

class state_files : public saved_game_test {};

// How the real folder writes (private modes, links never followed) is the
// state folder suite's; here, the game's own use of it.
TEST_F(state_files, replace_planted_links_and_go_when_the_game_is_finished) {
    std::string outside = fs::temp_directory_path() / "picture-cubes-outside";
    std::ofstream(outside) << "not the game's";
    std::string text = mid_game_text();
    look_for_saved_game();
    current_group = 1;
    group_loaded = 1;
    save_game_if_changed();
    fs::remove(game);
    fs::create_symlink(outside, game);
    fs::create_symlink(outside, game + ".new");
    for (int i = 0; i < 20; i++) {
        move_counter = i;
        save_game_if_changed();
    }
    EXPECT_EQ(contents(outside), "not the game's");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(game)));
    EXPECT_NE(contents(game).find("moves 19\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::symlink_status(game + ".new")));

    current_group = 4;
    save_game_if_changed();
    EXPECT_FALSE(fs::exists(game));
    fs::remove(outside);
}

// The suite's own folder is a scratch folder, whatever a test sets it to.
// Both folders tried are the test's own, so a broken guard removes only them.
TEST_F(state_files, the_scripted_folder_is_never_one_outside_the_temporary_directory) {
    std::string kept = script::state_folder;
    fs::path temporary = fs::temp_directory_path();
    std::string outside = temporary.parent_path() / "picture-cubes-not-scratch";
    for (const std::string &folder :
         {outside, (temporary / ".." / "picture-cubes-not-scratch").string()}) {
        fs::create_directories(outside);
        script::state_folder = folder;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(script::remove_state_folder()) << folder;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("not inside the temporary directory"),
                  std::string::npos);
        EXPECT_TRUE(fs::exists(outside)) << folder;
    }
    script::state_folder = kept;
    fs::remove(outside);
}

TEST_F(state_files, a_file_in_the_way_is_told_once_and_play_goes_on) {
    fs::create_directories(fs::path(game).parent_path().parent_path());
    std::ofstream(fs::path(game).parent_path()) << "in the way";
    look_for_saved_game();
    current_group = 0;
    group_loaded = 1;
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; i++) {
        move_counter = i;
        save_game_if_changed();
    }
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors, std::string("picture-cubes: cannot save the game in ") + sys_state_path("") +
                          " (Not a directory); playing on without saving\n");
    fs::remove(fs::path(game).parent_path());
}

}  // namespace
