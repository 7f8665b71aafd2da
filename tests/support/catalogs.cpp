// A reader of the translators' catalogs, enough for the game's own po files.
#include "support/catalogs.h"

#include <fstream>
#include <sstream>

namespace {

const std::string po_folder = std::string(PICTURE_CUBES_SOURCE_DIR) + "/po/";

// The text between the quotes of one line, its escapes resolved.
std::string unquote(const std::string &line) {
    std::string text;
    std::size_t at = line.find('"') + 1;
    for (; at < line.size() && line[at] != '"'; at++) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            at++;
            text += line[at] == 'n' ? '\n' : line[at] == 't' ? '\t' : line[at];
        } else {
            text += line[at];
        }
    }
    return text;
}

catalog read_catalog(const std::string &language) {
    catalog result{language, {}};
    std::ifstream file(po_folder + language + ".po");
    catalog_entry entry{};
    std::string *field = nullptr;
    auto finish = [&] {
        if (!entry.msgid.empty()) result.entries.push_back(entry);
        entry = catalog_entry{};
        field = nullptr;
    };
    for (std::string line; std::getline(file, line);) {
        if (line.empty()) {
            finish();
        } else if (line.rfind("#:", 0) == 0) {
            if (line.find(" src/") != std::string::npos) entry.drawn_by_game = true;
        } else if (line.rfind("msgid ", 0) == 0) {
            field = &entry.msgid;
            *field = unquote(line);
        } else if (line.rfind("msgstr", 0) == 0) {
            entry.translations.push_back(unquote(line));
            field = &entry.translations.back();
        } else if (line[0] == '"' && field) {
            *field += unquote(line);
        } else if (line[0] != '#') {
            field = nullptr;  // msgid_plural: the form the catalog translates
        }
    }
    finish();
    return result;
}

}  // namespace

std::vector<catalog> read_catalogs() {
    std::vector<catalog> catalogs;
    std::ifstream linguas(po_folder + "LINGUAS");
    for (std::string language; linguas >> language;) {
        if (language[0] != '#') catalogs.push_back(read_catalog(language));
    }
    return catalogs;
}
