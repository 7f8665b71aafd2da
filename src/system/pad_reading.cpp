// The pad's rules: the dead zone, which button is Back, which events count.
#include "system/pad_reading.h"

#include <strings.h>

int stick_direction(float value, int before) {
    // Held near the threshold, a stick does not flicker between two readings.
    float threshold = before != 0 && (value > 0) == (before > 0) ? 0.3f : 0.6f;
    if (value >= threshold) return 1;
    if (value <= -threshold) return -1;
    return 0;
}

int back_button_named(const char *const names[], int count) {
    const char *const backs[] = {"back", "select", "btn_select", "btn_back", "view"};
    for (int b = 0; b < count; b++) {
        for (const char *back : backs) {
            if (names[b] && strcasecmp(names[b], back) == 0) return b;
        }
    }
    return -1;
}

int back_button_coded(const int codes[], int count) {
    // BTN_SELECT of linux/input-event-codes.h: Back on an Xbox pad, Select
    // or Share on others.
    const int select_code = 0x13a;
    for (int b = 0; b < count; b++) {
        if (codes[b] == select_code) return b;
    }
    return -1;
}

bool pad_event_matters(const pad_event &event) {
    if (event.kind == pad_event::button_changed) {
        return event.button == 0 || (event.back >= 0 && event.button == event.back);
    }
    return event.stick_read && event.axis < 2 &&
           stick_direction(event.position, event.direction) != event.direction;
}
