#include "shell/media_folder.h"

#include <allegro5/allegro.h>

namespace {

int files_present(const std::string &folder) {
    int present = 0;
    for (const std::string &name : required_media_files()) {
        present += al_filename_exists((folder + "/" + name).c_str()) ? 1 : 0;
    }
    return present;
}

std::string beside_executable() {
    ALLEGRO_PATH *path = al_get_standard_path(ALLEGRO_EXENAME_PATH);
    if (!path) return "";
    al_set_path_filename(path, nullptr);
    std::string folder = std::string(al_path_cstr(path, '/')) + "media";
    al_destroy_path(path);
    return folder;
}

// A folder called media is not necessarily ours (Linux has /media): the first
// complete one wins, else the first that holds any of our files, so the
// message about what is missing points at the right place.
std::string find_media_folder() {
    const std::string candidates[] = {"media", beside_executable(),
                                      std::string(PICTURE_CUBES_DATA_DIR) + "/media"};
    size_t wanted = required_media_files().size();
    for (const std::string &candidate : candidates) {
        if (!candidate.empty() && files_present(candidate) == static_cast<int>(wanted)) {
            return candidate;
        }
    }
    for (const std::string &candidate : candidates) {
        if (!candidate.empty() && files_present(candidate) > 0) return candidate;
    }
    return "media";
}

}  // namespace

const std::string &media_folder() {
    static const std::string folder = find_media_folder();
    return folder;
}

std::string media_path(const std::string &name) {
    return media_folder() + "/" + name;
}

std::string picture_file_name(int group, int number) {
    static const char prefixes[] = {'b', 'p', 'w'};
    return prefixes[group] + std::to_string(number) + ".jpg";
}

std::vector<std::string> required_media_files() {
    std::vector<std::string> names = {"arialbd.ttf", "arial.ttf", "t2.jpg", "ele.png"};
    for (int group = 0; group < 3; group++) {
        for (int number = 1; number <= 10; number++) {
            names.push_back(picture_file_name(group, number));
        }
    }
    return names;
}
