// Reads a screenshot of the graph window and says whether it shows what the
// view must show: the two axes, their labels (and the ring in polar mode),
// and each named curve in its colour along the path the curve must take.
//
//   screencheck SHOT.png LEFT TOP WIDTH HEIGHT rect|polar ORIGINX ORIGINY SCALEX SCALEY RRGGBB:NAME...
//               [ring:X:Y:RRGGBB]
//
// LEFT TOP WIDTH HEIGHT: the graph window on the screen. ORIGIN and SCALE:
// the world point at the picture's centre and the half-range of each axis.
// NAME is one of the curves below, or "absent" for a colour that must not
// show inside the plot square (legends aside). A ring names a trace point:
// a ring of the colour around the world point (X, Y). Prints what it measured;
// exits 0 when everything is where it must be, 1 when not, 2 on bad
// arguments.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kHalfSize = 200; // pixels from the centre to each end of an axis
constexpr int kDivisions = 5;

const std::map<std::string, std::function<double(double)>> kCurves{
    {"square", [](double x) { return x * x + 2 * x + 1; }},
    {"sin", [](double x) { return std::sin(x); }},
    {"quarter", [](double x) { return x * x / 4 - 2; }},
    {"quartic", [](double x) { return x * x * x * x; }},
    {"absent", nullptr},
};

struct View {
    bool bPolar = false;
    double dOriginX = 0, dOriginY = 0, dScaleX = 10, dScaleY = 10;
    int iCenterX = 0, iCenterY = 0; // found on the shot
};

struct Curve {
    QRgb colour = 0;
    std::string strName;
};

bool IsBlack(QRgb p) { return (p & 0xffffff) == 0; }

// Text and axis ink: grey to black, with no hue (no curve is grey).
bool IsInk(QRgb p)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    return std::max({r, g, b}) - std::min({r, g, b}) <= 12 && std::max({r, g, b}) < 150;
}

bool IsColour(QRgb p, QRgb colour) { return (p & 0xffffff) == (colour & 0xffffff); }

int CountIn(const QImage& shot, QRect box, const std::function<bool(QRgb)>& test)
{
    box = box.intersected(shot.rect());
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += test(shot.pixel(x, y)) ? 1 : 0;
    return n;
}

// The axes: the row and the column with the most black pixels.
bool FindAxes(const QImage& shot, View& view)
{
    int iBestRow = -1, iBestRowCount = 0, iBestCol = -1, iBestColCount = 0;
    for (int y = 0; y < shot.height(); ++y) {
        const int n = CountIn(shot, QRect(0, y, shot.width(), 1), IsBlack);
        if (n > iBestRowCount) { iBestRowCount = n; iBestRow = y; }
    }
    for (int x = 0; x < shot.width(); ++x) {
        const int n = CountIn(shot, QRect(x, 0, 1, shot.height()), IsBlack);
        if (n > iBestColCount) { iBestColCount = n; iBestCol = x; }
    }
    view.iCenterX = iBestCol;
    view.iCenterY = iBestRow;
    std::printf("axes: centre (%d,%d), %d black pixels on the x axis, %d on the y axis\n", iBestCol, iBestRow,
                iBestRowCount, iBestColCount);
    if (iBestRow < 0 || iBestCol < 0)
        return false;
    // Both axes run 2 x 200 pixels through the centre; curves may cover a few.
    const int iNeeded = 2 * kHalfSize * 8 / 10;
    const int iRow = CountIn(shot, QRect(iBestCol - kHalfSize, iBestRow, 2 * kHalfSize + 1, 1), IsBlack);
    const int iCol = CountIn(shot, QRect(iBestCol, iBestRow - kHalfSize, 1, 2 * kHalfSize + 1), IsBlack);
    const bool bEndsClear = !IsBlack(shot.pixel(iBestCol - kHalfSize - 3, iBestRow))
        && !IsBlack(shot.pixel(iBestCol + kHalfSize + 3, iBestRow));
    return iRow >= iNeeded && iCol >= iNeeded && bEndsClear;
}

