#include "shell/intro.h"

void show_intro() {}
