#include <QtTest>

#include "CurveTrace.h"
#include "GraphWindowFixture.h"
#include "PlotDrawing.h"

namespace {

// A click on the picture at a pixel of its client area, as the pointer
// gives it.
void ClickAt(const GraphWindow& graph, QPoint pixel)
{
    QTest::mouseClick(graph.Picture(), Qt::LeftButton, {}, pixel + graph.Picture()->contentsRect().topLeft());
}

// What a screen reader reads of the trace.
QString TraceShown(const GraphWindow& graph)
{
    return graph.Picture()->accessibleDescription();
}

// Once the points of interest of a rectangular trace are there.
bool PointsSettled(const GraphWindow& graph)
{
    const CurveTrace& trace = graph.window->Trace();
    return !trace.Shown() || graph.window->View().bModePolar || trace.PointsFound();
}

// The default view: 20 pixels to a unit, the origin at the centre pixel.
QPoint At(double x, double y)
{
    return QPoint(kCenterX + int(std::lround(x * 20)), kCenterY - int(std::lround(y * 20)));
}

} // namespace

class tst_CurveTrace : public QObject {
    Q_OBJECT

private slots:
    void init();
    void click_data();
    void click();
    void keys_data();
    void keys();
    void pictureHandedOutHasNoTrace();
};

void tst_CurveTrace::init()
{
    SetDefaultSettings();
    gViewSettings.bAnimate = false;
}

void tst_CurveTrace::click_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("polar");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QString>("shown");

    QTest::newRow("on the curve") << QStringList{"x"} << false << At(1, 1) << "x (1,1)";
    QTest::newRow("3 pixels beside it, at the pointer's x")
        << QStringList{"x"} << false << At(1, 1) + QPoint(0, 3) << "x (1,1)";
    QTest::newRow("too far") << QStringList{"x"} << false << At(1, 1) + QPoint(0, 7) << "";
    QTest::newRow("the nearer of two") << QStringList{"x", "2*x"} << false << At(1, 1) + QPoint(0, -3) << "x (1,1)";
    QTest::newRow("a steep curve, traced at the pointer's x")
        << QStringList{"10*x"} << false << At(0.3, 3) + QPoint(3, 0) << "10*x (0.45,4.5)";
    QTest::newRow("where the curve has no value") << QStringList{"sqrt(x)"} << false << At(-1, 0) << "";
    QTest::newRow("polar: the nearest sample") << QStringList{"1"} << true << At(1, 0) << "1 (1,-0.041593)";
    QTest::newRow("polar: away from the curve") << QStringList{"1"} << true << At(0.5, 0) << "";
}

void tst_CurveTrace::click()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, polar);
    QFETCH(QPoint, pixel);
    QFETCH(QString, shown);

    GraphWindow graph(entries, polar);
    ClickAt(graph, pixel);
    QCOMPARE(TraceShown(graph), shown);
    QCOMPARE(graph.window->Trace().Shown(), !shown.isEmpty());
}

void tst_CurveTrace::keys_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QPoint>("pixel");
    // R, L, U, D: the arrow keys; E: Esc; +: keypad plus; A: a click away
    // from every curve; O: a click on the dot at sqrt 2; P: polar mode.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");

    const QStringList parabola{"x^2-2"};
    QTest::newRow("right by a column") << parabola << At(1, -1) << "R"
                                       << "x^2-2 (1.05,-0.8975)";
    QTest::newRow("left and back") << parabola << At(1, -1) << "LR"
                                   << "x^2-2 (1,-1)";
    QTest::newRow("right onto a root") << parabola << At(1, -1) << "RRRRRRRRR"
                                       << "x^2-2 (1.4142135623731,0)";
    QTest::newRow("a click on a dot") << parabola << At(1, -1) << "O" << "x^2-2 (1.4142135623731,0)";
    QTest::newRow("and on past it") << parabola << At(1, -1) << "RRRRRRRRRR"
                                    << "x^2-2 (1.45,0.1025)";
    QTest::newRow("onto a crossing") << QStringList{"sin(x)", "cos(x)"} << At(0.5, std::sin(0.5)) << "RRRRRR"
                                     << "sin(x) (0.785398163397448,0.707106781186547)";
    QTest::newRow("down to the next curve") << QStringList{"x^2-2", "x"} << At(1, -1) << "D"
                                            << "x (1,1)";
    QTest::newRow("and up again") << QStringList{"x^2-2", "x"} << At(1, -1) << "DU"
                                  << "x^2-2 (1,-1)";
    QTest::newRow("no curve below the last") << QStringList{"x^2-2", "x"} << At(1, 1) << "D"
                                             << "x (1,1)";
    QTest::newRow("the end of the view") << QStringList{"x/2"} << At(9.9, 4.95) << "RRR"
                                         << "x/2 (10,5)";
    QTest::newRow("a zoom keeps it") << QStringList{"x"} << At(1, 1) << "+"
                                     << "x (1,1)";
    QTest::newRow("out of view it goes") << QStringList{"x"} << At(9.5, 9.5) << "++"
                                         << "";
    QTest::newRow("polar mode keeps its x as the angle") << QStringList{"x"} << At(1, 1) << "P" << "x (1,1)";
    QTest::newRow("Esc removes it") << QStringList{"x"} << At(1, 1) << "E"
                                    << "";
    QTest::newRow("a click away removes it") << QStringList{"x"} << At(1, 1) << "A"
                                             << "";
}

