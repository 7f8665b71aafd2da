// The fewest rotations per group, and the small text they are kept in.
#include "puzzle/records.h"

#include <cstdio>
#include <cstring>

#include "puzzle/text_reader.h"

int record_moves[3] = {-1, -1, -1};
char record_dates[3][11];
int set_against_record[3];

bool note_finished_set(int group, int moves, const char *date) {
    if (record_moves[group] >= 0 && moves >= record_moves[group]) {
        set_against_record[group] = record_kept;
        return false;
    }
    set_against_record[group] = record_moves[group] < 0 ? first_finished : record_beaten;
    record_moves[group] = moves;
    snprintf(record_dates[group], sizeof record_dates[group], "%.10s", date);
    return true;
}

int write_records(char *text, int size) {
    int length = snprintf(text, size, "picture-cubes records 1\n");
    for (int g = 0; g < 3 && length < size; g++) {
        if (record_moves[g] < 0) continue;
        length += snprintf(text + length, size - length, "group %d fewest %d on %s\n", g + 1,
                           record_moves[g], record_dates[g]);
    }
    return length < size ? length : -1;
}

void clear_records() {
    for (int g = 0; g < 3; g++) {
        record_moves[g] = -1;
        record_dates[g][0] = 0;
    }
}

namespace {

// "YYYY-MM-DD" of a real day.
bool is_date(const char *text, int length) {
    if (length != 10 || text[4] != '-' || text[7] != '-') return false;
    int digits[10];
    for (int i = 0; i < 10; i++) {
        if (i == 4 || i == 7) continue;
        if (text[i] < '0' || text[i] > '9') return false;
        digits[i] = text[i] - '0';
    }
    int month = 10 * digits[5] + digits[6];
    int day = 10 * digits[8] + digits[9];
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

const char *read_records(const char *text, int length) {
    clear_records();
    if (length == 0) return "it is empty";
    text_reader reader = start_reading(text, length);
    expect_word(reader, "picture-cubes");
    expect_word(reader, "records");
    if (reader.failed) return "it is not a record file of this game";
    if (read_number(reader, 1, 1) != 1 || reader.out_of_range) return "it is of another version";
    expect_line_end(reader);
    while (!reader.failed && !reader.out_of_range && !at_text_end(reader)) {
        expect_word(reader, "group");
        int g = read_number(reader, 1, 3) - 1;
        expect_word(reader, "fewest");
        int moves = read_number(reader, 0, 99999999);
        expect_word(reader, "on");
        const char *date;
        int date_length = next_token(reader, date);
        if (!is_date(date, date_length)) reader.out_of_range = true;
        expect_line_end(reader);
        if (reader.failed || reader.out_of_range) break;
        if (record_moves[g] >= 0) {
            clear_records();
            return "it holds a group twice";
        }
        record_moves[g] = moves;
        memcpy(record_dates[g], date, 10);
        record_dates[g][10] = 0;
    }
    if (reader.failed || reader.out_of_range) {
        clear_records();
        return reader.failed ? "it is garbled or cut short" : "it holds a value out of range";
    }
    return nullptr;
}

void date_of(unsigned seconds, char date[11]) {
    // Days to a civil date in the proleptic Gregorian calendar.
    long days = seconds / 86400 + 719468;
    long era = days / 146097;
    long day_of_era = days - era * 146097;
    long year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    long month_index = (5 * day_of_year + 2) / 153;
    int day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
    int month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
    long year = year_of_era + era * 400 + (month <= 2);
    // Written digit by digit: every field has its width whatever the compiler
    // can prove about its range.
    int fields[3] = {static_cast<int>(year % 10000), month, day};
    int widths[3] = {4, 2, 2};
    int at = 0;
    for (int f = 0; f < 3; f++) {
        if (f > 0) date[at++] = '-';
        for (int d = widths[f] - 1, value = fields[f]; d >= 0; d--, value /= 10) {
            date[at + d] = static_cast<char>('0' + value % 10);
        }
        at += widths[f];
    }
    date[at] = 0;
}
