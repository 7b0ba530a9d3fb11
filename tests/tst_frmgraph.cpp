#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

#include "ClassicColor.h"
#include "GraphWindowFixture.h"
#include "MessageBox.h"
#include "ModalForm.h"
#include "Settings.h"

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
    void axesAtDefaults_data();
    void axesAtDefaults();
    void gridLines();
    void polarRing();
    void polarSensitivityText_data();
    void polarSensitivityText();
    void lineThroughTheView();
    void legendsAndChosenExpression();
    void curveBreaks_data();
    void curveBreaks();
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
    QCOMPARE(graph.Picture()->geometry(), QRect(48, 137, 479, 465));
    QCOMPARE(graph.Image().size(), QSize(475, 461));
    QCOMPARE(graph.window->View().iCenterX, kCenterX);
    QCOMPARE(graph.window->View().iCenterY, kCenterY);
    QCOMPARE(graph.Chooser()->geometry(), QRect(7, 102, 193, 22));
    QCOMPARE(graph.Chooser()->currentText(), QStringLiteral("View all expressions"));
    for (const char* pszName : {"Toolbar1", "cmdMoveUp", "cmdReturn", "cmdMoveLeft", "cmdMoveRight", "cmdMoveDown",
                                "Label1", "lblCoordinates", "lblPSensitivity", "txtPolarSensitivity"})
        QVERIFY2(graph.window->findChild<QWidget*>(QLatin1String(pszName)), pszName);
}

void tst_frmGraph::axesAtDefaults_data()
{
    QTest::addColumn<double>("originX");
    QTest::addColumn<QStringList>("xLabels");

    QTest::newRow("defaults") << 0.0
                              << QStringList{"-10", "-8", "-6", "-4", "-2", " 2", " 4", " 6", " 8", " 10"};
    QTest::newRow("moved right") << 2.0
                                 << QStringList{"-8", "-6", "-4", "-2", " 0", " 4", " 6", " 8", " 10", " 12"};
}

void tst_frmGraph::axesAtDefaults()
{
    QFETCH(double, originX);
    QFETCH(QStringList, xLabels);
    gViewSettings.dOriginX = originX;
    GraphWindow graph;
    const QImage& image = graph.Image();

    for (int d = -200; d <= 200; ++d) {
        QVERIFY(IsBlack(image, kCenterX + d, kCenterY));
        QVERIFY(IsBlack(image, kCenterX, kCenterY + d));
    }
    const QStringList yLabels{"-10", "-8", "-6", "-4", "-2", " 2", " 4", " 6", " 8", " 10"};
    for (int k = -5; k <= 5; ++k) {
        const int p = 40 * k;
        // Marks reach 5 pixels either side of the centre lines.
        QVERIFY(IsBlack(image, kCenterX + p, kCenterY + 5) && IsBlack(image, kCenterX + p, kCenterY - 5));
        QVERIFY(IsBlack(image, kCenterX + 5, kCenterY + p) && IsBlack(image, kCenterX - 5, kCenterY + p));
        if (k == 0)
            continue;
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
    GraphWindow graph;
    const QImage& image = graph.Image();

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
    GraphWindow polar({}, true);
    QVERIFY(!IsBlack(polar.Image(), kCenterX + 40, kCenterY + 20));
}

void tst_frmGraph::polarRing()
{
    gViewSettings.dScaleY = 5;
    GraphWindow graph({}, true);
    const QImage& image = graph.Image();
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
    GraphWindow graph({QStringLiteral("x")});
    // y = x shows from x = -9.5 (10 pixels into the square) up to y = 9.5,
    // drawn 2 pixels wide.
    const QRect box = ColorBox(graph.Image(), 100000u, QRect(0, 0, 475, 430));
    QCOMPARE(box.left(), kCenterX - 190 - 1);
    QCOMPARE(box.bottom(), kCenterY + 190);
    QVERIFY(box.top() >= kCenterY - 190 - 1 && box.top() <= kCenterY - 189);
    QVERIFY(box.right() >= kCenterX + 189 && box.right() <= kCenterX + 190);
    QCOMPARE(graph.Image().pixel(kCenterX + 100, kCenterY - 100), ColorFromValue(100000u).rgb());
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
    GraphWindow graph({expression});
    QCOMPARE(ColorBox(graph.Image(), 100000u, empty), QRect());
    QCOMPARE(ColorBox(graph.Image(), 100000u, QRect(0, 0, 475, 430)).isEmpty(), !drawn);
    // The legend is always there.
    QVERIFY(ShowsText(graph.Image(), expression, QPoint(20, 435), 100000u));
}

void tst_frmGraph::progressiveFirstPlotOnly()
{
    // The first plot after opening shows the curve as it grows: a repaint
    // for every drawn sample.
    GraphWindow animated({QStringLiteral("x")}, false, true);
    QVERIFY2(animated.paints.iPaints >= 380, qPrintable(QString::number(animated.paints.iPaints)));
    QCOMPARE(gViewSettings.bAnimate, false);

    animated.paints.iPaints = 0;
    animated.window->ZoomIn();
    QVERIFY(animated.paints.iPaints < 5);
    animated.window->RedrawGraph();
    QVERIFY(animated.paints.iPaints >= 380);
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
    QTest::newRow("many divisions") << 10.0 << 0.0 << 2000 << 32767;
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
    }
}

QTEST_MAIN(tst_frmGraph)
#include "tst_frmgraph.moc"
