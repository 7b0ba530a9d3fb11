#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

#include "ClipboardDouble.h"
#include "FrameClockDouble.h"
#include "GraphWindowFixture.h"
#include "RecordedMessages.h"

namespace {

enum Channel { Method, Menu, Toolbar, Key, Button };

// The view a command should leave, from the start view of the table: half
// ranges 5, centre (3, 3), polar sensitivity 300.
struct Expected {
    double dScaleX = 5, dScaleY = 5, dOriginX = 3, dOriginY = 3;
    bool bGrids = false, bModePolar = false;
    int iPolarSensitivity = 300;
};

using Command = void (frmGraph::*)();

void StoreStartView()
{
    SetDefaultSettings();
    gViewSettings.dScaleX = gViewSettings.dScaleY = 5;
    gViewSettings.dOriginX = gViewSettings.dOriginY = 3;
    gViewSettings.iPolarSensitivity = 300;
    gViewSettings.bAnimate = false;
}

QAction* ToolbarAction(const GraphWindow& graph, const QString& strKey)
{
    for (QAction* pAction : graph.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
        if (pAction->data().toString() == strKey)
            return pAction;
    return nullptr;
}

void Apply(GraphWindow& graph, Channel channel, Command method, const QString& strId, int iKey)
{
    switch (channel) {
    case Method: (graph.window->*method)(); break;
    case Menu: graph.window->findChild<QAction*>(strId)->trigger(); break;
    case Toolbar: {
        auto* pToolbar = graph.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QTest::mouseClick(pToolbar->widgetForAction(ToolbarAction(graph, strId)), Qt::LeftButton);
        break;
    }
    case Key:
        QTest::keyClick(graph.Picture(), static_cast<Qt::Key>(iKey & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(iKey & Qt::KeyboardModifierMask));
        break;
    case Button: QTest::mouseClick(graph.window->findChild<QPushButton*>(strId), Qt::LeftButton); break;
    }
}

QString Readout(const GraphWindow& graph)
{
    return graph.window->findChild<QLabel*>(QStringLiteral("lblCoordinates"))->text();
}

QString SensitivityBox(const GraphWindow& graph)
{
    return graph.window->findChild<QLineEdit*>(QStringLiteral("txtPolarSensitivity"))->text();
}

} // namespace

Q_DECLARE_METATYPE(Expected)
Q_DECLARE_METATYPE(Command)

class tst_GraphCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void channels_data();
    void channels();
    void polarSensitivitySteps_data();
    void polarSensitivitySteps();
    void defaultScaleAndOriginAfterStoredRange();
    void onlyRedrawIsProgressive();
    void ignoredKeys();
    void heldKeysShareOneRedraw();
    void viewStaysFinite_data();
    void viewStaysFinite();
    void readout_data();
    void readout();
};

void tst_GraphCommands::init()
{
    StoreStartView();
    QLocale::setDefault(QLocale::c());
}

void tst_GraphCommands::channels_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<Command>("method");
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("startPolar");
    QTest::addColumn<Expected>("expected");

