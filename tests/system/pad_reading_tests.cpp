// What the game takes from a pad: which button is Back, and which events
// count as input, as tables.
#include "system/pad_reading.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(pad_reading, back_is_the_button_named_or_coded_select_and_none_elsewhere) {
    const struct {
        const char *what;
        std::vector<const char *> names;
        int back;
    } named[] = {
        {"the library's own names on Linux",
         {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "B10", "B11"},
         -1},
        {"a mapped gamepad",
         {"A", "B", "X", "Y", "Left Shoulder", "Right Shoulder", "Back", "Start", "Guide"},
         6},
        {"XInput", {"A", "B", "X", "Y", "RB", "LB", "RT", "LT", "BACK", "START"}, 8},
        {"SDL", {"a", "b", "x", "y", "back"}, 4},
        {"a kernel name", {"BTN_SOUTH", "BTN_EAST", "BTN_SELECT"}, 2},
        {"Select", {"Cross", "Circle", "Select"}, 2},
        {"unnamed buttons", {nullptr, nullptr}, -1},
    };
    for (const auto &row : named) {
        EXPECT_EQ(back_button_named(row.names.data(), static_cast<int>(row.names.size())), row.back)
            << row.what;
    }
    // BTN_SOUTH 0x130 and on: the kernel's gamepad codes, in the library's order.
    const struct {
        const char *what;
        std::vector<int> codes;
        int back;
    } coded[] = {
        {"an Xbox pad",
         {0x130, 0x131, 0x133, 0x134, 0x136, 0x137, 0x13a, 0x13b, 0x13c, 0x13d, 0x13e},
         6},
        // Without Mode the old guess, five from the end, was a shoulder button.
        {"a pad without Mode",
         {0x130, 0x131, 0x133, 0x134, 0x136, 0x137, 0x13a, 0x13b, 0x13d, 0x13e},
         6},
        {"with triggers as buttons",
         {0x130, 0x131, 0x133, 0x134, 0x136, 0x137, 0x138, 0x139, 0x13a, 0x13b, 0x13c},
         8},
        {"a joystick's buttons",
         {0x120, 0x121, 0x122, 0x123, 0x124, 0x125, 0x126, 0x127, 0x128, 0x129, 0x12a, 0x12b},
         -1},
        {"codes not known", {}, -1},
    };
    for (const auto &row : coded) {
        EXPECT_EQ(back_button_coded(row.codes.data(), static_cast<int>(row.codes.size())), row.back)
            << row.what;
    }
}

TEST(pad_reading, only_a_read_stick_past_its_dead_zone_the_face_button_and_back_count) {
    const auto axis = pad_event::axis_moved;
    const auto button = pad_event::button_changed;
    const struct {
        const char *what;
        pad_event event;
        bool matters;
    } rows[] = {
        {"the left stick drifting", {axis, true, 0, 0.2f, 0, 0, -1}, false},
        {"the left stick pushed", {axis, true, 0, 0.7f, 0, 0, -1}, true},
        {"the left stick pushed up", {axis, true, 1, -0.7f, 0, 0, -1}, true},
        {"held, easing off a little", {axis, true, 0, 0.4f, 1, 0, -1}, false},
        {"held, let go", {axis, true, 0, 0.1f, 1, 0, -1}, true},
        {"held, pushed the other way", {axis, true, 0, -0.7f, 1, 0, -1}, true},
        {"the right stick or a trigger", {axis, false, 0, 1.0f, 0, 0, -1}, false},
        {"a third axis of the left stick", {axis, true, 2, 1.0f, 0, 0, -1}, false},
        {"the face button", {button, false, 0, 0, 0, 0, 6}, true},
        {"Back", {button, false, 0, 0, 0, 6, 6}, true},
        {"another button", {button, false, 0, 0, 0, 5, 6}, false},
        {"a button where Back is not known", {button, false, 0, 0, 0, 5, -1}, false},
    };
    for (const auto &row : rows) EXPECT_EQ(pad_event_matters(row.event), row.matters) << row.what;
}

}  // namespace
