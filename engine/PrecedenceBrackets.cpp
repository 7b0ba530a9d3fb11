#include "PrecedenceBrackets.h"

#include "ScanCharacters.h"

#include <cstddef>

namespace evaluation {

// One pass of precedence bracketing for the operators of class opClass
// (kMulDiv or kPowMod): every such operator whose left operand reaches back
// to a left stop (an operator that binds less tightly) at its own bracket
// depth gets its operands bracketed, so that it is evaluated first.
void BracketPass(std::string& t, unsigned char opClass)
{
    auto isOp = [opClass](char c) { return ClassOf(c) == opClass; };
    auto isStop = [opClass](char c) {
        const unsigned char cls = ClassOf(c);
        return cls == kAddSub || (opClass == kPowMod && cls == kMulDiv);
    };

    // Position of an earlier operator of this pass whose leftward search found
    // no stop; a search that reaches it at depth 0 can end there, because
    // everything to its left is already known to hold no stop. It keeps long
    // chains such as "x*x*x*..." linear.
    constexpr std::size_t kNone = std::string::npos;
    std::size_t known = kNone;

    for (std::size_t p = 0; p < t.size(); ++p) {
        if (!isOp(t[p]))
            continue;

        bool found = false;
        std::size_t q = p;
        std::ptrdiff_t d = 0;
        while (q > 0) {
            --q;
            if (q == known && d == 0)
                break;
            const char c = t[q];
            if (c == ')') {
                ++d;
            } else if (c == '(') {
                if (--d < 0)
                    break;
            } else if (d == 0 && isStop(c)) {
                found = true;
                break;
            }
        }
        if (!found) {
            known = p;
            continue;
        }

        t.insert(q + 1, 1, '(');
        if (known != kNone && known > q)
            ++known;
        ++p; // the operator moved one place to the right

        // The right operand ends before a stop or a closing bracket at depth 0;
        // a text whose bracket is never closed gets it at its end.
        std::size_t r = p + 1;
        std::ptrdiff_t e = 0;
        for (; r < t.size(); ++r) {
            const char c = t[r];
            if (c == '(') {
                ++e;
            } else if (c == ')') {
                if (e == 0)
                    break;
                --e;
            } else if (e == 0 && isStop(c)) {
                break;
            }
        }
        t.insert(r, 1, ')');
        known = p;
    }
}

} // namespace evaluation
