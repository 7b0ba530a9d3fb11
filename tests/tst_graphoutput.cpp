#include <QAction>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QXmlStreamReader>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>

#include "ClipboardDouble.h"
#include "FineScreen.h"
#include "GraphFile.h"
#include "GraphWindowFixture.h"
#include "PlotDrawing.h"
#include "PrinterDouble.h"
#include "ProgramRun.h"
#include "RecordedMessages.h"
#include "ScriptedSaveDialog.h"
#include "SystemColors.h"
#include "WholeFile.h"

namespace {

const char* const kPictureFilter = "Pictures (*.bmp)|*.bmp|PNG pictures (*.png)|*.png|SVG drawings (*.svg)|*.svg|"
                                   "PDF documents (*.pdf)|*.pdf";

QImage AsRgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the pixels that are not white.
QRect Ink(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

int ColorDistance(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
}

// How many pixels of one image pass the test, each failing with a message
// unless the other image has a pixel passing its own test within the
// distance (per axis). Both images are seen at the same scale.
template <typename Test, typename OtherTest>
int Matches(const QImage& image, Test test, const QImage& other, OtherTest otherTest, int iDistance)
{
    int iCount = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!test(image.pixel(x, y)))
                continue;
            ++iCount;
            bool bFound = false;
            for (int dy = -iDistance; dy <= iDistance && !bFound; ++dy)
                for (int dx = -iDistance; dx <= iDistance && !bFound; ++dx)
                    bFound = other.valid(x + dx, y + dy) && otherTest(other.pixel(x + dx, y + dy));
            if (!bFound) {
                qWarning("no match for the pixel at (%d, %d)", x, y);
                return -1;
            }
        }
    }
    return iCount;
}

} // namespace

class tst_GraphOutput : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDefaultSettings(); }
    void saveDialogStart();
    void dialogForms_data();
    void dialogForms();
    void save_data();
    void save();
    void drawings_data();
    void drawings();
    void fineScreen();
    void exported_data();
    void exported();
    void failedSaveLeavesNothing();
    void unusualTargets_data();
    void unusualTargets();
    void copy();
    void print();
    void printerProblems_data();
    void printerProblems();
    void channels_data();
    void channels();
};

void tst_GraphOutput::saveDialogStart()
{
    // The first save of a run suggests "graph.bmp" in the pictures folder (or
    // the home folder), never the folder the program started from.
    const QString strPictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString strFirst = QFileInfo(strPictures).isDir() ? strPictures : QDir::homePath();
    QTemporaryDir folder;
    GraphWindow graph({QStringLiteral("x")});
    ScriptedSaveDialog dialog;
    dialog.answers = {folder.filePath(QStringLiteral("first")), std::nullopt, std::nullopt};
    dialog.filters = {2};
    graph.window->Save();
    QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("first.svg"))));
    // Later ones start where the last save went, in its type; a cancel
    // changes nothing.
    graph.window->Save();
    graph.window->Save();
    QCOMPARE(dialog.requests.size(), 3);
    QCOMPARE(dialog.requests[0].strStartFile, QDir(strFirst).filePath(QStringLiteral("graph.bmp")));
    QCOMPARE(dialog.requests[0].iFilter, 0);
    for (int i : {1, 2}) {
        QCOMPARE(dialog.requests[i].strStartFile, QDir(folder.path()).filePath(QStringLiteral("graph.svg")));
        QCOMPARE(dialog.requests[i].iFilter, 2);
    }
}

void tst_GraphOutput::dialogForms_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("qt");
    QTest::newRow("pictures") << "Pictures (*.bmp)|*.bmp" << "Pictures (*.bmp)";
    QTest::newRow("graph formats")
        << kPictureFilter << "Pictures (*.bmp);;PNG pictures (*.png);;SVG drawings (*.svg);;PDF documents (*.pdf)";
    QTest::newRow("patterns added") << "Text|*.txt;*.log|All files|*.*" << "Text (*.txt *.log);;All files (*.*)";
    QTest::newRow("empty") << "" << "";
}

void tst_GraphOutput::dialogForms()
{
    QFETCH(QString, pairs);
    QFETCH(QString, qt);
    QCOMPARE(DialogFilter(pairs), qt);
}

