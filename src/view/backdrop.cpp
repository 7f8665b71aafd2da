#include "view/backdrop.h"

void compose_backdrop(const int &) {}
