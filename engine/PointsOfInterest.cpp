#include "PointsOfInterest.h"

#include "clsMath.h"

#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Sample {
    double x;
    double y;
};

std::vector<Sample> Samples(const CurveFunction& f, double dStart, double dEnd, int iSamples)
{
    std::vector<Sample> samples;
    samples.reserve(static_cast<std::size_t>(iSamples) + 1);
    for (int i = 0; i <= iSamples; ++i) {
        const double x = i == iSamples ? dEnd : dStart + (dEnd - dStart) * i / iSamples;
        samples.push_back({x, f(x)});
    }
    return samples;
}

// Where g, whose values at a and b have opposite signs, is zero: to
// neighbouring doubles. Nothing when the value there does not vanish (a pole
// or a jump between a and b) or g has no value there.
std::optional<double> RefineRoot(const CurveFunction& g, double a, double ga, double b, double gb)
{
    std::uintmax_t iterations = 200;
    std::pair<double, double> bracket;
    try {
        bracket = boost::math::tools::toms748_solve(
            g, a, b, ga, gb, boost::math::tools::eps_tolerance<double>(std::numeric_limits<double>::digits), iterations);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    const double g1 = g(bracket.first);
    const double g2 = g(bracket.second);
    const bool bFirst = std::fabs(g1) <= std::fabs(g2);
    const double x = bFirst ? bracket.first : bracket.second;
    const double gx = bFirst ? g1 : g2;
    if (!std::isfinite(gx))
        return std::nullopt;
    // A root makes the value vanish; across a pole or a jump it stays large.
    const double scale = std::max(std::fabs(ga), std::fabs(gb));
    if (std::fabs(gx) > 1e-9 * scale)
        return std::nullopt;
    return x;
}

// The roots of g (a curve, or the difference of two) met by the samples.
std::vector<double> Roots(const CurveFunction& g, const std::vector<Sample>& samples)
{
    std::vector<double> roots;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        if (s.y == 0) {
            roots.push_back(s.x);
            continue;
        }
        if (i + 1 == samples.size())
            break;
        const Sample& t = samples[i + 1];
        if (std::isfinite(s.y) && std::isfinite(t.y) && t.y != 0 && (s.y < 0) != (t.y < 0)) {
            if (const std::optional<double> root = RefineRoot(g, s.x, s.y, t.x, t.y))
                roots.push_back(*root);
        }
    }
    return roots;
}

// The local minima (bMinimum) or maxima of f met by the samples, each with
// its value: three samples where the middle one is lowest (highest) bracket
// one, which Brent's method then finds. One whose value runs off far beyond
// the samples around it is a pole, not an extreme.
std::vector<std::pair<double, double>> Extremes(const CurveFunction& f, const std::vector<Sample>& samples,
                                                bool bMinimum)
{
    std::vector<std::pair<double, double>> extremes;
    const double sign = bMinimum ? 1.0 : -1.0;
    const auto g = [&](double x) {
        const double y = f(x);
        return std::isfinite(y) ? sign * y : std::numeric_limits<double>::infinity();
    };
    for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
        const double y0 = sign * samples[i - 1].y, y1 = sign * samples[i].y, y2 = sign * samples[i + 1].y;
        if (!std::isfinite(y0) || !std::isfinite(y1) || !std::isfinite(y2) || !(y1 < y0 && y1 <= y2))
            continue;
        const auto [x, gx] = boost::math::tools::brent_find_minima(g, samples[i - 1].x, samples[i + 1].x,
                                                                   std::numeric_limits<double>::digits / 2);
        const double steps = std::max(y0 - y1, y2 - y1);
        if (!std::isfinite(gx) || y1 - gx > 2 * steps)
            continue;
        extremes.emplace_back(x, sign * gx);
    }
    return extremes;
}

// Whether a root lies where another one already is (a touching root found
// both as a sample and as an extreme).
bool Near(const std::vector<PointOfInterest>& points, PointKind kind, std::size_t iCurve, double x)
{
    return std::any_of(points.begin(), points.end(), [&](const PointOfInterest& p) {
        return p.kind == kind && p.iCurve == iCurve && std::fabs(p.dX - x) <= 1e-7 * std::max(1.0, std::fabs(x));
    });
}

void AddCurvePoints(std::vector<PointOfInterest>& points, const CurveFunction& f, std::size_t iCurve,
                    const std::vector<Sample>& samples)
{
    for (const double x : Roots(f, samples))
        points.push_back({PointKind::Root, x, 0.0, iCurve});
    for (const bool bMinimum : {true, false}) {
        for (const auto& [x, y] : Extremes(f, samples, bMinimum)) {
            points.push_back({bMinimum ? PointKind::Minimum : PointKind::Maximum, x, y, iCurve});
            // Touching zero there: a root that no sign change shows.
            if (std::fabs(y) <= 1e-12 && !Near(points, PointKind::Root, iCurve, x))
                points.push_back({PointKind::Root, x, 0.0, iCurve});
        }
    }
}

} // namespace

namespace {

// The points of the curves from iFirst to before iLast, and their crossings
// with every curve after them (with every other curve when bEveryOther).
std::vector<PointOfInterest> FindPoints(const std::vector<CurveFunction>& curves, std::size_t iFirst,
                                        std::size_t iLast, bool bEveryOther, double dStart, double dEnd,
                                        int iSamples)
{
    std::vector<PointOfInterest> points;
    if (!(dStart < dEnd) || iSamples < 2)
        return points;
    std::vector<std::vector<Sample>> samples;
    for (const CurveFunction& f : curves)
        samples.push_back(Samples(f, dStart, dEnd, iSamples));
    for (std::size_t c = iFirst; c < iLast; ++c) {
        AddCurvePoints(points, curves[c], c, samples[c]);
        for (std::size_t d = bEveryOther ? 0 : c + 1; d < curves.size(); ++d) {
            if (d == c)
                continue;
            const auto difference = [&](double x) { return curves[c](x) - curves[d](x); };
            std::vector<Sample> gaps = samples[c];
            for (std::size_t i = 0; i < gaps.size(); ++i)
                gaps[i].y -= samples[d][i].y;
            for (const double x : Roots(difference, gaps))
                points.push_back({PointKind::Intersection, x, curves[c](x), c, d});
        }
    }
    std::stable_sort(points.begin(), points.end(), [](const PointOfInterest& a, const PointOfInterest& b) {
        return a.iCurve != b.iCurve ? a.iCurve < b.iCurve : a.dX < b.dX;
    });
    return points;
}

} // namespace

std::vector<PointOfInterest> FindPointsOfInterest(const std::vector<CurveFunction>& curves, double dStart, double dEnd,
                                                  int iSamples)
{
    return FindPoints(curves, 0, curves.size(), false, dStart, dEnd, iSamples);
}

std::vector<PointOfInterest> FindPointsOfInterestOf(const std::vector<CurveFunction>& curves, std::size_t iCurve,
                                                    double dStart, double dEnd, int iSamples)
{
    if (iCurve >= curves.size())
        return {};
    return FindPoints(curves, iCurve, iCurve + 1, true, dStart, dEnd, iSamples);
}

CurveFunction EntryCurve(const std::string& strEntry)
{
    // One evaluator and one prepared text for all the curve's points.
    auto math = std::make_shared<clsMath>();
    auto text = std::make_shared<std::string>("(" + strEntry + ")");
    return [math, text](double x) {
        math->bErrorStatus = false;
        const double y = math->Evaluate(*text, x);
        return math->bErrorStatus ? kNaN : y;
    };
}
