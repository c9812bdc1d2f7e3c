// Starting the capture engine: a separate process the launcher keeps no hold on.
#pragma once

#include <string>

namespace launcher {

// Starts the program at path without arguments, shown normally, gives it at most 1000 ms to
// become ready for input and lets go of it. The path is passed as the program to run, so no
// other file is tried; its command line is the bare path, quoted only when it holds blanks so
// that the program still reads one word and no arguments. Returns whether it started.
bool RunProgram(const std::wstring& path);

}  // namespace launcher
