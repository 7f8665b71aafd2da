#include "view/hud.h"

void draw_hud(const int &) {}