void tst_GraphOutput::save_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("zoomed");
    QTest::newRow("with extension") << "graph.bmp" << 0 << "graph.bmp" << QByteArray("BMP") << false;
    QTest::newRow("without extension") << "graph" << 0 << "graph.bmp" << QByteArray("BMP") << false;
    QTest::newRow("another extension") << "graph.v2" << 0 << "graph.v2.bmp" << QByteArray("BMP") << false;
    QTest::newRow("a point at the end") << "graph." << 1 << "graph.png" << QByteArray("PNG") << false;
    QTest::newRow("after zooming") << "zoomed" << 0 << "zoomed.bmp" << QByteArray("BMP") << true;
    QTest::newRow("over an older file") << "old.bmp" << 0 << "old.bmp" << QByteArray("BMP") << false;
    QTest::newRow("png without extension") << "graph" << 1 << "graph.png" << QByteArray("PNG") << false;
    // A typed extension of one of the formats decides the format.
    QTest::newRow("bmp typed under png") << "graph.bmp" << 1 << "graph.bmp" << QByteArray("BMP") << true;
    QTest::newRow("png typed under bmp") << "g3.PNG" << 0 << "g3.PNG" << QByteArray("PNG") << false;
}

void tst_GraphOutput::save()
{
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    QFETCH(bool, zoomed);

    QTemporaryDir folder;
    QFile old(folder.filePath(QStringLiteral("old.bmp")));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("not a picture") > 0);
    old.close();
    GraphWindow graph({QStringLiteral("x^2"), QStringLiteral("sin(x)")});
    if (zoomed)
        graph.window->ZoomIn();
    ScriptedSaveDialog dialog;
    dialog.answers.append(folder.filePath(typed));
    dialog.filters.append(filter);
    graph.window->Save();

    QCOMPARE(dialog.requests.size(), 1);
    QCOMPARE(dialog.requests[0].strFilter, QString(kPictureFilter));
    QCOMPARE(dialog.requests[0].strDefaultExt, QStringLiteral("bmp"));
    QImage saved(folder.filePath(written), format.constData());
    QCOMPARE(AsRgb32(saved), AsRgb32(graph.Image()));
    QCOMPARE(graph.window->View().dScaleX, zoomed ? 9.0 : 10.0);
    // Nothing but the file is left in the folder.
    QStringList expected{QStringLiteral("old.bmp"), written};
    expected.removeDuplicates();
    expected.sort();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name), expected);
}

void tst_GraphOutput::drawings_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("svg") << 2 << "graph.svg";
    QTest::newRow("pdf") << 3 << "graph.pdf";
}

void tst_GraphOutput::drawings()
{
    QFETCH(int, filter);
    QFETCH(QString, written);
    QTemporaryDir folder;
    GraphWindow graph({QStringLiteral("x^2"), QStringLiteral("sin(x)")});
    const QImage picture = graph.Image();
    ScriptedSaveDialog dialog;
    dialog.answers.append(folder.filePath(QStringLiteral("graph")));
    dialog.filters.append(filter);
    graph.window->Save();
    // Drawing the document leaves the picture as it was.
    QCOMPARE(graph.Image(), picture);
    QFile file(folder.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));

    const QList<QRgb> curves{ColorFromValue(CurveColor(1)).rgb(), ColorFromValue(CurveColor(2)).rgb()};
    if (written.endsWith(".svg")) {
        // Lines and texts, each curve one long polyline in its colour.
        QStringList texts;
        QMap<QRgb, int> points;
        QList<QString> strokes{"black"};
        QXmlStreamReader svg(&file);
        while (!svg.atEnd()) {
            if (svg.readNext() == QXmlStreamReader::EndElement && svg.name() == u"g")
                strokes.removeLast();
            if (!svg.isStartElement())
                continue;
            QVERIFY2(svg.name() != u"image", "a drawing holds no bitmap");
            if (svg.name() == u"g")
                strokes.append(svg.attributes().hasAttribute("stroke") ? svg.attributes().value("stroke").toString()
                                                                       : strokes.last());
            else if (svg.name() == u"polyline")
                points[QColor(strokes.last()).rgb()] +=
                    svg.attributes().value("points").split(u' ', Qt::SkipEmptyParts).size();
            else if (svg.name() == u"text")
                texts.append(svg.readElementText().trimmed());
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        for (QRgb curve : curves)
            QVERIFY2(points.value(curve) > 100, qPrintable(QString::number(points.value(curve))));
        for (const char* pszText : {"x^2", "sin(x)", "-10", "10", "2"})
            QVERIFY2(texts.contains(pszText), pszText);
        return;
    }
    // The page, rendered at the picture's resolution, has the curves where
    // the picture has them, and no bitmap.
    const QString strRenderer = QStandardPaths::findExecutable("pdftoppm");
    QVERIFY2(!strRenderer.isEmpty(), "pdftoppm (poppler-utils) is needed to read the drawing back");
    QProcess render;
    render.start(strRenderer, {"-r", "96", "-png", "-singlefile", file.fileName(), folder.filePath("page")});
    QVERIFY(render.waitForFinished(60000) && render.exitCode() == 0);
    const QImage page(folder.filePath("page.png"));
    QVERIFY(qAbs(page.width() - picture.width()) <= 1 && qAbs(page.height() - picture.height()) <= 1);
    QVERIFY(!file.readAll().contains("/Subtype /Image"));
    for (QRgb curve : curves) {
        const auto inPicture = [&](QRgb pixel) { return pixel == curve; };
        const auto onPage = [&](QRgb pixel) { return ColorDistance(pixel, curve) < 80; };
        QVERIFY(Matches(picture, inPicture, page, onPage, 2) > 100);
        QVERIFY(Matches(page, onPage, picture, inPicture, 2) > 100);
    }
}

