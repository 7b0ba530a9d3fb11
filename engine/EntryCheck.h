#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// The check an expression passes before it enters the list: it finds the
// first place where the evaluator would read the text differently from the
// usual mathematical reading, so that such a text is refused with a word
// instead of being drawn wrong. The evaluator's rules stay as they are: an
// unknown name is worth 0, a trailing operator is ignored, side-by-side
// groups are added, an operator followed by a sign is replaced by the sign.
// The check only finds the places where those rules would come into play.
//
// Accepted: numbers ("2", ".5", "1e3"), x, pi, the function names in any case
// directly before their bracket, the six operators between operands, a sign
// at the start of a bracket or after "+", and powers read left to right
// ("2^3^2" is 64).

enum class EntryProblem : unsigned char {
    None,
    EmptyExpression,         // nothing but spaces
    UnbalancedBrackets,      // a ")" without its "("
    EmptyGroup,              // "()"
    UnknownName,             // "srt(x)", "e^x", "X"
    FunctionWithoutArgument, // "sin" not followed by a bracket, or "sin ()"
    MalformedOperand,        // "3.5.1", "pix", "x2", "5 x"
    SignedExponent,          // "2.5e-1": the sign after "e" is an operator
    NumberOutOfRange,        // "1e400"
    UnknownCharacter,        // "×", ",", "="
    OperatorWithoutLeft,     // "*" at the start of a bracket
    OperatorWithoutRight,    // "+" at the end or before ")"
    DoubledOperator,         // "*/", "+*"
    SignAfterOperator,       // "*-", "^-", "--"
    MissingOperator,         // ")(", ")x", "x(", "sin (x)cos (x)"
};

struct EntryFinding {
    EntryProblem problem = EntryProblem::None;
    std::size_t iStart = 0;  // where the problem lies in the checked text, in bytes
    std::size_t iLength = 0; // how many bytes it covers
    std::string strFound;    // those bytes, as written
    std::string strInstead;  // what to write instead; empty when there is no one clear choice
};

// Checks a list entry (balanced brackets, as the expression list shows it).
// Takes time in proportion to the length of the text.
EntryFinding FindMisreading(std::string_view strEntry);

// Where a span of the prepared text lies in the text as typed, given that
// preparing only inserted characters (the normaliser's "*", brackets and
// spaces, and the closing brackets added at the end): the typed characters
// that ended up in the span, or, when all of it was inserted, an empty span
// at the place of the insertion. Positions and lengths in bytes.
std::pair<std::size_t, std::size_t> TypedSpan(std::string_view strTyped, std::string_view strPrepared,
                                              std::size_t iStart, std::size_t iLength);
