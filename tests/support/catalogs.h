#pragma once

#include <string>
#include <vector>

// The translators' catalogs in po/, read as written: every language of
// po/LINGUAS with its entries.
struct catalog_entry {
    std::string msgid;
    std::vector<std::string> translations;  // msgstr, or each plural form
    bool drawn_by_game;                     // from the sources, not the menu entry
};

struct catalog {
    std::string language;
    std::vector<catalog_entry> entries;
};

std::vector<catalog> read_catalogs();
