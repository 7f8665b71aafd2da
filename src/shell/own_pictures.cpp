// The player's pictures looked through, checked before decoding, chosen into sets and loaded.
#include "shell/own_pictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "puzzle/own_sets.h"
#include "puzzle/picture_header.h"
#include "puzzle/progress.h"
#include "puzzle/saved_game.h"
#include "shell/own_picture_loading.h"
#include "shell/translation.h"
#include "system/platform.h"

namespace {

// Refused before decoding, to bound the memory a picture may take.
const long long largest_file = 100000000;
const long long most_pixels = 100000000;
// The smallest picture worth cutting a board from: half the board each way.
const int least_width = 300, least_height = 225;

enum { not_tried, usable, refused };
struct candidate {
    std::string path;
    int verdict;
    long long size, modified;
};
std::vector<candidate> candidates;
// The candidates in the order they are tried, and the next one not tried.
std::vector<int> order;
size_t next_in_order;
// Usable candidates found beyond those the sets took.
std::vector<int> spares;
std::string folder_name;
int usable_count = -1;  // -1: no pictures were named
bool saved_pictures_changed;

// The length of the UTF-8 character at text[i], or 0 when no valid one
// starts there (overlong forms, surrogates and code points past Unicode's
// last are not valid).
size_t utf8_length_at(const std::string &text, size_t i) {
    unsigned char c = text[i];
    size_t extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
    if (extra > 3 || i + extra >= text.size()) return 0;
    unsigned long code = extra == 0 ? c : c & (0x3F >> extra);
    for (size_t k = 1; k <= extra; k++) {
        unsigned char next = text[i + k];
        if ((next & 0xC0) != 0x80) return 0;
        code = code << 6 | (next & 0x3F);
    }
    const unsigned long least[] = {0, 0x80, 0x800, 0x10000};
    bool good = code >= least[extra] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return good ? extra + 1 : 0;
}

bool valid_utf8(const std::string &text) {
    for (size_t i = 0, n; i < text.size(); i += n) {
        if ((n = utf8_length_at(text, i)) == 0) return false;
    }
    return true;
}

// The text with each byte that is not UTF-8 written by `format` (given the byte).
std::string shown_as_utf8(const std::string &text, const char *format) {
    std::string shown;
    for (size_t i = 0; i < text.size();) {
        size_t n = utf8_length_at(text, i);
        if (n == 0) {
            char bad[8];
            snprintf(bad, sizeof bad, format, static_cast<unsigned char>(text[i]));
            shown += bad;
            i++;
        } else {
            shown += text.substr(i, n);
            i += n;
        }
    }
    return shown;
}

// A name that is not UTF-8 is shown with its stray bytes as \xNN.
void tell_left_out(const std::string &path, const char *why) {
    fprintf(stderr, "picture-cubes: left out %s: %s\n", shown_as_utf8(path, "\\x%02X").c_str(),
            why);
}

// Reads the first `size` bytes (fewer when the file is shorter).
const char *read_start(const std::string &path, std::vector<unsigned char> &bytes, long long size) {
    bytes.resize(static_cast<size_t>(size));
    long long got = sys_read_file(path.c_str(), 0, bytes.data(), size);
    if (got < 0) {
        static char why[96];
        snprintf(why, sizeof why, "it cannot be read (%s)", strerror(static_cast<int>(-got)));
        return why;
    }
    bytes.resize(static_cast<size_t>(got));
    return nullptr;
}

// Everything about a picture that can be known without decoding it, from
// its name, its size and as few of its bytes as tell.
const char *check_picture(candidate &c) {
    if (!valid_utf8(c.path)) return "its name is not valid UTF-8";
    path_facts facts;
    sys_path_facts(c.path.c_str(), &facts);
    if (facts.kind == path_loops) return "it is a link that loops";
    if (facts.kind == path_missing) return "there is no such file";
    if (facts.kind == path_unreadable) {
        static char why[96];
        snprintf(why, sizeof why, "it cannot be read (%s)", strerror(facts.error));
        return why;
    }
    if (facts.kind != path_file) return "it is not a plain file";
    if (facts.size == 0) return "it is empty";
    if (facts.size > largest_file) return "its file is larger than 100 MB";
    c.size = facts.size;
    c.modified = facts.modified;

    std::vector<unsigned char> bytes;
    picture_header header;
    long long wanted = std::min(facts.size, 65536LL);
    do {
        if (const char *why = read_start(c.path, bytes, wanted)) return why;
        header =
            read_picture_header(bytes.data(), static_cast<long long>(bytes.size()), facts.size);
        wanted = header.needs;
        // A file that shrank while it was read.
        if (wanted && wanted <= static_cast<long long>(bytes.size())) return "it is cut short";
    } while (!header.wrong && header.needs);
    if (header.wrong) return header.wrong;
    if (static_cast<long long>(header.width) * header.height > most_pixels)
        return "it has more than 100 megapixels";
    if (upright_width(header) < least_width || upright_height(header) < least_height)
        return "it is smaller than 300 x 225 pixels, turned upright";

    // Cut short: its end marker is missing from its last bytes.
    long long tail = std::min(4096LL, facts.size - header.data_start);
    std::vector<unsigned char> end(static_cast<size_t>(tail));
    if (sys_read_file(c.path.c_str(), facts.size - tail, end.data(), tail) != tail ||
        !picture_ends_whole(header.kind, end.data(), tail)) {
        return "it is cut short";
    }
    return nullptr;
}

bool try_candidate(int index) {
    candidate &c = candidates[index];
    if (c.verdict == not_tried) {
        const char *why = check_picture(c);
        c.verdict = why ? refused : usable;
        if (why) tell_left_out(c.path, why);
    }
    return c.verdict == usable;
}

// The next usable candidate not in the sets, or -1.
int next_usable() {
    if (!spares.empty()) {
        int spare = spares.back();
        spares.pop_back();
        return spare;
    }
    while (next_in_order < order.size()) {
        int index = order[next_in_order++];
        if (try_candidate(index)) return index;
    }
    return -1;
}

void place(int number, int index) {
    const candidate &c = candidates[index];
    own_pictures[number] = {c.path, c.size, c.modified};
}

bool is_picture_name(const std::string &name) {
    if (name.empty() || name[0] == '.') return false;
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ending = name.substr(dot + 1);
    for (char &c : ending) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return ending == "jpg" || ending == "jpeg" || ending == "jpe" || ending == "png";
}

// The folder's own name, as the player knows it; "." and the like resolved.
std::string name_of_folder(const std::string &folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    std::string name = path.substr(path.rfind('/') + 1);
    if (name.empty() || name == "." || name == "..") {
        std::string real = sys_real_path(path.empty() ? "." : path.c_str());
        name = real.substr(real.rfind('/') + 1);
    }
    if (name.empty()) name = "/";
    // Bytes that are not UTF-8 would draw as nothing.
    return shown_as_utf8(name, "?");
}

void add_folder(const std::string &folder) {
    std::vector<std::string> names;
    if (int error = sys_folder_names(folder.c_str(), &names)) {
        fprintf(stderr, "picture-cubes: cannot read the folder %s (%s)\n", folder.c_str(),
                strerror(error));
        return;
    }
    // Listed in a fixed order, so a seed deals the same sets on any system.
    std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        if (is_picture_name(name)) candidates.push_back({folder + "/" + name, not_tried, 0, 0});
    }
}

}  // namespace

