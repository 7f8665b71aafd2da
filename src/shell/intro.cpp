#include "shell/intro.h"

#include <allegro5/allegro_font.h>

#include "shell/fades.h"
#include "shell/input.h"
#include "shell/keys_and_pad.h"
#include "shell/new_game_offer.h"
#include "shell/own_pictures.h"
#include "shell/resources.h"
#include "shell/translation.h"
#include "system/platform.h"

namespace {

// The page is drawn once onto the background picture, which then serves as
// the canvas both fades draw from.
void draw_page() {
    al_set_target_bitmap(backdrop);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    al_draw_scaled_bitmap(ui_sheet, 60, 530, 610, 277, 210, 100, 610, 277, 0);

    struct line {
        float y;
        ALLEGRO_FONT *font;
        const char *text;
    };
    const line lines[] = {
        {360, font_28, N_("Gra na wzór starych dobrych klocków z obrazkami")},
        {405, font_18, N_("Składa się z 12 klocków losowo 'oklejonych' przyciętymi obrazkami.")},
        {430, font_18, N_("Obrazków jest 18 i są podzielone na trzy grupy - miniaturki z lewej.")},
        {455, font_18,
         N_("Klocki są już na swoich miejscach, można okręcać je w dwóch osiach w dowolną "
            "stronę.")},
        {480, font_18,
         N_("Aby okręcić klocek wystarczy kliknąć na niego i przesunąć strzałkę w wybranym "
            "kierunku.")},
        {530, font_18, N_("Napisana w C++ z biblioteką Allegro 5")},
        {550, font_18, N_("Grafiki obrazków wykorzystana z zasobów internetowych")},
        {570, font_18, N_("Autorzy: zespół Picture Cubes")},
        {590, font_bold_14, N_("Warszawa, 2026")},
    };
    ALLEGRO_COLOR colour = al_map_rgb(99, 133, 122);
    for (const line &l : lines) {
        al_draw_text(l.font, colour, 510, l.y, ALLEGRO_ALIGN_CENTRE, _(l.text));
    }
    draw_new_game_offer();
    // Under the offer: why the player's pictures are not played.
    if (const char *note = own_pictures_note()) {
        al_draw_text(font_18, colour, 510, 665, ALLEGRO_ALIGN_CENTRE, note);
    }
    sys_target_screen();
}

}  // namespace

void show_intro() {
    draw_page();
    sys_pace_from_now();

    for (int i = 0; i < 55; i++) {
        leave_if_closed();
        al_draw_tinted_bitmap(backdrop, al_map_rgba(i, i, i, i), 0, 0, 0);
        sys_rest(0.05);
        sys_present();
    }

    // Up to ten seconds, or until the primary button alone (or Enter, Space,
    // the pad's face button) is down, or the player takes the offer of a new
    // game instead of the saved one.
    for (int poll = 0; poll < 1000; poll++) {
        leave_if_closed();
        hit_test();
        if (new_game_chosen() || pointer_buttons == 1 || key_ends_intro()) break;
        sys_rest(0.01);
    }

    for (int i = 128; i >= 1; i--) {
        leave_if_closed();
        // Each frame builds on the last, so every one is drawn; the window
        // may still leave some out when drawing is slow.
        sys_frame_shown(0.003);
        al_draw_tinted_bitmap(backdrop, al_map_rgba(i, i, i, 256 - i), 0, 0, 0);
        sys_rest(0.003);
        sys_present();
    }

    // The page was drawn over the background; composition needs it untouched.
    al_destroy_bitmap(backdrop);
    backdrop = reload_media_bitmap("t2.jpg");
}
