#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QtTest>

#include "FrameClockDouble.h"
#include "GraphWindowFixture.h"
#include "NonBlockingModal.h"
#include "RecordedMessages.h"
#include "Settings.h"
#include "PlainDrawingCheck.h"
#include "SystemColors.h"

namespace {

bool IsBlack(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// The bounding box of the pixels of one colour.
QRect ColorBox(const QImage& image, std::uint32_t lColor, const QRect& area = QRect())
{
    const QRgb rgb = ColorFromValue(lColor).rgb();
    const QRect within = area.isNull() ? image.rect() : area;
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (image.pixel(x, y) == rgb)
                box |= QRect(x, y, 1, 1);
    return box;
}

// True when every pixel of the text, drawn with its top-left corner there,
// shows in the picture in the text's colour.
bool ShowsText(const QImage& image, const QString& strText, QPoint topLeft, std::uint32_t lColor = 0)
{
    QImage expected(image.size(), QImage::Format_RGB32);
    expected.setDotsPerMeterX(image.dotsPerMeterX());
    expected.setDotsPerMeterY(image.dotsPerMeterY());
    expected.fill(Qt::white);
    PictureCanvas canvas(expected);
    canvas.Font = QFont(QStringLiteral("Arial"));
    canvas.Font.setPointSize(8);
    canvas.Font.setBold(lColor != 0);
    canvas.CurrentX = topLeft.x();
    canvas.CurrentY = topLeft.y();
    canvas.Print(strText, false);
    int iCovered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (expected.pixel(x, y) != qRgb(255, 255, 255)) {
                ++iCovered;
                if (image.pixel(x, y) != ColorFromValue(lColor).rgb())
                    return false;
            }
    return iCovered > 0;
}

} // namespace

class tst_frmGraph : public QObject {
    Q_OBJECT

private slots:
    void init();
    void layout();
    void texts_data();
    void texts();
    void controlPlaces_data();
    void controlPlaces();
    void axesAtDefaults_data();
    void axesAtDefaults();
    void gridLines();
    void polarRing();
    void polarSensitivityText_data();
    void polarSensitivityText();
    void lineThroughTheView();
    void polarCurveScales_data();
    void polarCurveScales();
    void legendsAndChosenExpression();
    void curveBreaks_data();
    void curveBreaks();
    void progressiveFirstPlotOnly_data();
    void progressiveFirstPlotOnly();
    void activationRule();
    void closeChannels_data();
    void closeChannels();
    void extremeSettingsDrawSafely_data();
    void extremeSettingsDrawSafely();
};

void tst_frmGraph::init()
{
    SetDefaultSettings();
}

void tst_frmGraph::layout()
{
    GraphWindow graph;
    QCOMPARE(graph.window->windowTitle(), QStringLiteral("Graph"));
    QCOMPARE(graph.window->centralWidget()->size(), QSize(589, 645));
    QCOMPARE(graph.Image().size(), QSize(475, 461));
    QCOMPARE(graph.window->View().iCenterX, kCenterX);
    QCOMPARE(graph.window->View().iCenterY, kCenterY);
    QCOMPARE(graph.Chooser()->currentText(), QStringLiteral("View all expressions"));
    for (const char* pszName : {"Toolbar1", "cmdMoveUp", "cmdReturn", "cmdMoveLeft", "cmdMoveRight", "cmdMoveDown",
                                "Label1", "lblCoordinates", "lblPSensitivity", "txtPolarSensitivity"})
        QVERIFY2(graph.window->findChild<QWidget*>(QLatin1String(pszName)), pszName);
}

void tst_frmGraph::texts_data()
{
    // "menu bar", "menu <index>" (its caption, then its items), "toolbar"
    // (the tooltips) or the name of a control.
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("menu bar") << "menu bar" << QStringList{"&Graph", "&View", "&Move", "M&ode", "Tools", "&Help"};
    QTest::newRow("Graph") << "menu 0" << QStringList{"&Graph", "&Save", "&CopyToClipboard", "&Print", "&Close"};
    QTest::newRow("View") << "menu 1"
                          << QStringList{"&View", "Zoom &In", "Zoom &Out", "ZoomIn (X-axis)", "ZoomOut (X-axis)",
                                         "ZoomIn (Y-axis)", "ZoomOut (Y-axis)", "&Grids On/Off", "&Default Scale", "Undo View", "Redo View"};
    QTest::newRow("Move") << "menu 2" << QStringList{"&Move", "&Left", "&Right", "&Up", "&Down", "&Origin"};
    QTest::newRow("Mode") << "menu 3" << QStringList{"M&ode", "&Rectangular Mode", "&Polar Mode"};
    QTest::newRow("Tools") << "menu 4"
                           << QStringList{"Tools", "&Redraw curves", "Range &Selector", "&Compare & Expressions",
                                          "&Increase Polar Sensitivity", "&DecreasePolarSensitivity", "Table of &Values..."};
    QTest::newRow("Help") << "menu 5" << QStringList{"&Help", "H&elp", "&About"};
    QTest::newRow("toolbar") << "toolbar"
                             << QStringList{"Copy to clipboard", "Save", "Print using default printer", "Zoom In",
                                            "Zoom Out", "Zoom In (X-axis)", "Zoom Out (X-axis)", "Zoom In (Y-axis)",
                                            "Zoom Out (Y-axis)", "Return to origin", "Default Scale",
                                            "Rectangular Mode", "Polar Mode", "Increase Polar Sensitivity",
                                            "Decrease Polar Sensitivity", "Grids On/Off", "Redraw curves",
                                            "Range Selector", "Compare expressions"};
    QTest::newRow("cmdReturn") << "cmdReturn" << QStringList{"&Close"};
    QTest::newRow("Label1") << "Label1" << QStringList{"Pointer at"};
    QTest::newRow("lblPSensitivity") << "lblPSensitivity" << QStringList{"Polar Sensitivity"};
}

void tst_frmGraph::texts()
{
    QFETCH(QString, source);
    QFETCH(QStringList, texts);
    GraphWindow graph;
    const QList<QAction*> menus = graph.window->menuBar()->actions();
    QStringList shown;
    if (source == QLatin1String("menu bar")) {
        for (const QAction* pMenu : menus)
            shown.append(pMenu->text());
    } else if (source.startsWith(QLatin1String("menu "))) {
        const QAction* pMenu = menus.value(source.mid(5).toInt());
        QVERIFY(pMenu && pMenu->menu());
        shown.append(pMenu->text());
        for (const QAction* pItem : pMenu->menu()->actions())
            shown.append(pItem->text());
    } else if (source == QLatin1String("toolbar")) {
        for (const QAction* pButton : graph.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
            shown.append(pButton->toolTip());
    } else {
        shown.append(graph.window->findChild<QWidget*>(source)->property("text").toString());
    }
    QCOMPARE(shown, texts);
}

void tst_frmGraph::controlPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place"); // in the client area, in pixels

    QTest::newRow("cmbExps") << "cmbExps" << QRect(7, 102, 193, 22);
    QTest::newRow("cmdMoveUp") << "cmdMoveUp" << QRect(274, 100, 32, 32);
    QTest::newRow("cmdReturn") << "cmdReturn" << QRect(440, 99, 87, 24);
    QTest::newRow("cmdMoveLeft") << "cmdMoveLeft" << QRect(10, 353, 32, 32);
    QTest::newRow("picGraph") << "picGraph" << QRect(48, 137, 479, 465);
    QTest::newRow("cmdMoveRight") << "cmdMoveRight" << QRect(534, 353, 32, 32);
    QTest::newRow("cmdMoveDown") << "cmdMoveDown" << QRect(274, 604, 32, 32);
    QTest::newRow("Label1") << "Label1" << QRect(48, 616, 53, 17);
    QTest::newRow("lblCoordinates") << "lblCoordinates" << QRect(104, 616, 153, 17);
    QTest::newRow("lblPSensitivity") << "lblPSensitivity" << QRect(401, 617, 85, 17);
    QTest::newRow("txtPolarSensitivity") << "txtPolarSensitivity" << QRect(493, 613, 34, 21);
}

void tst_frmGraph::controlPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    GraphWindow graph;
    const QWidget* pControl = graph.window->findChild<QWidget*>(name);
    QVERIFY(pControl);
    QCOMPARE(pControl->parentWidget(), graph.window->centralWidget());
    QCOMPARE(pControl->geometry(), place);
}