    // One row for each channel that reaches the command.
    const auto command = [](const char* pszName, Command method, const char* pszMenu, const char* pszToolbarKey,
                            int iKey, const char* pszButton, bool bStartPolar, Expected expected) {
        const auto row = [&](const char* pszChannel, Channel channel, const QString& strId) {
            QTest::addRow("%s %s", pszName, pszChannel)
                << int(channel) << method << strId << iKey << bStartPolar << expected;
        };
        if (method)
            row("method", Method, QString());
        if (pszMenu)
            row("menu", Menu, QLatin1String(pszMenu));
        if (pszToolbarKey)
            row("toolbar", Toolbar, QLatin1String(pszToolbarKey));
        if (iKey)
            row("key", Key, QString());
        if (pszButton)
            row("button", Button, QLatin1String(pszButton));
    };
    const int kKeypad = Qt::KeypadModifier, kShift = Qt::ShiftModifier, kControl = Qt::ControlModifier,
              kAlt = Qt::AltModifier;
    command("ZoomIn", &frmGraph::ZoomIn, "mnuZoomIn", "ZoomIn", Qt::Key_Plus | kKeypad, nullptr, false,
            {.dScaleX = 4, .dScaleY = 4});
    command("ZoomOut", &frmGraph::ZoomOut, "mnuZoomOut", "ZoomOut", Qt::Key_Minus | kKeypad, nullptr, false,
            {.dScaleX = 6, .dScaleY = 6});
    command("ZoomIn Ctrl and +", nullptr, nullptr, nullptr, Qt::Key_Plus | kControl, nullptr, false,
            {.dScaleX = 4, .dScaleY = 4});
    command("ZoomIn Ctrl and =", nullptr, nullptr, nullptr, Qt::Key_Equal | kControl, nullptr, false,
            {.dScaleX = 4, .dScaleY = 4});
    command("ZoomOut Ctrl and -", nullptr, nullptr, nullptr, Qt::Key_Minus | kControl, nullptr, false,
            {.dScaleX = 6, .dScaleY = 6});
    command("ZoomInX", &frmGraph::ZoomInX, "mnuZoomInX", "ZoomIn (X-axis)", Qt::Key_PageUp, nullptr, false,
            {.dScaleX = 4});
    command("ZoomOutX", &frmGraph::ZoomOutX, "mnuZoomOutX", "ZoomOut (X-axis)", Qt::Key_PageDown | kShift,
            nullptr, false, {.dScaleX = 6});
    command("ZoomInY", &frmGraph::ZoomInY, "mnuZoomInY", "ZoomIn (Y-axis)", Qt::Key_Home | kControl,
            nullptr, false, {.dScaleY = 4});
    command("ZoomOutY", &frmGraph::ZoomOutY, "mnuZoomOutY", "ZoomOut (Y-axis)", Qt::Key_End, nullptr, false,
            {.dScaleY = 6});
    command("MoveLeft", &frmGraph::MoveLeft, "mnuLeft", nullptr, Qt::Key_Left, "cmdMoveLeft", false,
            {.dOriginX = 2});
    command("MoveRight", &frmGraph::MoveRight, "mnuRight", nullptr, Qt::Key_Right | kAlt,
            "cmdMoveRight", false, {.dOriginX = 4});
    command("MoveUp", &frmGraph::MoveUp, "mnuUp", nullptr, Qt::Key_Up, "cmdMoveUp", false, {.dOriginY = 4});
    command("MoveDown", &frmGraph::MoveDown, "mnuDown", nullptr, Qt::Key_Down, "cmdMoveDown", false,
            {.dOriginY = 2});
    command("ViewOrigin", &frmGraph::ViewOrigin, "mnuOrigin", "Origin", 0, nullptr, false,
            {.dOriginX = 0, .dOriginY = 0});
    command("DefaultScale", &frmGraph::DefaultScale, "mnuDefaultScale", "Default Scale", 0, nullptr, false,
            {.dScaleX = 10, .dScaleY = 10});
    command("ToggleGrid", &frmGraph::ToggleGrid, "mnuGrids", "Grids On/Off", 0, nullptr, false, {.bGrids = true});
    command("RectangularMode", nullptr, "mnuRectangularMode", "Rectangular Mode", 0, nullptr, true, {});
    command("PolarMode", nullptr, "mnuPolarMode", "Polar Mode", 0, nullptr, false, {.bModePolar = true});
    command("IncreasePolarSensitivity", &frmGraph::IncreasePolarSensitivity, "mnuIncreasePolarSensitivity",
            "Increase Polar Sensitivity", 0, nullptr, true, {.bModePolar = true, .iPolarSensitivity = 400});
    command("DecreasePolarSensitivity", &frmGraph::DecreasePolarSensitivity, "mnuDecreasePolarSensitivity",
            "Decrease Polar Sensitivity", 0, nullptr, true, {.bModePolar = true, .iPolarSensitivity = 200});
}

