// The game in play as a versioned text, written without allocating, and read
// back with every value checked before any of it is used.
#include "puzzle/saved_game.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "puzzle/board.h"
#include "puzzle/own_sets.h"
#include "puzzle/progress.h"
#include "puzzle/records.h"
#include "puzzle/text_reader.h"

int set_files[3][7];
int last_roll[13];

namespace {

// A cube's net as written: left, front, right, back, top, bottom, and the
// back again as the vertical ring holds it.
const int net_rows[7] = {0, 1, 2, 3, 1, 1, 1};
const int net_columns[7] = {1, 1, 1, 1, 0, 2, 3};

// Everything a saved game holds, read and checked before the game takes it.
struct game_on_file {
    int group;
    int files[3][7];  // of every set of the game so far
    int moves;
    int assembled[7];
    int pending;
    int finished[3];
    int against_record[3];
    int faces[13][7];
    int turns[13][7];
    int rolled[13];
    // A game of the player's own pictures (format 2); 0 pictures otherwise.
    int sets;
    int picture_count;
    own_picture pictures[19];
    std::string name;
};
// The last game read_saved_game found good, kept for resume_saved_game.
game_on_file game_waiting_to_resume;

// `value` is an int for "%d" and a long long for "%lld".
template <typename number>
int append(char *text, int size, int length, const char *format, number value) {
    if (length < 0 || length >= size) return -1;
    int added = snprintf(text + length, size - length, format, value);
    return length + added < size ? length + added : -1;
}

// A path or a name as one word: blanks, '%' and control bytes as %XX.
int append_word(char *text, int size, int length, const std::string &word) {
    for (unsigned char c : word) {
        if (length < 0 || length + 4 >= size) return -1;
        if (c <= ' ' || c == '%' || c == 0x7F) {
            length += snprintf(text + length, size - length, "%%%02X", c);
        } else {
            text[length++] = static_cast<char>(c);
            text[length] = 0;
        }
    }
    return length;
}

std::string read_word(text_reader &reader) {
    const char *start;
    int length = next_token(reader, start);
    if (length == 0) reader.failed = true;
    std::string word;
    for (int i = 0; i < length; i++) {
        if (start[i] != '%') {
            word += start[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= length || sscanf(start + i + 1, "%2X", &value) != 1) reader.failed = true;
        word += static_cast<char>(value);
        i += 2;
    }
    return word;
}

// The pictures of an own game, by path, with the size and time each had.
int write_own_pictures(char *text, int size, int length) {
    length = append(text, size, length, "sets %d name ", sets_in_game);
    length = append_word(text, size, length, own_sets_name);
    for (int i = 1; i <= own_picture_count; i++) {
        length = append(text, size, length, "\npicture %d", i);
        length = append(text, size, length, " size %lld", own_pictures[i].size);
        length = append(text, size, length, " modified %lld path ", own_pictures[i].modified);
        length = append_word(text, size, length, own_pictures[i].path);
    }
    return append(text, size, length, "\n", 0);
}

void read_own_pictures(text_reader &reader, game_on_file &game) {
    expect_word(reader, "sets");
    game.sets = read_number(reader, 1, 3);
    expect_word(reader, "name");
    game.name = read_word(reader);
    expect_line_end(reader);
    game.picture_count = 6 * game.sets;
    for (int i = 1; i <= game.picture_count && !reader.failed; i++) {
        expect_word(reader, "picture");
        if (read_number(reader, 0, 18) != i) reader.failed = true;
        expect_word(reader, "size");
        game.pictures[i].size = read_large_number(reader, 0, 999999999999999999);
        expect_word(reader, "modified");
        game.pictures[i].modified =
            read_large_number(reader, -999999999999999999, 999999999999999999);
        expect_word(reader, "path");
        game.pictures[i].path = read_word(reader);
        expect_line_end(reader);
    }
}

const char *check_values(const game_on_file &game) {
    for (int g = 0; g <= game.group; g++) {
        for (int k = 1; k <= 6; k++) {
            for (int j = 1; j < k; j++) {
                if (game.files[g][j] == game.files[g][k]) return "a set names one picture twice";
            }
        }
    }
    int all_assembled = 1;
    for (int k = 1; k <= 6; k++) all_assembled &= game.assembled[k];
    if (all_assembled) return "its set is already finished";
    for (int c = 1; c <= 12; c++) {
        int seen[7] = {};
        for (int cell = 0; cell < 6; cell++) seen[game.faces[c][cell]]++;
        for (int k = 1; k <= 6; k++) {
            if (seen[k] != 1) return "a cube's faces are not the six pictures";
        }
        // Both rings hold the one back face.
        if (game.faces[c][6] != game.faces[c][3]) return "a cube's two backs differ";
    }
    if (game.pending != 0) {
        if (game.assembled[game.pending]) return "its pending picture is already counted";
        for (int c = 1; c <= 12; c++) {
            if (game.faces[c][1] != game.pending || game.turns[c][1] != 0)
                return "its pending picture is not whole on the board";
        }
    }
    return nullptr;
}

}  // namespace

int write_saved_game(char *text, int size) {
    // Format 2 is a game of the player's own pictures, and names them.
    int length = append(text, size, 0, "picture-cubes saved game %d\n", own_picture_count ? 2 : 1);
    if (own_picture_count) length = write_own_pictures(text, size, length);
    length = append(text, size, length, "group %d\n", current_group + 1);
    for (int g = 0; g < current_group; g++) {
        length = append(text, size, length, "finished %d files", g + 1);
        for (int k = 1; k <= 6; k++) length = append(text, size, length, " %d", set_files[g][k]);
        length = append(text, size, length, " moves %d", group_moves[g]);
        length = append(text, size, length, " record %d\n", set_against_record[g]);
    }
    length = append(text, size, length, "files", 0);
    for (int k = 1; k <= 6; k++) {
        length = append(text, size, length, " %d", set_files[current_group][k]);
    }
    length = append(text, size, length, "\nmoves %d\nassembled", move_counter);
    for (int k = 1; k <= 6; k++) length = append(text, size, length, " %d", assembled[k]);
    length = append(text, size, length, "\npending %d\n", pending_picture);
    for (int c = 1; c <= 12; c++) {
        length = append(text, size, length, "cube %d faces", c);
        for (int cell = 0; cell < 7; cell++) {
            length = append(text, size, length, " %d", faces[c][net_rows[cell]][net_columns[cell]]);
        }
        length = append(text, size, length, " turns", 0);
        for (int cell = 0; cell < 7; cell++) {
            length = append(text, size, length, " %d", turns[c][net_rows[cell]][net_columns[cell]]);
        }
        length = append(text, size, length, " rolled %d\n", last_roll[c]);
    }
    return append(text, size, length, "end\n", 0);
}

const char *read_saved_game(const char *text, int length) {
    if (length == 0) return "it is empty";
    static char reason[64];
    game_on_file game = {};
    text_reader reader = start_reading(text, length);
    expect_word(reader, "picture-cubes");
    expect_word(reader, "saved");
    expect_word(reader, "game");
    if (reader.failed) return "it is not a saved game of this game";
    int version = read_number(reader, 0, 999999999);
    if (reader.failed) return "it is not a saved game of this game";
    if (version != 1 && version != 2) {
        snprintf(reason, sizeof reason, "it is of another format version (%d)", version);
        return reason;
    }
    expect_line_end(reader);
    game.sets = 3;
    if (version == 2) read_own_pictures(reader, game);
    // The built-in groups have ten pictures each; own sets number theirs.
    int pictures = version == 2 ? game.picture_count : 10;

    expect_word(reader, "group");
    game.group = read_number(reader, 1, game.sets) - 1;
    expect_line_end(reader);
    for (int g = 0; g < game.group; g++) {
        expect_word(reader, "finished");
        if (read_number(reader, 0, 3) != g + 1) reader.failed = true;
        expect_word(reader, "files");
        for (int k = 1; k <= 6; k++) game.files[g][k] = read_number(reader, 1, pictures);
        expect_word(reader, "moves");
        game.finished[g] = read_number(reader, 0, 99999999);
        expect_word(reader, "record");
        game.against_record[g] = read_number(reader, 0, 2);
        expect_line_end(reader);
    }
    expect_word(reader, "files");
    for (int k = 1; k <= 6; k++) game.files[game.group][k] = read_number(reader, 1, pictures);
    expect_line_end(reader);
    expect_word(reader, "moves");
    game.moves = read_number(reader, 0, 99999999);
    expect_line_end(reader);
    expect_word(reader, "assembled");
    for (int k = 1; k <= 6; k++) game.assembled[k] = read_number(reader, 0, 1);
    expect_line_end(reader);
    expect_word(reader, "pending");
    game.pending = read_number(reader, 0, 6);
    expect_line_end(reader);
    for (int c = 1; c <= 12 && !reader.failed; c++) {
        expect_word(reader, "cube");
        if (read_number(reader, 0, 12) != c) reader.failed = true;
        expect_word(reader, "faces");
        for (int cell = 0; cell < 7; cell++) game.faces[c][cell] = read_number(reader, 1, 6);
        expect_word(reader, "turns");
        for (int cell = 0; cell < 7; cell++) game.turns[c][cell] = read_number(reader, 0, 3);
        expect_word(reader, "rolled");
        game.rolled[c] = read_number(reader, 0, 4);
        expect_line_end(reader);
    }
    expect_word(reader, "end");
    if (!reader.failed) expect_line_end(reader);
    if (!reader.failed && !at_text_end(reader)) reader.failed = true;

    // A value out of range is told first: what follows it may not read
    // right (a group out of range expects another number of lines).
    if (reader.out_of_range) return "it holds a value out of range";
    if (reader.failed) {
        snprintf(reason, sizeof reason, "it is garbled or cut short at line %d", reader.line);
        return reason;
    }
    if (const char *wrong = check_values(game)) return wrong;
    game_waiting_to_resume = game;
    return nullptr;
}

int saved_own_pictures(const own_picture *&pictures) {
    pictures = game_waiting_to_resume.pictures;
    return game_waiting_to_resume.picture_count;
}

void resume_saved_game() {
    const game_on_file &game = game_waiting_to_resume;
    current_group = game.group;
    forget_own_sets();
    sets_in_game = game.sets;
    own_picture_count = game.picture_count;
    own_sets_name = game.name;
    for (int i = 1; i <= game.picture_count; i++) own_pictures[i] = game.pictures[i];
    for (int g = 0; g < game.group; g++) {
        group_moves[g] = game.finished[g];
        set_against_record[g] = game.against_record[g];
    }
    for (int g = 0; g < 3; g++) {
        for (int k = 0; k <= 6; k++) set_files[g][k] = game.files[g][k];
    }
    for (int k = 0; k <= 6; k++) assembled[k] = game.assembled[k];
    move_counter = game.moves;
    pending_picture = game.pending;
    for (int c = 0; c <= 12; c++) {
        for (int i = 0; i < 4; i++) {
            for (int j = 0; j < 4; j++) faces[c][i][j] = turns[c][i][j] = 0;
        }
        last_roll[c] = game.rolled[c];
        if (c == 0) continue;
        for (int cell = 0; cell < 7; cell++) {
            faces[c][net_rows[cell]][net_columns[cell]] = game.faces[c][cell];
            turns[c][net_rows[cell]][net_columns[cell]] = game.turns[c][cell];
        }
    }
}
