#include <QAction>
#include <QLabel>
#include <QtTest>

#include "GraphWindowFixture.h"

namespace {

QPoint Widget(const GraphWindow& graph, QPointF pixel)
{
    return pixel.toPoint() + graph.Picture()->contentsRect().topLeft();
}

// The readout with the pointer at a picture pixel.
QString ReadoutAt(const GraphWindow& graph, QPoint pixel)
{
    QTest::mouseMove(graph.Picture(), Widget(graph, pixel));
    return graph.window->findChild<QLabel*>(QStringLiteral("lblCoordinates"))->text();
}

void Wheel(const GraphWindow& graph, QPoint pixel, int iAngle, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF at = Widget(graph, pixel);
    QWheelEvent event(at, graph.Picture()->mapToGlobal(at), QPoint(), QPoint(0, iAngle), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(graph.Picture(), &event);
}

// A drag from one pixel to another in ten moves, with Esc before the
// release when bCancel.
void Drag(const GraphWindow& graph, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint from, QPoint to,
          bool bCancel = false)
{
    QTest::mousePress(graph.Picture(), button, modifiers, Widget(graph, from));
    for (int i = 1; i <= 10; ++i)
        QTest::mouseMove(graph.Picture(), Widget(graph, from + (to - from) * i / 10));
    if (bCancel)
        QTest::keyClick(graph.Picture(), Qt::Key_Escape);
    QTest::mouseRelease(graph.Picture(), button, modifiers, Widget(graph, to));
}

QAction* Item(const GraphWindow& graph, const char* pszName)
{
    return graph.window->findChild<QAction*>(QLatin1String(pszName));
}

struct Ranges {
    double dOriginX, dOriginY, dScaleX, dScaleY;
};

Ranges RangesOf(const GraphView& view)
{
    return {view.dOriginX, view.dOriginY, view.dScaleX, view.dScaleY};
}

} // namespace

Q_DECLARE_METATYPE(Ranges)

class tst_ViewMouse : public QObject {
    Q_OBJECT

private slots:
    void init();
    void wheel_data();
    void wheel();
    void dragPans();
    void box_data();
    void box();
    void history();
};

void tst_ViewMouse::init()
{
    SetDefaultSettings();
    gViewSettings.bAnimate = false;
    QLocale::setDefault(QLocale::c());
}

void tst_ViewMouse::wheel_data()
{
    QTest::addColumn<bool>("polar");
    QTest::addColumn<QList<int>>("angles");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<double>("scaleX");
    QTest::addColumn<double>("scaleY");

    QTest::newRow("a notch away zooms in") << false << QList<int>{120} << 0 << 9.0 << 9.0;
    QTest::newRow("a notch towards zooms out") << false << QList<int>{-120} << 0 << 20.0 << 20.0;
    QTest::newRow("two notches at once") << false << QList<int>{240} << 0 << 8.0 << 8.0;
    QTest::newRow("fine steps add up") << false << QList<int>{40, 40, 40, 40} << 0 << 9.0 << 9.0;
    QTest::newRow("less than a notch") << false << QList<int>{100} << 0 << 10.0 << 10.0;
    QTest::newRow("Ctrl: x only") << false << QList<int>{120} << int(Qt::ControlModifier) << 9.0 << 10.0;
    QTest::newRow("Shift: y only") << false << QList<int>{120} << int(Qt::ShiftModifier) << 10.0 << 9.0;
    QTest::newRow("polar") << true << QList<int>{120} << 0 << 9.0 << 9.0;
}

void tst_ViewMouse::wheel()
{
    QFETCH(bool, polar);
    QFETCH(QList<int>, angles);
    QFETCH(int, modifiers);
    QFETCH(double, scaleX);
    QFETCH(double, scaleY);

    GraphWindow graph({"x"}, polar);
    const QPoint pixel(100, 330);
    const QString strBefore = ReadoutAt(graph, pixel);
    for (const int iAngle : angles)
        Wheel(graph, pixel, iAngle, Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE(graph.window->View().dScaleX, scaleX);
    QCOMPARE(graph.window->View().dScaleY, scaleY);
    QCOMPARE(ReadoutAt(graph, pixel), strBefore);
    QTRY_COMPARE(graph.Image(), GraphPicture(graph.window->Scene()));
}

void tst_ViewMouse::dragPans()
{
    GraphWindow graph({"sin(x)", "x^2"});
    const QImage before = graph.Image();
    const QString strGrabbed = ReadoutAt(graph, QPoint(150, 200));
    // A press and release in place is a click: nothing moves.
    Drag(graph, Qt::LeftButton, {}, QPoint(150, 200), QPoint(152, 201));
    QCOMPARE(graph.Image(), before);
    QVERIFY(!Item(graph, "mnuUndoView")->isEnabled());

    QTest::mousePress(graph.Picture(), Qt::LeftButton, {}, Widget(graph, QPoint(150, 200)));
    for (int i = 1; i <= 10; ++i)
        QTest::mouseMove(graph.Picture(), Widget(graph, QPoint(150 + 10 * i, 200 - 3 * i)));
    // The point grabbed stays under the pointer.
    QCOMPARE(graph.window->findChild<QLabel*>(QStringLiteral("lblCoordinates"))->text(), strGrabbed);
    QTest::mouseRelease(graph.Picture(), Qt::LeftButton, {}, Widget(graph, QPoint(250, 170)));
    gViewSettings.dOriginX = -5;
    gViewSettings.dOriginY = -1.5;
    QTRY_COMPARE(graph.Image(), ScenePicture({"sin(x)", "x^2"}));
    // The whole drag is one step back; Esc during a drag puts the view back.
    QTest::keyClick(graph.Picture(), Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(graph.Image(), before);
    Drag(graph, Qt::LeftButton, {}, QPoint(150, 200), QPoint(250, 170), true);
    QTRY_COMPARE(graph.Image(), before);
}

void tst_ViewMouse::box_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<Ranges>("ranges");

    // The default view: 20 pixels to a unit, the origin at (238, 230).
    const Ranges unchanged{0, 0, 10, 10};
    QTest::newRow("right button") << int(Qt::RightButton) << 0 << QPoint(238, 230) << QPoint(278, 190) << false
                                  << Ranges{1, 1, 1, 1};
    QTest::newRow("Shift and left, drawn backwards")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier) << QPoint(258, 250) << QPoint(178, 130) << false
        << Ranges{-1, 2, 2, 3};
    QTest::newRow("too thin") << int(Qt::RightButton) << 0 << QPoint(100, 100) << QPoint(200, 102) << false
                              << unchanged;
    QTest::newRow("Esc cancels") << int(Qt::RightButton) << 0 << QPoint(100, 100) << QPoint(200, 200) << true
                                 << unchanged;
}

void tst_ViewMouse::box()
{
    QFETCH(int, button);
    QFETCH(int, modifiers);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, cancel);
    QFETCH(Ranges, ranges);