void tst_CurveTrace::keys()
{
    QFETCH(QStringList, entries);
    QFETCH(QPoint, pixel);
    QFETCH(QString, keys);
    QFETCH(QString, shown);

    GraphWindow graph(entries);
    ClickAt(graph, pixel);
    QVERIFY(graph.window->Trace().Shown());
    for (const QChar key : keys) {
        QTRY_VERIFY(PointsSettled(graph));
        switch (key.unicode()) {
        case 'R': QTest::keyClick(graph.Picture(), Qt::Key_Right); break;
        case 'L': QTest::keyClick(graph.Picture(), Qt::Key_Left); break;
        case 'U': QTest::keyClick(graph.Picture(), Qt::Key_Up); break;
        case 'D': QTest::keyClick(graph.Picture(), Qt::Key_Down); break;
        case 'E': QTest::keyClick(graph.Picture(), Qt::Key_Escape); break;
        case '+': QTest::keyClick(graph.Picture(), Qt::Key_Plus, Qt::KeypadModifier); break;
        case 'A': ClickAt(graph, QPoint(30, 30)); break;
        case 'O': ClickAt(graph, At(std::sqrt(2.0), 0)); break;
        case 'P': graph.window->findChild<QAction*>(QStringLiteral("mnuPolarMode"))->trigger(); break;
        }
    }
    QTRY_VERIFY(PointsSettled(graph));
    QCOMPARE(TraceShown(graph), shown);
    // Keys that only moved the trace left the view as it was.
    if (!keys.contains(QLatin1Char('+')))
        QCOMPARE(graph.window->View().dScaleX, 10.0);
    // With the trace gone, Esc closes the window again.
    if (shown.isEmpty()) {
        QTest::keyClick(graph.Picture(), Qt::Key_Escape);
        QTRY_VERIFY(graph.window.isNull());
    }
}

void tst_CurveTrace::pictureHandedOutHasNoTrace()
{
    GraphWindow graph({"x^2-2", "x"});
    ClickAt(graph, At(1, -1));
    QTRY_VERIFY(PointsSettled(graph));
    QVERIFY(!graph.window->Trace().Points().empty());
    // On screen the ring and the dots lie over the picture; the picture that
    // Save, Copy and Print hand out is the graph alone.
    QCOMPARE(graph.Image(), ScenePicture({"x^2-2", "x"}));
    const QImage screen = graph.Picture()->grab(graph.Picture()->contentsRect()).toImage();
    const QPoint ring = At(1, -1) + QPoint(5, 0);
    const std::uint32_t lColor = CurveColor(1);
    QCOMPARE(screen.pixelColor(ring), QColor(int(lColor & 0xFF), int(lColor >> 8 & 0xFF), int(lColor >> 16)));
    QCOMPARE(screen.pixelColor(At(std::sqrt(2.0), 0)), QColor(128, 128, 128));
    QCOMPARE(graph.Image().pixelColor(ring), QColor(Qt::white));
}

QTEST_MAIN(tst_CurveTrace)
#include "tst_curvetrace.moc"
