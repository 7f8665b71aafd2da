// gettext for the web page: the browser's C library maps catalogs in a way
// that reads past them, so the game's calls are answered here from the .mo
// file of LANGUAGE's first entry, read whole.
#include <libintl.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string folder;
std::string domain = "messages";
std::string catalog;
// "nplurals=2; plural=(n != 1);" from the catalog's header.
std::string plural_rule;

uint32_t word(int index) {
    uint32_t value;
    memcpy(&value, catalog.data() + 4 * index, 4);
    return value;
}

// The catalog's translation of `text`, or null. A catalog is a sorted table
// of (length, offset) pairs for the texts and another for their translations.
const char *look_up(const char *text) {
    if (catalog.size() < 28 || word(0) != 0x950412de) return nullptr;
    uint32_t count = word(2), texts = word(3) / 4, translations = word(4) / 4;
    if ((texts + 2 * count) * 4 > catalog.size() || (translations + 2 * count) * 4 > catalog.size())
        return nullptr;
    uint32_t low = 0, high = count;
    while (low < high) {
        uint32_t middle = (low + high) / 2;
        uint32_t at = word(texts + 2 * middle + 1);
        if (at >= catalog.size()) return nullptr;
        int order = strcmp(text, catalog.c_str() + at);
        if (order == 0) {
            uint32_t length = word(translations + 2 * middle);
            uint32_t start = word(translations + 2 * middle + 1);
            return start + length < catalog.size() ? catalog.c_str() + start : nullptr;
        }
        if (order < 0) high = middle; else low = middle + 1;
    }
    return nullptr;
}

// The plural rule is a C expression in n.
struct expression {
    const char *at;
    unsigned long n;

    void skip() {
        while (isspace(static_cast<unsigned char>(*at))) at++;
    }
    bool take(const char *token) {
        skip();
        size_t length = strlen(token);
        if (strncmp(at, token, length) != 0) return false;
        // "<" must not take the first half of "<=".
        if (length == 1 && (*token == '<' || *token == '>' || *token == '!') && at[1] == '=')
            return false;
        at += length;
        return true;
    }
    unsigned long primary() {
        skip();
        if (take("(")) {
            unsigned long value = choice();
            take(")");
            return value;
        }
        if (take("!")) return !primary();
        if (*at == 'n') {
            at++;
            return n;
        }
        char *end;
        unsigned long value = strtoul(at, &end, 10);
        at = end;
        return value;
    }
    unsigned long product() {
        unsigned long value = primary();
        for (;;) {
            if (take("*")) value *= primary();
            else if (take("/")) { unsigned long d = primary(); value = d ? value / d : 0; }
            else if (take("%")) { unsigned long d = primary(); value = d ? value % d : 0; }
            else return value;
        }
    }
    unsigned long sum() {
        unsigned long value = product();
        for (;;) {
            if (take("+")) value += product();
            else if (take("-")) value -= product();
            else return value;
        }
    }
    unsigned long comparison() {
        unsigned long value = sum();
        for (;;) {
            if (take("<=")) value = value <= sum();
            else if (take(">=")) value = value >= sum();
            else if (take("<")) value = value < sum();
            else if (take(">")) value = value > sum();
            else if (take("==")) value = value == sum();
            else if (take("!=")) value = value != sum();
            else return value;
        }
    }
    unsigned long conjunction() {
        unsigned long value = comparison();
        while (take("&&")) value = comparison() && value;
        return value;
    }
    unsigned long disjunction() {
        unsigned long value = conjunction();
        while (take("||")) value = conjunction() || value;
        return value;
    }
    unsigned long choice() {
        unsigned long condition = disjunction();
        if (!take("?")) return condition;
        unsigned long yes = choice();
        take(":");
        unsigned long no = choice();
        return condition ? yes : no;
    }
};

void load_catalog() {
    catalog.clear();
    plural_rule = "n != 1";
    const char *language = getenv("LANGUAGE");
    if (!language || !*language || folder.empty()) return;
    std::string first(language, strcspn(language, ":"));
    std::string path = folder + "/" + first + "/LC_MESSAGES/" + domain + ".mo";
    FILE *file = fopen(path.c_str(), "rb");
    if (!file) return;
    char block[4096];
    for (size_t got; (got = fread(block, 1, sizeof block, file)) > 0;) catalog.append(block, got);
    fclose(file);
    const char *header = look_up("");
    const char *rule = header ? strstr(header, "plural=") : nullptr;
    if (rule) plural_rule.assign(rule + 7, strcspn(rule + 7, ";\n"));
}

}  // namespace

extern "C" {

char *bindtextdomain(const char *, const char *dirname) {
    if (dirname) folder = dirname;
    return const_cast<char *>(folder.c_str());
}

char *bind_textdomain_codeset(const char *, const char *codeset) {
    return const_cast<char *>(codeset);
}

// Also reads the catalog afresh, as gettext forgets what it looked up.
char *textdomain(const char *name) {
    if (name) domain = name;
    load_catalog();
    return const_cast<char *>(domain.c_str());
}

char *gettext(const char *text) {
    const char *translation = look_up(text);
    return const_cast<char *>(translation && *translation ? translation : text);
}

char *ngettext(const char *one, const char *many, unsigned long n) {
    const char *translation = look_up(one);
    expression rule = {plural_rule.c_str(), n};
    unsigned long form = rule.choice();
    // The forms follow each other, each with its closing zero.
    for (; translation && form > 0; form--) {
        translation += strlen(translation) + 1;
        if (translation >= catalog.c_str() + catalog.size()) translation = nullptr;
    }
    if (translation && *translation) return const_cast<char *>(translation);
    return const_cast<char *>(n == 1 ? one : many);
}
}
