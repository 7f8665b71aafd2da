// The player's calendar day, from the system's clock and time zone.
#include <ctime>

#include "system/platform.h"

void sys_local_date(unsigned seconds, char date[11]) {
    // Read TZ afresh, as `date` does at every start; glibc takes a TZ that
    // names no zone as UTC, as `date` shows it too.
    tzset();
    time_t when = seconds;
    tm local{};
    if (!localtime_r(&when, &local)) gmtime_r(&when, &local);
    // An unsigned count of seconds ends in 2106: the year has four digits.
    strftime(date, 11, "%Y-%m-%d", &local);
}
