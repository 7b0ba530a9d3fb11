// A typed expression on its way into the list and onto the graph: the
// bracket check, the normaliser, the bracket check again, the entry check,
// then evaluation of the bracketed entry at a few points, as a curve would.
// The normaliser must write exactly what its plain, quadratic form in
// ReferenceNormaliser.h writes, and FitsEvaluator must foretell whether the
// evaluator takes the entry.
#include "EntryCheck.h"
#include "ExpressionPrep.h"
#include "ReferenceNormaliser.h"
#include "clsMath.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view strTyped(reinterpret_cast<const char*>(data), size);
    if (strTyped.size() > kMaxExpressionLength)
        return 0;

    bool bUnmatched = false;
    const std::string strChecked = CheckBrackets(strTyped, &bUnmatched);
    // Only empty text or an unmatched ")" is refused.
    if (strChecked.empty() != (strTyped.empty() || bUnmatched))
        std::abort();
    if (strChecked.empty())
        return 0;

    // The reference inserts into the text as it goes, which takes time in the
    // square of its length: it checks texts of up to 8,192 characters, a few
    // tenths of a second each, and longer ones only run the normaliser.
    const std::string strNormalised = OptimizeExpression(strTyped);
    if (strTyped.size() <= 8192 && strNormalised != ReferenceNormaliser::OptimizeExpression(strTyped))
        std::abort();

    // The normaliser never unbalances a text the bracket check took.
    const std::string strEntry = CheckBrackets(strNormalised);
    if (strEntry.empty())
        std::abort();

    // The entry check points at characters of the entry, and they come from
    // characters typed, or mark the place of an insertion.
    const EntryFinding finding = FindMisreading(strEntry);
    if (finding.problem != EntryProblem::None) {
        if (finding.iStart + finding.iLength > strEntry.size()
            || finding.strFound != strEntry.substr(finding.iStart, finding.iLength))
            std::abort();
        const auto [iStart, iLength] = TypedSpan(strTyped, strEntry, finding.iStart, finding.iLength);
        if (iStart + iLength > strTyped.size())
            std::abort();
    }

    // An entry that fits keeps its prepared text within the evaluator's
    // length; one that does not fails at every point.
    const bool bFits = FitsEvaluator(strEntry);
    std::string strExpression = "(" + strEntry + ")";
    clsMath objMath;
    for (const double dX : {-10.0, -0.5, 0.0, 1.0, 3.75}) {
        objMath.bErrorStatus = false;
        const double dY = objMath.Evaluate(strExpression, dX);
        if (!objMath.bErrorStatus && !std::isfinite(dY))
            std::abort();
        if (bFits ? strExpression.size() > kMaxExpressionLength : !objMath.bErrorStatus)
            std::abort();
    }
    return 0;
}
