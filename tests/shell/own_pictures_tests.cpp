// The player's own pictures through the real start-up: every kind of file and
// what must come of it, the sets they make, a saved game of them.
#include <allegro5/allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "puzzle/own_sets.h"
#include "puzzle/saved_game.h"
#include "shell/command_line.h"
#include "shell/own_pictures.h"
#include "shell/picture_set.h"
#include "support/picture_files.h"
#include "support/real_game.h"
#include "support/reference_frames.h"
#include "support/scripted_platform.h"
#include "system/platform.h"
#include "view/screen_reading.h"

namespace {

namespace fs = std::filesystem;

// What a puzzle picture made of a quarters picture shows wrong: the
// quarters' middles tell its turn, 2-pixel strips along its edges (each the
// mix of the two quarters it runs along) tell its cut.
std::string wrong_with_fit(ALLEGRO_BITMAP *fitted, bool white_corner) {
    rgb expected[4];
    for (int i = 0; i < 4; i++) expected[i] = {quarters[i].r, quarters[i].g, quarters[i].b};
    if (white_corner) expected[0] = {255, 255, 255};
    const char *names[] = {"top-left quarter",    "top-right quarter", "bottom-right quarter",
                           "bottom-left quarter", "top edge",          "right edge",
                           "bottom edge",         "left edge"};
    const area places[] = {{130, 97, 40, 30},  {430, 97, 40, 30}, {430, 322, 40, 30},
                           {130, 322, 40, 30}, {0, 0, 600, 2},    {598, 0, 2, 450},
                           {0, 448, 600, 2},   {0, 0, 2, 450}};
    std::ostringstream wrong;
    for (int i = 0; i < 8; i++) {
        rgb a = expected[i % 4], b = expected[(i + 1) % 4];
        rgb want = i < 4 ? a : rgb{(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2};
        rgb seen = mean_colour(fitted, places[i]);
        if (!near(seen, want, 24))
            wrong << names[i] << " shows " << seen << ", not " << want << "; ";
    }
    return wrong.str();
}

class own_pictures_test : public real_game {
   protected:
    void SetUp() override {
        real_game::SetUp();
        script::audio_available = false;
        // A window shown once a second: the change-overs draw few frames.
        script::refresh_period = 1.0;
        std::string name = fs::temp_directory_path() / "picture-cubes-own-XXXXXX";
        scratch = mkdtemp(name.data());
        // The sets are named by it: longer than a group slot.
        folder = scratch + "/Wakacje nad morzem 2025";
        fs::create_directory(folder);
    }
    void TearDown() override {
        const char *no_arguments[] = {"picture-cubes"};
        read_command_line(1, no_arguments);
        forget_own_sets();
        // Only a scratch folder of this suite's making is ever removed.
        std::string own = fs::temp_directory_path() / "picture-cubes-own-";
        if (scratch.rfind(own, 0) == 0 && scratch.size() == own.size() + 6) fs::remove_all(scratch);
        real_game::TearDown();
    }
    // Starts the game as `picture-cubes PATH...` (no paths: no arguments),
    // the intro ended by a held click. Returns what it told on stderr.
    static std::string start(const std::vector<std::string> &paths) {
        std::vector<const char *> argv = {"picture-cubes"};
        for (const std::string &path : paths) argv.push_back(path.c_str());
        EXPECT_EQ(read_command_line(static_cast<int>(argv.size()), argv.data()), -1);
        script::set_pointer(10, 10, 1);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(start_game());
        return testing::internal::GetCapturedStderr();
    }
    // The next frame, which deals a set when none is; what it told.
    std::string deal() {
        testing::internal::CaptureStderr();
        frame(10, 10, 0);
        return testing::internal::GetCapturedStderr();
    }
    // Quarters pictures filler-1.jpg ... of the folder.
    void fillers(int n) {
        for (int i = 1; i <= n; i++) {
            ASSERT_TRUE(write_picture(folder + "/filler-" + std::to_string(i) + ".jpg", {}));
        }
    }
    std::vector<std::string> chosen() {
        std::vector<std::string> paths;
        for (int i = 1; i <= own_picture_count; i++) paths.push_back(own_pictures[i].path);
        return paths;
    }
    std::string scratch, folder;
};

// ---- Every kind of file ----

picture_file sized(int width, int height, int orientation = 0) {
    picture_file picture;
    picture.width = width, picture.height = height, picture.orientation = orientation;
    return picture;
}
picture_file png(bool see_through = false, bool interlaced = false, int orientation = 0) {
    picture_file picture;
    picture.png = true, picture.see_through_corner = see_through;
    picture.interlaced = interlaced, picture.orientation = orientation;
    return picture;
}
picture_file progressive() {
    picture_file picture = sized(1200, 900);
    picture.progressive = true;
    return picture;
}

void write_text(const std::string &path) {
    std::ofstream(path) << "Lista zakupów: chleb, mleko\n";
}
void make_empty(const std::string &path) {
    fs::resize_file(path, 0);
}
void cut_in_half(const std::string &path) {
    fs::resize_file(path, fs::file_size(path) / 2);
}
void deny_reading(const std::string &path) {
    script::unreadable_files.insert(path);
}
void loop_the_link(const std::string &path) {
    fs::remove(path);
    fs::create_symlink(path + ".other", path);
    fs::create_symlink(path, path + ".other");
}
// A sparse file: nothing of it is ever read.
void pad_past_100_MB(const std::string &path) {
    fs::resize_file(path, 100000001);
}
// Its header tells 12000 x 9000, its pixels are still 800 x 600.
void claim_108_megapixels(const std::string &path) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), {});
    size_t frame = bytes.find("\xFF\xC0");
    file.seekp(static_cast<std::streamoff>(frame + 5));
    file.write("\x23\x28\x2E\xE0", 4);
}
// An end-of-image marker in the middle of its pixels; its end is whole.
void damage_inside(const std::string &path) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(fs::file_size(path) / 2));
    file.write("\xFF\xD9", 2);
}

