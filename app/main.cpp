#include <QApplication>

#include "FontSetup.h"
#include "MessageBox.h"
#include "frmMain.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramTitle());
    RegisterFontSubstitutions();

    // The main window deletes itself when it closes; the program ends when
    // no window of it remains.
    auto* pMain = new frmMain();
    pMain->show();

    return app.exec();
}
