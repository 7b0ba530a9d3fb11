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

// The options that QApplication takes for itself, with a value or without.
constexpr const char* kQtOptionsWithValue[] =
    {"platform", "platformpluginpath", "platformtheme", "plugin",       "qwindowgeometry",
     "geometry", "qwindowicon",        "icon",          "qwindowtitle", "title",
     "style",    "stylesheet",         "session",       "display",      "name",
     "dialogs"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void DescribeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Draws the graphs of mathematical expressions."));
    parser.addHelpOption();
    parser.addVersionOption();
    // Qt's options are written with one dash, "-platform offscreen".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const auto addHidden = [&parser](const char* pszName, const QString& strValue) {
        QCommandLineOption option{QLatin1String(pszName)};
        option.setValueName(strValue);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* pszName : kQtOptionsWithValue)
        addHidden(pszName, QStringLiteral("value"));
    for (const char* pszName : kQtFlags)
        addHidden(pszName, QString());
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

// The option as the user wrote it, "--foo" or "-x", without its value.
QString AsWritten(const QStringList& arguments, const QString& strName)
{
    for (const QString& strArgument : arguments.mid(1)) {
        const QString strOption = strArgument.section(QLatin1Char('='), 0, 0);
        if (strOption.startsWith(QLatin1Char('-'))
            && QStringView(strOption).mid(strOption.startsWith(QLatin1String("--")) ? 2 : 1) == strName)
            return strOption;
    }
    return QStringLiteral("--") + strName;
}

} // namespace

void SetProgramIdentity()
{
    QCoreApplication::setApplicationName(ProgramTitle());
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
}

std::optional<int> AnswerCommandLine(int argc, char* argv[])
{
    const QCoreApplication app(argc, argv);
    SetProgramIdentity();
    const QStringList arguments = QCoreApplication::arguments();
    QCommandLineParser parser;
    DescribeOptions(parser);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return RefuseUsage(arguments, parser.errorText());
        return RefuseUsage(arguments, QStringLiteral("unknown option '%1'").arg(AsWritten(arguments, unknown.first())));
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
        // Prints the text and ends the program with status 0.
        parser.process(arguments);
    }
    if (!parser.positionalArguments().isEmpty())
        return RefuseUsage(arguments,
                           QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    return std::nullopt;
}
