#pragma once

// A game of the player's own pictures: the pictures its sets are made of,
// remembered by path with the size and modification time they had when they
// were chosen, and the name the sets go by.

#include <string>

struct own_picture {
    std::string path;
    long long size;
    long long modified;  // microseconds since 1970
};

// Pictures 1 .. own_picture_count, six a set, in the order the sets play
// them: in a game of them set_files holds these numbers. Entry 0 unused.
// A count of 0 is the built-in game.
extern own_picture own_pictures[19];
extern int own_picture_count;

// The name of the folder they come from; the sets are called by it.
extern std::string own_sets_name;

// Back to the built-in game's three groups.
void forget_own_sets();
