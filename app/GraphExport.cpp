#include "GraphExport.h"

#include "CommandLine.h"
#include "FontSetup.h"
#include "WholeFile.h"

#include <QDir>
#include <QGuiApplication>

namespace {

QtMessageHandler g_previousHandler = nullptr;

// Scripts read standard error for what went wrong: Qt's note that it made
// up a runtime folder (XDG_RUNTIME_DIR is unset under cron, su or in a
// container) says nothing about the drawing.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& strMessage)
{
    if (type == QtWarningMsg && strMessage.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    g_previousHandler(type, context, strMessage);
}

} // namespace

int ExportGraph(const GraphExport& request, int argc, char* argv[])
{
    g_previousHandler = qInstallMessageHandler(QuietHandler);
    // Drawn off screen, so that no display is needed; no window is made.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    // The file needs no plugin beyond the platform's, which is loaded by now:
    // without this, writing a picture loads every image-format plugin there
    // is (and the libraries they use) to ask whether it writes the format.
    QCoreApplication::setLibraryPaths({});
    SetProgramIdentity();
    RegisterFontSubstitutions();

    // Like any command in a pipeline, an export into a FIFO waits for its reader.
    WaitForFifoReaders(true);
    QString strReason;
    if (WriteGraph(request.scene, request.strFile, request.format, &strReason))
        return 0;
    TellError(QStringLiteral("cannot write \"%1\": %2").arg(QDir::toNativeSeparators(request.strFile), strReason));
    return 1;
}
