#pragma once

#include <string>
#include <vector>

// Which language the game speaks, from the values of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG (null when not set) and the languages that have a
// catalog ("en", "pt_BR"). The result is "" for the texts as written, in
// Polish, or one of `catalogs`.
std::string choose_language(const char *language, const char *lc_all, const char *lc_messages,
                            const char *lang, const std::vector<std::string> &catalogs);
