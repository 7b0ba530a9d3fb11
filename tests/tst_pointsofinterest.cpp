#include <QtTest>

#include "PointsOfInterest.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using std::numbers::pi;

// The points of one kind found on the first curve (with the second one, if
// given, for crossings) between -10 and 10, four samples to a pixel column.
std::vector<PointOfInterest> Found(const QStringList& entries, PointKind kind)
{
    std::vector<CurveFunction> curves;
    for (const QString& strEntry : entries)
        curves.push_back(EntryCurve(strEntry.toStdString()));
    std::vector<PointOfInterest> found;
    for (const PointOfInterest& point : FindPointsOfInterest(curves, -10, 10, 4 * 475))
        if (point.kind == kind && point.iCurve == 0)
            found.push_back(point);
    return found;
}

QList<double> Multiples(double first, double step)
{
    QList<double> xs;
    for (double x = first; x <= 10; x += step)
        if (x >= -10)
            xs.append(x);
    return xs;
}

} // namespace

class tst_PointsOfInterest : public QObject {
    Q_OBJECT

private slots:
    void closedForms_data();
    void closedForms();
};

void tst_PointsOfInterest::closedForms_data()
{
    // The expressions, the kind, where the points are, and how close x and y
    // must come (relative to 1 and to x).
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<double>("tolerance");
    const int root = int(PointKind::Root), minimum = int(PointKind::Minimum), maximum = int(PointKind::Maximum),
              crossing = int(PointKind::Intersection);
    const QList<double> sinRoots = Multiples(-3 * pi, pi);
    QTest::newRow("sin: multiples of pi") << QStringList{"sin (x)"} << root << sinRoots
                                          << QList<double>(sinRoots.size(), 0.0) << 1e-12;
    QTest::newRow("x^2-2: +-sqrt 2") << QStringList{"x^2-2"} << root << QList<double>{-std::sqrt(2.0), std::sqrt(2.0)}
                                     << QList<double>{0, 0} << 1e-15;
    QTest::newRow("x^3-3x: maximum") << QStringList{"x^3-(3*x)"} << maximum << QList<double>{-1} << QList<double>{2}
                                     << 1e-7;
    QTest::newRow("x^3-3x: minimum") << QStringList{"x^3-(3*x)"} << minimum << QList<double>{1} << QList<double>{-2}
                                     << 1e-7;
    const QList<double> crossings = Multiples(pi / 4 - 3 * pi, pi);
    QList<double> crossingYs;
    for (double x : crossings)
        crossingYs.append(std::sin(x));
    QTest::newRow("sin and cos cross at pi/4 + k pi")
        << QStringList{"sin (x)", "cos (x)"} << crossing << crossings << crossingYs << 1e-12;
    // No root at the poles, none invented where there is no value.
    QTest::newRow("tan: only multiples of pi") << QStringList{"tan (x)"} << root << sinRoots
                                               << QList<double>(sinRoots.size(), 0.0) << 1e-12;
    QTest::newRow("1/x: none") << QStringList{"1/x"} << root << QList<double>{} << QList<double>{} << 0.0;
    QTest::newRow("abs(x)/x: none") << QStringList{"abs (x)/x"} << root << QList<double>{} << QList<double>{} << 0.0;
    QTest::newRow("ln x: 1 only") << QStringList{"ln (x)"} << root << QList<double>{1} << QList<double>{0} << 1e-15;
    // Touching zero without a sign change.
    QTest::newRow("x^2 touches 0") << QStringList{"x^2"} << root << QList<double>{0} << QList<double>{0} << 1e-7;
    QTest::newRow("x^4 touches 0") << QStringList{"x^4"} << root << QList<double>{0} << QList<double>{0} << 1e-3;
}

void tst_PointsOfInterest::closedForms()
{
    QFETCH(QStringList, entries);
    QFETCH(int, kind);
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);
    QFETCH(double, tolerance);
    const std::vector<PointOfInterest> found = Found(entries, PointKind(kind));
    QCOMPARE(qsizetype(found.size()), xs.size());
    for (qsizetype i = 0; i < xs.size(); ++i) {
        const PointOfInterest& point = found[std::size_t(i)];
        QVERIFY2(std::fabs(point.dX - xs[i]) <= tolerance * std::max(1.0, std::fabs(xs[i])),
                 qPrintable(QString::number(point.dX, 'g', 17) + " for " + QString::number(xs[i], 'g', 17)));
        QVERIFY2(std::fabs(point.dY - ys[i]) <= 1e-12 * std::max(1.0, std::fabs(ys[i])),
                 qPrintable(QString::number(point.dY, 'g', 17)));
    }
    // The points of the first curve alone, listed after the others, are the
    // same.
    std::vector<CurveFunction> curves;
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry)
        curves.push_back(EntryCurve(entry->toStdString()));
    std::vector<double> alone;
    for (const PointOfInterest& point : FindPointsOfInterestOf(curves, curves.size() - 1, -10, 10, 4 * 475))
        if (point.kind == PointKind(kind))
            alone.push_back(point.dX);
    QCOMPARE(qsizetype(alone.size()), xs.size());
    for (std::size_t i = 0; i < alone.size(); ++i)
        QCOMPARE(alone[i], found[i].dX);
}

QTEST_APPLESS_MAIN(tst_PointsOfInterest)
#include "tst_pointsofinterest.moc"
