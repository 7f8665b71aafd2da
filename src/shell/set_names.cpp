// The sets' names: the groups', or the player's folder's cut to fit and numbered.
#include "shell/set_names.h"

#include <allegro5/allegro_font.h>

#include <cstdio>
#include <string>

#include "puzzle/own_sets.h"
#include "shell/resources.h"
#include "shell/translation.h"

namespace {

// Within the dark bar of the slot's highlight, some 136 pixels wide, with a
// margin; on the summary a name has 150 before the count that follows it.
const int widest = 128;

char names[3][512];
std::string named_from;

bool fits(const char *text) {
    return al_get_text_width(font_18, text) <= widest;
}

// The folder's name as long as it fits before the number, letters taken
// off its end until it does, with an ellipsis in their place.
void make_name(int group) {
    char *name = names[group];
    snprintf(name, sizeof names[group], "%s %d", own_sets_name.c_str(), group + 1);
    std::string kept = own_sets_name.substr(0, sizeof names[group] - 16);
    while (!fits(name) && !kept.empty()) {
        // The last UTF-8 letter, its continuation bytes first, then any blanks.
        while (!kept.empty()) {
            unsigned char last = kept.back();
            kept.pop_back();
            if ((last & 0xC0) != 0x80) break;
        }
        while (!kept.empty() && kept.back() == ' ') kept.pop_back();
        snprintf(name, sizeof names[group], "%s\u2026 %d", kept.c_str(), group + 1);
    }
}

}  // namespace

const char *set_name(int group) {
    if (own_picture_count == 0) return _(group_names[group].c_str());
    if (named_from != own_sets_name) {
        named_from = own_sets_name;
        for (int g = 0; g < 3; g++) make_name(g);
    }
    return names[group];
}
