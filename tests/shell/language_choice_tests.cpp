// The player's language from the locale variables, as a table.
#include "shell/language_choice.h"

#include <gtest/gtest.h>

namespace {

struct row {
    const char *language, *lc_all, *lc_messages, *lang;
    const char *expected;  // "" is the texts as written, in Polish
};

TEST(language_choice, follows_the_variables_in_gettext_order) {
    const std::vector<std::string> catalogs = {"en", "pt_BR"};
    const row rows[] = {
        // Nothing set and the plain locales: Polish as written.
        {nullptr, nullptr, nullptr, nullptr, ""},
        {nullptr, nullptr, nullptr, "C", ""},
        {nullptr, nullptr, nullptr, "C.UTF-8", ""},
        {nullptr, nullptr, nullptr, "POSIX", ""},
        {"", "", "", "", ""},
        {nullptr, nullptr, nullptr, "pl_PL.UTF-8", ""},
        {nullptr, nullptr, nullptr, "en_US.UTF-8", "en"},
        {nullptr, nullptr, nullptr, "en_GB.ISO-8859-1@euro", "en"},
        // A language without a catalog reads English.
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "en"},
        {nullptr, nullptr, nullptr, "pt_BR.UTF-8", "pt_BR"},
        {nullptr, nullptr, nullptr, "pt_PT.UTF-8", "en"},
        // LC_ALL over LC_MESSAGES over LANG; an empty one counts as not set.
        {nullptr, "en_US.UTF-8", "pl_PL.UTF-8", "pl_PL.UTF-8", "en"},
        {nullptr, nullptr, "pl_PL.UTF-8", "en_US.UTF-8", ""},
        {nullptr, "", "", "en_US.UTF-8", "en"},
        {nullptr, "C", nullptr, "en_US.UTF-8", ""},
        // LANGUAGE over the locale, a list tried in order, not looked at
        // under the plain locale.
        {"pl:en", nullptr, nullptr, "en_US.UTF-8", ""},
        {"en:pl", nullptr, nullptr, "pl_PL.UTF-8", "en"},
        {"de:pl", nullptr, nullptr, "de_DE.UTF-8", ""},
        {"de::pt_BR", nullptr, nullptr, "de_DE.UTF-8", "pt_BR"},
        {"de", nullptr, nullptr, "pl_PL.UTF-8", "en"},
        {"en", nullptr, nullptr, "C.UTF-8", ""},
        {"en", nullptr, nullptr, nullptr, ""},
    };
    for (const row &r : rows) {
        EXPECT_EQ(choose_language(r.language, r.lc_all, r.lc_messages, r.lang, catalogs),
                  r.expected)
            << "LANGUAGE=" << (r.language ? r.language : "(unset)")
            << " LC_ALL=" << (r.lc_all ? r.lc_all : "(unset)")
            << " LC_MESSAGES=" << (r.lc_messages ? r.lc_messages : "(unset)")
            << " LANG=" << (r.lang ? r.lang : "(unset)");
    }
}

}  // namespace