void tst_GraphCommands::channels()
{
    QFETCH(int, channel);
    QFETCH(Command, method);
    QFETCH(QString, id);
    QFETCH(int, key);
    QFETCH(bool, startPolar);
    QFETCH(Expected, expected);
    const QStringList entries{QStringLiteral("sin (x)"), QStringLiteral("x")};
    GraphWindow graph(entries, startPolar);
    Apply(graph, Channel(channel), method, id, key);

    const GraphView& view = graph.window->View();
    QCOMPARE(view.dScaleX, expected.dScaleX);
    QCOMPARE(view.dScaleY, expected.dScaleY);
    QCOMPARE(view.dOriginX, expected.dOriginX);
    QCOMPARE(view.dOriginY, expected.dOriginY);
    QCOMPARE(view.bGrids, expected.bGrids);
    QCOMPARE(view.bModePolar, expected.bModePolar);
    QCOMPARE(view.iPolarSensitivity, expected.iPolarSensitivity);

    // The picture is redrawn as a window opened on that view draws it.
    gViewSettings.dScaleX = expected.dScaleX;
    gViewSettings.dScaleY = expected.dScaleY;
    gViewSettings.dOriginX = expected.dOriginX;
    gViewSettings.dOriginY = expected.dOriginY;
    gViewSettings.bGrids = expected.bGrids;
    gViewSettings.iPolarSensitivity = static_cast<std::int16_t>(expected.iPolarSensitivity);
    GraphWindow reference(entries, expected.bModePolar);
    QVERIFY(graph.Image() == reference.Image());
}

void tst_GraphCommands::polarSensitivitySteps_data()
{
    QTest::addColumn<bool>("polar");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("increase");
    QTest::addColumn<QList<int>>("steps"); // the sensitivity after each command

    QTest::newRow("up to the top") << true << 100 << true
                                   << QList<int>{200, 300, 400, 500, 600, 700, 800, 900, 1000, 1000};
    QTest::newRow("950 passes the top once") << true << 950 << true << QList<int>{1050, 1050};
    QTest::newRow("150 goes below the bottom once") << true << 150 << false << QList<int>{50, 50};
    QTest::newRow("rectangular mode up") << false << 100 << true << QList<int>{100};
    QTest::newRow("rectangular mode down") << false << 500 << false << QList<int>{500};
}

void tst_GraphCommands::polarSensitivitySteps()
{
    QFETCH(bool, polar);
    QFETCH(int, stored);
    QFETCH(bool, increase);
    QFETCH(QList<int>, steps);
    gViewSettings.iPolarSensitivity = static_cast<std::int16_t>(stored);
    GraphWindow graph({}, polar);
    int iPrevious = stored;
    for (int iExpected : steps) {
        QCoreApplication::processEvents();
        graph.paints.iPaints = 0;
        increase ? graph.window->IncreasePolarSensitivity() : graph.window->DecreasePolarSensitivity();
        QCOMPARE(graph.window->View().iPolarSensitivity, iExpected);
        QCOMPARE(SensitivityBox(graph), QString::number(iExpected / 100));
        // A step that changes nothing does not redraw.
        QCoreApplication::processEvents();
        QCOMPARE(graph.paints.iPaints > 0, iExpected != iPrevious);
        iPrevious = iExpected;
    }
}

void tst_GraphCommands::defaultScaleAndOriginAfterStoredRange()
{
    // The stored range x from 0 to 100.
    gViewSettings.dScaleX = 50;
    gViewSettings.dOriginX = 50;
    GraphWindow graph;
    graph.window->DefaultScale();
    QCOMPARE(graph.window->View().dOriginX - graph.window->View().dScaleX, 40.0);
    QCOMPARE(graph.window->View().dOriginX + graph.window->View().dScaleX, 60.0);
    graph.window->ViewOrigin();
    QCOMPARE(graph.window->View().dOriginX - graph.window->View().dScaleX, -10.0);
    QCOMPARE(graph.window->View().dOriginX + graph.window->View().dScaleX, 10.0);
}

