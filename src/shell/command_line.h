#pragma once

// The command line: --help and --version answer as a command-line program
// does, an unknown option is told, and the other arguments name the
// player's pictures, folders or files.

#include <string>
#include <vector>

// Reads the arguments main was given. The exit code when the program ends
// here (0 after --help or --version, 2 after an unknown option, told on
// stderr), or -1 to play.
int read_command_line(int argc, const char *const *argv);

// The folders and files named, in the order given; none without arguments.
const std::vector<std::string> &pictures_named();
