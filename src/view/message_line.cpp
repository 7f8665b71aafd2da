// The message area under the board.
#include "view/message_line.h"

#include <allegro5/allegro_font.h>

#include "shell/resources.h"
#include "shell/translation.h"

void erase_message_area() {
    al_draw_bitmap_region(backdrop, 320, 610, 630, 48, 320, 610, 0);
}

void draw_already_assembled_message() {
    erase_message_area();
    al_draw_text(font_18, al_map_rgb(222, 222, 0), 630, 620, ALLEGRO_ALIGN_CENTRE,
                 _("TEN OBRAZEK JUŻ UŁOŻONY - WYBIERZ INNY"));
}
