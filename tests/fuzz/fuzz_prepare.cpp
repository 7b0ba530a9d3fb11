// A typed expression on its way into the list and onto the graph: the
// bracket check, the normaliser, the bracket check again, then evaluation of
// the bracketed entry at a few points, as a curve would.
#include "ExpressionPrep.h"
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

    // The normaliser never unbalances a text the bracket check took.
    const std::string strEntry = CheckBrackets(OptimizeExpression(strTyped));
    if (strEntry.empty())
        std::abort();

    std::string strExpression = "(" + strEntry + ")";
    clsMath objMath;
    for (const double dX : {-10.0, -0.5, 0.0, 1.0, 3.75}) {
        objMath.bErrorStatus = false;
        const double dY = objMath.Evaluate(strExpression, dX);
        if (!objMath.bErrorStatus && !std::isfinite(dY))
            std::abort();
    }
    return 0;
}