    GraphWindow graph({"x"});
    Drag(graph, Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers), from, to, cancel);
    const Ranges shown = RangesOf(graph.window->View());
    QCOMPARE(shown.dOriginX, ranges.dOriginX);
    QCOMPARE(shown.dOriginY, ranges.dOriginY);
    QCOMPARE(shown.dScaleX, ranges.dScaleX);
    QCOMPARE(shown.dScaleY, ranges.dScaleY);
}

void tst_ViewMouse::history()
{
    // Far out, where a box of a few pixels is narrower than the preferences
    // let a range be.
    gViewSettings.dOriginX = gViewSettings.dOriginY = 1e8;
    gViewSettings.dScaleX = gViewSettings.dScaleY = 0.05;
    GraphWindow graph({"x"});
    Drag(graph, Qt::RightButton, {}, QPoint(100, 100), QPoint(105, 105));
    QCOMPARE(graph.window->View().dScaleX, 0.05);
    QVERIFY(!Item(graph, "mnuUndoView")->isEnabled());

    const auto undo = [&] { QTest::keyClick(graph.Picture(), Qt::Key_Z, Qt::ControlModifier); };
    const auto scales = [&] { return QPair(graph.window->View().dScaleX, graph.window->View().dScaleY); };
    QTest::keyClick(graph.Picture(), Qt::Key_Plus, Qt::KeypadModifier);
    Wheel(graph, QPoint(100, 100), -120, Qt::ControlModifier);
    Item(graph, "mnuPolarMode")->trigger();
    Item(graph, "mnuGrids")->trigger();
    QVERIFY(Item(graph, "mnuUndoView")->isEnabled());
    QVERIFY(!Item(graph, "mnuRedoView")->isEnabled());
    undo();
    undo();
    QCOMPARE(graph.window->View().bModePolar, false);
    QCOMPARE(scales(), QPair(0.05, 0.04));
    QVERIFY(Item(graph, "mnuRedoView")->isEnabled());
    undo();
    undo();
    QCOMPARE(scales(), QPair(0.05, 0.05));
    QCOMPARE(graph.window->View().dOriginX, 1e8);
    QVERIFY(!Item(graph, "mnuUndoView")->isEnabled());
    // Both redo keys walk forth again; a new change drops what was undone.
    QTest::keyClick(graph.Picture(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(scales(), QPair(0.04, 0.04));
    QTest::keyClick(graph.Picture(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(scales(), QPair(0.05, 0.04));
    QTest::keyClick(graph.Picture(), Qt::Key_End);
    QVERIFY(!Item(graph, "mnuRedoView")->isEnabled());
    QTRY_COMPARE(graph.Image(), GraphPicture(graph.window->Scene()));
}

QTEST_MAIN(tst_ViewMouse)
#include "tst_viewmouse.moc"
