// Every file the game reads, damaged every way a copy or a download damages
// it, put through the game's own start-up in a child process. An image or a
// font stops the game with exit 1 and a message naming the file, shown in a
// message box in the same words; a sound plays silent with one line naming it;
// nothing dies by a signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <allegro5/allegro.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "shell/media_folder.h"
#include "shell/resources.h"
#include "support/scripted_platform.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> sounds = {"s.wav", "s1.wav", "s3.wav", "s5.wav"};

struct bad_media {
    std::string file;  // empty: the media folder itself cannot be read
    std::string damage;
    int width = 0, height = 0;  // a picture redrawn at this size
};

std::vector<bad_media> every_bad_media() {
    std::vector<bad_media> table;
    std::vector<std::string> files = required_media_files();
    files.insert(files.end(), sounds.begin(), sounds.end());
    for (const std::string &file : files) {
        for (const char *damage : {"missing", "empty", "cut in half", "noise"}) {
            table.push_back({file, damage});
        }
    }
    // One pixel short of what the game relies on, and the background one
    // pixel past the window it is copied onto 1:1.
    const bad_media wrong_sizes[] = {
        {"b3.jpg", "", 599, 450},  {"w10.jpg", "", 600, 449}, {"t2.jpg", "", 1019, 710},
        {"t2.jpg", "", 1020, 711}, {"ele.png", "", 671, 807}, {"ele.png", "", 672, 806},
    };
    for (bad_media wrong : wrong_sizes) {
        wrong.damage = std::to_string(wrong.width) + " x " + std::to_string(wrong.height);
        table.push_back(wrong);
    }
    table.push_back({"", "unreadable folder"});
    return table;
}

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A scratch working folder whose media links to the real files, but for the
// damaged one.
std::string folder_with(const bad_media &bad) {
    char name[] = "/tmp/picture-cubes-bad-media-XXXXXX";
    std::string folder = mkdtemp(name);
    chmod(folder.c_str(), 0755);
    std::string media = folder + "/media";
    fs::create_directory(media);
    std::vector<std::string> files = required_media_files();
    files.insert(files.end(), sounds.begin(), sounds.end());
    for (const std::string &file : files) {
        std::string real = fs::absolute(media_path(file));
        std::string copy = media + "/" + file;
        if (file != bad.file) {
            fs::create_symlink(real, copy);
        } else if (bad.damage == "empty") {
            write_file(copy, "");
        } else if (bad.damage == "cut in half") {
            std::string bytes = read_file(real);
            write_file(copy, bytes.substr(0, bytes.size() / 2));
        } else if (bad.damage == "noise") {
            std::string bytes = read_file(real);
            std::mt19937 noise(static_cast<unsigned>(bytes.size()));
            for (char &byte : bytes) byte = static_cast<char>(noise());
            write_file(copy, bytes);
        } else if (bad.width) {
            int flags = al_get_new_bitmap_flags();
            al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
            ALLEGRO_BITMAP *picture = al_load_bitmap(real.c_str());
            ALLEGRO_BITMAP *resized = al_create_bitmap(bad.width, bad.height);
            ALLEGRO_BITMAP *target = al_get_target_bitmap();
            al_set_target_bitmap(resized);
            al_draw_bitmap(picture, 0, 0, 0);
            al_set_target_bitmap(target);
            al_save_bitmap(copy.c_str(), resized);
            al_destroy_bitmap(resized);
            al_destroy_bitmap(picture);
            al_set_new_bitmap_flags(flags);
        }
    }
    if (bad.file.empty()) chmod(media.c_str(), 0);
    return folder;
}

struct outcome {
    int exit_code = -1;
    int signal = 0;
    std::string errors;  // stderr, then one "[box] " line per message box
};

// Runs the game's code in a child, in the folder; its result is the exit
// code. Root reads any folder, so to meet an unreadable one the child gives
// up root.
outcome run_in(const std::string &folder, bool as_player, int (*game)()) {
    std::string errors_file = folder + "/errors";
    pid_t child = fork();
    if (child == 0) {
        int errors = open(errors_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errors < 0 || dup2(errors, STDERR_FILENO) < 0 || chdir(folder.c_str()) != 0 ||
            (as_player && geteuid() == 0 && setuid(65534) != 0)) {
            _exit(99);
        }
        script::reset();
        script::audio_available = true;
        int code = game();
        fflush(stderr);
        _exit(code);
    }
    // A hang is a failure too; a minute is far beyond any start-up.
    outcome result;
    int status = 0;
    for (int waited = 0; waitpid(child, &status, WNOHANG) == 0; waited++) {
        if (waited == 600) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            result.errors = "hung for a minute\n";
            return result;
        }
        usleep(100000);
    }
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.errors += read_file(errors_file);
    return result;
}

int lines_naming(const std::string &text, const std::string &name) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line.find(name) != std::string::npos;
    return count;
}

class bad_media_test : public testing::TestWithParam<bad_media> {};

TEST_P(bad_media_test, stops_naming_the_file_or_plays_silent_and_never_crashes) {
    // The child must look for media in its own working folder.
    ASSERT_EQ(media_folder(), "media") << "run from the source folder";
    const bad_media &bad = GetParam();
    std::string folder = folder_with(bad);
    // Exits as the game's main does after start-up.
    outcome run = run_in(folder, bad.file.empty(), [] { return start_up() ? 0 : 1; });
    std::string name = bad.file.empty() ? "folder media" : "media/" + bad.file;
    bool is_sound = std::find(sounds.begin(), sounds.end(), bad.file) != sounds.end();

    EXPECT_EQ(run.signal, 0) << "died by signal " << run.signal << "\n" << run.errors;
    if (is_sound) {
        EXPECT_EQ(run.exit_code, 0) << run.errors;
        EXPECT_EQ(lines_naming(run.errors, name), 1) << run.errors;
        EXPECT_EQ(run.errors.find("[box]"), std::string::npos) << run.errors;
    } else {
        EXPECT_EQ(run.exit_code, 1) << run.errors;
        // The box tells the same words stderr told, and they name the file.
        size_t box = run.errors.find("[box] ");
        ASSERT_NE(box, std::string::npos) << run.errors;
        std::string words = run.errors.substr(box + 6);
        words.pop_back();
        EXPECT_NE(words.find(name), std::string::npos) << run.errors;
        std::string told = run.errors.substr(0, box);
        EXPECT_TRUE(told.size() > words.size() &&
                    told.compare(told.size() - words.size() - 1, std::string::npos, words + "\n") ==
                        0)
            << run.errors;
    }
    fs::permissions(folder + "/media", fs::perms::owner_all);
    fs::remove_all(folder);
}

TEST(media_gone_mid_game, a_picture_that_went_away_stops_the_game_with_its_name_in_a_box) {
    std::string folder = folder_with({"p7.jpg", "missing"});
    outcome run = run_in(folder, false, [] {
        reload_media_bitmap("p7.jpg");
        return 0;
    });
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.errors,
              "picture-cubes: cannot read media/p7.jpg\n"
              "[box] picture-cubes: cannot read media/p7.jpg\n");
    fs::remove_all(folder);
}

std::string case_name(const testing::TestParamInfo<bad_media> &info) {
    std::string name =
        (info.param.file.empty() ? "media" : info.param.file) + "_" + info.param.damage;
    for (char &c : name) {
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(every_file, bad_media_test, testing::ValuesIn(every_bad_media()),
                         case_name);

}  // namespace
