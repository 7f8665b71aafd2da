#pragma once

// The player's own pictures: the files and folders named on the command line
// looked through, the usable pictures chosen into sets, each set's pictures
// loaded, and a saved game of them checked before it is resumed.

#include <allegro5/allegro.h>

#include <string>
#include <vector>

// Makes the pictures at `paths` (files, and the JPEG and PNG files of
// folders) the next game's: 6 to 11 usable ones make one set, 12 to 17 two,
// 18 or more three sets of six chosen at random. Each picture found unusable
// is named on stderr with the reason. With fewer than six the built-in game
// plays, and the intro says so. A folder is listed, and only as many of its
// pictures are looked at as the sets need. Without paths, the built-in game.
// Another front end (a web page's file picker) hands its pictures over here.
void use_own_pictures(const std::vector<std::string> &paths);

// New sets of the same pictures, for a new game.
void choose_own_sets();

// Picture `number` (1 .. own_picture_count) of the own sets as a 600 x 450
// bitmap. One that cannot be decoded is named on stderr and another usable
// picture takes its place; when none is left, a picture of an earlier set
// does. Null only when the first set cannot be made.
ALLEGRO_BITMAP *own_set_picture(int number);

// Gives up the player's pictures when the first set cannot be made of them:
// says so, and the built-in game plays.
void give_up_own_pictures();

// Whether the game read from the state folder may be resumed: not when the
// player named pictures for a new game, nor when a picture it was played
// with is gone or changed (its size or time), which is told.
bool saved_game_can_resume();

// The intro's line about the player's pictures, or null: too few usable, or
// the saved game's pictures changed.
const char *own_pictures_note();
