#include "GraphExport.h"

#include "CommandLine.h"
#include "FontSetup.h"
#include "GraphHost.h"

#include <QApplication>
#include <QDir>

namespace {

struct ListHost : GraphHost {
    QStringList entries;
    QStringList Expressions() const override { return entries; }
};

} // namespace

int ExportGraph(const GraphExport& request, int argc, char* argv[])
{
    // Drawn off screen, so that no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    SetProgramIdentity();
    RegisterFontSubstitutions();

    gViewSettings = request.settings;
    gViewSettings.bAnimate = false;
    ListHost host;
    host.entries = request.entries;
    frmGraph graph(host);
    graph.bModePolar = request.bPolar;
    graph.Initialize();

    QString strReason;
    if (graph.WritePicture(request.strFile, request.format, &strReason))
        return 0;
    TellError(QStringLiteral("cannot write \"%1\": %2").arg(QDir::toNativeSeparators(request.strFile), strReason));
    return 1;
}
