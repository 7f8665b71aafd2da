#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <string>

// Process-wide handles, made once by start_up and read by every part of the game.
extern ALLEGRO_BITMAP *backdrop;  // the composed background of the game screen
extern ALLEGRO_BITMAP *ui_sheet;  // the sheet of interface elements
extern ALLEGRO_BITMAP *work_tile_1;
extern ALLEGRO_BITMAP *work_tile_2;
extern ALLEGRO_BITMAP *work_tile_3;
extern ALLEGRO_BITMAP *tile_strip;  // framed thumbnails, one 710-row band per group
extern ALLEGRO_FONT *font_bold_14;
extern ALLEGRO_FONT *font_18;
extern ALLEGRO_FONT *font_28;
extern ALLEGRO_SAMPLE *sample_s1;
extern ALLEGRO_SAMPLE *sample_s3;
extern ALLEGRO_SAMPLE *sample_s5;
extern ALLEGRO_SAMPLE *sample_s;
extern const std::string group_names[3];
// Every letter of the texts in every catalog: start-up checks that the fonts
// draw each of them.
extern const char font_letters[];

// Opens the window and loads every resource. On failure prints one message on
// stderr naming what failed and returns false; the caller then exits 1.
bool start_up();

// Loads a bitmap from the media folder after start-up, e.g. "t2.jpg". Start-up
// read every image, so a failure means the file went away while the game ran:
// drawing it would crash, so the game says which file and exits 1.
ALLEGRO_BITMAP *reload_media_bitmap(const std::string &name);
