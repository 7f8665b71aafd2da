// The real calendar day of a record: the zone of TZ or /etc/localtime, as
// `date` shows it, at the hours where it differs from UTC.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "system/platform.h"

namespace {

// What `date` prints for the day of `seconds` under the environment's TZ.
std::string date_shows(unsigned seconds) {
    std::string command = "date -d @" + std::to_string(seconds) + " +%F";
    FILE *pipe = popen(command.c_str(), "r");
    char line[32] = "";
    if (pipe && !fgets(line, sizeof line, pipe)) line[0] = 0;
    if (pipe) pclose(pipe);
    std::string day = line;
    return day.substr(0, day.find('\n'));
}

TEST(local_date, is_the_day_date_shows_in_every_zone) {
    const unsigned warsaw_half_past_midnight = 1796772600;  // 2026-12-08 23:30 UTC
    const unsigned new_york_evening = 1796785200;           // 2026-12-09 03:00 UTC
    const unsigned warsaw_summer_night = 1782945000;        // 2026-07-01 22:30 UTC
    const struct {
        const char *tz;  // null: not set, /etc/localtime
        unsigned seconds;
        const char *day;  // null: whatever `date` shows
    } rows[] = {
        {"Europe/Warsaw", warsaw_half_past_midnight, "2026-12-09"},
        {"Europe/Warsaw", warsaw_summer_night, "2026-07-02"},
        {"America/New_York", new_york_evening, "2026-12-08"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", warsaw_summer_night, "2026-07-02"},
        {"Nowhere/Zone", warsaw_half_past_midnight, "2026-12-08"},
        {"", warsaw_half_past_midnight, "2026-12-08"},
        {nullptr, warsaw_half_past_midnight, nullptr},
    };
    for (const auto &row : rows) {
        if (row.tz) {
            setenv("TZ", row.tz, 1);
        } else {
            unsetenv("TZ");
        }
        char day[11];
        sys_local_date(row.seconds, day);
        SCOPED_TRACE(row.tz ? row.tz : "(TZ not set)");
        EXPECT_EQ(day, date_shows(row.seconds));
        if (row.day) {
            EXPECT_STREQ(day, row.day);
        }
    }
    unsetenv("TZ");
}

}  // namespace
