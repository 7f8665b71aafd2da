#include "shell/resources.h"

#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <cstdio>
#include <cstdlib>

#include "shell/media_folder.h"
#include "shell/platform.h"

ALLEGRO_DISPLAY *display;
ALLEGRO_BITMAP *backdrop;
ALLEGRO_BITMAP *ui_sheet;
ALLEGRO_BITMAP *work_tile_1;
ALLEGRO_BITMAP *work_tile_2;
ALLEGRO_BITMAP *work_tile_3;
ALLEGRO_BITMAP *tile_strip;
ALLEGRO_FONT *font_bold_14;
ALLEGRO_FONT *font_18;
ALLEGRO_FONT *font_28;
ALLEGRO_SAMPLE *sample_s1;
ALLEGRO_SAMPLE *sample_s3;
ALLEGRO_SAMPLE *sample_s5;
ALLEGRO_SAMPLE *sample_s;
const std::string group_names[3] = {"BAJKI", "PRZYRODA", "WIDOKI"};

namespace {

bool fail(const char *what) {
    fprintf(stderr, "picture-cubes: %s\n", what);
    return false;
}

bool no_window(const char *detail) {
    const char *where = getenv("DISPLAY");
    fprintf(stderr, "picture-cubes: cannot open a 1020 x 710 window (DISPLAY=%s): %s\n",
            where ? where : "not set", detail);
    return false;
}

// Scratch surfaces start with undefined pixels; the thumbnail strip is drawn
// whole by the scroll, so everything not yet painted must be see-through.
ALLEGRO_BITMAP *create_clear_bitmap(int width, int height) {
    ALLEGRO_BITMAP *bitmap = al_create_bitmap(width, height);
    if (!bitmap) return nullptr;
    ALLEGRO_BITMAP *target = al_get_target_bitmap();
    al_set_target_bitmap(bitmap);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    al_set_target_bitmap(target);
    return bitmap;
}

// Every file the game cannot do without is looked for before the window
// opens, so the player hears of all of them at once.
bool media_complete() {
    std::string missing;
    for (const std::string &name : required_media_files()) {
        std::string path = media_path(name);
        if (!al_filename_exists(path.c_str())) missing += "\n  " + path;
    }
    if (missing.empty()) return true;
    fprintf(stderr, "picture-cubes: missing game files:%s\n", missing.c_str());
    return false;
}

// The pictures are decoded only when their group begins; check now that each
// one can be read, so a damaged file stops the game before play, not midway.
void check_pictures(std::string &unreadable) {
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    for (int group = 0; group < 3; group++) {
        for (int number = 1; number <= 10; number++) {
            std::string path = media_path(picture_file_name(group, number));
            ALLEGRO_BITMAP *picture = al_load_bitmap(path.c_str());
            if (!picture || al_get_bitmap_width(picture) < 600 ||
                al_get_bitmap_height(picture) < 450) {
                unreadable += "\n  " + path;
            }
            if (picture) al_destroy_bitmap(picture);
        }
    }
    al_set_new_bitmap_flags(flags);
}

ALLEGRO_FONT *load_font(const char *name, int size, std::string &unreadable) {
    std::string path = media_path(name);
    ALLEGRO_FONT *font = al_load_ttf_font(path.c_str(), size, 0);
    if (!font) unreadable += "\n  " + path;
    return font;
}

ALLEGRO_BITMAP *load_image(const char *name, int min_width, int min_height,
                           std::string &unreadable) {
    std::string path = media_path(name);
    ALLEGRO_BITMAP *bitmap = al_load_bitmap(path.c_str());
    if (!bitmap || al_get_bitmap_width(bitmap) < min_width ||
        al_get_bitmap_height(bitmap) < min_height) {
        unreadable += "\n  " + path;
    }
    return bitmap;
}

// A missing or damaged sound only silences that sound.
ALLEGRO_SAMPLE *load_sound(const char *name) {
    std::string path = media_path(name);
    ALLEGRO_SAMPLE *sample = al_load_sample(path.c_str());
    if (!sample)
        fprintf(stderr, "picture-cubes: cannot play %s; that sound stays silent\n", path.c_str());
    return sample;
}

}  // namespace

ALLEGRO_BITMAP *reload_media_bitmap(const std::string &name) {
    std::string path = media_path(name);
    ALLEGRO_BITMAP *bitmap = al_load_bitmap(path.c_str());
    if (!bitmap) {
        fprintf(stderr, "picture-cubes: cannot read %s\n", path.c_str());
        exit(1);
    }
    return bitmap;
}

bool start_up() {
    // The version word must be the one of the headers compiled against: an
    // older word makes the 5.2 library refuse to start.
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit)) {
        return fail("cannot start the Allegro library");
    }
    // Missing files are looked for before anything needs the X display.
    if (!media_complete()) return false;
    // On X11 the keyboard and mouse need the display as much as the window does.
    if (!sys_install_input()) return no_window("no keyboard and mouse");
    if (!al_init_image_addon() || !al_init_primitives_addon() || !al_init_font_addon() ||
        !al_init_ttf_addon()) {
        return fail("cannot start Allegro's image, drawing or font add-ons");
    }
    srand(sys_clock_seconds());

    bool sound = sys_install_audio();
    if (!sound) fprintf(stderr, "picture-cubes: no sound device; playing silent\n");

    if (!sys_open_screen()) return no_window("the window was refused");
    work_tile_1 = create_clear_bitmap(150, 150);
    work_tile_2 = create_clear_bitmap(150, 150);
    work_tile_3 = create_clear_bitmap(150, 150);
    tile_strip = create_clear_bitmap(150, 2160);
    if (!work_tile_1 || !work_tile_2 || !work_tile_3 || !tile_strip) {
        return fail("cannot create the drawing surfaces");
    }
    al_clear_to_color(al_map_rgb(0, 22, 22));

    std::string unreadable;
    font_bold_14 = load_font("arialbd.ttf", 14, unreadable);
    font_18 = load_font("arial.ttf", 18, unreadable);
    font_28 = load_font("arial.ttf", 28, unreadable);
    backdrop = load_image("t2.jpg", 1020, 710, unreadable);
    ui_sheet = load_image("ele.png", 672, 807, unreadable);
    check_pictures(unreadable);
    if (!unreadable.empty()) {
        fprintf(stderr, "picture-cubes: cannot read game files:%s\n", unreadable.c_str());
        return false;
    }

    if (sound) {
        sample_s5 = load_sound("s5.wav");
        sample_s3 = load_sound("s3.wav");
        sample_s1 = load_sound("s1.wav");
        sample_s = load_sound("s.wav");
    }
    return true;
}
