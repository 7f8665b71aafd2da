// The real state folder on a POSIX file system: private modes, whole-file
// replacement, links planted inside never followed and links on the way
// followed, the writer beside the game, the lock between copies.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

// Another copy of the game writing in the folder: a process that holds the
// lock file's writing byte for 3 s at most, or until it is killed.
pid_t copy_writing(const std::string &folder) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    pid_t copy = fork();
    if (copy == 0) {
        int fd = open((folder + "/lock").c_str(), O_RDWR | O_CREAT, 0600);
        struct flock region = {};
        region.l_type = F_WRLCK;
        region.l_start = 1;
        region.l_len = 1;
        char taken = fd >= 0 && fcntl(fd, F_OFD_SETLK, &region) == 0 ? 'y' : 'n';
        if (write(ready[1], &taken, 1) != 1 || taken != 'y') _exit(1);
        sleep(3);
        _exit(0);
    }
    char taken = 'n';
    if (read(ready[0], &taken, 1) != 1) taken = 'n';
    close(ready[0]);
    close(ready[1]);
    return taken == 'y' ? copy : -1;
}

class state_folder_posix : public testing::Test {
   protected:
    // The folder is found once per run: every case shares one scratch home,
    // whose state folder is a link to one elsewhere, as kept dotfiles make it.
    static void SetUpTestSuite() {
        static char home[] = "/tmp/picture-cubes-state-folder-XXXXXX";
        if (!mkdtemp(home)) return;
        scratch = home;
        fs::create_directory(scratch + "/dotfiles");
        fs::create_directory_symlink(scratch + "/dotfiles", scratch + "/state");
        setenv("XDG_STATE_HOME", (scratch + "/state").c_str(), 1);
    }
    static void TearDownTestSuite() { fs::remove_all(scratch); }
    static std::string scratch;
    std::string game = sys_state_path("game");
    std::string folder = sys_state_path("");
    void write(const char *name, const std::string &text) {
        ASSERT_EQ(sys_write_state(name, text.data(), static_cast<int>(text.size())), 0);
    }
};
std::string state_folder_posix::scratch;

TEST_F(state_folder_posix, is_private_and_replaces_planted_links_without_following_them) {
    ASSERT_FALSE(scratch.empty());
    std::string outside = scratch + "/outside";
    std::ofstream(outside) << "not the game's";
    write("game", "first");
    ASSERT_TRUE(sys_wait_for_state(10));
    // Made through the link on the way, private.
    std::string made = scratch + "/dotfiles/picture-cubes";
    EXPECT_EQ(contents(made + "/game"), "first");
    struct stat about;
    ASSERT_EQ(stat(made.c_str(), &about), 0);
    EXPECT_EQ(about.st_mode & 0777, 0700u);
    // The folder itself moved elsewhere and linked to, as the player may.
    std::string moved = scratch + "/kept";
    fs::rename(made, moved);
    fs::create_directory_symlink(moved, made);
    fs::remove(game);
    fs::create_symlink(outside, game);
    fs::create_symlink(outside, game + ".new");
    // Twenty saves over the planted links (the benchmark times them).
    for (int i = 0; i < 20; i++) write("game", "moves " + std::to_string(i) + "\n");
    ASSERT_TRUE(sys_wait_for_state(10));
    EXPECT_EQ(sys_state_failure(), 0);
    EXPECT_EQ(contents(outside), "not the game's");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(game)));
    EXPECT_EQ(contents(moved + "/game"), "moves 19\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(game + ".new")));
    ASSERT_EQ(stat(game.c_str(), &about), 0);
    EXPECT_EQ(about.st_mode & 0777, 0600u);

    // A link planted as the file itself is refused on reading, never followed.
    fs::remove(game);
    fs::create_symlink(outside, game);
    char buffer[64];
    EXPECT_EQ(sys_read_state("game", buffer, sizeof buffer), -2);
    sys_remove_state("game");
    ASSERT_TRUE(sys_wait_for_state(10));
    EXPECT_EQ(sys_read_state("game", buffer, sizeof buffer), -1);
    EXPECT_EQ(contents(outside), "not the game's");
}

// While another copy writes, saves wait beside the game: the newest of each
// file is written once that copy is done, in the order first asked, and
// waiting for them is bounded.
TEST_F(state_folder_posix, writes_wait_for_another_copy_newest_winning_and_the_wait_is_bounded) {
    write("game", "old");
    ASSERT_TRUE(sys_wait_for_state(10));
    int renames = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(renames, folder.c_str(), IN_MOVED_TO);
    pid_t other = copy_writing(folder);
    ASSERT_GT(other, 0);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; i++) write("game", "moves " + std::to_string(i) + "\n");
    write("records", "records");
    double asking = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(sys_wait_for_state(0.3));
    double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(asking, 0.1) << "asking for a save waited for the disk";
    EXPECT_GE(waited, 0.3);
    EXPECT_LT(waited, 2.0);
    EXPECT_EQ(contents(game), "old");
    EXPECT_FALSE(fs::exists(game + ".new"));
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
    ASSERT_TRUE(sys_wait_for_state(10));
    EXPECT_EQ(contents(game), "moves 4\n");
    EXPECT_EQ(contents(sys_state_path("records")), "records");
    std::string renamed;
    alignas(inotify_event) char events[4096];
    for (ssize_t got = read(renames, events, sizeof events), at = 0; at < got;) {
        const inotify_event *event = reinterpret_cast<inotify_event *>(events + at);
        renamed += std::string(event->name) + " ";
        at += sizeof(inotify_event) + event->len;
    }
    close(renames);
    EXPECT_EQ(renamed, "game records ");
}

// A file that cannot grow (the disk full, a quota) leaves the old state, and
// the failure is told once.
TEST_F(state_folder_posix, a_write_that_fails_leaves_the_old_file_and_is_told_once) {
    write("game", "old");
    ASSERT_TRUE(sys_wait_for_state(10));
    rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 8;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    write("game", "moves 19 and some more\n");
    bool done = sys_wait_for_state(10);
    setrlimit(RLIMIT_FSIZE, &before);
    ASSERT_TRUE(done);
    EXPECT_EQ(sys_state_failure(), EFBIG);
    EXPECT_EQ(sys_state_failure(), 0);
    EXPECT_EQ(contents(game), "old");
    EXPECT_FALSE(fs::exists(game + ".new"));
}

// Copies of the game as separate processes: the first holds the folder, a
// second sees it held, and once the first is killed a third holds it.
TEST_F(state_folder_posix, the_first_copy_holds_the_folder_until_it_is_killed) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t first = fork();
    if (first == 0) {
        char held_elsewhere = sys_state_held_elsewhere() ? 'y' : 'n';
        if (::write(ready[1], &held_elsewhere, 1) != 1) _exit(2);
        pause();
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'n');
    auto copy_sees_it_held = [] {
        pid_t copy = fork();
        if (copy == 0) _exit(sys_state_held_elsewhere() ? 1 : 0);
        int status = 0;
        waitpid(copy, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 1;
    };
    EXPECT_TRUE(copy_sees_it_held());
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    EXPECT_FALSE(copy_sees_it_held());
    close(ready[0]);
    close(ready[1]);
}

}  // namespace
