// Where the game's assets are found, and which of them it needs.
#include "shell/media_folder.h"

#include "shell/translation.h"
#include "system/platform.h"

namespace {

bool holds_our_files(const std::string &folder) {
    for (const std::string &name : required_media_files()) {
        if (sys_file_exists((folder + "/" + name).c_str())) return true;
    }
    return false;
}

// A folder called media is not necessarily ours (Linux has /media): the first
// one holding any of our files is taken, complete or not, so a damaged copy is
// reported rather than silently passed over.
std::string find_media_folder() {
    // The installed folder is found from the executable, not from the prefix
    // the build was configured with: a package installs under /usr, a plain
    // install wherever --prefix or DESTDIR puts it.
    const std::string candidates[] = {"media", from_executable("media"),
                                      from_executable(PICTURE_CUBES_DATA_FROM_BINARY "/media")};
    for (const std::string &candidate : candidates) {
        if (!candidate.empty() && holds_our_files(candidate)) return candidate;
    }
    return "media";
}

}  // namespace

std::string from_executable(const std::string &relative) {
    std::string folder = sys_executable_folder();
    return folder.empty() ? "" : folder + relative;
}

const char *ui_sheet_file() {
    // The media tool paints the captions in Polish and in English; a language
    // without a sheet of its own reads the English one.
    return texts_as_written() ? "ele.png" : "ele-en.png";
}

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
    std::vector<std::string> names = {"arialbd.ttf", "arial.ttf", "t2.jpg", ui_sheet_file()};
    for (int group = 0; group < 3; group++) {
        for (int number = 1; number <= 10; number++) {
            names.push_back(picture_file_name(group, number));
        }
    }
    return names;
}