void tst_GraphOutput::fineScreen()
{
    QScreen* pFine = FineScreen();
    QVERIFY2(pFine, "the test wants a screen of device pixel ratio 2 beside the standard one");
    // A curve that keeps clear of the labels under the x axis.
    const QStringList entries{QStringLiteral("x^2")};
    GraphWindow standard(entries);
    QCOMPARE(standard.Picture()->devicePixelRatio(), 1);
    GraphWindow fine(entries);
    MoveToScreen(fine.window, pFine);

    const QRgb black = qRgb(0, 0, 0);
    const QRgb curve = ColorFromValue(CurveColor(1)).rgb();
    const auto screen = [&] {
        const QImage shown = fine.Picture()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect client = fine.Picture()->contentsRect();
        return shown.copy(QRect(client.topLeft() * 2, client.size() * 2));
    };
    const QRect all(QPoint(0, 0), standard.Image().size());
    QVERIFY(QTest::qWaitFor([&] { return SplitBlocks(screen(), curve, all) > 0; }));

    const QImage shown = screen();
    QCOMPARE(shown.size(), standard.Image().size() * 2);
    // The curve, and the labels under the x axis (beside the y axis), have
    // twice the detail.
    QVERIFY(SplitBlocks(shown, curve, all) > 100);
    const QRect labels(0, kCenterY + 8, kCenterX - 2, 20);
    QVERIFY(SplitBlocks(shown, black, labels) > 20);
    // They lie where the picture has them.
    // Each pixel of the picture against the four device pixels it covers.
    QImage halved = standard.Image();
    for (int y = 0; y < halved.height(); ++y)
        for (int x = 0; x < halved.width(); ++x) {
            QRgb pixel = qRgb(255, 255, 255);
            for (QRgb ink : {black, curve})
                for (QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                    if (shown.pixel(2 * x + corner.x(), 2 * y + corner.y()) == ink)
                        pixel = ink;
            halved.setPixel(x, y, pixel);
        }

    const auto isCurve = [&](QRgb pixel) { return pixel == curve; };
    QVERIFY(Matches(standard.Image(), isCurve, halved, isCurve, 1) > 100);
    QVERIFY(Matches(halved, isCurve, standard.Image(), isCurve, 1) > 100);
    const auto isInk = [&](QRgb pixel) { return pixel == black; };
    QVERIFY(Matches(standard.Image().copy(labels), isInk, halved.copy(labels), isInk, 1) > 20);
    QVERIFY(Matches(halved.copy(labels), isInk, standard.Image().copy(labels), isInk, 1) > 20);

    // What leaves the window is the picture itself, as on the standard
    // screen.
    QCOMPARE(fine.Image(), standard.Image());
    QTemporaryDir folder;
    ScriptedSaveDialog dialog;
    dialog.answers.append(folder.filePath(QStringLiteral("fine.bmp")));
    fine.window->Save();
    QCOMPARE(AsRgb32(QImage(folder.filePath(QStringLiteral("fine.bmp")), "BMP")), standard.Image());
    ClipboardDouble clipboard;
    fine.window->CopyToClipboard();
    QCOMPARE(clipboard.image, standard.Image());
}

void tst_GraphOutput::exported_data()
{
    // The options of a script; the expressions as typed and as the list
    // holds them; the view the window is given: its x and y ranges as
    // half-range and centre, its divisions and polar sensitivity, and
    // whether it is polar and shows the grid.
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<double>>("view");
    QTest::addColumn<bool>("polar");
    QTest::addColumn<bool>("grid");
    const QList<double> defaults{10, 0, 10, 0, 5, 5, 100};
    QTest::newRow("rectangular") << QStringList{} << QStringList{"sin x", "x^2"} << QStringList{"sin (x)", "x^2"}
                                 << defaults << false << false;
    QTest::newRow("polar") << QStringList{"--polar", "--sensitivity", "300"} << QStringList{"2cos(3x)"}
                           << QStringList{"2*cos (3*x)"} << QList<double>{10, 0, 10, 0, 5, 5, 300} << true << false;
    QTest::newRow("zoomed ranges") << QStringList{"--x", "0:4", "--y=-0.5:1.5"} << QStringList{"x^3-x", "sin(x)/x"}
                                   << QStringList{"x^3-x", "sin (x)/x"} << QList<double>{2, 2, 1, 0.5, 5, 5, 100}
                                   << false << false;
    QTest::newRow("grid") << QStringList{"--grid", "--divisions", "8:4", "--no-optimize"} << QStringList{"1/x"}
                          << QStringList{"1/x"} << QList<double>{10, 0, 10, 0, 8, 4, 100} << false << true;
}

void tst_GraphOutput::exported()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, entries);
    QFETCH(QList<double>, view);
    QFETCH(bool, polar);
    QFETCH(bool, grid);

    QTemporaryDir folder;
    const QString strFile = folder.filePath(QStringLiteral("graph.bmp"));
    const ProgramRun run = RunProgram(QStringList{"--export", strFile} + options + QStringList{"--"} + typed);
    QCOMPARE(run.iStatus, 0);

    gViewSettings.dScaleX = view[0];
    gViewSettings.dOriginX = view[1];
    gViewSettings.dScaleY = view[2];
    gViewSettings.dOriginY = view[3];
    gViewSettings.iDivisionsX = std::int16_t(view[4]);
    gViewSettings.iDivisionsY = std::int16_t(view[5]);
    gViewSettings.iPolarSensitivity = std::int16_t(view[6]);
    gViewSettings.bGrids = grid;
    const GraphWindow graph(entries, polar);
    QCOMPARE(AsRgb32(QImage(strFile, "BMP")), AsRgb32(graph.Image()));
}

