// The state folder on a POSIX file system: whole-file replacement by rename,
// no link ever followed.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The folder itself, never through a link; with `create`, every missing
// folder on the way is made, 0700.
int open_folder(bool create) {
    const char *where = state_folder();
    if (where[0] != '/') {
        errno = ENOENT;
        return -1;
    }
    int fd = open(where, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 || !create || errno != ENOENT) return fd;
    char partial[PATH_MAX];
    snprintf(partial, sizeof partial, "%s", where);
    for (char *slash = strchr(partial + 1, '/');; slash = strchr(slash + 1, '/')) {
        if (slash) *slash = 0;
        if (mkdir(partial, 0700) != 0 && errno != EEXIST) return -1;
        if (!slash) break;
        *slash = '/';
    }
    return open(where, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

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

}  // namespace

const char *sys_state_path(const char *name) {
    snprintf(path, sizeof path, "%s/%s", state_folder(), name);
    return path;
}

int sys_write_state(const char *name, const char *bytes, int length) {
    int dir = open_folder(true);
    if (dir < 0) return errno;
    char temporary[64];
    snprintf(temporary, sizeof temporary, "%s.new", name);
    // A new file left by a game killed while writing is of no use; a link
    // planted in its place is removed, not followed.
    unlinkat(dir, temporary, 0);
    int failure = 0;
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
    if (!failure && fsync(dir) != 0) failure = errno;
    close(dir);
    return failure;
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

void sys_remove_state(const char *name) {
    int dir = open_folder(false);
    if (dir < 0) return;
    if (unlinkat(dir, name, 0) == 0) fsync(dir);
    close(dir);
}
