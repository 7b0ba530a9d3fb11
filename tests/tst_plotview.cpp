#include <QtTest>

#include "CurveSampling.h"
#include "GraphView.h"
#include "PlotDrawing.h"
#include "ScaleSteps.h"

#include <limits>

namespace {

// The view of a freshly opened graph window at the default settings.
GraphView DefaultView()
{
    GraphView view;
    view.iCenterX = 238;
    view.iCenterY = 230;
    return view;
}

} // namespace

class tst_PlotView : public QObject {
    Q_OBJECT

private slots:
    void mapping_data();
    void mapping();
    void sampleCounts_data();
    void sampleCounts();
    void curveColors_data();
    void curveColors();
    void scaleSteps_data();
    void scaleSteps();
};

void tst_PlotView::mapping_data()
{
    QTest::addColumn<double>("scaleX");
    QTest::addColumn<double>("scaleY");
    QTest::addColumn<double>("originX");
    QTest::addColumn<double>("originY");
    QTest::addColumn<QPointF>("world");
    QTest::addColumn<QPointF>("pixel");

    QTest::newRow("right end") << 10.0 << 10.0 << 0.0 << 0.0 << QPointF(10, 0) << QPointF(438, 230);
    QTest::newRow("top end") << 10.0 << 10.0 << 0.0 << 0.0 << QPointF(0, 10) << QPointF(238, 30);
    QTest::newRow("moved centre") << 10.0 << 10.0 << 3.0 << 0.0 << QPointF(3, 0) << QPointF(238, 230);
    QTest::newRow("unequal scales") << 10.0 << 5.0 << 0.0 << 0.0 << QPointF(5, 5) << QPointF(338, 30);
    QTest::newRow("mirrored x") << -10.0 << 10.0 << 0.0 << 0.0 << QPointF(5, -5) << QPointF(138, 330);
    QTest::newRow("zoomed and moved") << 0.5 << 2.0 << -1.0 << 4.0 << QPointF(-0.75, 5) << QPointF(338, 130);
}

void tst_PlotView::mapping()
{
    QFETCH(double, scaleX);
    QFETCH(double, scaleY);
    QFETCH(double, originX);
    QFETCH(double, originY);
    QFETCH(QPointF, world);
    QFETCH(QPointF, pixel);
    GraphView view = DefaultView();
    view.dScaleX = scaleX;
    view.dScaleY = scaleY;
    view.dOriginX = originX;
    view.dOriginY = originY;

    QCOMPARE(PixelX(view, world.x()), pixel.x());
    QCOMPARE(PixelY(view, world.y()), pixel.y());
    QCOMPARE(WorldX(view, pixel.x()), world.x());
    QCOMPARE(WorldY(view, pixel.y()), world.y());
}

void tst_PlotView::sampleCounts_data()
{
    QTest::addColumn<bool>("polar");
    QTest::addColumn<double>("scaleX");
    QTest::addColumn<double>("originX");
    QTest::addColumn<int>("sensitivity");
    QTest::addColumn<qint64>("samples");
    QTest::addColumn<double>("last"); // NaN: not checked

    const double unchecked = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("rectangular defaults") << false << 10.0 << 0.0 << 100 << qint64(400) << 9.95;
    QTest::newRow("polar defaults") << true << 10.0 << 0.0 << 100 << qint64(63) << 3.058;
    QTest::newRow("polar sensitivity 1000") << true << 10.0 << 0.0 << 1000 << qint64(629) << 3.138;
    QTest::newRow("polar ignores the centre") << true << 10.0 << 50.0 << 100 << qint64(63) << 3.058;
    QTest::newRow("polar negative scale") << true << -10.0 << 0.0 << 100 << qint64(0) << unchecked;
    QTest::newRow("polar sensitivity 0 taken as 1") << true << 10.0 << 0.0 << 0 << qint64(1) << -3.14159265358979;
    QTest::newRow("zero scale") << false << 0.0 << 0.0 << 100 << qint64(1) << 0.0;
    QTest::newRow("step lost in the centre") << false << 1.0 << 1e20 << 100 << qint64(1) << 1e20;
    QTest::newRow("polar step too fine") << true << 1e-10 << 0.0 << 1000 << qint64(kMaxPolarSamples - 1) << 3.1415;
    QTest::newRow("polar, narrow view, highest sensitivity")
        << true << 0.1 << 0.0 << 32767 << qint64(kMaxPolarSamples - 1) << 3.1415;
    QTest::newRow("polar, highest sensitivity, wide view") << true << 10.0 << 0.0 << 32767 << qint64(20589) << 3.1415;
    QTest::newRow("infinite scale") << false << std::numeric_limits<double>::infinity() << 0.0 << 100 << qint64(1)
                                    << unchecked;
}

