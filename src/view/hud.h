#pragma once

// Marks the current group's slot and shows the move count in the badge.
void draw_hud(const int &moves);
