// The test suite's state folder: plain files in a scratch folder, with the
// real folder's contract (whole-file replacement, links never followed, the
// errno of what failed, no allocation) but nothing flushed to disk.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "support/scripted_platform.h"
#include "system/platform.h"

namespace {

char path[PATH_MAX];

const char *in_folder(const char *name, const char *ending = "") {
    snprintf(path, sizeof path, "%s/%s%s", script::state_folder.c_str(), name, ending);
    return path;
}

}  // namespace

const char *sys_state_path(const char *name) {
    return in_folder(name);
}

int sys_write_state(const char *name, const char *bytes, int length) {
    // Its parent is the scratch folder the suite made.
    if (mkdir(script::state_folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    char temporary[PATH_MAX];
    snprintf(temporary, sizeof temporary, "%s", in_folder(name, ".new"));
    unlink(temporary);
    int fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
    if (fd < 0) return errno;
    bool whole = write(fd, bytes, length) == length;
    close(fd);
    if (!whole) return ENOSPC;
    return rename(temporary, in_folder(name)) == 0 ? 0 : errno;
}

int sys_read_state(const char *name, char *buffer, int size) {
    struct stat about;
    if (lstat(in_folder(name), &about) != 0) return -1;
    if (!S_ISREG(about.st_mode) || about.st_size > size) return -2;
    int fd = open(path, O_RDONLY | O_NOFOLLOW);
    if (fd < 0) return -2;
    int length = static_cast<int>(read(fd, buffer, size));
    close(fd);
    return length < 0 ? -2 : length;
}

void sys_set_aside_state(const char *name) {
    char aside[PATH_MAX];
    snprintf(aside, sizeof aside, "%s", in_folder(name, ".bad"));
    unlink(aside);
    rmdir(aside);
    rename(in_folder(name), aside);
}

void sys_remove_state(const char *name) {
    unlink(in_folder(name));
}
