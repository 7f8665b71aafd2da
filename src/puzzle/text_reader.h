#pragma once

// A cursor over a text of words and whole numbers separated by blanks, one
// record a line, for reading the game's own small files without allocating.
struct text_reader {
    const char *at;
    const char *end;
    bool failed;        // a word or number was not what was expected
    bool out_of_range;  // a number was, but outside what it may be
    int line;           // the line being read, counted from 1
};

text_reader start_reading(const char *text, int length);

// Takes the next run of characters up to a blank or a line end; its length.
int next_token(text_reader &reader, const char *&start);

// Takes the next word; fails unless it is `word`.
void expect_word(text_reader &reader, const char *word);

// Takes the next whole number; a number outside low..high is out of range.
int read_number(text_reader &reader, int low, int high);

// The same for numbers of up to eighteen digits (sizes, times).
long long read_large_number(text_reader &reader, long long low, long long high);

// Takes the rest of the line, which must be blank.
void expect_line_end(text_reader &reader);

// Whether only blanks and line ends are left.
bool at_text_end(text_reader &reader);
