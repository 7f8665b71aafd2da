#include "shell/resources.h"

#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <cstdio>
#include <cstdlib>

#include "shell/media_folder.h"
#include "shell/translation.h"
#include "system/platform.h"

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
const char font_letters[] =
    "AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻaąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż0123456789.,-'>!?:;+()…";
const std::string group_names[3] = {N_("BAJKI"), N_("PRZYRODA"), N_("WIDOKI")};

namespace {

// A failure that stops the game is told on stderr and, for a player who
// started the game from a menu, in a message box with the same words.
bool fail(const std::string &what) {
    std::string message = "picture-cubes: " + what;
    fprintf(stderr, "%s\n", message.c_str());
    sys_show_failure(message.c_str());
    return false;
}

bool no_window(const char *detail) {
    const char *where = sys_environment("DISPLAY");
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

// Allegro's JPEG reader runs on past the end of a file cut short, into stray
// memory: it may hang or crash. A whole JPEG ends with its end-of-image
// marker, so a file without one is never handed to it.
ALLEGRO_BITMAP *read_image(const std::string &path) {
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0) {
        unsigned char end[2] = {0, 0};
        ALLEGRO_FILE *file = al_fopen(path.c_str(), "rb");
        if (file) {
            if (al_fseek(file, -2, ALLEGRO_SEEK_END)) al_fread(file, end, 2);
            al_fclose(file);
        }
        if (end[0] != 0xFF || end[1] != 0xD9) return nullptr;
    }
    return al_load_bitmap(path.c_str());
}

// Every file the game cannot do without is looked for before the window
// opens, so the player hears of all of them at once.
bool media_complete() {
    // A folder the player may not read hides every file: say so, not 34 names.
    ALLEGRO_FS_ENTRY *folder = al_create_fs_entry(media_folder().c_str());
    bool unreadable = al_fs_entry_exists(folder) && !al_open_directory(folder);
    if (!unreadable) al_close_directory(folder);
    al_destroy_fs_entry(folder);
    if (unreadable) return fail("cannot read the folder " + media_folder());

    std::string missing;
    for (const std::string &name : required_media_files()) {
        std::string path = media_path(name);
        if (!sys_file_exists(path.c_str())) missing += "\n  " + path;
    }
    return missing.empty() || fail("missing game files:" + missing);
}

// The pictures are decoded only when their group begins; check now that each
// one can be read, so a damaged file stops the game before play, not midway.
void check_pictures(std::string &unreadable) {
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    for (int group = 0; group < 3; group++) {
        for (int number = 1; number <= 10; number++) {
            std::string path = media_path(picture_file_name(group, number));
            ALLEGRO_BITMAP *picture = read_image(path);
            if (!picture || al_get_bitmap_width(picture) < 600 ||
                al_get_bitmap_height(picture) < 450) {
                unreadable += "\n  " + path;
            }
            if (picture) al_destroy_bitmap(picture);
        }
    }
    al_set_new_bitmap_flags(flags);
}

// A font file cut short still opens, its outlines lost: such letters draw as
// nothing. Every letter the game's texts use must come out with some ink.
bool draws_every_letter(ALLEGRO_FONT *font) {
    ALLEGRO_USTR_INFO info;
    const ALLEGRO_USTR *text = al_ref_cstr(&info, font_letters);
    int position = 0;
    for (int letter; (letter = al_ustr_get_next(text, &position)) >= 0;) {
        int x, y, width, height;
        if (!al_get_glyph_dimensions(font, letter, &x, &y, &width, &height) || width <= 0 ||
            height <= 0) {
            return false;
        }
    }
    return true;
}

ALLEGRO_FONT *load_font(const char *name, int size, std::string &unreadable) {
    std::string path = media_path(name);
    ALLEGRO_FONT *font = al_load_ttf_font(path.c_str(), size, 0);
    if (!font || !draws_every_letter(font)) unreadable += "\n  " + path;
    return font;
}

// The size an image must have: at least width x height, or exactly that.
ALLEGRO_BITMAP *load_image(const char *name, int width, int height, bool exactly,
                           std::string &unreadable) {
    std::string path = media_path(name);
    ALLEGRO_BITMAP *bitmap = read_image(path);
    bool fits = bitmap && al_get_bitmap_width(bitmap) >= width &&
                al_get_bitmap_height(bitmap) >= height &&
                (!exactly ||
                 (al_get_bitmap_width(bitmap) == width && al_get_bitmap_height(bitmap) == height));
    if (!fits) unreadable += "\n  " + path;
    return bitmap;
}

// A sound cut short still loads, its lost end played as silence: the file
// must hold every sample its header promises after the 44 bytes of a header.
bool holds_every_sample(ALLEGRO_SAMPLE *sample, const std::string &path) {
    ALLEGRO_FS_ENTRY *file = al_create_fs_entry(path.c_str());
    off_t size = al_get_fs_entry_size(file);
    al_destroy_fs_entry(file);
    off_t bytes = static_cast<off_t>(al_get_sample_length(sample)) *
                  al_get_channel_count(al_get_sample_channels(sample)) *
                  al_get_audio_depth_size(al_get_sample_depth(sample));
    return size >= bytes + 44;
}

// A missing or damaged sound only silences that sound.
ALLEGRO_SAMPLE *load_sound(const char *name) {
    std::string path = media_path(name);
    ALLEGRO_SAMPLE *sample = al_load_sample(path.c_str());
    if (sample && !holds_every_sample(sample, path)) {
        al_destroy_sample(sample);
        sample = nullptr;
    }
    if (!sample)
        fprintf(stderr, "picture-cubes: cannot play %s; that sound stays silent\n", path.c_str());
    return sample;
}

}  // namespace

ALLEGRO_BITMAP *reload_media_bitmap(const std::string &name) {
    std::string path = media_path(name);
    ALLEGRO_BITMAP *bitmap = read_image(path);
    if (!bitmap) {
        fail("cannot read " + path);
        exit(1);
    }
    return bitmap;
}

bool start_up() {
    // The version word must be the one of the headers compiled against: an
    // older word makes the 5.2 library refuse to start.
    // Without the library no message box can be shown either: stderr alone.
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit)) {
        fprintf(stderr, "picture-cubes: cannot start the Allegro library\n");
        return false;
    }
    // The language decides which interface sheet is needed.
    use_player_language();
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

    if (!sys_open_screen(_("Obrazkowe klocki"), media_folder().c_str()))
        return no_window("the window was refused");
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
    // The background is copied 1:1 to the screen: it must be the window's size.
    backdrop = load_image("t2.jpg", 1020, 710, true, unreadable);
    ui_sheet = load_image(ui_sheet_file(), 672, 807, false, unreadable);
    check_pictures(unreadable);
    if (!unreadable.empty()) return fail("cannot read game files:" + unreadable);

    if (sound) {
        sample_s5 = load_sound("s5.wav");
        sample_s3 = load_sound("s3.wav");
        sample_s1 = load_sound("s1.wav");
        sample_s = load_sound("s.wav");
    }
    return true;
}