void tst_frmGraph::axesAtDefaults_data()
{
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<QStringList>("xLabels");
    QTest::addColumn<QStringList>("yLabels");

    const QStringList defaults{"-10", "-8", "-6", "-4", "-2", " 2", " 4", " 6", " 8", " 10"};
    QTest::newRow("defaults") << QPointF(0, 0) << defaults << defaults;
    QTest::newRow("moved right") << QPointF(2, 0)
                                 << QStringList{"-8", "-6", "-4", "-2", " 0", " 4", " 6", " 8", " 10", " 12"}
                                 << defaults;
    QTest::newRow("centre (3, 7)") << QPointF(3, 7)
                                   << QStringList{"-7", "-5", "-3", "-1", " 1", " 5", " 7", " 9", " 11", " 13"}
                                   << QStringList{"-3", "-1", " 1", " 3", " 5", " 9", " 11", " 13", " 15", " 17"};
}

void tst_frmGraph::axesAtDefaults()
{
    QFETCH(QPointF, origin);
    QFETCH(QStringList, xLabels);
    QFETCH(QStringList, yLabels);
    gViewSettings.dOriginX = origin.x();
    gViewSettings.dOriginY = origin.y();
    const QImage image = ScenePicture();

    for (int d = -200; d <= 200; ++d) {
        QVERIFY(IsBlack(image, kCenterX + d, kCenterY));
        QVERIFY(IsBlack(image, kCenterX, kCenterY + d));
    }
    for (int k = -5; k <= 5; ++k) {
        const int p = 40 * k;
        // Marks reach 5 pixels either side of the centre lines.
        QVERIFY(IsBlack(image, kCenterX + p, kCenterY + 5) && IsBlack(image, kCenterX + p, kCenterY - 5));
        QVERIFY(IsBlack(image, kCenterX + 5, kCenterY + p) && IsBlack(image, kCenterX - 5, kCenterY + p));
        if (k == 0) {
            // The centre value has no label: where the labels of the centre
            // marks would go, only the centre lines are drawn.
            const QRect xLabel(kCenterX - 16, kCenterY + 8, 32, 16), yLabel(kCenterX - 30, kCenterY - 9, 24, 18);
            for (const QRect& area : {xLabel, yLabel})
                for (int y = area.top(); y <= area.bottom(); ++y)
                    for (int x = area.left(); x <= area.right(); ++x)
                        QVERIFY2(x == kCenterX || y == kCenterY || !IsBlack(image, x, y),
                                 qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            continue;
        }
        QVERIFY(!IsBlack(image, kCenterX + p, kCenterY + 6) && !IsBlack(image, kCenterX + p, kCenterY - 6));
        QVERIFY(!IsBlack(image, kCenterX + 6, kCenterY + p) && !IsBlack(image, kCenterX - 6, kCenterY + p));
        const int i = k < 0 ? k + 5 : k + 4;
        const QString x = xLabels[i], y = yLabels[i];
        QVERIFY2(ShowsText(image, x, QPoint(kCenterX + p - 6 - 5 * (x.size() - 2), kCenterY + 10)), qPrintable(x));
        QVERIFY2(ShowsText(image, y, QPoint(kCenterX - 20 - 5 * (y.size() - 2), kCenterY - p - 7)), qPrintable(y));
    }
}

void tst_frmGraph::gridLines()
{
    gViewSettings.bGrids = true;
    const QImage image = ScenePicture();

    // Dotted lines across the whole square at every division but the centre.
    for (int p : {-200, -120, 40, 200}) {
        int iBlackX = 0, iBlackY = 0;
        for (int d = -200; d <= 200; ++d) {
            iBlackX += IsBlack(image, kCenterX + p, kCenterY + d);
            iBlackY += IsBlack(image, kCenterX + d, kCenterY + p);
        }
        QVERIFY2(iBlackX > 150 && iBlackX < 300, qPrintable(QString::number(iBlackX)));
        QVERIFY2(iBlackY > 150 && iBlackY < 300, qPrintable(QString::number(iBlackY)));
    }
    // The labels move 6 pixels away: x labels left, y labels down.
    QVERIFY(ShowsText(image, QStringLiteral(" 2"), QPoint(kCenterX + 40 - 6 - 6, kCenterY + 10)));
    QVERIFY(ShowsText(image, QStringLiteral("-4"), QPoint(kCenterX - 20, kCenterY + 80 - 7 + 6)));

    // Polar mode ignores the grid setting.
    QVERIFY(!IsBlack(ScenePicture({}, true), kCenterX + 40, kCenterY + 20));
}

void tst_frmGraph::polarRing()
{
    gViewSettings.dScaleY = 5;
    const QImage image = ScenePicture({}, true);
    // The world circle of radius 5: 200 pixels wide and 400 high.
    const auto nearBlack = [&](double x, double y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (IsBlack(image, qRound(x) + dx, qRound(y) + dy))
                    return true;
        return false;
    };
    for (double a = 0.3; a < 6.2; a += 0.5)
        QVERIFY(nearBlack(kCenterX + 100 * std::cos(a), kCenterY + 200 * std::sin(a)));
    QVERIFY(!nearBlack(kCenterX + 150, kCenterY + 100));

    // Dotted spokes every 30 degrees, and nothing in between.
    for (int iDegrees : {30, 60, 120, 150, 210, 240, 300, 330}) {
        const double a = iDegrees * M_PI / 180;
        int iBlack = 0;
        for (int r = 100; r < 190; ++r)
            iBlack += nearBlack(kCenterX + r * std::cos(a), kCenterY + r * std::sin(a));
        QVERIFY2(iBlack > 30 && iBlack < 80, qPrintable(QString::number(iDegrees) + " " + QString::number(iBlack)));
        QVERIFY(!nearBlack(kCenterX + 60 * std::cos(a + 0.25), kCenterY + 60 * std::sin(a + 0.25)));
    }
}

void tst_frmGraph::polarSensitivityText_data()
{
    QTest::addColumn<int>("sensitivity");
    QTest::addColumn<QString>("text");
    QTest::newRow("100") << 100 << "1";
    QTest::newRow("150") << 150 << "1";
    QTest::newRow("50") << 50 << "0";
    QTest::newRow("1000") << 1000 << "10";
}

void tst_frmGraph::polarSensitivityText()
{
    QFETCH(int, sensitivity);
    QFETCH(QString, text);
    gViewSettings.iPolarSensitivity = static_cast<std::int16_t>(sensitivity);
    GraphWindow graph;
    QCOMPARE(graph.window->findChild<QLineEdit*>(QStringLiteral("txtPolarSensitivity"))->text(), text);
}

void tst_frmGraph::lineThroughTheView()
{
    const QImage image = ScenePicture({QStringLiteral("x")});
    // y = x shows from x = -9.5 (10 pixels into the square) up to y = 9.5,
    // drawn 2 pixels wide.
    const QRect box = ColorBox(image, 100000u, QRect(0, 0, 475, 430));
    QCOMPARE(box.left(), kCenterX - 190 - 1);
    QCOMPARE(box.bottom(), kCenterY + 190);
    QVERIFY(box.top() >= kCenterY - 190 - 1 && box.top() <= kCenterY - 189);
    QVERIFY(box.right() >= kCenterX + 189 && box.right() <= kCenterX + 190);
    QCOMPARE(image.pixel(kCenterX + 100, kCenterY - 100), ColorFromValue(100000u).rgb());
}

void tst_frmGraph::polarCurveScales_data()
{
    QTest::addColumn<QPointF>("scale");
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<QRect>("box"); // where the circle r = 4 is drawn

    // Each axis maps with its own scale: the circle is an ellipse 4 / 10 or
    // 4 / 5 of the half-axis (200 pixels) wide and high.
    QTest::newRow("x 10, y 5") << QPointF(10, 5) << QPointF(0, 0)
                               << QRect(QPoint(kCenterX - 80, kCenterY - 160), QPoint(kCenterX + 80, kCenterY + 160));
    QTest::newRow("x 5, y 10") << QPointF(5, 10) << QPointF(0, 0)
                               << QRect(QPoint(kCenterX - 160, kCenterY - 80), QPoint(kCenterX + 160, kCenterY + 80));
    QTest::newRow("x 10, y 5, centre (2, 1)")
        << QPointF(10, 5) << QPointF(2, 1)
        << QRect(QPoint(kCenterX - 120, kCenterY - 120), QPoint(kCenterX + 40, kCenterY + 200));
}

void tst_frmGraph::polarCurveScales()
{
    QFETCH(QPointF, scale);
    QFETCH(QPointF, origin);
    QFETCH(QRect, box);
    gViewSettings.dScaleX = scale.x();
    gViewSettings.dScaleY = scale.y();
    gViewSettings.dOriginX = origin.x();
    gViewSettings.dOriginY = origin.y();
    // Above the legend; the pen is 2 pixels wide.
    const QRect drawn = ColorBox(ScenePicture({QStringLiteral("4")}, true), 100000u, QRect(0, 0, 475, 433));
    const QString strDrawn = QStringLiteral("%1,%2 %3,%4")
                                 .arg(drawn.left()).arg(drawn.top()).arg(drawn.right()).arg(drawn.bottom());
    QVERIFY2(std::abs(drawn.left() - box.left()) <= 2 && std::abs(drawn.top() - box.top()) <= 2
                 && std::abs(drawn.right() - box.right()) <= 2 && std::abs(drawn.bottom() - box.bottom()) <= 2,
             qPrintable(strDrawn));
}

void tst_frmGraph::legendsAndChosenExpression()
{
    // Curves far above the view: only the legends are drawn.
    GraphWindow graph({QStringLiteral("x+50"), QStringLiteral("x+60"), QStringLiteral("x+70")});
    const QRect legends(0, 300, 200, 161);
    for (int i = 1; i <= 3; ++i) {
        const QString strEntry = graph.host.entries[i - 1];
        QVERIFY(ShowsText(graph.Image(), strEntry, QPoint(20, 390 + 15 * i), std::uint32_t((i + 1) * 50000)));
    }
    QCOMPARE(ColorBox(graph.Image(), 100000u, QRect(0, 0, 475, 300)), QRect());

    // Choosing the third entry draws it alone, in the one colour, legend at 350.
    graph.Chooser()->setFocus();
    QTest::keyClick(graph.Chooser(), Qt::Key_End);
    QCOMPARE(graph.Chooser()->currentIndex(), 3);
    QVERIFY(ShowsText(graph.Image(), QStringLiteral("x+70"), QPoint(20, 350), 150000u));
    QCOMPARE(ColorBox(graph.Image(), 150000u, QRect(0, 365, 475, 96)), QRect());
    QCOMPARE(ColorBox(graph.Image(), 100000u), QRect());
}

void tst_frmGraph::curveBreaks_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QRect>("empty"); // where the curve must leave no pixel
    QTest::addColumn<bool>("drawn");

    // Leaves at the bottom left of 0 and comes back from the top: no line
    // joins the two branches.
    QTest::newRow("1/x") << "1/x" << QRect(kCenterX - 1, kCenterY - 150, 3, 300) << true;
    // Leaves at the top on both sides: nothing along the edge.
    QTest::newRow("x^2-5") << "x^2-5" << QRect(0, 0, 475, kCenterY - 191) << true;
    QTest::newRow("fails everywhere") << "1/(x-x)" << QRect(0, 0, 475, 400) << false;
}

