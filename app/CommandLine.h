#pragma once

#include <QStringList>

#include <optional>

// The program's name and version as --version shows them, and its id for
// the desktop.
void SetProgramIdentity();

// Answers --help and --version before the program needs a display: prints
// the text and ends the program with status 0. Any other command line comes
// back untouched, since an option unknown here may be one of Qt's own
// (-platform, -style, ...), which only QApplication takes out.
void AnswerHelpOrVersion(int& argc, char* argv[]);

// Checks the command line that QApplication leaves. Returns the exit status
// when the program must not start: an option or an argument it does not
// take, told on standard error. --help and --version are answered here too.
std::optional<int> RefuseUnexpectedArguments(const QStringList& arguments);
