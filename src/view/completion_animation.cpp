#include "view/completion_animation.h"

void play_completion_animation(const int &) {}
