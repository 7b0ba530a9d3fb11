#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "ClipboardDouble.h"
#include "GraphWindowFixture.h"
#include "PrinterDouble.h"
#include "RecordedMessages.h"
#include "ScriptedSaveDialog.h"

namespace {

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

} // namespace

class tst_GraphOutput : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDefaultSettings(); }
    void dialogForms_data();
    void dialogForms();
    void save_data();
    void save();
    void failedSaveLeavesNothing();
    void copy();
    void print();
    void printerProblems_data();
    void printerProblems();
    void channels_data();
    void channels();
};

void tst_GraphOutput::dialogForms_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("qt");
    QTest::newRow("pictures") << "Pictures (*.bmp)|*.bmp" << "Pictures (*.bmp)";
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
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("zoomed");
    QTest::newRow("with extension") << "graph.bmp" << "graph.bmp" << false;
    QTest::newRow("without extension") << "graph" << "graph.bmp" << false;
    QTest::newRow("another extension") << "graph.v2" << "graph.v2" << false;
    QTest::newRow("after zooming") << "zoomed" << "zoomed.bmp" << true;
    QTest::newRow("over an older file") << "old.bmp" << "old.bmp" << false;
}

void tst_GraphOutput::save()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
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
    graph.window->Save();

    QCOMPARE(dialog.requests.size(), 1);
    QCOMPARE(dialog.requests[0].strFilter, QStringLiteral("Pictures (*.bmp)|*.bmp"));
    QCOMPARE(dialog.requests[0].strDefaultExt, QStringLiteral("bmp"));
    QImage saved(folder.filePath(written), "BMP");
    QCOMPARE(AsRgb32(saved), AsRgb32(graph.Image()));
    QCOMPARE(graph.window->View().dScaleX, zoomed ? 9.0 : 10.0);
    // Nothing but the file is left in the folder.
    QStringList expected{QStringLiteral("old.bmp"), written};
    expected.removeDuplicates();
    expected.sort();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name), expected);
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
