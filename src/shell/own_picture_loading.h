#pragma once

// One of the player's pictures loaded as a puzzle picture: read, decoded,
// turned upright, cut and scaled to 600 x 450, in short steps with the
// window repainted between them.

#include <allegro5/allegro.h>

#include <string>

// The 600 x 450 bitmap of the picture at `path`; null when it cannot be
// played, and `wrong` then says why.
ALLEGRO_BITMAP *load_own_picture(const std::string &path, const char *&wrong);