void tst_PlotView::sampleCounts()
{
    QFETCH(bool, polar);
    QFETCH(double, scaleX);
    QFETCH(double, originX);
    QFETCH(int, sensitivity);
    QFETCH(qint64, samples);
    QFETCH(double, last);
    GraphView view = DefaultView();
    view.bModePolar = polar;
    view.dScaleX = scaleX;
    view.dOriginX = originX;
    view.iPolarSensitivity = static_cast<std::int16_t>(sensitivity);

    double dLast = std::numeric_limits<double>::quiet_NaN();
    QCOMPARE(ForEachSample(CurveRange(view), [&](double dValue) { dLast = dValue; }), samples);
    if (!std::isnan(last))
        QVERIFY2(std::fabs(dLast - last) < 1e-3, qPrintable(QString::number(dLast, 'g', 17)));
}

void tst_PlotView::curveColors_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<quint32>("color");

    QTest::newRow("1") << 1 << quint32(100000);
    QTest::newRow("3") << 3 << quint32(200000);
    QTest::newRow("6") << 6 << quint32(350000);
    QTest::newRow("334, the last colour") << 334 << quint32(16750000);
    QTest::newRow("335 wraps around") << 335 << quint32(16800000 - 16777216);
    QTest::newRow("32767") << 32767 << quint32((32768LL * 50000) % 16777216);
}

void tst_PlotView::curveColors()
{
    QFETCH(int, entry);
    QFETCH(quint32, color);
    QCOMPARE(CurveColor(entry), color);
}

void tst_PlotView::scaleSteps_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<QList<double>>("steps"); // the value after each step

    QTest::newRow("in from 10 to the floor")
        << 10.0 << true
        << QList<double>{9,   8,   7,   6,   5,   4,   3,   2,   1,   0.9, 0.8, 0.7,
                         0.6, 0.5, 0.4, 0.3, 0.2, 0.10000000000000014, 0.01, 0.01};
    QList<double> out{0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.09999999999999999};
    // 0.11 ... 0.91, 1.01 ... 9.01, 10.01 ... 90.01, 100.01 ... 900.01
    for (double step : {0.1, 1.0, 10.0, 100.0})
        for (int i = 1; i <= 9; ++i)
            out.append(0.01 + step * i);
    out.append(1000);
    out.append(1000);
    QTest::newRow("out from 0.01 to the ceiling") << 0.01 << false << out;
    QTest::newRow("out from 10")
        << 10.0 << false
        << QList<double>{20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1000};
}

void tst_PlotView::scaleSteps()
{
    QFETCH(double, start);
    QFETCH(bool, zoomIn);
    QFETCH(QList<double>, steps);
    double dScale = start;
    for (double dExpected : steps) {
        const double dResult = zoomIn ? DecreaseScale(dScale) : IncreaseScale(dScale);
        // Accumulated steps differ from the decimal values in the last bits
        // only; the one value just above 0.1 must be exact.
        const double dTolerance = dExpected == 0.10000000000000014 ? 0 : 1e-9;
        QVERIFY2(std::fabs(dResult - dExpected) <= dTolerance && dScale == dResult,
                 qPrintable(QString::number(dResult, 'g', 17) + " " + QString::number(dExpected, 'g', 17)));
    }
}

QTEST_APPLESS_MAIN(tst_PlotView)
#include "tst_plotview.moc"
