// The player's language: the catalog gettext looks the game's texts up in.
#include "shell/translation.h"

#include <allegro5/allegro.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "shell/language_choice.h"
#include "shell/media_folder.h"
#include "shell/platform.h"

namespace {

const char domain[] = "picture-cubes";
std::string chosen;

// The languages the build made a catalog for: "en de".
std::vector<std::string> catalogs() {
    std::vector<std::string> languages;
    std::stringstream list(PICTURE_CUBES_CATALOGS);
    for (std::string language; list >> language;) languages.push_back(language);
    return languages;
}

// Beside the executable in the build tree, else where the package installs
// catalogs; "" when neither holds this language's.
std::string catalog_folder(const std::string &language) {
    for (const std::string &folder :
         {from_executable("locale"), from_executable(PICTURE_CUBES_LOCALE_FROM_BINARY)}) {
        std::string file = folder + "/" + language + "/LC_MESSAGES/" + domain + ".mo";
        if (!folder.empty() && al_filename_exists(file.c_str())) return folder;
    }
    return "";
}

}  // namespace

void use_player_language() {
    chosen = choose_language(sys_environment("LANGUAGE"), sys_environment("LC_ALL"),
                             sys_environment("LC_MESSAGES"), sys_environment("LANG"), catalogs());
    std::string folder = chosen.empty() ? "" : catalog_folder(chosen);
    if (!chosen.empty() && folder.empty()) {
        fprintf(stderr, "picture-cubes: no catalog for %s; the texts stay in Polish\n",
                chosen.c_str());
        chosen = "";
    }
    // The player's locale need not be generated on this machine, and then
    // cannot be set. Under C.UTF-8, which every glibc has, gettext follows
    // LANGUAGE, so LANGUAGE names the catalog chosen here, and "pl", which has
    // none, where the texts stay as written: a locale a library sets later
    // brings in no other catalog.
    setenv("LANGUAGE", chosen.empty() ? "pl" : chosen.c_str(), 1);
    if (chosen.empty()) {
        setlocale(LC_MESSAGES, "C");
    } else if (!setlocale(LC_MESSAGES, "C.UTF-8")) {
        setlocale(LC_MESSAGES, "");
    }
    if (!folder.empty()) bindtextdomain(domain, folder.c_str());
    bind_textdomain_codeset(domain, "UTF-8");
    // Also makes gettext forget what it looked up before.
    textdomain(domain);
}

const char *ui_sheet_file() {
    // The media tool paints the captions in Polish and in English; a language
    // without a sheet of its own reads the English one.
    return chosen.empty() ? "ele.png" : "ele-en.png";
}
