// Every catalog's texts, as gettext gives them to the game, measured with the
// game's own fonts against the place each one is drawn in, and drawn by those
// fonts letter for letter.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>

#include "puzzle/own_sets.h"
#include "shell/resources.h"
#include "shell/set_names.h"
#include "shell/translation.h"
#include "support/scripted_platform.h"

namespace {

struct place {
    int font;            // 14 bold, 18 or 28; 0: not drawn by the game's fonts
    int width;           // the widest the text may be, in pixels
    const char *number;  // stands for %d: the widest the game shows there
};

// Where each text stands. A new text needs its row here.
const std::map<std::string, place> places = {
    // The intro page: centred on the 1020-pixel page, 10 pixels clear each side.
    {"Gra na wzór starych dobrych klocków z obrazkami", {28, 1000, ""}},
    {"Składa się z 12 klocków losowo 'oklejonych' przyciętymi obrazkami.", {18, 1000, ""}},
    {"Obrazków jest 18 i są podzielone na trzy grupy - miniaturki z lewej.", {18, 1000, ""}},
    {"Klocki są już na swoich miejscach, można okręcać je w dwóch osiach w dowolną stronę.",
     {18, 1000, ""}},
    {"Aby okręcić klocek wystarczy kliknąć na niego i przesunąć strzałkę w wybranym kierunku.",
     {18, 1000, ""}},
    {"Napisana w C++ z biblioteką Allegro 5", {18, 1000, ""}},
    {"Grafiki obrazków wykorzystana z zasobów internetowych", {18, 1000, ""}},
    {"Autorzy: zespół Picture Cubes", {18, 1000, ""}},
    {"Warszawa, 2026", {14, 1000, ""}},
    {"Zapisana gra czeka. Aby zacząć nową, naciśnij N albo kliknij ten napis.", {18, 1000, ""}},
    {"Zapisana gra jest otwarta w innym oknie gry, tu zaczyna się nowa.", {18, 1000, ""}},
    {"Obrazki zapisanej gry zmieniły się lub zniknęły - zaczyna się nowa gra.", {18, 1000, ""}},
    {"Za mało obrazków gracza nadaje się do gry (%d z potrzebnych 6) - gra na obrazkach "
     "wbudowanych.",
     {18, 1000, "17"}},
    // Centred on x 320, clear of the counter badge at x 360.
    {"RUCH >", {18, 80, ""}},
    // A group slot is 154 wide; on the summary a name has 150 before the count.
    {"BAJKI", {18, 150, ""}},
    {"PRZYRODA", {18, 150, ""}},
    {"WIDOKI", {18, 150, ""}},
    // The exit button's plate, 110 wide, less its rim.
    {"WYJŚCIE", {14, 100, ""}},
    // The message area under the board.
    {"TEN OBRAZEK JUŻ UŁOŻONY - WYBIERZ INNY", {18, 630, ""}},
    // The summary: the title within the board, then each set's line in three
    // columns, at x 350, 450 and 600, the last ending at the board's edge.
    {"Gra zakończona", {28, 610, ""}},
    {"ZESTAW %d  ", {18, 100, "3"}},
    {"    - wykonano %d obrotów klockami", {18, 350, "9999"}},
    // Under each set's pictures, from x 350 to the board's edge; %s is a day.
    {"Nowy rekord grupy!", {14, 600, ""}},
    {"Rekord grupy: %d obrotów (%s)", {14, 600, "9999"}},
    // The window's title, drawn by the window manager.
    {"Obrazkowe klocki", {0, 0, ""}},
};

const std::string po_folder = PICTURE_CUBES_SOURCE_DIR "/po/";

class text_fit : public testing::Test {
   protected:
    static void SetUpTestSuite() {
        fonts[14] = al_load_ttf_font("media/arialbd.ttf", 14, 0);
        fonts[18] = al_load_ttf_font("media/arial.ttf", 18, 0);
        fonts[28] = al_load_ttf_font("media/arial.ttf", 28, 0);
    }
    static void TearDownTestSuite() {
        for (auto &font : fonts) al_destroy_font(font.second);
        fonts.clear();
        script::reset();
        use_player_language();
    }
    static std::map<int, ALLEGRO_FONT *> fonts;
};
std::map<int, ALLEGRO_FONT *> text_fit::fonts;

TEST_F(text_fit, every_text_of_the_sources_has_a_place) {
    // The template holds one line per text; the sources' are under "#: src/".
    std::ifstream pot(po_folder + "picture-cubes.pot");
    bool from_sources = false;
    for (std::string line; std::getline(pot, line);) {
        if (line.rfind("#: ", 0) == 0) from_sources = line.find(" src/") != std::string::npos;
        if (line.rfind("msgid \"", 0) != 0 || !from_sources) continue;
        std::string text = line.substr(7, line.size() - 8);
        EXPECT_TRUE(places.count(text)) << "no place is known for \"" << text << "\"";
    }
}

TEST_F(text_fit, every_text_of_every_catalog_fits_its_place_in_letters_the_fonts_draw) {
    for (auto &font : fonts) ASSERT_NE(font.second, nullptr);
    std::ifstream linguas(po_folder + "LINGUAS");
    for (std::string language; linguas >> language;) {
        script::environment["LANG"] = language + ".UTF-8";
        use_player_language();
        for (const auto &row : places) {
            const char *msgid = row.first.c_str();
            // Each plural form the numbers shown may take.
            for (unsigned long n : {1, 2, 5, 22, 101}) {
                std::string text = ngettext(msgid, msgid, n);
                for (std::size_t at; (at = text.find("%d")) != std::string::npos;) {
                    text.replace(at, 2, row.second.number);
                }
                for (std::size_t at; (at = text.find("%s")) != std::string::npos;) {
                    text.replace(at, 2, "2026-12-08");
                }
                // The start-up check of the fonts covers every letter.
                ALLEGRO_USTR_INFO info;
                const ALLEGRO_USTR *letters = al_ref_cstr(&info, text.c_str());
                int position = 0;
                for (int letter; (letter = al_ustr_get_next(letters, &position)) >= 0;) {
                    char one[5] = {};
                    al_utf8_encode(one, letter);
                    EXPECT_TRUE(letter == ' ' || strstr(font_letters, one))
                        << language << ": the fonts are not checked for '" << one << "' of \""
                        << text << "\"";
                }
                if (row.second.font == 0) continue;
                EXPECT_LE(al_get_text_width(fonts[row.second.font], text.c_str()), row.second.width)
                    << language << ": \"" << text << "\" is too wide for its place";
            }
        }
    }
}

}  // namespace

// The player's folder names the sets, however long its name: cut with an
// ellipsis, the set's number kept, within the dark bar of the group slot's
// highlight (136 wide, 4 clear each side) and so the summary's column.
TEST_F(text_fit, a_folder_name_is_cut_to_fit_before_the_sets_number) {
    ALLEGRO_FONT *kept = font_18;
    font_18 = fonts[18];
    own_picture_count = 6;
    for (const char *name : {"Lato", "Wakacje nad morzem 2025", "Ćwiczenia źrebiąt ŻÓŁW ŁĄKA",
                             "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"}) {
        own_sets_name = name;
        for (int g = 0; g < 3; g++) {
            std::string shown = set_name(g);
            EXPECT_LE(al_get_text_width(fonts[18], shown.c_str()), 128) << shown;
            EXPECT_EQ(shown.substr(shown.size() - 2), " " + std::to_string(g + 1)) << shown;
            bool whole = shown == std::string(name) + " " + std::to_string(g + 1);
            EXPECT_TRUE(whole || shown.find("\u2026 ") != std::string::npos) << shown;
        }
    }
    EXPECT_EQ(std::string(set_name(0)).rfind("WWW", 0), 0u);
    forget_own_sets();
    font_18 = kept;
}
