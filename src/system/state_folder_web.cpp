// The state folder in the browser's own storage: IndexedDB, through
// Emscripten's IDBFS file system mounted at /state.
#include <emscripten.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "system/platform.h"

namespace {

// Mounts the folder and waits until what the browser kept is in it. Storage
// that is blocked (a private window), full or damaged leaves a folder that
// lives only as long as the page, told once in the console.
EM_ASYNC_JS(void, load_storage, (), {
    var tell = function(why) {
        if (Module.storage_told) return;
        Module.storage_told = true;
        console.warn("picture-cubes: the browser keeps no saved game here (" + why +
                     "); this game is not kept");
    };
    Module.tell_storage = tell;
    try {
        FS.mkdir("/state");
        FS.mount(IDBFS, {}, "/state");
    } catch (error) {
        tell(error.message || error);
        return;
    }
    // A storage that never answers must not hold the page up.
    await new Promise(function(done) {
        var timer = setTimeout(function() { tell("no answer"); done(); }, 5000);
        try {
            FS.syncfs(true, function(error) {
                clearTimeout(timer);
                if (error) tell(error.message || error);
                done();
            });
        } catch (error) {
            clearTimeout(timer);
            tell(error.message || error);
            done();
        }
    });
});

// Sends what changed to the browser's storage. One flush runs at a time; a
// change made meanwhile goes out with the next.
EM_JS(void, flush_storage, (), {
    if (Module.storage_told) return;
    if (Module.flushing) {
        Module.flush_again = true;
        return;
    }
    Module.flushing = true;
    var flush = function() {
        Module.flush_again = false;
        FS.syncfs(false, function(error) {
            if (error) Module.tell_storage(error.message || error);
            if (Module.flush_again && !Module.storage_told) {
                flush();
            } else {
                Module.flushing = false;
            }
        });
    };
    flush();
});

char path[80];

// Loaded once, before the first look at the folder.
void use_storage() {
    static bool loaded;
    if (loaded) return;
    loaded = true;
    load_storage();
}

const char *in_folder(const char *name, const char *suffix = "") {
    snprintf(path, sizeof path, "/state/%s%s", name, suffix);
    return path;
}

}  // namespace

const char *sys_state_path(const char *name) {
    return in_folder(name);
}

int sys_write_state(const char *name, const char *bytes, int length) {
    use_storage();
    char temporary[80];
    snprintf(temporary, sizeof temporary, "%s", in_folder(name, ".new"));
    int fd = open(temporary, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return errno;
    int failure = 0;
    for (int done = 0; done < length && !failure;) {
        ssize_t written = write(fd, bytes + done, length - done);
        if (written <= 0) failure = written < 0 ? errno : ENOSPC;
        done += written > 0 ? static_cast<int>(written) : 0;
    }
    close(fd);
    if (!failure && rename(temporary, in_folder(name)) != 0) failure = errno;
    if (failure) {
        unlink(temporary);
        return failure;
    }
    flush_storage();
    return 0;
}

int sys_read_state(const char *name, char *buffer, int size) {
    use_storage();
    struct stat about;
    if (stat(in_folder(name), &about) != 0) return errno == ENOENT ? -1 : -2;
    if (!S_ISREG(about.st_mode) || about.st_size > size) return -2;
    int fd = open(path, O_RDONLY);
    if (fd < 0) return -2;
    int length = 0;
    for (ssize_t got; length < size && (got = read(fd, buffer + length, size - length)) != 0;) {
        if (got < 0) {
            length = -2;
            break;
        }
        length += static_cast<int>(got);
    }
    close(fd);
    return length;
}

void sys_set_aside_state(const char *name) {
    use_storage();
    char aside[80];
    snprintf(aside, sizeof aside, "%s", in_folder(name, ".bad"));
    unlink(aside);
    rmdir(aside);
    rename(in_folder(name), aside);
    flush_storage();
}

void sys_remove_state(const char *name) {
    use_storage();
    if (unlink(in_folder(name)) == 0) flush_storage();
}

// The browser's storage is written as it is asked: a failure is told by
// sys_write_state itself, nothing waits, and each page has its own game.
int sys_state_failure() {
    return 0;
}

bool sys_wait_for_state(double) {
    return true;
}

bool sys_state_held_elsewhere() {
    return false;
}
