#include "CommandLine.h"

#include "EntryEvaluation.h"
#include "EntryPreparation.h"
#include "GraphScene.h"
#include "MessageBox.h"
#include "NumberFormat.h"
#include "NumberInput.h"
#include "PointsOfInterest.h"
#include "ProgramIdentity.h"
#include "SessionFile.h"
#include "TraceGeometry.h"
#include "ValueTable.h"
#include "ViewEntries.h"
#include "clsMath.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <variant>
#include <vector>

namespace {

// The status of a command line the program does not take.
constexpr int kUsageError = 2;

// The options that QApplication takes for itself, with a value or without.
constexpr const char* kQtOptionsWithValue[] =
    {"platform", "platformpluginpath", "platformtheme", "plugin",       "qwindowgeometry",
     "geometry", "qwindowicon",        "icon",          "qwindowtitle", "title",
     "style",    "stylesheet",         "display",       "name",         "dialogs"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The options that draw or evaluate without a window.
const QString kExport = QStringLiteral("export");
const QString kValue = QStringLiteral("value");
const QString kPoints = QStringLiteral("points");
const QString kTable = QStringLiteral("table");
const QString kNoOptimize = QStringLiteral("no-optimize");
const QString kPolar = QStringLiteral("polar");
const QString kRangeX = QStringLiteral("x");
const QString kRangeY = QStringLiteral("y");
const QString kDivisions = QStringLiteral("divisions");
const QString kSensitivity = QStringLiteral("sensitivity");
const QString kGrid = QStringLiteral("grid");
// With a script option, a session file to start from; without one, Qt's
// own option that names a desktop session to restore.
const QString kSession = QStringLiteral("session");

// The options that set the view, which only a drawing takes.
const QStringList kViewOptions{kPolar, kRangeX, kRangeY, kDivisions, kSensitivity, kGrid};

void DescribeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Draws the graphs of mathematical expressions.\n"
                       "\n"
                       "Without options it opens its window. With --export it draws the expressions\n"
                       "into a file, with no window, exactly as the graph window shows them; the\n"
                       "extension of the file chooses the format: .bmp, .png, .svg or .pdf. With\n"
                       "--value it prints what the comparison window shows for each expression.\n"
                       "Each expression is prepared as if typed into the main window. Write \"--\"\n"
                       "before expressions that start with \"-\".\n"
                       "\n"
                       "Examples:\n"
                       "  velmora --export waves.png 'sin(x)' '2*cos(x)'\n"
                       "  velmora --export rose.svg --polar --x -2:2 --y -2:2 'sin(2x)'\n"
                       "  velmora --value 0.5 'x^2' 'sqrt(x)'\n"
                       "  velmora lesson.velmora          (opens the session in the window)\n"
                       "  velmora --export lesson.png --session lesson.velmora"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("expression"), QStringLiteral("An expression in x."),
                                 QStringLiteral("[expression...]"));
    parser.addOptions({
        {kExport, QStringLiteral("Draws the graph into <file> and exits."), QStringLiteral("file")},
        {kValue, QStringLiteral("Prints each expression's value at x = <x> and exits."), QStringLiteral("x")},
        {kPoints, QStringLiteral("Prints the roots, minima, maxima and intersections of the expressions within "
                                 "the x range (default -10:10) and exits.")},
        {kTable,
         QStringLiteral("Prints the expressions' values from x = <from> to <to> in steps of <step>, one "
                        "tab-separated line each, and exits."),
         QStringLiteral("from:to:step")},
        {kNoOptimize, QStringLiteral("Takes the expressions exactly as written, without normalising them.")},
        {kPolar, QStringLiteral("Draws polar curves r = f(theta).")},
        {kRangeX, QStringLiteral("The x range (default -10:10)."), QStringLiteral("start:end")},
        {kRangeY, QStringLiteral("The y range (default -10:10)."), QStringLiteral("start:end")},
        {kDivisions, QStringLiteral("The divisions on each side of the x and y axes (default 5:5)."),
         QStringLiteral("nx:ny")},
        {kSensitivity, QStringLiteral("The polar sensitivity (default 100)."), QStringLiteral("n")},
        {kGrid, QStringLiteral("Draws the grid.")},
        {kSession,
         QStringLiteral("With --export, --value, --points or --table: starts from the session in <file>, its expressions "
                        "before those given, its view and mode unless options say otherwise."),
         QStringLiteral("file")},
    });
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

QString ProgramName()
{
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.isEmpty() ? QStringLiteral("velmora") : QFileInfo(arguments.first()).fileName();
}

// The first error met writing to standard output, 0 while there is none.
int g_iOutputError = 0;

void Write(std::FILE* pStream, const QString& strText)
{
    if (std::fputs(strText.toLocal8Bit().constData(), pStream) < 0 && pStream == stdout && g_iOutputError == 0)
        g_iOutputError = errno;
}

// Ends an answer written to standard output: status 0 once all of it is out,
// else 1 with the reason on standard error.
CommandLineAnswer FinishOutput()
{
    if (std::fflush(stdout) != 0 && g_iOutputError == 0)
        g_iOutputError = errno;
    if (g_iOutputError == 0 && std::ferror(stdout))
        g_iOutputError = EIO;
    if (g_iOutputError == 0)
        return {0, std::nullopt, std::nullopt};
    TellError(QStringLiteral("cannot write to standard output: %1")
                  .arg(QString::fromLocal8Bit(std::strerror(g_iOutputError))));
    return {1, std::nullopt, std::nullopt};
}

CommandLineAnswer EndWith(int iStatus)
{
    return {iStatus, std::nullopt, std::nullopt};
}

CommandLineAnswer RefuseUsage(const QString& strProblem)
{
    TellError(strProblem);
    Write(stderr, QStringLiteral("Try '%1 --help' for more information.\n").arg(ProgramName()));
    return EndWith(kUsageError);
}

CommandLineAnswer Refuse(const QString& strProblem)
{
    TellError(strProblem);
    return EndWith(kUsageError);
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

// An expression as a message quotes it: at most its first 60 characters.
QString Abbreviated(const QString& strTyped)
{
    constexpr qsizetype kQuoted = 60;
    return strTyped.size() <= kQuoted ? strTyped : strTyped.left(kQuoted) + QChar(0x2026);
}

// The expressions prepared as the main window enters them, or why one of
// them was refused. A blank one is passed over, as Enter passes it over.
std::variant<QStringList, QString> PrepareEntries(const QStringList& typed, bool bOptimize)
{
    QStringList entries;
    for (const QString& strTyped : typed) {
        if (strTyped.contains(QLatin1Char('\n')) || strTyped.contains(QLatin1Char('\r')))
            return QStringLiteral("\"%1\": an expression cannot hold a line break")
                .arg(Abbreviated(QString(strTyped)
                                     .replace(QLatin1Char('\n'), QLatin1Char(' '))
                                     .replace(QLatin1Char('\r'), QLatin1Char(' '))));
        const PreparedEntry prepared = PrepareEntry(strTyped, bOptimize);
        QString strRefusal = prepared.strRefusal;
        if (strRefusal.isEmpty() && !prepared.strEntry.isEmpty())
            strRefusal = ListFullRefusal(int(entries.size())).value_or(QString());
        if (!strRefusal.isEmpty())
            return QStringLiteral("\"%1\": %2").arg(Abbreviated(strTyped), strRefusal);
        if (!prepared.strEntry.isEmpty())
            entries.append(prepared.strEntry);
    }
    return entries;
}

// The table of values: a header line, then x and each expression's value
// for each row, tab-separated, in full.
CommandLineAnswer PrintTable(const QStringList& entries, const QString& strRange)
{
    const QStringList parts = strRange.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return RefuseUsage(QStringLiteral("option '--%1' takes three values with a ':' between them, as in 0:1:0.1")
                               .arg(kTable));
    const std::variant<TableRange, QString> range = ReadTableRange(parts[0], parts[1], parts[2]);
    if (const auto* pstrRefusal = std::get_if<QString>(&range))
        return Refuse(*pstrRefusal);
    Write(stdout, TableText(std::get<TableRange>(range), TableColumns(entries), false));
    return FinishOutput();
}

CommandLineAnswer PrintValues(const QStringList& entries, const QString& strValue)
{
    const std::optional<double> dX = ReadNumber(strValue);
    if (!dX)
        return Refuse(ValueNotANumber());
    clsMath objMath;
    for (const QString& strEntry : entries)
        Write(stdout, ValueLine(objMath, strEntry, *dX) + QLatin1Char('\n'));
    return FinishOutput();
}

// What a script starts from: the defaults, or a session's view and mode.
struct ScriptBase {
    ViewSettings view = kDefaultViewSettings;
    bool bPolar = false;
};

// The view the options ask for, checked as the preferences dialog checks
// its boxes; what they leave out keeps the base's.

std::variant<ViewSettings, CommandLineAnswer> ReadView(const QCommandLineParser& parser, const ScriptBase& base)
{
    ViewTexts texts = ViewTextsOf(base.view);
    const struct {
        const QString& strOption;
        ViewBox first;
        ViewBox second;
    } pairs[] = {{kRangeX, ViewBox::StartX, ViewBox::EndX},
                 {kRangeY, ViewBox::StartY, ViewBox::EndY},
                 {kDivisions, ViewBox::DivisionsX, ViewBox::DivisionsY}};
    for (const auto& pair : pairs) {
        if (!parser.isSet(pair.strOption))
            continue;
        const QStringList parts = parser.value(pair.strOption).split(QLatin1Char(':'));
        if (parts.size() != 2)
            return RefuseUsage(
                QStringLiteral("option '%1' takes two values with a ':' between them, as in %2")
                    .arg(AsWritten(QCoreApplication::arguments(), pair.strOption),
                         pair.strOption == kDivisions ? QStringLiteral("5:5") : QStringLiteral("-10:10")));
        texts[std::size_t(pair.first)] = parts[0];
        texts[std::size_t(pair.second)] = parts[1];
    }
    if (parser.isSet(kSensitivity))
        texts[std::size_t(ViewBox::PolarSensitivity)] = parser.value(kSensitivity);

    const std::variant<ViewSettings, ViewRefusal> read = ReadViewEntries(texts, parser.isSet(kGrid) || base.view.bGrids,
                                                                         base.view);
    if (const auto* pRefusal = std::get_if<ViewRefusal>(&read))
        return Refuse(pRefusal->strMessage);
    ViewSettings settings = std::get<ViewSettings>(read);
    // What no option changed stays exactly as the session has it, not as
    // its text reads back.
    if (!parser.isSet(kRangeX)) {
        settings.dScaleX = base.view.dScaleX;
        settings.dOriginX = base.view.dOriginX;
    }
    if (!parser.isSet(kRangeY)) {
        settings.dScaleY = base.view.dScaleY;
        settings.dOriginY = base.view.dOriginY;
    }
    // The note concerns polar curves only.
    if (const std::optional<QString> strNote = SensitivityNote(settings);
        strNote && (parser.isSet(kPolar) || base.bPolar))
        TellError(*strNote);
    return settings;
}

CommandLineAnswer AnswerExport(const QCommandLineParser& parser, const QStringList& entries, const ScriptBase& base)
{
    const QString strFile = parser.value(kExport);
    const std::optional<PictureFormat> format = PictureFormatOfFile(strFile);
    if (!format)
        return Refuse(QStringLiteral("cannot tell the format of \"%1\": its name must end in .bmp, .png, .svg or .pdf")
                          .arg(strFile));
    std::variant<ViewSettings, CommandLineAnswer> view = ReadView(parser, base);
    if (auto* pRefused = std::get_if<CommandLineAnswer>(&view))
        return *pRefused;
    const GraphScene scene{entries, 0, OpeningView(std::get<ViewSettings>(view), parser.isSet(kPolar) || base.bPolar)};
    return {std::nullopt, GraphExport{strFile, *format, scene}, std::nullopt};
}

// The points of interest within the view's x range, one tab-separated line
// each: kind, x, y, the expression as listed, and for an intersection the
// other expression.
CommandLineAnswer PrintPoints(const QCommandLineParser& parser, const QStringList& entries, const ScriptBase& base)
{
    std::variant<ViewSettings, CommandLineAnswer> view = ReadView(parser, base);
    if (auto* pRefused = std::get_if<CommandLineAnswer>(&view))
        return *pRefused;
    const ViewSettings& settings = std::get<ViewSettings>(view);
    std::vector<CurveFunction> curves;
    for (const QString& strEntry : entries)
        curves.push_back(EntryCurve(strEntry.toStdString()));
    static const char* const kKinds[] = {"root", "minimum", "maximum", "intersection"};
    for (const PointOfInterest& point :
         FindPointsOfInterest(curves, settings.dOriginX - settings.dScaleX, settings.dOriginX + settings.dScaleX,
                              kPointOfInterestSamples)) {
        QString strLine = QStringLiteral("%1\t%2\t%3\t%4")
                              .arg(QLatin1String(kKinds[static_cast<int>(point.kind)]), ShortestText(point.dX),
                                   ShortestText(point.dY), entries[qsizetype(point.iCurve)]);
        if (point.kind == PointKind::Intersection)
            strLine += QLatin1Char('\t') + entries[qsizetype(point.iOther)];
        Write(stdout, strLine + QLatin1Char('\n'));
    }
    return FinishOutput();
}

// Drawing into a file or printing values; nothing comes back when the
// command line asks for neither.
std::optional<CommandLineAnswer> AnswerScript(const QCommandLineParser& parser)
{
    const bool bExport = parser.isSet(kExport);
    const bool bValue = parser.isSet(kValue);
    const bool bPoints = parser.isSet(kPoints);
    const bool bTable = parser.isSet(kTable);
    for (const QString& strOption : {kExport, kValue, kTable, kRangeX, kRangeY, kDivisions, kSensitivity})
        if (parser.values(strOption).size() > 1)
            return RefuseUsage(QStringLiteral("option '%1' is given more than once")
                                   .arg(AsWritten(QCoreApplication::arguments(), strOption)));
    if (bTable && int(bExport) + int(bValue) + int(bPoints) > 0)
        return RefuseUsage(QStringLiteral("options '--export', '--value', '--points' and '--table' cannot be used together"));
    if (int(bExport) + int(bValue) + int(bPoints) > 1)
        return RefuseUsage(bPoints
                               ? QStringLiteral("options '--export', '--value' and '--points' cannot be used together")
                               : QStringLiteral("options '--export' and '--value' cannot be used together"));
    for (const QString& strOption : kViewOptions)
        if (!bExport && !bPoints && parser.isSet(strOption))
            return RefuseUsage(QStringLiteral("option '--%1' is used with '--export' only").arg(strOption));
    if (!bExport && !bValue && !bPoints && !bTable) {
        if (parser.isSet(kNoOptimize))
            return RefuseUsage(
                QStringLiteral("option '--%1' is used with '--export' or '--value' only").arg(kNoOptimize));
        return std::nullopt;
    }
    if (parser.positionalArguments().isEmpty() && !parser.isSet(kSession))
        return RefuseUsage(QStringLiteral("option '--%1' needs at least one expression, or a session")
                               .arg(bExport  ? kExport
                                    : bValue ? kValue
                                             : kPoints));

    // A session's expressions come first, as listed; its view and mode are
    // where the options start from.
    ScriptBase base;
    QStringList entries;
    if (parser.isSet(kSession)) {
        const std::variant<Session, QString> session = OpenSessionFile(parser.value(kSession));
        if (const auto* pstrRefusal = std::get_if<QString>(&session))
            return Refuse(*pstrRefusal);
        const Session& opened = std::get<Session>(session);
        base = ScriptBase{opened.view, opened.bPolar};
        entries = opened.entries;
    }
    const std::variant<QStringList, QString> prepared = PrepareEntries(parser.positionalArguments(),
                                                                       !parser.isSet(kNoOptimize)
                                                                           && base.view.bOptimize);
    if (const auto* pstrRefusal = std::get_if<QString>(&prepared))
        return Refuse(*pstrRefusal);
    entries += std::get<QStringList>(prepared);
    if (bValue)
        return PrintValues(entries, parser.value(kValue));
    if (bTable)
        return PrintTable(entries, parser.value(kTable));
    if (bPoints)
        return PrintPoints(parser, entries, base);
    return AnswerExport(parser, entries, base);
}

} // namespace

void SetProgramIdentity()
{
    // The user's settings (the recent sessions) go to ~/.config/velmora/.
    QCoreApplication::setOrganizationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationName(ProgramTitle());
    QCoreApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kProgramAppId));
}

