#include <QAction>
#include <QComboBox>
#include <QPointer>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>

#include "FineScreen.h"
#include "MainWindowFixture.h"
#include "PictureCanvas.h"
#include "ProgramRun.h"
#include "SystemColors.h"
#include "frmGraph.h"
#include "frmValue.h"

namespace {

// A comparison window over its own expression list, on screen.
struct ValueWindow {
    explicit ValueWindow(const QStringList& entries)
    {
        list.addItems(entries);
        window = new frmValue(list);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == window; }))
            qFatal("the comparison window did not become active");
    }
    ~ValueWindow() { delete window; }

    QLineEdit* Value() const { return window->findChild<QLineEdit*>(QStringLiteral("txtValue")); }
    QPushButton* Button(const char* pszName) const { return window->findChild<QPushButton*>(QLatin1String(pszName)); }
    void EvaluateAt(const QString& strValue) const
    {
        Value()->setFocus();
        Value()->selectAll();
        QTest::keyClick(Value(), Qt::Key_Delete);
        QTest::keyClicks(Value(), strValue);
        QTest::mouseClick(Button("cmdEvaluate"), Qt::LeftButton);
    }
    QStringList Lines() const
    {
        QStringList lines;
        for (const frmValue::OutputLine& line : window->OutputLines())
            lines.append(line.strText);
        return lines;
    }

    RecordedMessages messages;
    QListWidget list;
    QPointer<frmValue> window;
};

// The rows of the surface that hold pixels of the colour.
QList<int> RowsInColor(const QImage& image, std::uint32_t lColor)
{
    QList<int> rows;
    const QRgb rgb = ColorFromValue(lColor).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == rgb) {
                rows.append(y);
                break;
            }
    return rows;
}

} // namespace

class tst_frmValue : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void layout();
    void evaluate_data();
    void evaluate();
    void height_data();
    void height();
    void linesInTheirColours();
    void longLineKeepsItsValue();
    void secondRunReplacesTheFirst();
    void valueThatIsNotANumber_data();
    void valueThatIsNotANumber();
    void keys_data();
    void keys();
    void compareFromTheGraphWindow();
};

void tst_frmValue::layout()
{
    ValueWindow value({});
    QCOMPARE(value.window->windowTitle(), QStringLiteral("Expressions Comparison"));
    QCOMPARE(value.window->size(), QSize(312, 137));
    QCOMPARE(value.Button("cmdEvaluate")->geometry(), QRect(16, 80, 121, 33));
    QVERIFY(value.Button("cmdEvaluate")->isDefault());
    QCOMPARE(value.Button("cmdEvaluate")->text(), QStringLiteral("&Evaluate"));
    QCOMPARE(value.Button("Command1")->text(), QStringLiteral("&Return"));
    QCOMPARE(value.Value()->accessibleName(), QStringLiteral("Enter value for evaluation"));
    QCOMPARE(QApplication::focusWidget(), value.Button("cmdEvaluate"));
}

void tst_frmValue::evaluate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("at 1") << "C" << QStringList{"sin (x)", "2*x", "x-3", "x/3"} << "1"
                          << QStringList{"sin (x)= .841471 ", "2*x= 2 ", "x-3=-2 ", "x/3= .333333 "};
    QTest::newRow("errors at 0") << "C" << QStringList{"ln (x)", "1/x", "x+1"} << "0"
                                 << QStringList{"ln (x)=Error", "1/x=Error", "x+1= 1 "};
    QTest::newRow("empty list") << "C" << QStringList{} << "1" << QStringList{};
    QTest::newRow("large and small") << "C" << QStringList{"x*1e20", "x/1e7"} << "-2"
                                     << QStringList{"x*1e20=-2E+20 ", "x/1e7= 0 "};
    QTest::newRow("decimal comma") << "de_DE" << QStringList{"x", "x*3"} << "0,5" << QStringList{"x= ,5 ", "x*3= 1,5 "};
    QTest::newRow("point in a comma locale") << "de_DE" << QStringList{"x"} << "2.5" << QStringList{"x= 2,5 "};
    QTest::newRow("grouping point in a comma locale")
        << "de_DE" << QStringList{"x"} << "2.500" << QStringList{"x= 2,5 "};
}

void tst_frmValue::evaluate()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, entries);
    QFETCH(QString, value);
    QFETCH(QStringList, lines);

    QLocale::setDefault(QLocale(locale));
    ValueWindow window(entries);
    window.EvaluateAt(value);
    QCOMPARE(window.Lines(), lines);
    QVERIFY(window.messages.messages.isEmpty());

    // A script asking for the same values is given the same lines.
    if (entries.isEmpty())
        return;
    const QString strLocale = locale == "C" ? locale : locale + ".UTF-8";
    const ProgramRun run = RunProgram(QStringList{"--no-optimize", "--value", value, "--"} + entries,
                                      {"LC_ALL=" + strLocale});
    QCOMPARE(run.iStatus, 0);
    QCOMPARE(run.outLines, lines);
}