void tst_frmGraph::curveBreaks()
{
    QFETCH(QString, expression);
    QFETCH(QRect, empty);
    QFETCH(bool, drawn);
    const QImage image = ScenePicture({expression});
    QCOMPARE(ColorBox(image, 100000u, empty), QRect());
    QCOMPARE(ColorBox(image, 100000u, QRect(0, 0, 475, 430)).isEmpty(), !drawn);
    // The legend is always there.
    QVERIFY(ShowsText(image, expression, QPoint(20, 435), 100000u));
}

void tst_frmGraph::progressiveFirstPlotOnly_data()
{
    QTest::addColumn<int>("curves");
    QTest::addColumn<bool>("polar");
    QTest::addColumn<int>("sensitivity");

    QTest::newRow("one curve") << 1 << false << 300;
    QTest::newRow("ten curves") << 10 << false << 300;
    QTest::newRow("200 curves") << 200 << false << 300;
    QTest::newRow("polar at the highest sensitivity") << 1 << true << 32767;
}

void tst_frmGraph::progressiveFirstPlotOnly()
{
    QFETCH(int, curves);
    QFETCH(bool, polar);
    QFETCH(int, sensitivity);
    gViewSettings.iPolarSensitivity = static_cast<std::int16_t>(sensitivity);
    const QStringList entries(curves, QStringLiteral("5"));

    // The first plot after opening shows the curves as they grow, in a
    // refresh for each share of the points, one frame time apart: however
    // many points, the growth takes about a second beyond the drawing.
    FrameClockDouble clock;
    GraphWindow animated(entries, polar, true);
    QVERIFY2(animated.paints.iPaints >= 20 && animated.paints.iPaints <= PlotPacer::kFrames + 3,
             qPrintable(QString::number(animated.paints.iPaints)));
    QVERIFY(clock.iWaits >= 20);
    QVERIFY(clock.now - FrameClock::TimePoint() <= PlotPacer::kFrames * PlotPacer::kFrameTime);
    GraphWindow reference(entries, polar);
    QVERIFY(animated.Image() == reference.Image());

    // Other commands redraw at once; Redraw grows the curves again.
    animated.paints.iPaints = 0;
    animated.window->ZoomIn();
    QVERIFY(animated.paints.iPaints < 5);
    animated.window->RedrawGraph();
    QVERIFY(animated.paints.iPaints >= 20);
}

