// The real state folder on a POSIX file system: private modes, whole-file
// replacement, links planted inside never followed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "system/platform.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class state_folder_posix : public testing::Test {
   protected:
    // The folder is found once per run: every case shares one scratch home.
    static void SetUpTestSuite() {
        static char home[] = "/tmp/picture-cubes-state-folder-XXXXXX";
        if (!mkdtemp(home)) return;
        setenv("XDG_STATE_HOME", home, 1);
        scratch = home;
    }
    static void TearDownTestSuite() { fs::remove_all(scratch); }
    static std::string scratch;
    std::string game = sys_state_path("game");
};
std::string state_folder_posix::scratch;

TEST_F(state_folder_posix, is_private_and_replaces_planted_links_without_following_them) {
    ASSERT_FALSE(scratch.empty());
    std::string outside = scratch + "/outside";
    std::ofstream(outside) << "not the game's";
    ASSERT_EQ(sys_write_state("game", "first", 5), 0);
    fs::remove(game);
    fs::create_symlink(outside, game);
    fs::create_symlink(outside, game + ".new");
    // Twenty saves over the planted links (the benchmark times them).
    for (int i = 0; i < 20; i++) {
        std::string text = "moves " + std::to_string(i) + "\n";
        ASSERT_EQ(sys_write_state("game", text.data(), static_cast<int>(text.size())), 0);
    }
    EXPECT_EQ(contents(outside), "not the game's");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(game)));
    EXPECT_EQ(contents(game), "moves 19\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(game + ".new")));
    struct stat folder, file;
    ASSERT_EQ(stat(fs::path(game).parent_path().c_str(), &folder), 0);
    ASSERT_EQ(stat(game.c_str(), &file), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_EQ(file.st_mode & 0777, 0600u);

    // A link planted as the file itself is refused on reading, never followed.
    fs::remove(game);
    fs::create_symlink(outside, game);
    char buffer[64];
    EXPECT_EQ(sys_read_state("game", buffer, sizeof buffer), -2);
    sys_remove_state("game");
    EXPECT_EQ(sys_read_state("game", buffer, sizeof buffer), -1);
    EXPECT_EQ(contents(outside), "not the game's");
}

}  // namespace