void tst_frmValue::height_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("height");
    QTest::newRow("none") << 0 << 240;
    QTest::newRow("three") << 3 << 320;
    QTest::newRow("72 still fits") << 72 << 2160;
    QTest::newRow("73 leaves it") << 73 << 0;
}

void tst_frmValue::height()
{
    QFETCH(int, entries);
    QFETCH(int, height);
    QStringList list;
    for (int i = 0; i < entries; ++i)
        list.append(QStringLiteral("x+%1").arg(i));
    ValueWindow value(list);
    const int iBefore = value.window->frameGeometry().height();
    value.EvaluateAt(QStringLiteral("1"));
    QCOMPARE(value.window->frameGeometry().height(), height ? height : iBefore);
    QCOMPARE(value.window->Surface().height(), value.window->height());
    QCOMPARE(value.window->OutputLines().size(), entries);
    if (entries > 0)
        QCOMPARE(value.window->OutputLines().last().at, QPoint(20, 200 + 25 * (entries - 1)));
}

void tst_frmValue::linesInTheirColours()
{
    ValueWindow value({"x", "x^2", "Q+", "x+1"});
    value.EvaluateAt(QStringLiteral("3"));
    const QImage image = value.window->Surface();
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t lColor = (i + 1) * 50000;
        QCOMPARE(value.window->OutputLines()[i].lColor, lColor);
        const QList<int> rows = RowsInColor(image, lColor);
        QVERIFY2(!rows.isEmpty(), qPrintable(QString::number(i)));
        QVERIFY(rows.first() >= 200 + 25 * i && rows.last() < 200 + 25 * (i + 1));
    }
    // The output is in the window's font at 12 points.
    QImage expected = PictureCanvas::NewImage(image.size(), Qt::white);
    PictureCanvas canvas(expected);
    canvas.Font = value.window->font();
    canvas.Font.setPointSize(12);
    canvas.CurrentX = 20;
    canvas.CurrentY = 200;
    canvas.Print(QStringLiteral("x="), false);
    canvas.Print(QStringLiteral(" 3 "), false);
    const QRgb rgbLine = ColorFromValue(50000).rgb();
    int iDiffering = 0;
    for (int y = 190; y < 225; ++y)
        for (int x = 0; x < image.width(); ++x)
            iDiffering += (expected.pixel(x, y) != qRgb(255, 255, 255)) != (image.pixel(x, y) == rgbLine);
    QCOMPARE(iDiffering, 0);
    // What the window shows is its surface.
    QCOMPARE(value.window->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(0, 190, 312, 110),
             image.copy(0, 190, 312, 110));

    // On a finer screen the lines are written afresh in its pixels; the
    // surface stays as it was.
    QScreen* pFine = FineScreen();
    QVERIFY2(pFine, "the test wants a screen of device pixel ratio 2 beside the standard one");
    MoveToScreen(value.window, pFine);
    const auto splitInLine = [&](int i) {
        const QImage shown = value.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return shown.devicePixelRatio() == 2
                 ? SplitBlocks(shown, ColorFromValue((i + 1) * 50000).rgb(), QRect(0, 200 + 25 * i, 312, 25))
                 : 0;
    };
    QVERIFY(QTest::qWaitFor([&] { return splitInLine(0) > 10; }));
    for (int i = 1; i < 4; ++i)
        QVERIFY2(splitInLine(i) > 10, qPrintable(QString::number(i)));
    QCOMPARE(value.window->Surface(), image);
}

void tst_frmValue::longLineKeepsItsValue()
{
    // Too long for the window: the middle of the expression gives way to
    // "…", the value stays in view, and the line is read whole.
    QString strLong = QStringLiteral("x");
    for (int i = 0; i < 60; ++i)
        strLong += QStringLiteral("+x");
    ValueWindow value({strLong, "x"});
    value.EvaluateAt(QStringLiteral("1"));
    const QString strLine = value.window->OutputLines()[0].strText;
    QCOMPARE(strLine, strLong + "= 61 ");
    const QImage image = value.window->Surface();
    int iRight = 0;
    for (int y = 200; y < 225; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == ColorFromValue(50000).rgb())
                iRight = std::max(iRight, x);
    QVERIFY2(iRight > image.width() / 2 && iRight < image.width() - 20, qPrintable(QString::number(iRight)));
    QVERIFY(value.window->accessibleDescription().startsWith(strLine + "\n"));
    QHelpEvent help(QEvent::ToolTip, QPoint(100, 205), value.window->mapToGlobal(QPoint(100, 205)));
    QApplication::sendEvent(value.window, &help);
    QCOMPARE(QToolTip::text(), strLine);
}

