#include "CommandLine.h"

#include "MessageBox.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

// The status of a command line the program does not take.
constexpr int kUsageError = 2;

void DescribeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Draws the graphs of mathematical expressions."));
    parser.addHelpOption();
    parser.addVersionOption();
}

int RefuseUsage(const QStringList& arguments, const QString& strProblem)
{
    const QString strProgram = arguments.isEmpty() ? QStringLiteral("velmora")
                                                   : QFileInfo(arguments.first()).fileName();
    const QString strText =
        QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(strProgram, strProblem);
    std::fputs(strText.toLocal8Bit().constData(), stderr);
    return kUsageError;
}

} // namespace

void SetProgramIdentity()
{
    QCoreApplication::setApplicationName(ProgramTitle());
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
}

void AnswerHelpOrVersion(int& argc, char* argv[])
{
    const QCoreApplication app(argc, argv);
    SetProgramIdentity();
    QCommandLineParser parser;
    DescribeOptions(parser);
    // process() ends the program when help or version is asked for.
    if (parser.parse(QCoreApplication::arguments()))
        parser.process(QCoreApplication::arguments());
}

std::optional<int> RefuseUnexpectedArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    DescribeOptions(parser);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return RefuseUsage(arguments, parser.errorText());
        const QString strDashes = unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        return RefuseUsage(arguments, QStringLiteral("unknown option '%1%2'").arg(strDashes, unknown.first()));
    }
    parser.process(arguments);
    if (!parser.positionalArguments().isEmpty())
        return RefuseUsage(arguments,
                           QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    return std::nullopt;
}