void use_own_pictures(const std::vector<std::string> &paths) {
    forget_own_sets();
    candidates.clear();
    usable_count = -1;
    saved_pictures_changed = false;
    if (paths.empty()) return;
    for (const std::string &path : paths) {
        path_facts facts;
        sys_path_facts(path.c_str(), &facts);
        if (facts.kind == path_folder) {
            add_folder(path);
        } else {
            candidates.push_back({path, not_tried, 0, 0});
        }
    }
    // The sets are called by the folder named, or the first file's folder.
    path_facts first;
    sys_path_facts(paths[0].c_str(), &first);
    size_t slash = paths[0].rfind('/');
    folder_name = name_of_folder(first.kind == path_folder    ? paths[0]
                                 : slash == std::string::npos ? "."
                                                              : paths[0].substr(0, slash + 1));
    choose_own_sets();
    if (own_picture_count == 0) {
        fprintf(stderr,
                "picture-cubes: %d of the pictures named can be played, and a set needs 6; the "
                "game's own pictures are played instead\n",
                usable_count);
    }
}

void choose_own_sets() {
    // A game resumed from the state folder offers its own pictures anew.
    if (candidates.empty()) {
        for (int i = 1; i <= own_picture_count; i++) {
            candidates.push_back({own_pictures[i].path, not_tried, 0, 0});
        }
        folder_name = own_sets_name;
    }
    order.resize(candidates.size());
    for (size_t i = 0; i < order.size(); i++) order[i] = static_cast<int>(i);
    for (size_t i = order.size(); i > 1; i--) std::swap(order[i - 1], order[rand() % i]);
    next_in_order = 0;
    spares.clear();

    // Only as many are looked at as three sets take.
    std::vector<int> found;
    while (found.size() < 18 && next_in_order < order.size()) {
        int index = order[next_in_order++];
        if (try_candidate(index)) found.push_back(index);
    }
    usable_count = static_cast<int>(found.size());
    forget_own_sets();
    int sets = std::min(3, usable_count / 6);
    if (sets == 0) return;
    sets_in_game = sets;
    own_picture_count = 6 * sets;
    own_sets_name = folder_name;
    for (int number = 1; number <= own_picture_count; number++) place(number, found[number - 1]);
    spares.assign(found.begin() + own_picture_count, found.end());
}

