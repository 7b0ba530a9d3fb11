// Timing of clsMath::Evaluate at the calling pattern of curve plotting.
//
// A curve is one expression text evaluated at 400 consecutive x values
// (-10 to 9.95 in steps of 0.05), always through the same std::string
// variable: the first call prepares the text in place, the other 399 see the
// prepared form. Each benchmark iteration is one such curve, so the text is
// reset to its typed form at the start of every iteration.
//
// Every expression is timed four ways, side by side:
//   <name>/velmora      clsMath::Evaluate, as the graph window calls it.
//   <name>/mu_compiled  muparser, SetExpr once, then Eval() per x (its
//                       bytecode is built on the first Eval and reused).
//   <name>/mu_reparse   muparser, SetExpr + Eval() per x. This is the fair
//                       peer of our evaluator, which reads the text on every
//                       call. SetExpr always discards the bytecode, but to
//                       rule out any caching of an unchanged text the calls
//                       alternate between the text and the text with one
//                       trailing space. Same parser object throughout.
//   <name>/native       a hand-written C++ lambda: the floor.
//
// Before anything is timed, our evaluator, muparser and the lambda must agree
// (1e-12 relative at a few chosen x, and loosely over the whole curve). If
// they do not, the program stops with a message and exit code 1.
//
// Besides Google Benchmark's own output, each run reports items (= single
// evaluations) per second and a counter "ns_per_eval" (CPU time), our
// evaluator's runs also "ns_per_char" (ns_per_eval divided by the length of
// the prepared text, which is what the evaluator reads), and a summary table
// is printed at the end.
//
// normalise/<family>/<length> times OptimizeExpression, the rewriting of a
// typed entry, on the inputs that cost it most, at lengths that double up to
// the longest text the program takes. Each run reports "ns_per_char", which
// stays flat when the time is linear in the length, and each family ends
// with Google Benchmark's fitted O(N) coefficient and its RMS error.
// entrycheck/<family>/<length> times FindMisreading on what the normaliser
// made of the same texts, which is what the check reads.
//
// points/samples10 finds every point of interest (roots, extremes,
// crossings) of the first ten shipped samples between -10 and 10, four
// samples to each of the graph picture's 475 pixel columns.

#include "EntryCheck.h"
#include "PointsOfInterest.h"
#include "ExpressionPrep.h"
#include "clsMath.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int kPoints = 400;
constexpr double kXFirst = -10.0;
constexpr double kXStep = 0.05;

const std::vector<double>& CurveXs()
{
    static const std::vector<double> xs = [] {
        std::vector<double> v(kPoints);
        for (int i = 0; i < kPoints; ++i)
            v[i] = kXFirst + i * kXStep;
        return v;
    }();
    return xs;
}

enum Kind { kVelmora, kMuCompiled, kMuReparse, kNative, kKindCount };
constexpr const char* kKindSuffix[kKindCount] = {"velmora", "mu_compiled", "mu_reparse", "native"};

struct Expression {
    std::string label;
    std::string ours;     // our language, with the caller's outer brackets
    std::string muparser; // the same expression in muparser's syntax
    std::size_t preparedLength = 0; // of `ours` once our evaluator has prepared it
};

std::vector<Expression> gExpressions;
std::map<std::string, std::pair<std::size_t, Kind>> gBenchmarkSlot; // benchmark name -> table cell