struct picture_case {
    const char *name;
    picture_file picture;
    void (*spoil)(const std::string &path);
    const char *told;  // on stderr after its name; null: it plays, upright and centred
    const char *file_name = "picture.jpg";
    const char *shown = nullptr;  // how stderr names it, when not as file_name
};

// Named, not dumped, where a row fails.
void PrintTo(const picture_case &row, std::ostream *out) {
    *out << row.name;
}

const char *const too_small = "it is smaller than 300 x 225 pixels, turned upright";
const picture_case picture_cases[] = {
    {"four_by_three", sized(800, 600), nullptr, nullptr},
    {"portrait", sized(960, 1600), nullptr, nullptr},
    {"panorama", sized(3000, 600), nullptr, nullptr},
    {"square", sized(1000, 1000), nullptr, nullptr},
    {"small_enlarged", sized(320, 240), nullptr, nullptr},
    {"smallest_allowed", sized(300, 225), nullptr, nullptr},
    {"large_shrunk_as_decoded", sized(2400, 1800), nullptr, nullptr},
    {"progressive", progressive(), nullptr, nullptr},
    {"orientation_1", sized(1000, 600, 1), nullptr, nullptr},
    {"orientation_2_mirrored", sized(1000, 600, 2), nullptr, nullptr},
    {"orientation_3_half_turn", sized(1000, 600, 3), nullptr, nullptr},
    {"orientation_4_mirrored_upside_down", sized(1000, 600, 4), nullptr, nullptr},
    {"orientation_5_across_the_diagonal", sized(1000, 600, 5), nullptr, nullptr},
    {"orientation_6_quarter_turn", sized(1000, 600, 6), nullptr, nullptr},
    {"orientation_7_across_the_other_diagonal", sized(1000, 600, 7), nullptr, nullptr},
    {"orientation_8_quarter_turn_back", sized(1000, 600, 8), nullptr, nullptr},
    {"png", png(), nullptr, nullptr, "picture.png"},
    {"png_see_through_over_white", png(true), nullptr, nullptr, "picture.png"},
    {"png_interlaced", png(false, true), nullptr, nullptr, "picture.png"},
    {"png_turned_by_its_exif", png(false, false, 6), nullptr, nullptr, "picture.png"},
    {"not_an_image", {}, write_text, "it is not a JPEG or PNG picture"},
    {"empty", {}, make_empty, "it is empty"},
    {"cut_short", {}, cut_in_half, "it is cut short"},
    {"png_cut_short", png(), cut_in_half, "it is cut short", "picture.png"},
    {"unreadable", {}, deny_reading, "it cannot be read (Permission denied)"},
    {"tiny", sized(200, 150), nullptr, too_small},
    {"too_small_once_turned", sized(280, 400, 6), nullptr, too_small},
    {"over_100_megapixels", {}, claim_108_megapixels, "it has more than 100 megapixels"},
    {"file_over_100_MB", {}, pad_past_100_MB, "its file is larger than 100 MB"},
    {"link_that_loops", {}, loop_the_link, "it is a link that loops"},
    {"name_not_utf8", {}, nullptr, "its name is not valid UTF-8", "\xFF\xFE.jpg", "\\xFF\\xFE.jpg"},
    {"damaged_inside", {}, damage_inside, "it cannot be decoded (Corrupt JPEG data"},
};

