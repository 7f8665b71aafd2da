// When frames reach the window: at most one per refresh, none left unshown;
// and how long the rests between them sleep.
#include <gtest/gtest.h>

#include <vector>

#include "system/present_pacing.h"
#include "system/rest_pacing.h"
#include "system/shown_frames.h"

namespace {

const double period = 1.0 / 60;

struct present {
    double start, end;
};

// Each row: the presents that went out, then a frame asked for at `now`
// before a rest of `rest` seconds, and when that frame goes out (-1: not
// within this call).
struct row {
    const char *what;
    std::vector<present> presents;
    double now;
    double rest;
    double shown_at;
};

TEST(present_pacing, defers_within_the_refresh_period_and_makes_up_before_a_long_rest) {
    // Swaps that return at once: the free driver.
    const std::vector<present> free_swaps = {{1.000, 1.001}};
    // Swaps that return on a 60 Hz grid: the synced driver.
    const std::vector<present> synced_swaps = {
        {1.000, 60 * period}, {1.010, 61 * period}, {62 * period - 0.001, 62 * period}};
    // Presents start this long before a refresh: 2 ms at first, a little less
    // after a swap that waited less than that.
    const double lead = 0.0018;
    const row rows[] = {
        {"the first frame goes out at once", {}, 1.000, 0.001, 1.000},
        {"inside the period: deferred past a short rest", free_swaps, 1.005, 0.003, -1},
        {"inside the period: made up when the rest reaches it", free_swaps, 1.015, 0.003,
         1.000 + period},
        {"inside the period: shown at once before a long rest", free_swaps, 1.005, 0.010, 1.005},
        {"a full period later: at once", free_swaps, 1.000 + period, 0.001, 1.000 + period},
        {"synced: at once before a long rest", synced_swaps, 62 * period + 0.001, 0.01,
         62 * period + 0.001},
        {"synced: a short rest reaches the lead", synced_swaps, 63 * period - 0.004, 0.003,
         63 * period - lead},
        {"synced: inside the lead, at once", synced_swaps, 63 * period - 0.001, 0.001,
         63 * period - 0.001},
        {"synced: past the refresh, waits for the next one", synced_swaps, 63 * period + 0.001,
         0.009, -1},
    };
    for (const row &r : rows) {
        start_present_pacing(period);
        for (const present &p : r.presents) note_present(p.start, p.end);
        EXPECT_NEAR(deferred_present_time(r.now, r.rest), r.shown_at, 1e-9) << r.what;
        EXPECT_EQ(present_due(r.now), r.shown_at == r.now && r.rest < 0.01) << r.what;
    }
}

TEST(present_pacing, a_missed_refresh_waits_for_the_next_one_with_a_longer_lead) {
    start_present_pacing(period);
    for (int k = 60; k <= 62; k++) note_present(k * period - 0.001, k * period);
    ASSERT_TRUE(swaps_synced());
    double lead = 63 * period - next_present_time(62 * period + 0.001);
    // Started in the lead, it returned a refresh late: the lead grows.
    note_present(63 * period - lead, 64 * period);
    double grown = 65 * period - next_present_time(64 * period + 0.001);
    EXPECT_GT(grown, lead);
    // Past the refresh a frame waits for the window before the next one.
    EXPECT_NEAR(next_present_time(65 * period + 0.001), 66 * period - grown, 1e-9);
    // A return off the grid: the driver does not sync after all.
    note_present(66 * period - grown, 66 * period + 0.005);
    EXPECT_FALSE(swaps_synced());
    EXPECT_NEAR(next_present_time(66 * period + 0.006), 67 * period - grown, 1e-9);
}

// The pace clock: each row is a run of rests, with the seconds spent drawing
// (or waiting for a synced swap) before each, and how long each then sleeps.
TEST(rest_pacing, drawing_and_waits_for_the_screen_are_taken_out_of_the_next_rests) {
    struct row {
        const char *what;
        std::vector<double> work, rests, slept;
    };
    const row rows[] = {
        {"quick frames sleep the rest", {0.001, 0.001}, {0.003, 0.003}, {0.002, 0.002}},
        {"a slow frame or a swap's wait is made up by the next rests",
         {0.007, 0, 0, 0},
         {0.003, 0.003, 0.003, 0.003},
         {0, 0, 0.002, 0.003}},
        {"a stall is made up by 50 ms at most",
         {1.0, 0, 0, 0},
         {0.02, 0.02, 0.02, 0.02},
         {0, 0, 0, 0.01}},
        {"a clock gone back never stretches a rest", {-1.0, 0}, {0.003, 0.003}, {0.003, 0.003}},
    };
    for (const row &r : rows) {
        double now = 10;
        start_rest_pacing(now);
        for (size_t i = 0; i < r.rests.size(); i++) {
            now += r.work[i];
            double end = pace_rest(now, r.rests[i]);
            EXPECT_NEAR(end - now, r.slept[i], 1e-9) << r.what << ", rest " << i;
            now = end;
        }
    }
}

// The one rule both system layers ask: whether a frame reaches the window.
TEST(shown_frames, a_frame_is_shown_before_a_long_rest_or_when_a_present_is_due_in_time) {
    struct rule_row {
        const char *what;
        double seconds, now, rests_end, next_present, last_shown;
        bool shown;
    };
    const rule_row rows[] = {
        {"before a long rest, always", 0.01, 1.0, 1.01, 5.0, 0.99, true},
        {"a present due now", 0.002, 1.0, 1.002, 1.0, 0.98, true},
        {"a present due by the end of the rests", 0.002, 1.0, 1.002, 1.002, 0.99, true},
        {"a present due only after the rests", 0.002, 1.0, 1.002, 1.0021, 0.99, false},
        {"behind the pace within the slack, a present due", 0.002, 1.0039, 1.002, 1.0, 0.99, true},
        {"further behind, shown lately: caught up first", 0.002, 1.0041, 1.002, 1.0, 0.99, false},
        {"further behind, nothing shown for a while", 0.002, 1.0041, 1.002, 1.0, 0.934, true},
    };
    for (const rule_row &r : rows) {
        EXPECT_EQ(frame_reaches_window(r.seconds, r.now, r.rests_end, r.next_present, r.last_shown),
                  r.shown)
            << r.what;
    }
}

}  // namespace
