#include "shell/game.h"

int main() {
    if (!start_game()) return 1;
    while (run_frame()) {
    }
    return 0;
}