void TellError(const QString& strText)
{
    Write(stderr, QStringLiteral("%1: %2\n").arg(ProgramName(), strText));
}

// The first argument that is not text in the system's encoding (invalid
// UTF-8): decoded, it would name another file or expression.
std::optional<QString> UndecodableArgument(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString strDecoded = QString::fromLocal8Bit(raw);
        if (strDecoded.toLocal8Bit() != raw)
            return strDecoded;
    }
    return std::nullopt;
}

// Why the window cannot open, before Qt is asked to: the platform it would
// use needs a display that is not set.
std::optional<QString> NoDisplay(const QCommandLineParser& parser)
{
    const QString strPlatform = parser.isSet(QStringLiteral("platform")) ? parser.value(QStringLiteral("platform"))
                                                                         : qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool bX11 = qEnvironmentVariableIsEmpty("DISPLAY") && !parser.isSet(QStringLiteral("display"));
    const bool bWayland = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString strName = strPlatform.section(QLatin1Char(':'), 0, 0);
    if ((strName.isEmpty() && bX11 && bWayland) || (strName == QLatin1String("xcb") && bX11)
        || (strName.startsWith(QLatin1String("wayland")) && bWayland))
        return QStringLiteral("cannot open the window: there is no display (DISPLAY and WAYLAND_DISPLAY are not "
                              "set); use --export or --value to work without one");
    return std::nullopt;
}

