// A pad's button codes, read from its event device under /dev/input.
#include "system/pad_codes.h"

#ifdef __linux__
#include <dirent.h>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// The codes the library's Linux driver counts as buttons.
bool counted_as_button(int code) {
    return (code >= BTN_MISC && code <= BTN_9) || (code >= BTN_JOYSTICK && code <= BTN_DEAD) ||
           (code >= BTN_GAMEPAD && code <= BTN_THUMBR) ||
           (code >= BTN_WHEEL && code <= BTN_GEAR_UP) ||
           (code >= BTN_TRIGGER_HAPPY && code <= BTN_TRIGGER_HAPPY40);
}

// The button codes of the device at `path` if its name is `name`, else -1.
// Opened to read only: the game writes nothing there.
int codes_of(const char *path, const char *name, int codes[], int size) {
    int device = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (device < 0) return -1;
    const int bits_per_word = sizeof(unsigned long) * CHAR_BIT;
    char device_name[256] = "";
    unsigned long bits[KEY_CNT / bits_per_word + 1] = {};
    int count = -1;
    if (ioctl(device, EVIOCGNAME(sizeof device_name - 1), device_name) >= 0 &&
        strcmp(device_name, name) == 0 &&
        ioctl(device, EVIOCGBIT(EV_KEY, sizeof bits), bits) >= 0) {
        count = 0;
        for (int code = BTN_MISC; code < KEY_CNT && count < size; code++) {
            bool set = bits[code / bits_per_word] >> (code % bits_per_word) & 1;
            if (set && counted_as_button(code)) codes[count++] = code;
        }
    }
    close(device);
    return count;
}

}  // namespace

int read_pad_button_codes(const char *name, int buttons, int codes[], int size) {
    DIR *folder = opendir("/dev/input");
    if (!folder) return 0;
    int found = 0;
    while (dirent *entry = readdir(folder)) {
        if (strncmp(entry->d_name, "event", 5) != 0) continue;
        char path[300];
        snprintf(path, sizeof path, "/dev/input/%s", entry->d_name);
        // Two pads of one name and layout number their buttons alike.
        if (codes_of(path, name, codes, size) == buttons) {
            found = buttons;
            break;
        }
    }
    closedir(folder);
    return found;
}
#else
int read_pad_button_codes(const char *, int, int[], int) {
    return 0;
}
#endif
