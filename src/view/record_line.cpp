// The summary's line telling a set's rotations against its group's record.
#include "view/record_line.h"

#include <allegro5/allegro_font.h>

#include <cstdio>

#include "puzzle/records.h"
#include "shell/resources.h"
#include "shell/translation.h"

void draw_record_line(int group, float line_y) {
    // Between the set's thumbnails (68 high, 30 below its line) and the next line.
    float y = line_y + 102;
    if (set_against_record[group] == record_beaten) {
        al_draw_text(font_bold_14, al_map_rgb(222, 222, 0), 350, y, 0, _("Nowy rekord grupy!"));
    } else if (set_against_record[group] == record_kept) {
        char line[80];
        snprintf(line, sizeof line,
                 ngettext("Rekord grupy: %d obrotów (%s)", "Rekord grupy: %d obrotów (%s)",
                          record_moves[group]),
                 record_moves[group], record_dates[group]);
        al_draw_text(font_bold_14, al_map_rgb(166, 199, 166), 350, y, 0, line);
    }
}
