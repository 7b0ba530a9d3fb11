#include <QApplication>
#include <QMainWindow>

#include "FontSetup.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    RegisterFontSubstitutions();

    QMainWindow window;
    window.setObjectName(QStringLiteral("frmMain"));
    window.setWindowTitle(QStringLiteral("Velmora"));
    window.resize(640, 480);
    window.show();

    return app.exec();
}