void tst_GraphOutput::failedSaveLeavesNothing()
{
    QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    GraphWindow graph({QStringLiteral("x")});
    RecordedMessages messages;
    ScriptedSaveDialog dialog;
    // A folder that cannot exist: a message names the file and the reason.
    const QString strPath = folder.filePath(QStringLiteral("file/graph.bmp"));
    dialog.answers = {strPath, std::nullopt};
    graph.window->Save();
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(messages.messages[0].icon, MessageIcon::Critical);
    const QString strText = messages.messages[0].strText;
    const QString strStart = QStringLiteral("The graph could not be saved as \"%1\": ").arg(QDir::toNativeSeparators(strPath));
    QVERIFY2(strText.startsWith(strStart) && strText.size() > strStart.size(), qPrintable(strText));
    // A cancel is silent.
    graph.window->Save();
    QCOMPARE(dialog.requests.size(), 2);
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("file")});
}

void tst_GraphOutput::unusualTargets_data()
{
    // How the target is made ready; the format written; the reason of the
    // failure, as the operating system words it (none: the write succeeds).
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("reason");
    const int iSvg = int(PictureFormat::Svg), iPdf = int(PictureFormat::Pdf), iPng = int(PictureFormat::Png);
    const QString strFull = QString::fromLocal8Bit(std::strerror(ENOSPC));
    const QString strTooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    QTest::newRow("svg over a file, the disk filling") << "short writes over a file" << iSvg << strTooLarge;
    QTest::newRow("pdf over a file, the disk filling") << "short writes over a file" << iPdf << strTooLarge;
    QTest::newRow("a link to a full device") << "link to /dev/full" << iPdf << strFull;
    QTest::newRow("a FIFO") << "fifo" << iSvg << QString();
    QTest::newRow("a FIFO without a reader") << "fifo without a reader" << iSvg << "no program is reading from it";
    QTest::newRow("a link to a file") << "link to a file" << iPng << QString();
    QTest::newRow("a file with its permissions") << "file of mode 640" << iPng << QString();
    QTest::newRow("a folder") << "folder" << iPng << QString::fromLocal8Bit(std::strerror(EISDIR));
}

