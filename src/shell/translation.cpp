// The player's language: the catalog gettext looks the game's texts up in.
#include "shell/translation.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "shell/language_choice.h"
#include "system/platform.h"

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
    std::string beside = sys_executable_folder();
    if (beside.empty()) return "";
    for (const std::string &folder :
         {beside + "locale", beside + PICTURE_CUBES_LOCALE_FROM_BINARY}) {
        std::string file = folder + "/" + language + "/LC_MESSAGES/" + domain + ".mo";
        if (sys_file_exists(file.c_str())) return folder;
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
    sys_set_environment("LANGUAGE", chosen.empty() ? "pl" : chosen.c_str());
    if (chosen.empty()) {
        sys_set_message_locale("C");
    } else if (!sys_set_message_locale("C.UTF-8")) {
        sys_set_message_locale("");
    }
    if (!folder.empty()) bindtextdomain(domain, folder.c_str());
    bind_textdomain_codeset(domain, "UTF-8");
    // Also makes gettext forget what it looked up before.
    textdomain(domain);
}

bool texts_as_written() {
    return chosen.empty();
}
