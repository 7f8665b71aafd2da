// The program's arguments: its options, and the pictures the player names.
#include "shell/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

std::vector<std::string> named;

const char *const usage =
    "Usage: picture-cubes [FOLDER | FILE...]\n"
    "A picture-cube puzzle: roll twelve cubes until their fronts show a whole picture.\n"
    "\n"
    "Without arguments it plays its own three groups of pictures. Given a folder, or\n"
    "JPEG and PNG files, it plays the player's pictures instead: 6 to 11 usable\n"
    "pictures make one set, 12 to 17 two, 18 or more three sets of six chosen at\n"
    "random. A picture that cannot be played is named on stderr with the reason.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n";

}  // namespace

int read_command_line(int argc, const char *const *argv) {
    named.clear();
    bool options = true;
    for (int i = 1; i < argc; i++) {
        const char *argument = argv[i];
        if (options && strcmp(argument, "--") == 0) {
            options = false;
        } else if (options && (strcmp(argument, "--help") == 0 || strcmp(argument, "-h") == 0)) {
            fputs(usage, stdout);
            return 0;
        } else if (options && strcmp(argument, "--version") == 0) {
            printf("picture-cubes %s\n", PICTURE_CUBES_VERSION);
            return 0;
        } else if (options && argument[0] == '-' && argument[1] != 0) {
            fprintf(stderr,
                    "picture-cubes: unknown option '%s'\nTry 'picture-cubes --help' for how to "
                    "use it.\n",
                    argument);
            return 2;
        } else {
            named.push_back(argument);
        }
    }
    return -1;
}

const std::vector<std::string> &pictures_named() {
    return named;
}