void tst_GraphCommands::onlyRedrawIsProgressive()
{
    gViewSettings.dScaleX = 0.01;
    gViewSettings.dScaleY = 0.01;
    FrameClockDouble clock;
    GraphWindow graph({QStringLiteral("x")});
    const auto paintsFor = [&](auto run) {
        graph.paints.iPaints = 0;
        run();
        // A key's redraw is posted; the repaint it asks for follows.
        QCoreApplication::sendPostedEvents(graph.window);
        QCoreApplication::processEvents();
        return graph.paints.iPaints;
    };
    // A zoom at the floor changes nothing but still redraws, at once.
    const int iZoomPaints = paintsFor([&] { QTest::keyClick(graph.Picture(), Qt::Key_Plus, Qt::KeypadModifier); });
    QCOMPARE(graph.window->View().dScaleX, 0.01);
    QVERIFY(iZoomPaints >= 1 && iZoomPaints < 5);
    QVERIFY(paintsFor([&] { QTest::keyClick(graph.Picture(), Qt::Key_F5); }) >= 20);
    QVERIFY(paintsFor([&] { graph.window->findChild<QAction*>(QStringLiteral("mnuRedraw"))->trigger(); }) >= 20);
    QVERIFY(paintsFor([&] { graph.window->MoveUp(); }) < 5);
}

void tst_GraphCommands::ignoredKeys()
{
    GraphWindow graph({QStringLiteral("x")});
    const QImage before = graph.Image();
    // The main keyboard's + and -, and keys of no command, change nothing;
    // the picture keeps every key, so no button of the window sees Enter.
    for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_A, Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(graph.Picture(), key);
    QVERIFY(graph.window);
    QCOMPARE(graph.window->View().dScaleX, 5.0);
    QVERIFY(graph.Image() == before);
    // Help (F1) is the one command with a message.
    RecordedMessages messages;
    QTest::keyClick(graph.Picture(), Qt::Key_F1);
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(messages.messages[0].strText, QStringLiteral("Help is unavailable with this version"));
    QCOMPARE(messages.messages[0].icon, MessageIcon::Information);
    QCOMPARE(messages.messages[0].strCaption, QStringLiteral("Velmora"));
}