CommandLineAnswer AnswerCommandLine(int argc, char* argv[])
{
    const QCoreApplication app(argc, argv);
    SetProgramIdentity();
    if (const std::optional<QString> strArgument = UndecodableArgument(argc, argv))
        return Refuse(
            QStringLiteral("\"%1\" is not valid text in the system's encoding").arg(Abbreviated(*strArgument)));
    const QStringList arguments = QCoreApplication::arguments();
    QCommandLineParser parser;
    DescribeOptions(parser);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return RefuseUsage(parser.errorText());
        return RefuseUsage(QStringLiteral("unknown option '%1'").arg(AsWritten(arguments, unknown.first())));
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        Write(stdout, parser.helpText());
        return FinishOutput();
    }
    if (parser.isSet(QStringLiteral("version"))) {
        Write(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return FinishOutput();
    }
    if (std::optional<CommandLineAnswer> answer = AnswerScript(parser))
        return *answer;
    // The window opens a session file named alone, as a file manager hands
    // it over.
    CommandLineAnswer window;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() == 1
        && QFileInfo(positional.first()).suffix().compare(QLatin1String(kSessionExtension), Qt::CaseInsensitive) == 0)
        window.strSession = positional.first();
    else if (!positional.isEmpty())
        return RefuseUsage(QStringLiteral("unexpected argument '%1'").arg(positional.first()));
    if (const std::optional<QString> strProblem = NoDisplay(parser))
        return Refuse(*strProblem);
    return window;
}