void tst_frmGraph::activationRule()
{
    GraphWindow graph({QStringLiteral("x"), QStringLiteral("x^2")});
    graph.window->ZoomIn();
    graph.window->MoveRight();
    graph.Chooser()->setCurrentIndex(2);

    // A message box coming and going changes nothing.
    {
        RecordedMessages messages;
        graph.window->ShowHelp();
        QCOMPARE(messages.messages.size(), 1);
    }
    QCOMPARE(graph.window->View().dScaleX, 9.0);
    QCOMPARE(graph.Chooser()->currentIndex(), 2);

    // A window of ours that the graph window opened brings back the stored
    // view and all expressions when it closes.
    NonBlockingModal modal;
    auto* pForm = new QWidget;
    ShowModal(pForm, graph.window);
    QCOMPARE(graph.window->View().dScaleX, 9.0);
    pForm->close();
    QTRY_COMPARE(graph.window->View().dScaleX, 10.0);
    QCOMPARE(graph.window->View().dOriginX, 0.0);
    QCOMPARE(graph.Chooser()->currentIndex(), 0);
    QCOMPARE(graph.Chooser()->count(), 3);
}

void tst_frmGraph::closeChannels_data()
{
    QTest::addColumn<int>("channel");
    QTest::newRow("Close button") << 0;
    QTest::newRow("Esc on the picture") << 1;
    QTest::newRow("close box") << 2;
}

