#pragma once

// The summary after the third group: each set's rotations and pictures, then
// the restart button fades in. Returns without waiting for the player.
void show_end_screen();