void SetPerEvalCounters(benchmark::State& state)
{
    const double evaluations = static_cast<double>(state.iterations()) * kPoints;
    state.SetItemsProcessed(static_cast<std::int64_t>(evaluations));
    // Rate counters are divided by the run's total CPU seconds; scaling by 1e-9
    // and inverting leaves nanoseconds per evaluation.
    state.counters["ns_per_eval"] =
        benchmark::Counter(evaluations * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void RunVelmora(benchmark::State& state, const std::string& typed)
{
    const std::vector<double>& xs = CurveXs();
    clsMath math;
    std::string text;
    text.reserve(typed.size() * 2);
    for (auto _ : state) {
        text = typed;
        for (double x : xs) {
            double y = math.Evaluate(text, x);
            benchmark::DoNotOptimize(y);
        }
    }
    SetPerEvalCounters(state);
    const double characters = static_cast<double>(state.iterations()) * kPoints * static_cast<double>(text.size());
    state.counters["ns_per_char"] =
        benchmark::Counter(characters * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void RunMuCompiled(benchmark::State& state, const std::string& expr)
{
    const std::vector<double>& xs = CurveXs();
    try {
        mu::Parser parser;
        double xVar = 0;
        parser.DefineVar("x", &xVar);
        parser.SetExpr(expr);
        parser.Eval(); // builds the bytecode outside the timed loop
        for (auto _ : state) {
            for (double x : xs) {
                xVar = x;
                double y = parser.Eval();
                benchmark::DoNotOptimize(y);
            }
        }
    } catch (const mu::Parser::exception_type& e) {
        state.SkipWithError(e.GetMsg().c_str());
        return;
    }
    SetPerEvalCounters(state);
}

void RunMuReparse(benchmark::State& state, const std::string& expr)
{
    const std::vector<double>& xs = CurveXs();
    const std::string forms[2] = {expr, expr + " "};
    try {
        mu::Parser parser;
        double xVar = 0;
        parser.DefineVar("x", &xVar);
        for (auto _ : state) {
            for (int i = 0; i < kPoints; ++i) {
                xVar = xs[i];
                parser.SetExpr(forms[i & 1]);
                double y = parser.Eval();
                benchmark::DoNotOptimize(y);
            }
        }
    } catch (const mu::Parser::exception_type& e) {
        state.SkipWithError(e.GetMsg().c_str());
        return;
    }
    SetPerEvalCounters(state);
}

template <class F>
void RunNative(benchmark::State& state, F f)
{
    const std::vector<double>& xs = CurveXs();
    for (auto _ : state) {
        for (double x : xs) {
            double y = f(x);
            benchmark::DoNotOptimize(y);
        }
    }
    SetPerEvalCounters(state);
}

// ---------------------------------------------------------------------------
// Agreement check

bool Close(double a, double b, double relTolerance)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    return std::fabs(a - b) <= relTolerance * std::max({std::fabs(a), std::fabs(b), 1e-300});
}

template <class F>
bool CheckAgreement(const Expression& e, F native)
{
    static constexpr double kCheckXs[] = {-7.3, -2.6, -0.45, 0.3, 1.7, 4.15, 9.2};
    bool ok = true;
    auto complain = [&](const char* what, double x, double ours, double theirs) {
        std::fprintf(stderr, "%s: %s disagree at x = %.17g: %.17g vs %.17g\n  ours:     %s\n  muparser: %s\n",
                     e.label.c_str(), what, x, ours, theirs, e.ours.c_str(), e.muparser.c_str());
        ok = false;
    };
    try {
        mu::Parser parser;
        double xVar = 0;
        parser.DefineVar("x", &xVar);
        parser.SetExpr(e.muparser);
        clsMath math;

        // Chosen points, each from the typed text (the preparing call).
        for (double x : kCheckXs) {
            std::string text = e.ours;
            const double ours = math.Evaluate(text, x);
            if (math.bErrorStatus) {
                std::fprintf(stderr, "%s: our evaluator reports an error at x = %g\n  text: %s\n", e.label.c_str(), x,
                             e.ours.c_str());
                return false;
            }
            xVar = x;
            const double mu = parser.Eval();
            if (!Close(ours, mu, 1e-12))
                complain("velmora and muparser", x, ours, mu);
            if (!Close(native(x), mu, 1e-12))
                complain("native lambda and muparser", x, native(x), mu);
            if (!ok)
                return false; // one point is enough to show the mismatch
        }

        // The whole curve as the benchmark runs it: one variable, prepared by
        // the first call and passed back unchanged afterwards. Sums of large
        // terms may cancel, so the tolerance is relative to the largest value
        // on the curve.
        std::string text = e.ours;
        double scale = 1;
        std::vector<double> ours(kPoints), mu(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            const double x = CurveXs()[i];
            ours[i] = math.Evaluate(text, x);
            if (math.bErrorStatus) {
                std::fprintf(stderr, "%s: our evaluator reports an error at x = %g (prepared text: %s)\n",
                             e.label.c_str(), x, text.c_str());
                return false;
            }
            xVar = x;
            mu[i] = parser.Eval();
            scale = std::max({scale, std::fabs(ours[i]), std::fabs(mu[i])});
        }
        for (int i = 0; i < kPoints && ok; ++i) {
            if (!(std::fabs(ours[i] - mu[i]) <= 1e-12 * scale))
                complain("velmora (prepared text) and muparser", CurveXs()[i], ours[i], mu[i]);
        }
    } catch (const mu::Parser::exception_type& ex) {
        std::fprintf(stderr, "%s: muparser rejects \"%s\": %s\n", e.label.c_str(), e.muparser.c_str(),
                     ex.GetMsg().c_str());
        return false;
    }
    return ok;
}

// Checks one expression and registers its four benchmarks. Returns false when
// the implementations disagree.
template <class F>
bool AddExpression(std::string label, std::string ours, std::string muparser, F native)
{
    std::string prepared = ours;
    clsMath math;
    math.Evaluate(prepared, 0.0);
    gExpressions.push_back({std::move(label), std::move(ours), std::move(muparser), prepared.size()});
    const std::size_t index = gExpressions.size() - 1;
    const Expression& e = gExpressions[index];
    if (!CheckAgreement(e, native))
        return false;

    auto name = [&](Kind k) {
        std::string n = e.label + "/" + kKindSuffix[k];
        gBenchmarkSlot[n] = {index, k};
        return n;
    };
    benchmark::RegisterBenchmark(name(kVelmora).c_str(), [t = e.ours](benchmark::State& s) { RunVelmora(s, t); });
    benchmark::RegisterBenchmark(name(kMuCompiled).c_str(),
                                 [t = e.muparser](benchmark::State& s) { RunMuCompiled(s, t); });
    benchmark::RegisterBenchmark(name(kMuReparse).c_str(),
                                 [t = e.muparser](benchmark::State& s) { RunMuReparse(s, t); });
    benchmark::RegisterBenchmark(name(kNative).c_str(), [native](benchmark::State& s) { RunNative(s, native); });
    return true;
}

bool RegisterAll()
{
    bool ok = true;
    ok &= AddExpression("poly", "(2*(x^2)+(3*x)-5)", "2*x^2+3*x-5", [](double x) { return 2 * x * x + 3 * x - 5; });
    ok &= AddExpression("sin_sum", "(sin (x)+2*sin (x+1))", "sin(x)+2*sin(x+1)",
                        [](double x) { return std::sin(x) + 2 * std::sin(x + 1); });
    ok &= AddExpression("x_sin", "(x*sin (x))", "x*sin(x)", [](double x) { return x * std::sin(x); });
    ok &= AddExpression("gauss_cos", "(exp (-(x^2)/2)*cos (3*x))", "exp(-(x^2)/2)*cos(3*x)",
                        [](double x) { return std::exp(-(x * x) / 2) * std::cos(3 * x); });
    ok &= AddExpression("sqrt_ln", "(sqrt (abs (x))*ln (x^2+1))", "sqrt(abs(x))*ln(x^2+1)",
                        [](double x) { return std::sqrt(std::fabs(x)) * std::log(x * x + 1); });
    // Twenty terms. Signs only ever stand between terms, never after another
    // operator, so both languages read them the same way.
    ok &= AddExpression(
        "sum20",
        "(1+(2*x)+(3*(x^2))-(0.5*(x^3))+sin (x)+(4*cos (x))-(x/3)+(0.25*(x^4))+exp (x/10)+(2*sin (2*x))"
        "+sqrt (x^2+1)-(1.5*x)+(x*cos (x))+ln (x^2+2)+(7/(x^2+1))-abs (x)+(0.1*(x^5)/7)+(x^2/4)+tan (x/20)-8)",
        "1+2*x+3*x^2-0.5*x^3+sin(x)+4*cos(x)-x/3+0.25*x^4+exp(x/10)+2*sin(2*x)"
        "+sqrt(x^2+1)-1.5*x+x*cos(x)+ln(x^2+2)+7/(x^2+1)-abs(x)+0.1*x^5/7+x^2/4+tan(x/20)-8",
        [](double x) {
            const double x2 = x * x;
            return 1 + 2 * x + 3 * x2 - 0.5 * (x2 * x) + std::sin(x) + 4 * std::cos(x) - x / 3 +
                   0.25 * (x2 * x2) + std::exp(x / 10) + 2 * std::sin(2 * x) + std::sqrt(x2 + 1) - 1.5 * x +
                   x * std::cos(x) + std::log(x2 + 2) + 7 / (x2 + 1) - std::fabs(x) + 0.1 * (x2 * x2 * x) / 7 +
                   x2 / 4 + std::tan(x / 20) - 8;
        });
    return ok;
}

// ---------------------------------------------------------------------------
// The normaliser on long texts

// Texts of about `length` characters made of one part repeated, then a tail.
std::string RepeatedText(std::string_view part, std::string_view tail, std::size_t length)
{
    std::string text;
    while (text.size() + part.size() + tail.size() <= length)
        text += part;
    text += tail;
    return text;
}

void RunNormalise(benchmark::State& state, std::string_view part, std::string_view tail, bool bCheck)
{
    // The normaliser's tables take 8 bytes per character each, and from 128
    // KiB on glibc would map fresh pages for them on every call and hand them
    // back afterwards: the page faults would put a step into the time per
    // character (near 8,000 or 16,000 characters, by family) that belongs to
    // the allocator, not to the normaliser. Blocks of the sizes these texts
    // need stay in the heap instead. (The evaluator's benchmarks, registered
    // first, run before this is set.)
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);

    const std::string typed = RepeatedText(part, tail, static_cast<std::size_t>(state.range(0)));
    const std::string text = bCheck ? OptimizeExpression(typed) : typed;
    for (auto _ : state) {
        if (bCheck) {
            EntryFinding finding = FindMisreading(text);
            benchmark::DoNotOptimize(finding);
        } else {
            std::string result = OptimizeExpression(text);
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(text.size()));
    const double characters = static_cast<double>(state.iterations()) * static_cast<double>(text.size());
    state.counters["ns_per_char"] = benchmark::Counter(characters * 1e-9,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void RegisterNormalise()
{
    struct Family {
        const char* name;
        std::string_view part;
        std::string_view tail;
    };
    // Names without brackets, each bracketing the rest of the text; a "*"
    // written after every x, with every coefficient bracketed in a product
    // or a sum; bracketed names nested as deep as the length allows.
    static constexpr Family kFamilies[] = {
        {"sinsin_x", "sin", "x"},
        {"xxx", "x", ""},
        {"2x2x", "2x", ""},
        {"2x_plus", "2x+", "1"},
        {"sin_bracket_nested", "sin (", "x"},
    };
    for (const bool bCheck : {false, true}) {
        for (const Family& family : kFamilies) {
            benchmark::RegisterBenchmark(
                (std::string(bCheck ? "entrycheck/" : "normalise/") + family.name).c_str(),
                [family, bCheck](benchmark::State& s) { RunNormalise(s, family.part, family.tail, bCheck); })
                ->RangeMultiplier(2)
                ->Range(4096, static_cast<std::int64_t>(kMaxExpressionLength) - 3)
                ->Unit(benchmark::kMicrosecond)
                ->Complexity(benchmark::oN);
        }
    }
}

// ---------------------------------------------------------------------------
// Points of interest

void PointsOfSamples(benchmark::State& state)
{
    static constexpr const char* kSamples[] = {"sin(x)", "cos(x)",         "tan(x)",       "x^2", "x^3-(3*x)",
                                               "(x^2)/4-2", "sqrt(abs(x))", "1/x", "abs(x)-3", "ln(abs(x))"};
    for (auto _ : state) {
        std::vector<CurveFunction> curves;
        for (const char* pszSample : kSamples)
            curves.push_back(EntryCurve(pszSample));
        const std::vector<PointOfInterest> points = FindPointsOfInterest(curves, -10, 10, 4 * 475);
        state.counters["points"] = static_cast<double>(points.size());
    }
}

// ---------------------------------------------------------------------------
// Summary

// Prints the usual console output and keeps the per-evaluation time of every
// run for the table at the end.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& reports) override
    {
        // ns_per_eval and ns_per_char are already in nanoseconds; shown with
        // their rate flags the console would print them with a seconds unit.
        std::vector<Run> shown = reports;
        for (Run& run : shown) {
            for (const char* perUnit : {"ns_per_eval", "ns_per_char"}) {
                auto it = run.counters.find(perUnit);
                if (it != run.counters.end())
                    it->second.flags = benchmark::Counter::kDefaults;
            }
        }
        ConsoleReporter::ReportRuns(shown);

        for (const Run& run : reports) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration) {
                samples_[name].push_back(NsPerEval(run));
            } else if (run.aggregate_name == "median") {
                medians_[name] = NsPerEval(run);
            }
        }
    }

    void PrintSummary() const
    {
        std::vector<std::array<double, kKindCount>> cell(gExpressions.size());
        bool any = false;
        for (auto& row : cell)
            row.fill(-1.0);
        for (const auto& [name, slot] : gBenchmarkSlot) {
            const double ns = Value(name);
            if (ns >= 0) {
                cell[slot.first][slot.second] = ns;
                any = true;
            }
        }
        if (!any)
            return;

        std::printf("\nPer-evaluation CPU time in ns (%d x values per curve, x from %g in steps of %g); the last\n"
                    "column divides our time by the length of the prepared text\n",
                    kPoints, kXFirst, kXStep);
        std::printf("%-10s %10s %12s %11s %9s %12s %12s %12s\n", "expression", "velmora", "mu_compiled", "mu_reparse",
                    "native", "vel/mu_comp", "vel/mu_rep", "vel_per_char");
        // A time with the given decimals, or "-" when there is none.
        auto num = [](double v, int iDecimals = 1) {
            char buf[32];
            if (v < 0)
                std::snprintf(buf, sizeof buf, "-");
            else
                std::snprintf(buf, sizeof buf, "%.*f", iDecimals, v);
            return std::string(buf);
        };
        auto ratio = [](double a, double b) {
            char buf[32];
            if (a < 0 || b <= 0)
                std::snprintf(buf, sizeof buf, "-");
            else
                std::snprintf(buf, sizeof buf, a / b >= 1 ? "%.2fx" : "%.3gx", a / b);
            return std::string(buf);
        };
        std::vector<std::size_t> shown;
        for (std::size_t i = 0; i < gExpressions.size(); ++i) {
            const auto& c = cell[i];
            if (c[kVelmora] < 0 && c[kMuCompiled] < 0 && c[kMuReparse] < 0 && c[kNative] < 0)
                continue;
            shown.push_back(i);
            const double perChar = c[kVelmora] < 0 ? -1.0 : c[kVelmora] / static_cast<double>(gExpressions[i].preparedLength);
            std::printf("%-10s %10s %12s %11s %9s %12s %12s %12s\n", gExpressions[i].label.c_str(),
                        num(c[kVelmora]).c_str(), num(c[kMuCompiled]).c_str(), num(c[kMuReparse]).c_str(),
                        num(c[kNative]).c_str(), ratio(c[kVelmora], c[kMuCompiled]).c_str(),
                        ratio(c[kVelmora], c[kMuReparse]).c_str(), num(perChar, 2).c_str());
        }
        std::printf("\nExpressions (ours | muparser):\n");
        for (std::size_t i : shown) {
            const Expression& e = gExpressions[i];
            std::printf("  %-10s %s\n  %-10s %s\n", e.label.c_str(), e.ours.c_str(), "", e.muparser.c_str());
        }
        std::fflush(stdout);
    }

private:
    static double NsPerEval(const Run& run)
    {
        const double perIteration = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        return perIteration * 1e9 / kPoints;
    }

    // Median of the repetitions (Google Benchmark's own median when only
    // aggregates were reported); -1 when the benchmark did not run.
    double Value(const std::string& name) const
    {
        if (auto it = medians_.find(name); it != medians_.end())
            return it->second;
        auto it = samples_.find(name);
        if (it == samples_.end() || it->second.empty())
            return -1;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }

    std::map<std::string, std::vector<double>> samples_;
    std::map<std::string, double> medians_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!RegisterAll()) {
        std::fprintf(stderr, "The implementations disagree; nothing was timed.\n");
        return 1;
    }
    RegisterNormalise();
    benchmark::RegisterBenchmark("points/samples10", PointsOfSamples)->Unit(benchmark::kMillisecond);
    SummaryReporter reporter(isatty(fileno(stdout)) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                    : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