void tst_frmValue::secondRunReplacesTheFirst()
{
    const QStringList entries{"x*111", "1/x"};
    ValueWindow twice(entries);
    twice.EvaluateAt(QStringLiteral("2"));
    twice.EvaluateAt(QStringLiteral("0"));
    QCOMPARE(twice.Lines(), (QStringList{"x*111= 0 ", "1/x=Error"}));

    ValueWindow once(entries);
    once.EvaluateAt(QStringLiteral("0"));
    QCOMPARE(twice.window->Surface(), once.window->Surface());
}

void tst_frmValue::valueThatIsNotANumber_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << "";
    QTest::newRow("word") << "ten";
    QTest::newRow("infinity") << "inf";
    QTest::newRow("too large") << "1e400";
    QTest::newRow("grouping comma") << "1,000";
}

void tst_frmValue::valueThatIsNotANumber()
{
    QFETCH(QString, value);
    ValueWindow window({"x", "2"});
    window.EvaluateAt(QStringLiteral("1"));
    const QImage before = window.window->Surface();
    window.EvaluateAt(value);
    QCOMPARE(window.messages.messages.size(), 1);
    QCOMPARE(window.messages.messages[0].strText, QStringLiteral("Enter a number as the value for evaluation."));
    QCOMPARE(window.messages.messages[0].icon, MessageIcon::Critical);
    // The earlier output stays, and the box is ready for a new value.
    QCOMPARE(window.Lines(), (QStringList{"x= 1 ", "2= 2 "}));
    QCOMPARE(window.window->Surface(), before);
    QCOMPARE(QApplication::focusWidget(), window.Value());
    QCOMPARE(window.Value()->selectedText(), value);
}

void tst_frmValue::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("evaluated");
    QTest::addColumn<bool>("closed");

    QTest::newRow("Enter in the box") << "txtValue" << int(Qt::Key_Return) << true << false;
    QTest::newRow("keypad Enter in the box") << "txtValue" << int(Qt::Key_Enter) << true << false;
    QTest::newRow("Enter on Return") << "Command1" << int(Qt::Key_Return) << false << true;
    QTest::newRow("Esc in the box") << "txtValue" << int(Qt::Key_Escape) << false << true;
    QTest::newRow("Esc on Evaluate") << "cmdEvaluate" << int(Qt::Key_Escape) << false << true;
    QTest::newRow("Space on Return") << "Command1" << int(Qt::Key_Space) << false << true;
}

void tst_frmValue::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, evaluated);
    QFETCH(bool, closed);

    ValueWindow value({"x*2"});
    QTest::keyClicks(value.Value(), QStringLiteral("4"));
    auto* pFocus = value.window->findChild<QWidget*>(focus);
    pFocus->setFocus();
    QTest::keyClick(pFocus, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    if (closed) {
        QTRY_VERIFY(!value.window);
        return;
    }
    QCOMPARE(value.Lines(), evaluated ? QStringList{"x*2= 8 "} : QStringList{});
}

void tst_frmValue::compareFromTheGraphWindow()
{
    MainWindow main;
    main.Show();
    for (const char* pszEntry : {"x^2", "sin(x)", "1/(x-2)"})
        main.Enter(QLatin1String(pszEntry));
    main.Click("cmdDraw");
    QPointer<frmGraph> graph = qobject_cast<frmGraph*>(main.modal.forms.last());
    QVERIFY(graph);
    QVERIFY(QTest::qWaitFor([&] { return graph->findChild<QComboBox*>()->count() == 4; }));

    // The toolbar key opens the window over the graph window.
    auto* pToolbar = graph->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    for (QAction* pAction : pToolbar->actions())
        if (pAction->data().toString() == QLatin1String("CompareExpressions"))
            pAction->trigger();
    QPointer<frmValue> value = qobject_cast<frmValue*>(main.modal.forms.last());
    QVERIFY(value);
    QCOMPARE(value->parentWidget(), graph.data());
    auto* pBox = value->findChild<QLineEdit*>(QStringLiteral("txtValue"));
    pBox->setFocus();
    QTest::keyClicks(pBox, QStringLiteral("2"));
    QTest::keyClick(pBox, Qt::Key_Return);
    QStringList lines;
    for (const frmValue::OutputLine& line : value->OutputLines())
        lines.append(line.strText);
    QCOMPARE(lines, (QStringList{"x^2= 4 ", "sin (x)= .909297 ", "1/(x-2)=Error"}));

    QTest::keyClick(pBox, Qt::Key_Escape);
    QTRY_VERIFY(!value);
    QVERIFY(graph);
    graph->close();
}

QTEST_MAIN(tst_frmValue)
#include "tst_frmvalue.moc"
