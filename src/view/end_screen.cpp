#include "view/end_screen.h"

void show_end_screen() {}
