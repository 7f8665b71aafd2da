// The state folder on a POSIX file system: whole-file replacement by rename,
// done by a writer thread beside the game so that no flush holds up a frame;
// no link inside the folder ever followed; a lock file that tells copies of
// the game apart and keeps them from writing at once.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "system/platform.h"

namespace {

char folder[PATH_MAX];
char path[PATH_MAX + 64];

// Found once: the environment does not change while the game runs.
const char *state_folder() {
    if (folder[0]) return folder;
    const char *state = getenv("XDG_STATE_HOME");
    const char *home = getenv("HOME");
    if (state && state[0] == '/') {
        snprintf(folder, sizeof folder, "%s/picture-cubes", state);
    } else if (home && home[0] == '/') {
        snprintf(folder, sizeof folder, "%s/.local/state/picture-cubes", home);
    } else {
        // Nowhere to keep anything: every write fails and says so once.
        snprintf(folder, sizeof folder, "(no home folder)/picture-cubes");
    }
    return folder;
}

// The folder itself. Links on the way to it and the folder being one are
// followed: the player made them (a home on another disk, dotfiles kept
// elsewhere). With `create`, every missing folder on the way is made, 0700.
int open_folder(bool create) {
    const char *where = state_folder();
    if (where[0] != '/') {
        errno = ENOENT;
        return -1;
    }
    int fd = open(where, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 || !create || errno != ENOENT) return fd;
    char partial[PATH_MAX];
    snprintf(partial, sizeof partial, "%s", where);
    for (char *slash = strchr(partial + 1, '/');; slash = strchr(slash + 1, '/')) {
        if (slash) *slash = 0;
        if (mkdir(partial, 0700) != 0 && errno != EEXIST) return -1;
        if (!slash) break;
        *slash = '/';
    }
    return open(where, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// ---- The lock file ----
// Byte 0 of `lock` is held by the copy that holds the saved game, for as long
// as it runs; byte 1 by whichever copy is writing in the folder, so no two
// share a new file. The locks belong to the open file, so the kernel lets go
// of them however a copy ends, kill -9 included.

int open_lock(int dir) {
    return openat(dir, "lock", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
}

bool lock_byte(int fd, int byte, bool wait) {
    struct flock region = {};
    region.l_type = F_WRLCK;
    region.l_whence = SEEK_SET;
    region.l_start = byte;
    region.l_len = 1;
    while (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &region) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

int holder_lock = -1;
bool holder_looked;
bool held_elsewhere;

// ---- Writing, on the writer thread ----

bool write_all(int fd, const char *bytes, int length) {
    while (length > 0) {
        ssize_t written = write(fd, bytes, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        bytes += written;
        length -= static_cast<int>(written);
    }
    return true;
}

// A new file beside the named one, flushed, renamed over it, and the folder
// flushed; or, with `remove`, the file unlinked. 0, or the errno of the step
// that failed, the old file then standing as it was.
int change_now(const char *name, bool remove, const char *bytes, int length) {
    int dir = open_folder(true);
    if (dir < 0) return errno;
    // Another copy writing waits its turn here; where locks are not to be
    // had (some network folders), writing goes on without one.
    int lock = open_lock(dir);
    if (lock >= 0) lock_byte(lock, 1, true);
    int failure = 0;
    if (remove) {
        if (unlinkat(dir, name, 0) != 0 && errno != ENOENT) failure = errno;
    } else {
        char temporary[64];
        snprintf(temporary, sizeof temporary, "%s.new", name);
        // A new file left by a game killed while writing is of no use; a link
        // planted in its place is removed, not followed.
        unlinkat(dir, temporary, 0);
        int fd = openat(dir, temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            failure = errno;
        } else {
            if (!write_all(fd, bytes, length) || fsync(fd) != 0) failure = errno;
            if (close(fd) != 0 && !failure) failure = errno;
            // The rename replaces whatever has the name, a link included, and
            // either the old file or the new one is there at every moment.
            if (!failure && renameat(dir, temporary, dir, name) != 0) failure = errno;
            if (failure) unlinkat(dir, temporary, 0);
        }
    }
    if (!failure && fsync(dir) != 0) failure = errno;
    if (lock >= 0) close(lock);
    close(dir);
    return failure;
}

// What the game asked to be written, one slot per file, newest wins: a file
// asked for again before the writer took it is written once, at its newest.
// Files are written in the order they were first asked for, so one asked
// after another never reaches the disk before it.
const int most_bytes = 16384;
struct state_change {
    char name[32];
    bool waiting;  // asked for, not yet taken by the writer
    bool remove;
    long asked;  // when it began waiting
    int length;
    char bytes[most_bytes];
};
state_change changes[4];
state_change in_hand;  // the writer's own copy of the change it makes
bool writing;
long asked_so_far;
std::atomic<int> failure_seen;
bool writer_running;

pthread_mutex_t guard = PTHREAD_MUTEX_INITIALIZER;
pthread_cond_t change_asked = PTHREAD_COND_INITIALIZER;
pthread_cond_t change_done = PTHREAD_COND_INITIALIZER;
pthread_once_t writer_once = PTHREAD_ONCE_INIT;

state_change *next_waiting() {
    state_change *next = nullptr;
    for (state_change &change : changes) {
        if (change.waiting && (!next || change.asked < next->asked)) next = &change;
    }
    return next;
}

void *write_changes(void *) {
    pthread_mutex_lock(&guard);
    for (;;) {
        state_change *next = next_waiting();
        if (!next) {
            pthread_cond_wait(&change_asked, &guard);
            continue;
        }
        memcpy(&in_hand, next, offsetof(state_change, bytes) + next->length);
        next->waiting = false;
        writing = true;
        pthread_mutex_unlock(&guard);
        int failure = change_now(in_hand.name, in_hand.remove, in_hand.bytes, in_hand.length);
        pthread_mutex_lock(&guard);
        if (failure) failure_seen = failure;
        writing = false;
        pthread_cond_broadcast(&change_done);
    }
    return nullptr;
}

// The game is one thread; this is the only other. It takes no signal, so
// every signal still goes to the game as before.
void start_writer() {
    // Found here, before the writer can look for it too.
    state_folder();
    sigset_t all, kept;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &kept);
    pthread_t writer;
    writer_running = pthread_create(&writer, nullptr, write_changes, nullptr) == 0;
    if (writer_running) pthread_detach(writer);
    pthread_sigmask(SIG_SETMASK, &kept, nullptr);
}

int ask_for_change(const char *name, bool remove, const char *bytes, int length) {
    if (strlen(name) >= sizeof in_hand.name) return ENAMETOOLONG;
    if (length < 0 || length > most_bytes) return EFBIG;
    pthread_once(&writer_once, start_writer);
    // Without a writer (no thread to be had) the change is made at once.
    if (!writer_running) return change_now(name, remove, bytes, length);
    pthread_mutex_lock(&guard);
    state_change *slot = nullptr;
    for (state_change &change : changes) {
        if (change.waiting && strcmp(change.name, name) == 0) slot = &change;
    }
    for (state_change &change : changes) {
        if (!slot && !change.waiting) slot = &change;
    }
    if (slot) {
        if (!slot->waiting) {
            snprintf(slot->name, sizeof slot->name, "%s", name);
            slot->asked = ++asked_so_far;
            slot->waiting = true;
        }
        slot->remove = remove;
        slot->length = length;
        if (length > 0) memcpy(slot->bytes, bytes, length);
        pthread_cond_signal(&change_asked);
    }
    pthread_mutex_unlock(&guard);
    return slot ? 0 : EAGAIN;
}

}  // namespace

const char *sys_state_path(const char *name) {
    snprintf(path, sizeof path, "%s/%s", state_folder(), name);
    return path;
}

bool sys_state_held_elsewhere() {
    if (holder_looked) return held_elsewhere;
    holder_looked = true;
    int dir = open_folder(true);
    if (dir < 0) return false;
    int lock = open_lock(dir);
    close(dir);
    if (lock < 0) return false;
    if (lock_byte(lock, 0, false)) {
        // Kept open, and so held, until the game ends.
        holder_lock = lock;
        return false;
    }
    held_elsewhere = errno == EAGAIN || errno == EACCES;
    close(lock);
    return held_elsewhere;
}

int sys_write_state(const char *name, const char *bytes, int length) {
    return ask_for_change(name, false, bytes, length);
}

void sys_remove_state(const char *name) {
    ask_for_change(name, true, nullptr, 0);
}

int sys_state_failure() {
    return failure_seen.exchange(0);
}

bool sys_wait_for_state(double seconds) {
    timespec until;
    clock_gettime(CLOCK_MONOTONIC, &until);
    long nanoseconds =
        until.tv_nsec + static_cast<long>((seconds - static_cast<long>(seconds)) * 1e9);
    until.tv_sec += static_cast<long>(seconds) + nanoseconds / 1000000000;
    until.tv_nsec = nanoseconds % 1000000000;
    pthread_mutex_lock(&guard);
    bool done;
    while (!(done = !writing && !next_waiting())) {
        if (pthread_cond_clockwait(&change_done, &guard, CLOCK_MONOTONIC, &until) == ETIMEDOUT) {
            done = !writing && !next_waiting();
            break;
        }
    }
    pthread_mutex_unlock(&guard);
    return done;
}

int sys_read_state(const char *name, char *buffer, int size) {
    // A folder that is not there, or cannot be, holds nothing to read; a
    // save will say that it cannot be written.
    int dir = open_folder(false);
    if (dir < 0) return -1;
    int fd = openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    int error = errno;
    close(dir);
    if (fd < 0) return error == ENOENT ? -1 : -2;
    struct stat about;
    int length = 0;
    if (fstat(fd, &about) != 0 || !S_ISREG(about.st_mode) || about.st_size > size) {
        length = -2;
    }
    while (length >= 0) {
        ssize_t got = read(fd, buffer + length, size - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) length = -2;
        if (got <= 0) break;
        length += static_cast<int>(got);
        // Grown past the size while being read.
        if (length == size && about.st_size < size) length = -2;
    }
    close(fd);
    return length;
}

void sys_set_aside_state(const char *name) {
    int dir = open_folder(false);
    if (dir < 0) return;
    char aside[64];
    snprintf(aside, sizeof aside, "%s.bad", name);
    // An older copy aside makes room; so does one of another kind (a folder
    // cannot be renamed over a file, nor a file over a folder).
    if (renameat(dir, name, dir, aside) != 0) {
        unlinkat(dir, aside, 0);
        unlinkat(dir, aside, AT_REMOVEDIR);
        renameat(dir, name, dir, aside);
    }
    fsync(dir);
    close(dir);
}
