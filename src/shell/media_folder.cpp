#include "shell/media_folder.h"

#include <allegro5/allegro.h>

namespace {

bool is_folder(const std::string &path) {
    ALLEGRO_FS_ENTRY *entry = al_create_fs_entry(path.c_str());
    bool folder = entry && al_fs_entry_exists(entry) &&
                  (al_get_fs_entry_mode(entry) & ALLEGRO_FILEMODE_ISDIR);
    al_destroy_fs_entry(entry);
    return folder;
}

std::string beside_executable() {
    ALLEGRO_PATH *path = al_get_standard_path(ALLEGRO_EXENAME_PATH);
    if (!path) return "";
    al_set_path_filename(path, nullptr);
    std::string folder = std::string(al_path_cstr(path, '/')) + "media";
    al_destroy_path(path);
    return folder;
}

std::string find_media_folder() {
    const std::string candidates[] = {"media", beside_executable(),
                                      std::string(PICTURE_CUBES_DATA_DIR) + "/media"};
    for (const std::string &candidate : candidates) {
        if (!candidate.empty() && is_folder(candidate)) return candidate;
    }
    // None exists: name the first place looked, so the message points there.
    return "media";
}

}  // namespace

const std::string &media_folder() {
    static const std::string folder = find_media_folder();
    return folder;
}

std::string media_path(const std::string &name) { return media_folder() + "/" + name; }

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
