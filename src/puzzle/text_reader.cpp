// Reading the words and numbers of the game's small text files.
#include "puzzle/text_reader.h"

#include <cstring>

namespace {

void skip_blanks(text_reader &reader) {
    while (reader.at < reader.end && (*reader.at == ' ' || *reader.at == '\t')) reader.at++;
}

}  // namespace

int next_token(text_reader &reader, const char *&start) {
    skip_blanks(reader);
    start = reader.at;
    while (reader.at < reader.end && *reader.at != ' ' && *reader.at != '\t' &&
           *reader.at != '\n' && *reader.at != '\r')
        reader.at++;
    return static_cast<int>(reader.at - start);
}

text_reader start_reading(const char *text, int length) {
    return {text, text + length, false, false, 1};
}

void expect_word(text_reader &reader, const char *word) {
    const char *start;
    int length = next_token(reader, start);
    if (length != static_cast<int>(strlen(word)) || memcmp(start, word, length) != 0) {
        reader.failed = true;
    }
}

namespace {

// A whole number of at most `digits` digits, so it cannot overflow on its way in.
long long read_digits(text_reader &reader, int digits, long long low, long long high) {
    const char *start;
    int length = next_token(reader, start);
    // A sign only where the number may be below zero.
    bool negative = low < 0 && length > 1 && start[0] == '-';
    if (negative) start++, length--;
    if (length < 1 || length > digits) reader.failed = true;
    long long value = 0;
    for (int i = 0; i < length && !reader.failed; i++) {
        if (start[i] < '0' || start[i] > '9') reader.failed = true;
        value = 10 * value + (start[i] - '0');
    }
    if (reader.failed) return low;
    if (negative) value = -value;
    if (value < low || value > high) {
        reader.out_of_range = true;
        return low;
    }
    return value;
}

}  // namespace

int read_number(text_reader &reader, int low, int high) {
    return static_cast<int>(read_digits(reader, 9, low, high));
}

long long read_large_number(text_reader &reader, long long low, long long high) {
    return read_digits(reader, 18, low, high);
}

void expect_line_end(text_reader &reader) {
    skip_blanks(reader);
    if (reader.at < reader.end && *reader.at == '\r') reader.at++;
    if (reader.at >= reader.end || *reader.at != '\n') {
        reader.failed = true;
        return;
    }
    reader.at++;
    reader.line++;
}

bool at_text_end(text_reader &reader) {
    while (reader.at < reader.end &&
           (*reader.at == ' ' || *reader.at == '\t' || *reader.at == '\n' || *reader.at == '\r'))
        reader.at++;
    return reader.at == reader.end;
}
