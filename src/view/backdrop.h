#pragma once

// Draws every fixed element of the game screen onto the freshly loaded
// background, once per run; the backdrop is then the source of every repaint.
void compose_backdrop(const int &gap);
