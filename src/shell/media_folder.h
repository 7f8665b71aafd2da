#pragma once

#include <string>
#include <vector>

// The folder the game reads its assets from: `media` in the working directory
// if there is one, else the one beside the executable, else the installed one
// (found from the executable, so an installed copy runs wherever it lands).
const std::string &media_folder();

// `relative` appended to the executable's folder ("" if it is unknown).
std::string from_executable(const std::string &relative);

// The interface sheet whose painted captions are in the player's language.
const char *ui_sheet_file();

// The path of one asset, e.g. media_path("t2.jpg").
std::string media_path(const std::string &name);

// Every image and font the game cannot run without, the thirty puzzle
// pictures included (a group loads its pictures long after start-up).
std::vector<std::string> required_media_files();

// The file name of picture `number` (1..10) of group 0, 1 or 2: "b7.jpg".
std::string picture_file_name(int group, int number);
