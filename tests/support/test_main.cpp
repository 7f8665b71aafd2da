// The game's code runs here without a display: every bitmap is a memory
// bitmap and the scripted system layer stands in for window and devices.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/scripted_platform.h"

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    // What the game keeps goes to a scratch folder, never the real home: the
    // scripted layer's, and that of every real binary a test starts.
    char state[] = "/tmp/picture-cubes-test-state-XXXXXX";
    if (!mkdtemp(state) || setenv("XDG_STATE_HOME", state, 1) != 0) return 1;
    script::state_folder = std::string(state) + "/picture-cubes";
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit) || !al_init_image_addon() ||
        !al_init_primitives_addon() || !al_init_font_addon() || !al_init_ttf_addon()) {
        fprintf(stderr, "cannot start Allegro for the tests\n");
        return 1;
    }
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    int result = RUN_ALL_TESTS();
    std::filesystem::remove_all(state);
    return result;
}
