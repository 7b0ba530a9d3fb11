#include <QApplication>

#include "CommandLine.h"
#include "DialogLook.h"
#include "FontSetup.h"
#include "FormLayout.h"
#include "KeyRepeat.h"
#include "ProgramIcon.h"
#include "frmMain.h"

#include <csignal>

int main(int argc, char* argv[])
{
    // A reader that goes away (a pipe's, a FIFO's) makes a write fail with a
    // reason that is said, instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);

    // Answered before anything needs a display.
    const CommandLineAnswer answer = AnswerCommandLine(argc, argv);
    if (answer.iExitStatus)
        return *answer.iExitStatus;
    if (answer.graphExport)
        return ExportGraph(*answer.graphExport, argc, argv);

    QApplication app(argc, argv);
    SetProgramIdentity();
    QApplication::setWindowIcon(ProgramIcon());
    RegisterFontSubstitutions();
    SetDialogFont(WindowFont());
    // A key held on a focused button then counts as one press.
    UseDetectableKeyRepeat();

    // The main window deletes itself when it closes; the program ends when
    // no window of it remains.
    auto* pMain = new frmMain();
    pMain->show();
    if (answer.strSession)
        pMain->OpenSession(*answer.strSession);

    return app.exec();
}
