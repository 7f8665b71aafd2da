#pragma once

#include <allegro5/allegro.h>

#include <functional>
#include <string>

#include "view/screen_reading.h"

// Screens kept as data in tests/reference. A reference frame is a PNG that an
// area of the screen must match pixel for pixel; a frame list holds, for every
// frame a sequence presents, a digest of the whole screen and the sounds asked
// for with it. With PICTURE_CUBES_REGENERATE=1 in the environment both are
// written instead of compared (tools/regenerate-references).

// Compares area `a` of the bitmap with tests/reference/<name>.png. On a
// mismatch writes <name>.actual.png and <name>.difference.png (differing pixels
// red) into the build's reference-mismatches folder and says so.
void expect_reference(const std::string &name, ALLEGRO_BITMAP *bitmap, area a);

// Runs `action` and compares every frame it presents with the list
// tests/reference/<name>.frames; `look`, if given, is called after the n-th
// frame (counted from 1) while the screen still shows it. The first frame that
// differs is written to the mismatches folder.
void expect_sequence(const std::string &name, const std::function<void()> &action,
                     const std::function<void(int)> &look = nullptr);
