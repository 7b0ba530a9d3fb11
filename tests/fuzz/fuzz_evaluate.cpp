// The evaluator on any text at any x. The first eight bytes are the value of
// x; the rest is the expression text, handed over exactly as it comes.
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
    return 0;
}
