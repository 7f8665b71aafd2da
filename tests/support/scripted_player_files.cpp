// The test suite's reading of the player's files: the real files of a test's
// scratch folder, every read counted, and files a test marks as unreadable
// (the suite may run as root, whom no file mode stops).
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "support/scripted_platform.h"
#include "system/platform.h"

namespace fs = std::filesystem;

void sys_path_facts(const char *path, path_facts *facts) {
    *facts = {path_missing, 0, 0, 0};
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error || status.type() == fs::file_type::not_found) {
        facts->error = error ? error.value() : ENOENT;
        facts->kind = facts->error == ELOOP    ? path_loops
                      : facts->error == ENOENT ? path_missing
                                               : path_unreadable;
        return;
    }
    facts->kind = fs::is_regular_file(status) ? path_file
                  : fs::is_directory(status)  ? path_folder
                                              : path_other;
    if (facts->kind != path_file) return;
    facts->size = static_cast<long long>(fs::file_size(path, error));
    auto since = fs::last_write_time(path, error).time_since_epoch();
    facts->modified = std::chrono::duration_cast<std::chrono::microseconds>(since).count();
}

int sys_folder_names(const char *path, std::vector<std::string> *names) {
    std::error_code error;
    for (fs::directory_iterator entry(path, error), end; !error && entry != end;
         entry.increment(error)) {
        names->push_back(entry->path().filename().string());
    }
    return error.value();
}

long long sys_read_file(const char *path, long long offset, unsigned char *buffer, long long size) {
    if (script::unreadable_files.count(path)) return -EACCES;
    std::ifstream in(path, std::ios::binary);
    if (!in) return -ENOENT;
    script::file_reads.push_back({path, offset, size});
    in.seekg(offset);
    in.read(reinterpret_cast<char *>(buffer), size);
    return in.gcount();
}

std::string sys_real_path(const char *path) {
    std::error_code error;
    fs::path real = fs::canonical(path, error);
    return error ? "" : real.string();
}
