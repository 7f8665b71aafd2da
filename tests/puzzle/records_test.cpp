// Each group's record: how a finished set counts against it, and its text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "puzzle/records.h"

namespace {

TEST(records, a_set_counts_against_the_record_that_stood_before_it) {
    clear_records();
    const struct {
        int moves;
        int against;
        int record;
    } sets[] = {{300, first_finished, 300},
                {310, record_kept, 300},
                {300, record_kept, 300},
                {250, record_beaten, 250}};
    unsigned day = 1765152000;  // 2025-12-08, midnight UTC
    for (const auto &set : sets) {
        char date[11];
        date_of(day + 86399, date);
        bool changed = note_finished_set(1, set.moves, date);
        EXPECT_EQ(changed, set.against != record_kept) << set.moves;
        EXPECT_EQ(set_against_record[1], set.against) << set.moves;
        EXPECT_EQ(record_moves[1], set.record) << set.moves;
        day += 86400;
    }
    EXPECT_STREQ(record_dates[1], "2025-12-11");
    EXPECT_EQ(record_moves[0], -1);
    char leap_day[11];
    date_of(951782400, leap_day);
    EXPECT_STREQ(leap_day, "2000-02-29");
}

TEST(records, come_back_from_their_text_and_a_damaged_text_leaves_none) {
    clear_records();
    note_finished_set(0, 77, "1970-01-01");
    note_finished_set(2, 1234, "2025-12-08");
    char text[256];
    int length = write_records(text, sizeof text);
    ASSERT_GT(length, 0);
    EXPECT_STREQ(text,
                 "picture-cubes records 1\ngroup 1 fewest 77 on 1970-01-01\n"
                 "group 3 fewest 1234 on 2025-12-08\n");
    clear_records();
    EXPECT_EQ(read_records(text, length), nullptr);
    EXPECT_EQ(record_moves[0], 77);
    EXPECT_EQ(record_moves[1], -1);
    EXPECT_STREQ(record_dates[2], "2025-12-08");

    const char *damaged[] = {
        "",
        "picture-cubes records 2\n",
        "picture-cubes records 1\ngroup 1 fewest 77 on 1970-01-01\ngroup 1 fewest 7 on "
        "1970-01-01\n",
        "picture-cubes records 1\ngroup 4 fewest 77 on 1970-01-01\n",
        "picture-cubes records 1\ngroup 1 fewest 77 on 1970-13-01\n",
        "picture-cubes records 1\ngroup 1 fewest 77 on 1970-01-0",
        "picture-cubes records 1\ngroup 1 fewest -77 on 1970-01-01\n",
    };
    for (const char *bad : damaged) {
        EXPECT_NE(read_records(bad, static_cast<int>(strlen(bad))), nullptr) << bad;
        for (int g = 0; g < 3; g++) EXPECT_EQ(record_moves[g], -1) << bad;
    }
}

}  // namespace
