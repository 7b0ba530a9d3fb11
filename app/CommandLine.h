#pragma once

#include <optional>

// The program's name and version as --version shows them, and its id for
// the desktop.
void SetProgramIdentity();

// Reads the command line before the program needs a display. --help and
// --version print their text; an option or an argument the program does not
// take is told on standard error. Either way the exit status comes back and
// the program must end. Nothing comes back when the program may start; Qt's
// own options (-platform, -style, ...) are let through for QApplication.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);