void tst_GraphOutput::unusualTargets()
{
    QFETCH(QString, target);
    QFETCH(int, format);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString strFile = folder.filePath(QStringLiteral("graph"));
    const QString strLinked = folder.filePath(QStringLiteral("linked"));
    const QByteArray old("old contents");
    auto makeFile = [&old](const QString& strPath) {
        QFile file(strPath);
        return file.open(QIODevice::WriteOnly) && file.write(old) == old.size();
    };
    const GraphScene scene{{QStringLiteral("x^2"), QStringLiteral("sin(x)")}, 0, OpeningView(gViewSettings, false)};

    QByteArray piped;
    std::thread reader;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit unlimited = limit;
    if (target == "short writes over a file") {
        // Every write past 4,096 bytes fails, as on a disk that fills.
        QVERIFY(makeFile(strFile));
        std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 4096;
    } else if (target == "link to /dev/full") {
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), strFile));
    } else if (target == "fifo without a reader") {
        // A window must not hang on it.
        QVERIFY(::mkfifo(QFile::encodeName(strFile).constData(), 0600) == 0);
    } else if (target == "fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(strFile).constData(), 0600) == 0);
        WaitForFifoReaders(true);
        reader = std::thread([&] {
            QFile fifo(strFile);
            if (fifo.open(QIODevice::ReadOnly))
                piped = fifo.readAll();
        });
    } else if (target == "link to a file") {
        QVERIFY(makeFile(strLinked) && QFile::link(strLinked, strFile));
    } else if (target == "file of mode 640") {
        QVERIFY(makeFile(strFile));
        QVERIFY(QFile::setPermissions(strFile, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    } else if (target == "folder") {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("graph")));
    }
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    setrlimit(RLIMIT_FSIZE, &limit);
    QString strReason;
    const bool bWritten = WriteGraph(scene, strFile, PictureFormat(format), &strReason);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    WaitForFifoReaders(false);
    if (reader.joinable())
        reader.join();

    QCOMPARE(bWritten, reason.isEmpty());
    QCOMPARE(strReason, reason);
    // No temporary file is left, and what stood at the name is still there.
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    const QFileInfo written(strFile);
    if (target == "short writes over a file") {
        QFile file(strFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
    } else if (target == "link to /dev/full" || target == "link to a file") {
        QVERIFY(written.isSymLink());
        if (target == "link to a file")
            QCOMPARE(QImage(strLinked, "PNG").size(), kGraphPictureSize);
    } else if (target == "fifo") {
        QVERIFY(!written.isFile() && written.exists());
        QVERIFY(piped.startsWith("<?xml"));
    } else if (target == "file of mode 640") {
        QCOMPARE(QImage(strFile, "PNG").size(), kGraphPictureSize);
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(strFile).constData(), &status) == 0);
        QCOMPARE(status.st_mode & 0777, 0640u);
    }
}

void tst_GraphOutput::copy()
{
    GraphWindow graph({QStringLiteral("x")});
    graph.window->MoveLeft();
    ClipboardDouble clipboard;
    graph.window->CopyToClipboard();
    QCOMPARE(clipboard.calls, (QStringList{"Clear", "SetImage"}));
    QCOMPARE(clipboard.image, graph.Image());
}