void tst_frmGraph::closeChannels()
{
    QFETCH(int, channel);
    GraphWindow graph;
    if (channel == 0)
        QTest::mouseClick(graph.window->findChild<QWidget*>(QStringLiteral("cmdReturn")), Qt::LeftButton);
    else if (channel == 1)
        QTest::keyClick(graph.Picture(), Qt::Key_Escape);
    else
        graph.window->close();
    QTRY_VERIFY(graph.window.isNull());
}

void tst_frmGraph::extremeSettingsDrawSafely_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("origin");
    QTest::addColumn<int>("divisions");
    QTest::addColumn<int>("sensitivity");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("zero scale") << 0.0 << 0.0 << 5 << 100;
    QTest::newRow("mirrored") << -10.0 << 0.0 << 5 << 100;
    QTest::newRow("huge scale") << 1e300 << 0.0 << 5 << 100;
    QTest::newRow("tiny scale") << 1e-300 << 0.0 << 5 << 100;
    QTest::newRow("infinite scale") << inf << 0.0 << 5 << 100;
    QTest::newRow("far centre") << 10.0 << 1e300 << 5 << 100;
    QTest::newRow("no number") << nan << nan << 5 << 100;
    QTest::newRow("no divisions") << 10.0 << 0.0 << 0 << 0;
    QTest::newRow("negative counts") << 10.0 << 0.0 << -5 << -100;
    QTest::newRow("dense divisions") << 10.0 << 0.0 << 500 << 1000;
    QTest::newRow("many divisions") << 10.0 << 0.0 << 2000 << 32767;
    QTest::newRow("finest divisions") << 10.0 << 0.0 << 32767 << 100;
}

