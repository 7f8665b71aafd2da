// Writes the six test scenes into a folder, as stored by cameras and editors,
// and their upright middles into another, for the window scripts to compare.
// Usage: make_pictures FOLDER UPRIGHT_FOLDER
#include <cstdio>
#include <string>

#include "support/picture_files.h"

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make_pictures FOLDER UPRIGHT_FOLDER\n");
        return 2;
    }
    for (int k = 1; k <= 6; k++) {
        for (bool upright : {false, true}) {
            std::string path =
                std::string(argv[upright ? 2 : 1]) + "/" + scene_file_name(k, upright);
            if (!write_picture(path, scene_file(k, upright))) {
                fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }
    return 0;
}
