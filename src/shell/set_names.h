#pragma once

// What each set is called on the group bar and the summary: its group's
// name, or in a game of the player's own pictures the folder's name, cut to
// fit its place with an ellipsis, then the set's number.

// The name of set `group` (0, 1, 2), translated, at most 128 pixels wide in
// the 18-point font. Allocates nothing once a game's names are made.
const char *set_name(int group);