void tst_frmGraph::extremeSettingsDrawSafely()
{
    QFETCH(double, scale);
    QFETCH(double, origin);
    QFETCH(int, divisions);
    QFETCH(int, sensitivity);
    gViewSettings.dScaleX = gViewSettings.dScaleY = scale;
    gViewSettings.dOriginX = gViewSettings.dOriginY = origin;
    gViewSettings.iDivisionsX = gViewSettings.iDivisionsY = static_cast<std::int16_t>(divisions);
    gViewSettings.iPolarSensitivity = static_cast<std::int16_t>(sensitivity);
    for (bool bPolar : {false, true}) {
        GraphWindow graph({QStringLiteral("sin (x)"), QStringLiteral("1/x")}, bPolar);
        graph.window->ZoomOut();
        graph.window->MoveLeft();
        graph.window->ToggleGrid();
        QTest::mouseMove(graph.Picture(), QPoint(100, 100));
        QVERIFY(graph.window);
        // Drawn the plain way, one mark and label at a time, the picture is
        // the same; so are its copy for a fine screen and its SVG drawing
        // (the bench checks those for the finest divisions).
        QCOMPARE(graph.Image(), GraphPicture(graph.window->Scene(), nullptr, CanvasDrawing::Plain));
        if (divisions < 32767) {
            const std::optional<QString> difference = PlainDrawingDifference(graph.window->Scene(), divisions <= 500);
            QVERIFY2(!difference, qPrintable(difference.value_or(QString()) + " differs drawn the plain way"));
        }
    }
}

QTEST_MAIN(tst_frmGraph)
#include "tst_frmgraph.moc"