ALLEGRO_BITMAP *own_set_picture(int number) {
    for (;;) {
        const char *wrong = nullptr;
        ALLEGRO_BITMAP *bitmap = load_own_picture(own_pictures[number].path, wrong);
        if (bitmap) return bitmap;
        tell_left_out(own_pictures[number].path, wrong);
        int index = next_usable();
        if (index >= 0) {
            place(number, index);
        } else if (number > 6) {
            // The same place of the set before: never twice in one set.
            own_pictures[number] = own_pictures[number - 6];
            fprintf(stderr, "picture-cubes: %s plays again in its place\n",
                    own_pictures[number].path.c_str());
        } else {
            return nullptr;
        }
    }
}

void give_up_own_pictures() {
    fprintf(stderr,
            "picture-cubes: fewer than 6 of the pictures named can be played; the game's own "
            "pictures are played instead\n");
    forget_own_sets();
}

bool saved_game_can_resume() {
    if (own_picture_count) return false;
    const own_picture *pictures;
    int count = saved_own_pictures(pictures);
    for (int i = 1; i <= count; i++) {
        path_facts facts;
        sys_path_facts(pictures[i].path.c_str(), &facts);
        bool same = facts.kind == path_file && facts.size == pictures[i].size &&
                    facts.modified == pictures[i].modified;
        if (same) continue;
        fprintf(stderr, "picture-cubes: the saved game's picture %s is %s; a new game begins\n",
                pictures[i].path.c_str(), facts.kind == path_file ? "changed" : "gone");
        saved_pictures_changed = true;
        return false;
    }
    return true;
}

const char *own_pictures_note() {
    static char note[256];
    if (saved_pictures_changed) {
        return _("Obrazki zapisanej gry zmieniły się lub zniknęły - zaczyna się nowa gra.");
    }
    if (usable_count < 0 || own_picture_count) return nullptr;
    snprintf(note, sizeof note,
             _("Za mało obrazków gracza nadaje się do gry (%d z potrzebnych 6) - gra na "
               "obrazkach wbudowanych."),
             usable_count);
    return note;
}
