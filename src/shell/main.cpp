// The program's entry: the command line read, then the game's frames until the player leaves.
#include "shell/command_line.h"
#include "shell/game.h"

int main(int argc, char **argv) {
    int code = read_command_line(argc, argv);
    if (code >= 0) return code;
    if (!start_game()) return 1;
    while (run_frame()) {
    }
    return 0;
}
