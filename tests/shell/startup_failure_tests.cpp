// The real binary, started where it cannot run: it must say what is wrong
// and exit 1, not crash.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "shell/media_folder.h"

namespace {

struct outcome {
    int exit_code;
    std::string errors;
};

// Runs the game in `folder` without an X display and collects its stderr
// (its stdout, when `output` says so).
outcome run_game_in(const std::string &folder, const std::string &arguments = "",
                    bool output = false) {
    std::string command = "cd '" + folder + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" +
                          PICTURE_CUBES_BINARY + "' " + arguments +
                          (output ? " 2>/dev/null" : " 2>&1 >/dev/null");
    FILE *pipe = popen(command.c_str(), "r");
    outcome result{-1, ""};
    if (!pipe) return result;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) result.errors += buffer;
    int status = pclose(pipe);
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    return result;
}

// A working folder whose media holds an empty file for every name the game
// needs, except the ones left out.
std::string folder_with_media_except(const std::vector<std::string> &left_out) {
    char name[] = "/tmp/picture-cubes-test-XXXXXX";
    std::string folder = mkdtemp(name);
    std::string media = folder + "/media";
    mkdir(media.c_str(), 0755);
    for (const std::string &file : required_media_files()) {
        bool skip = false;
        for (const std::string &out : left_out) skip = skip || out == file;
        if (!skip) std::ofstream(media + "/" + file) << "";
    }
    return folder;
}

TEST(start_up_failure, missing_files_are_all_named_with_their_paths) {
    std::string folder = folder_with_media_except({"ele.png", "w10.jpg", "arialbd.ttf"});
    outcome run = run_game_in(folder);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.errors.find("missing game files"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("media/ele.png"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("media/w10.jpg"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("media/arialbd.ttf"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("media/w1.jpg"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("Segmentation"), std::string::npos);
}

TEST(start_up_failure, without_a_display_the_game_says_so_and_exits_1) {
    std::string folder = folder_with_media_except({});
    outcome run = run_game_in(folder);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.errors.find("cannot open a 1020 x 710 window"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("DISPLAY=not set"), std::string::npos) << run.errors;
}

TEST(start_up_failure, a_media_folder_with_one_of_our_files_is_ours_and_the_rest_are_named) {
    // Any other folder called media (Linux has /media) is passed over.
    std::vector<std::string> all_but_background = required_media_files();
    all_but_background.erase(all_but_background.begin() + 2);
    ASSERT_EQ(required_media_files()[2], "t2.jpg");
    std::string folder = folder_with_media_except(all_but_background);
    outcome run = run_game_in(folder);
    EXPECT_EQ(run.exit_code, 1);
    size_t named = 0;
    for (const std::string &file : required_media_files()) {
        if (run.errors.find("media/" + file + "\n") != std::string::npos) named++;
    }
    EXPECT_EQ(named, required_media_files().size() - 1) << run.errors;
    EXPECT_EQ(required_media_files().size(), 34u);
}

// As a command-line program: --help and --version answer on stdout and
// exit 0, before any window is needed; an unknown option is named, exit 2.
TEST(command_line, answers_help_and_version_and_names_an_unknown_option) {
    outcome help = run_game_in("/", "--help", true);
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_EQ(help.errors.rfind("Usage: picture-cubes [FOLDER | FILE...]\n", 0), 0u) << help.errors;
    outcome version = run_game_in("/", "--version", true);
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.errors, "picture-cubes 1.0\n");
    outcome unknown = run_game_in("/", "some-folder --frobnicate");
    EXPECT_EQ(unknown.exit_code, 2);
    EXPECT_EQ(unknown.errors.rfind("picture-cubes: unknown option '--frobnicate'\n", 0), 0u)
        << unknown.errors;
}

}  // namespace