// A label beside each division mark but the centre's, on both axes.
bool CheckLabels(const QImage& shot, const View& view)
{
    int iFound = 0, iTotal = 0;
    for (int k = -kDivisions; k <= kDivisions; ++k) {
        if (k == 0)
            continue;
        const int iStep = k * kHalfSize / kDivisions;
        const QRect xLabel(view.iCenterX + iStep - 32, view.iCenterY + 8, 44, 18);
        const QRect yLabel(view.iCenterX - 48, view.iCenterY - iStep - 9, 40, 20);
        iFound += CountIn(shot, xLabel, IsInk) >= 4 ? 1 : 0;
        iFound += CountIn(shot, yLabel, IsInk) >= 4 ? 1 : 0;
        iTotal += 2;
    }
    std::printf("labels: %d of %d\n", iFound, iTotal);
    return iFound == iTotal;
}

bool CheckRing(const QImage& shot, const View& view)
{
    int iFound = 0;
    const int iTotal = 24;
    for (int i = 0; i < iTotal; ++i) {
        const double a = (i + 0.5) * 2 * std::numbers::pi / iTotal;
        const QPoint p(int(std::lround(view.iCenterX + kHalfSize * std::cos(a))),
                       int(std::lround(view.iCenterY + kHalfSize * std::sin(a))));
        iFound += CountIn(shot, QRect(p - QPoint(2, 2), QSize(5, 5)), IsBlack) > 0 ? 1 : 0;
    }
    std::printf("polar ring: %d of %d points\n", iFound, iTotal);
    return iFound >= iTotal - 1;
}

// Where the curve must be, in shot pixels, as runs of close points; only the
// part inside the square the curves are drawn in.
std::vector<std::vector<QPointF>> CurvePath(const View& view, const std::function<double(double)>& f)
{
    const double ux = view.dScaleX / kHalfSize, uy = view.dScaleY / kHalfSize;
    const QRectF band(view.iCenterX - kHalfSize + 13, view.iCenterY - kHalfSize + 13, 2 * kHalfSize - 6,
                      2 * kHalfSize - 6);
    std::vector<std::vector<QPointF>> runs(1);
    const auto add = [&](QPointF p) {
        if (!band.contains(p)) {
            if (!runs.back().empty())
                runs.emplace_back();
            return;
        }
        if (!runs.back().empty() && QLineF(runs.back().back(), p).length() > 30)
            runs.emplace_back();
        runs.back().push_back(p);
    };
    if (view.bPolar) {
        for (double t = -std::numbers::pi; t <= std::numbers::pi; t += 0.0005) {
            const double r = f(t);
            add({view.iCenterX + (std::cos(t) * r - view.dOriginX) / ux,
                 view.iCenterY - (std::sin(t) * r - view.dOriginY) / uy});
        }
    } else {
        for (double px = -kHalfSize; px <= kHalfSize + 10; px += 0.25) {
            const double x = view.dOriginX + px * ux;
            add({view.iCenterX + px, view.iCenterY - (f(x) - view.dOriginY) / uy});
        }
    }
    return runs;
}

bool CheckCurve(const QImage& shot, const View& view, const Curve& curve)
{
    const auto& f = kCurves.at(curve.strName);
    const auto runs = f ? CurvePath(view, f) : std::vector<std::vector<QPointF>>{};
    const auto isMine = [&](QRgb p) { return IsColour(p, curve.colour); };

    // Along the path: the colour close to points 8 pixels apart.
    int iHits = 0, iPoints = 0;
    for (const auto& run : runs) {
        std::optional<QPointF> last;
        for (const QPointF& p : run) {
            if (last && QLineF(*last, p).length() < 8)
                continue;
            last = p;
            ++iPoints;
            const QPoint c = p.toPoint();
            iHits += CountIn(shot, QRect(c - QPoint(3, 3), QSize(7, 7)), isMine) > 0 ? 1 : 0;
        }
    }

    // Away from the path: hardly any of the colour inside the square, apart
    // from the legends at its bottom-left.
    QImage mask(shot.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setPen(QPen(Qt::white, 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const auto& run : runs)
            if (run.size() > 1)
                painter.drawPolyline(run.data(), int(run.size()));
            else if (run.size() == 1)
                painter.drawPoint(run.front());
        painter.fillRect(QRect(view.iCenterX - kHalfSize - 20, view.iCenterY + kHalfSize - 70, 260, 90), Qt::white);
    }
    int iInside = 0, iStray = 0;
    const QRect square(view.iCenterX - kHalfSize + 10, view.iCenterY - kHalfSize + 10, 2 * kHalfSize, 2 * kHalfSize);
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x)
            if (shot.rect().contains(x, y) && isMine(shot.pixel(x, y))) {
                ++iInside;
                iStray += qGray(mask.pixel(x, y)) == 0 ? 1 : 0;
            }

    std::printf("curve %s #%06x: %d of %d points on the path, %d of %d pixels of its colour off the path\n",
                curve.strName.c_str(), curve.colour & 0xffffff, iHits, iPoints, iStray, iInside);
    if (!f)
        return iStray == 0;
    return iPoints >= 8 && iHits * 100 >= iPoints * 85 && iStray * 100 <= std::max(iInside, 1) * 3;
}

