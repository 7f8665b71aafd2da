// The player's language from the locale variables: pure logic, no library.
#include "shell/language_choice.h"

#include <sstream>

namespace {

bool is_set(const char *value) {
    return value && *value;
}

// "en_US.UTF-8@euro" -> "en_US": the codeset and modifier choose no catalog.
std::string without_codeset(const std::string &name) {
    return name.substr(0, name.find_first_of(".@"));
}

bool is_plain(const std::string &name) {
    std::string bare = without_codeset(name);
    return bare.empty() || bare == "C" || bare == "POSIX";
}

}  // namespace

std::string choose_language(const char *language, const char *lc_all, const char *lc_messages,
                            const char *lang, const std::vector<std::string> &catalogs) {
    const char *locale = is_set(lc_all) ? lc_all : is_set(lc_messages) ? lc_messages : lang;
    // As gettext does: under the plain locale LANGUAGE is not looked at.
    if (!is_set(locale) || is_plain(locale)) return "";

    std::stringstream wanted(is_set(language) ? language : locale);
    for (std::string name; std::getline(wanted, name, ':');) {
        if (name.empty()) continue;
        std::string full = without_codeset(name);
        std::string base = full.substr(0, full.find('_'));
        // The texts are written in Polish: Polish needs no catalog.
        if (is_plain(name) || base == "pl") return "";
        for (const std::string &candidate : {full, base}) {
            for (const std::string &catalog : catalogs) {
                if (catalog == candidate) return catalog;
            }
        }
    }
    // A language without a catalog reads English rather than Polish.
    return "en";
}