void tst_GraphCommands::heldKeysShareOneRedraw()
{
    SetDefaultSettings();
    gViewSettings.bAnimate = false;
    GraphWindow graph({QStringLiteral("x^2"), QStringLiteral("sin (x)")});
    const QImage before = graph.Image();
    // Counts the redraws posted to the window.
    struct PostedCounter : QObject {
        int iPosted = 0;
        bool eventFilter(QObject*, QEvent* pEvent) override
        {
            iPosted += pEvent->type() >= QEvent::User;
            return false;
        }
    } posted;
    graph.window->installEventFilter(&posted);

    // Keys that arrive together each move the view, and share one redraw.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(graph.Picture(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(graph.Picture(), Qt::Key_Right);
    QCOMPARE(graph.window->View().dScaleX, 5.0);
    QCOMPARE(graph.window->View().dOriginX, 1.0);
    QVERIFY(graph.Image() == before);
    // A copy made before that redraw already shows them.
    ClipboardDouble clipboard;
    QTest::keyClick(graph.window, Qt::Key_C, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(graph.window);
    QCOMPARE(posted.iPosted, 1);

    gViewSettings.dScaleX = gViewSettings.dScaleY = 5;
    gViewSettings.dOriginX = 1;
    GraphWindow reference({QStringLiteral("x^2"), QStringLiteral("sin (x)")});
    QVERIFY(graph.Image() == reference.Image());
    QVERIFY(clipboard.image == reference.Image());
}

void tst_GraphCommands::viewStaysFinite_data()
{
    QTest::addColumn<double>("origin");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("command"); // a key
    QTest::addColumn<double>("expectedOrigin");

    // From 0 to 1.7e308 in one division: one more division is past the largest number.
    QTest::newRow("right, past the largest") << 8.5e307 << 8.5e307 << int(Qt::Key_Right) << 8.5e307;
    QTest::newRow("left, past the lowest") << -8.5e307 << 8.5e307 << int(Qt::Key_Left) << -8.5e307;
    QTest::newRow("up, past the largest") << 8.5e307 << 8.5e307 << int(Qt::Key_Up) << 8.5e307;
    QTest::newRow("right, still finite") << 2e307 << 2e307 << int(Qt::Key_Right) << 4e307;
}

void tst_GraphCommands::viewStaysFinite()
{
    QFETCH(double, origin);
    QFETCH(double, scale);
    QFETCH(int, command);
    QFETCH(double, expectedOrigin);
    gViewSettings.dOriginX = gViewSettings.dOriginY = origin;
    gViewSettings.dScaleX = gViewSettings.dScaleY = scale;
    gViewSettings.iDivisionsX = gViewSettings.iDivisionsY = 1;
    GraphWindow graph({QStringLiteral("x")});
    QTest::keyClick(graph.Picture(), static_cast<Qt::Key>(command));
    const GraphView& view = graph.window->View();
    QCOMPARE(command == Qt::Key_Up ? view.dOriginY : view.dOriginX, expectedOrigin);
    QCOMPARE(view.dScaleX, scale);
    QVERIFY(IsFiniteView(view));
    QTest::mouseMove(graph.Picture(), graph.Picture()->contentsRect().topLeft() + QPoint(kCenterX, kCenterY));
    QVERIFY(!Readout(graph).contains(QStringLiteral("Infinity")));
}

void tst_GraphCommands::readout_data()
{
    QTest::addColumn<bool>("polar");
    QTest::addColumn<bool>("moveRight");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QPoint>("pixel"); // in the picture's client area
    QTest::addColumn<QString>("text");

    const QPoint center(kCenterX, kCenterY);
    QTest::newRow("up right") << false << false << "C" << center + QPoint(100, -100) << "(5,5)";
    QTest::newRow("polar up right") << true << false << "C" << center + QPoint(100, -100) << "(7.07107,0.7854)";
    QTest::newRow("centre") << false << false << "C" << center << "(0,0)";
    QTest::newRow("polar centre moved right") << true << true << "C" << center << "(2,0)";
    QTest::newRow("outside the square") << false << false << "C" << QPoint(2, 2) << "(-11.8,11.4)";
    QTest::newRow("decimal comma") << false << false << "de_DE" << center + QPoint(1, 1) << "(0,05,-0,05)";
}

void tst_GraphCommands::readout()
{
    QFETCH(bool, polar);
    QFETCH(bool, moveRight);
    QFETCH(QString, locale);
    QFETCH(QPoint, pixel);
    QFETCH(QString, text);
    SetDefaultSettings();
    gViewSettings.bAnimate = false;
    QLocale::setDefault(QLocale(locale));
    GraphWindow graph({QStringLiteral("x")}, polar);
    QCOMPARE(Readout(graph), QStringLiteral(" "));
    if (moveRight)
        graph.window->MoveRight();
    // From elsewhere on the picture: a pointer that stays put reports no move.
    const QPoint topLeft = graph.Picture()->contentsRect().topLeft();
    QTest::mouseMove(graph.Picture(), pixel + topLeft + QPoint(7, 7));
    QTest::mouseMove(graph.Picture(), pixel + topLeft);
    QCOMPARE(Readout(graph), text);
}

QTEST_MAIN(tst_GraphCommands)
#include "tst_graphcommands.moc"
