// The player's own files on a POSIX system: facts, folder listings and reads, never a write.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "system/platform.h"

void sys_path_facts(const char *path, path_facts *facts) {
    *facts = {path_missing, 0, 0, 0};
    struct stat about;
    if (stat(path, &about) != 0) {
        facts->error = errno;
        facts->kind = errno == ELOOP    ? path_loops
                      : errno == ENOENT ? path_missing
                                        : path_unreadable;
        return;
    }
    facts->kind = S_ISREG(about.st_mode)   ? path_file
                  : S_ISDIR(about.st_mode) ? path_folder
                                           : path_other;
    facts->size = about.st_size;
    facts->modified =
        static_cast<long long>(about.st_mtim.tv_sec) * 1000000 + about.st_mtim.tv_nsec / 1000;
}

int sys_folder_names(const char *path, std::vector<std::string> *names) {
    DIR *folder = opendir(path);
    if (!folder) return errno;
    errno = 0;
    while (dirent *entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names->push_back(name);
    }
    int error = errno;
    closedir(folder);
    return error;
}

long long sys_read_file(const char *path, long long offset, unsigned char *buffer, long long size) {
    // A fifo or device named as a picture must not hang the game.
    int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -errno;
    long long done = 0;
    while (done < size) {
        ssize_t got = pread(fd, buffer + done, static_cast<size_t>(size - done), offset + done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            int error = errno;
            close(fd);
            return -error;
        }
        if (got == 0) break;
        done += got;
    }
    close(fd);
    return done;
}

std::string sys_real_path(const char *path) {
    char resolved[PATH_MAX];
    return realpath(path, resolved) ? resolved : "";
}