class each_picture : public own_pictures_test, public testing::WithParamInterface<picture_case> {};

// Beside five good pictures, the row's: played as the sixth, or told and
// left out, and the game goes on with the built-in pictures.
TEST_P(each_picture, plays_upright_and_centred_or_is_named_and_left_out) {
    const picture_case &row = GetParam();
    fillers(5);
    std::string path = folder + "/" + row.file_name;
    ASSERT_TRUE(write_picture(path, row.picture));
    if (row.spoil) row.spoil(path);
    int note_pixels = 0;
    script::on_present = [&] {
        if (script::presents == 55)
            note_pixels = 1020 * 24 - count_colour(script::canvas(), {0, 665, 1020, 24}, {0, 0, 0});
    };
    std::string errors = start({folder});
    script::on_present = nullptr;
    bool when_decoded = row.spoil == damage_inside;
    if (row.told && !when_decoded) {
        // Found before decoding: five are too few, and the intro says so.
        EXPECT_EQ(own_picture_count, 0);
        EXPECT_NE(std::string(own_pictures_note() ? own_pictures_note() : "").find("(5 z"),
                  std::string::npos);
        EXPECT_GT(note_pixels, 0) << "the intro's line on the player's pictures";
    }
    errors += deal();
    ASSERT_TRUE(group_loaded) << "no set was dealt";
    if (row.told) {
        std::string shown = folder + "/" + (row.shown ? row.shown : row.file_name);
        EXPECT_NE(errors.find("left out " + shown + ": " + row.told), std::string::npos) << errors;
        EXPECT_EQ(own_picture_count, 0) << "the built-in pictures play";
        return;
    }
    ASSERT_EQ(own_picture_count, 6) << errors;
    int k = 1;
    while (k <= 6 && own_pictures[set_files[0][k]].path != path) k++;
    ASSERT_LE(k, 6) << "not in the set";
    EXPECT_EQ(wrong_with_fit(group_pictures[k], row.picture.see_through_corner), "");
}

INSTANTIATE_TEST_SUITE_P(every_kind, each_picture, testing::ValuesIn(picture_cases),
                         [](const testing::TestParamInfo<picture_case> &info) {
                             return std::string(info.param.name);
                         });

// ---- The sets ----