// A trace's ring, 5 pixels round the point, in the traced curve's colour.
bool CheckTraceRing(const QImage& shot, const View& view, QPointF world, QRgb colour)
{
    const QPointF at(view.iCenterX + (world.x() - view.dOriginX) * kHalfSize / view.dScaleX,
                     view.iCenterY - (world.y() - view.dOriginY) * kHalfSize / view.dScaleY);
    int iFound = 0;
    const int iTotal = 16;
    for (int i = 0; i < iTotal; ++i) {
        const double a = i * 2 * std::numbers::pi / iTotal;
        const QPoint p = (at + 5 * QPointF(std::cos(a), std::sin(a))).toPoint();
        iFound += CountIn(shot, QRect(p - QPoint(1, 1), QSize(3, 3)), [&](QRgb c) { return IsColour(c, colour); })
            > 0;
    }
    std::printf("trace ring at (%g,%g) #%06x: %d of %d points\n", world.x(), world.y(), colour & 0xffffff, iFound,
                iTotal);
    return iFound >= iTotal - 2;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // run it with QT_QPA_PLATFORM=offscreen
    if (argc < 11) {
        std::fprintf(stderr, "usage: screencheck SHOT LEFT TOP WIDTH HEIGHT rect|polar OX OY SX SY RRGGBB:NAME...\n");
        return 2;
    }
    const QImage screen = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QRect window(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (screen.isNull() || !screen.rect().contains(window)) {
        std::fprintf(stderr, "no screenshot, or the window is not on it\n");
        return 2;
    }
    const QImage shot = screen.copy(window);

    View view;
    view.bPolar = std::string(argv[6]) == "polar";
    view.dOriginX = std::atof(argv[7]);
    view.dOriginY = std::atof(argv[8]);
    view.dScaleX = std::atof(argv[9]);
    view.dScaleY = std::atof(argv[10]);
    std::vector<Curve> curves;
    std::optional<std::pair<QPointF, QRgb>> ring;
    for (int i = 11; i < argc; ++i) {
        const std::string strArg = argv[i];
        double dX = 0, dY = 0;
        unsigned int ringRgb = 0;
        if (std::sscanf(argv[i], "ring:%lf:%lf:%6x", &dX, &dY, &ringRgb) == 3) {
            ring.emplace(QPointF(dX, dY), qRgb(int(ringRgb >> 16), int(ringRgb >> 8 & 0xff), int(ringRgb & 0xff)));
            continue;
        }
        const std::size_t iColon = strArg.find(':');
        if (iColon != 6 || !kCurves.count(strArg.substr(7))) {
            std::fprintf(stderr, "bad curve %s\n", argv[i]);
            return 2;
        }
        const unsigned long rgb = std::stoul(strArg.substr(0, 6), nullptr, 16);
        curves.push_back({qRgb(int(rgb >> 16), int(rgb >> 8 & 0xff), int(rgb & 0xff)), strArg.substr(7)});
    }

    bool bPass = FindAxes(shot, view);
    if (bPass) {
        bPass = CheckLabels(shot, view);
        if (view.bPolar)
            bPass = CheckRing(shot, view) && bPass;
        for (const Curve& curve : curves)
            bPass = CheckCurve(shot, view, curve) && bPass;
        if (ring)
            bPass = CheckTraceRing(shot, view, ring->first, ring->second) && bPass;
    }
    std::printf("%s\n", bPass ? "PASS" : "FAIL");
    return bPass ? 0 : 1;
}