void tst_GraphOutput::print()
{
    // At 144 dots per inch a device pixel is ten twips.
    GraphWindow graph({QStringLiteral("x"), QStringLiteral("cos(x)")});
    PrinterDouble printer(144);
    RecordedMessages messages;
    graph.window->PrintGraph();
    QCOMPARE(printer.iPagesPrinted, 1);
    QVERIFY(messages.messages.isEmpty());

    QCOMPARE(printer.texts.size(), 3);
    const QStringList lines{"Graph created by Velmora", "made by Quendril", "https://velmora.example.org"};
    const double dLineHeight = printer.texts[1].topLeft.y() - printer.texts[0].topLeft.y();
    QVERIFY(dLineHeight > 10 && dLineHeight < 30);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(printer.texts[i].strText, lines[i]);
        QCOMPARE(printer.texts[i].topLeft, QPointF(100, 50 + i * dLineHeight));
    }
    QCOMPARE(printer.pictures.size(), 1);
    QCOMPARE(printer.pictures[0].target, QRectF(50, 150, 1000, 1000));
    QCOMPARE(printer.pictures[0].image, graph.Image());

    // On the page: the text starts at the text position, and the picture
    // fills its square and nothing beyond it.
    const QRect textInk = Ink(printer.page, QRect(0, 0, printer.page.width(), 150));
    QVERIFY(textInk.left() >= 100 && textInk.left() <= 102);
    QVERIFY(textInk.top() >= 50 && textInk.bottom() < 50 + 3 * dLineHeight);
    const QRect pictureInk = Ink(printer.page, QRect(0, 150, printer.page.width(), printer.page.height() - 150));
    QVERIFY(QRect(50, 150, 1000, 1000).contains(pictureInk));
    // The picture's axes cross at its centre, which lands at the same place
    // of the square.
    const QPoint cross(50 + (kCenterX + 0.5) * 1000 / 475, 150 + (kCenterY + 0.5) * 1000 / 461);
    QVERIFY(qGray(printer.page.pixel(cross)) < 128);
}

void tst_GraphOutput::printerProblems_data()
{
    QTest::addColumn<bool>("hasPrinter");
    QTest::addColumn<QString>("message");
    QTest::newRow("no printer") << false << "The graph cannot be printed: there is no default printer.";
    QTest::newRow("printing fails") << true << "The graph could not be printed.";
}

void tst_GraphOutput::printerProblems()
{
    QFETCH(bool, hasPrinter);
    QFETCH(QString, message);
    GraphWindow graph({QStringLiteral("x")});
    PrinterDouble printer;
    printer.bHasPrinter = hasPrinter;
    printer.bFailEnd = true;
    RecordedMessages messages;
    graph.window->PrintGraph();
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(messages.messages[0].strText, message);
    QCOMPARE(messages.messages[0].icon, MessageIcon::Critical);
    QVERIFY(graph.window);
}

void tst_GraphOutput::channels_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("toolbarKey");
    QTest::addColumn<int>("shortcut");
    QTest::newRow("save") << "mnuSave" << "Save" << int(Qt::Key_S);
    QTest::newRow("copy") << "mnuCopy" << "CopyToClipboard" << int(Qt::Key_C);
    QTest::newRow("print") << "mnuPrint" << "PrintGraph" << int(Qt::Key_P);
}

void tst_GraphOutput::channels()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, toolbarKey);
    QFETCH(int, shortcut);

    GraphWindow graph({QStringLiteral("x")});
    QVERIFY(QTest::qWaitForWindowActive(graph.window));
    graph.window->ZoomIn();
    ScriptedSaveDialog dialog;
    ClipboardDouble clipboard;
    PrinterDouble printer;
    auto runs = [&] { return dialog.requests.size() + clipboard.calls.size() / 2 + printer.iPagesPrinted; };

    graph.window->findChild<QAction*>(menuItem)->trigger();
    QCOMPARE(runs(), 1);
    for (QAction* pAction : graph.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
        if (pAction->data().toString() == toolbarKey)
            pAction->trigger();
    QCOMPARE(runs(), 2);
    QTest::keyClick(graph.window, Qt::Key(shortcut), Qt::ControlModifier);
    QCOMPARE(runs(), 3);
    // Also from the text box, which would copy its own text.
    auto* pBox = graph.window->findChild<QWidget*>(QStringLiteral("txtPolarSensitivity"));
    pBox->setFocus();
    QTest::keyClick(pBox, Qt::Key(shortcut), Qt::ControlModifier);
    QCOMPARE(runs(), 4);
    // None of them starts the view afresh.
    QCOMPARE(graph.window->View().dScaleX, 9.0);
}

QTEST_MAIN(tst_GraphOutput)
#include "tst_graphoutput.moc"