// 11 usable pictures make one set, 12 and 17 two, 2000 three, none in two
// sets; of the 2000 only as many are read as the sets take, and of those only
// their first and last bytes. The same folder again deals other sets.
TEST_F(own_pictures_test, make_one_to_three_sets_none_twice_reading_no_more_than_they_need) {
    std::string source = scratch + "/source.jpg";
    ASSERT_TRUE(write_picture(source, {}));
    std::vector<std::string> dealt;
    for (auto [files, sets] : {std::pair{11, 1}, {12, 2}, {17, 2}, {2000, 3}}) {
        std::string many = scratch + "/" + std::to_string(files);
        fs::create_directory(many);
        for (int i = 0; i < files; i++)
            fs::create_symlink(source, many + "/" + std::to_string(i) + ".jpg");
        script::file_reads.clear();
        start({many});
        EXPECT_EQ(sets_in_game, sets) << files << " pictures";
        dealt = chosen();
        EXPECT_EQ(std::set<std::string>(dealt.begin(), dealt.end()).size(), 6u * sets);
        std::set<std::string> read;
        long long bytes = 0;
        for (const script::file_read &r : script::file_reads) read.insert(r.path), bytes += r.size;
        EXPECT_EQ(read.size(), std::min(files, 18)) << files << " pictures";
        EXPECT_LE(bytes, 18 * (65536 + 4096));
    }
    script::clock_seconds++;
    start({scratch + "/2000"});
    EXPECT_NE(chosen(), dealt);
}

// Six scenes stored as cameras and editors store them (a portrait turned by
// its EXIF tag, a panorama upside down, a PNG, a small one enlarged): the
// set dealt, and the summary of a game of one set, which keeps no record.
TEST_F(own_pictures_test, a_set_of_them_dealt_and_summed_up_as_drawn) {
    script::refresh_period = 0;
    script::clock_seconds = 20261208;
    for (int k = 1; k <= 6; k++) {
        ASSERT_TRUE(write_picture(folder + "/" + scene_file_name(k), scene_file(k)));
    }
    start({folder});
    deal();
    expect_reference("own-set-dealt", script::canvas(), {0, 0, 1020, 710});
    for (int k = 1; k <= 6; k++) assembled[k] = 1;
    frame(10, 10, 0);
    ASSERT_EQ(current_group, 4) << "one set, then the summary";
    expect_reference("own-summary", script::canvas(), {0, 0, 1020, 710});
    char records[64];
    EXPECT_EQ(sys_read_state("records", records, sizeof records), -1);
}

// ---- A saved game of them ----

std::string contents(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Saved with its pictures' paths, and resumed with them without arguments;
// once one of them has changed (its size or time) a new game begins, and
// the player is told why on stderr and on the intro.
TEST_F(own_pictures_test, a_saved_game_resumes_by_path_and_starts_afresh_once_a_picture_changed) {
    fillers(6);
    start({folder});
    deal();
    drag(2, direction_right);
    std::string saved = contents(sys_state_path("game"));
    EXPECT_EQ(
        saved.rfind("picture-cubes saved game 2\nsets 1 name Wakacje%20nad%20morzem%202025\n"), 0u)
        << saved;
    std::vector<std::string> paths = chosen();

    start({});
    EXPECT_EQ(chosen(), paths);
    EXPECT_EQ(move_counter, 1);
    EXPECT_EQ(wrong_with_fit(group_pictures[1], false), "") << "not the player's picture";

    // Its time moved; then its size changed, its time put back; then gone.
    auto expect_a_new_game = [&](const char *what) {
        std::string errors = start({});
        std::string told = "the saved game's picture " + paths[2] + " is " + what;
        EXPECT_NE(errors.find(told + "; a new game begins"), std::string::npos) << errors;
        EXPECT_EQ(own_picture_count, 0);
        EXPECT_NE(own_pictures_note(), nullptr);
    };
    auto when = fs::last_write_time(paths[2]);
    fs::last_write_time(paths[2], when + std::chrono::seconds(1));
    expect_a_new_game("changed");
    fs::resize_file(paths[2], fs::file_size(paths[2]) + 1);
    fs::last_write_time(paths[2], when);
    expect_a_new_game("changed");
    fs::remove(paths[2]);
    expect_a_new_game("gone");
}

}  // namespace
