// The evaluator on any text at any x. The first eight bytes are the value of
// x; the rest is the expression text, handed over exactly as it comes. The
// result must be what the evaluator's rules, read plainly, give.
#include "ReferenceEvaluator.h"
#include "clsMath.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double))
        return 0;
    double dX = 0.0;
    std::memcpy(&dX, data, sizeof dX);
    std::string strText(reinterpret_cast<const char*>(data) + sizeof dX, size - sizeof dX);

    clsMath objMath;
    const double dFirst = objMath.Evaluate(strText, dX);
    const bool bFirstError = objMath.bErrorStatus;
    // A value without an error is always a finite number.
    if (!bFirstError && !std::isfinite(dFirst))
        std::abort();

    // Curves hand the prepared text back for every point: it must stay as it
    // is and give the same answer.
    const std::string strPrepared = strText;
    clsMath objAgain;
    const double dSecond = objAgain.Evaluate(strText, dX);
    if (strText != strPrepared || objAgain.bErrorStatus != bFirstError)
        std::abort();
    if (!bFirstError && std::memcmp(&dFirst, &dSecond, sizeof dFirst) != 0)
        std::abort();

    // The rules read plainly agree, bit for bit. The plain reading recurses
    // once per bracket and inserts one bracket at a time, so it is asked
    // only about texts of a few thousand characters.
    const std::string strOriginal(reinterpret_cast<const char*>(data) + sizeof dX, size - sizeof dX);
    if (strOriginal.size() > 4096)
        return 0;
    const ReferenceEvaluator::Result expected = ReferenceEvaluator::Evaluate(strOriginal, dX);
    if (expected.bError != bFirstError)
        std::abort();
    if (expected.strPrepared.size() <= ReferenceEvaluator::kLongestText && expected.strPrepared != strPrepared)
        std::abort();
    if (!bFirstError && std::memcmp(&dFirst, &expected.dValue, sizeof dFirst) != 0)
        std::abort();
    return 0;
}
