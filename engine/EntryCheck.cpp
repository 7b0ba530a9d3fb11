#include "EntryCheck.h"

#include "ExpressionPrep.h"
#include "FunctionTable.h"
#include "OperandNumber.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace {

// Longest suggestion worth showing; a longer one is left out of the message.
constexpr std::size_t kMaxSuggestion = 48;
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsOperator(char c)
{
    return c != '\0' && std::string_view("+-*/^%").find(c) != std::string_view::npos;
}
bool IsSign(char c)
{
    return c == '+' || c == '-';
}
// The evaluator removes only the space itself, not tabs or other blanks.
bool IsOperandChar(char c)
{
    return c != ' ' && c != '(' && c != ')' && !IsOperator(c);
}
bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '.';
}
char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), Lower);
    return result;
}

std::string WithoutSpaces(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c != ' '; });
    return result;
}

// The function name at the start of the text, matched as the evaluator
// matches names (in any case), longer names before their prefixes.
std::string_view FunctionNameAtStart(std::string_view text)
{
    for (std::string_view name : strFunctionNames) {
        if (text.size() >= name.size() && LowerCase(text.substr(0, name.size())) == name)
            return name;
    }
    return {};
}

// A name the evaluator applies as a function, matched as it matches them.
bool IsFunctionName(std::string_view text)
{
    return evaluation::LookupFunction(text) != nullptr;
}

// The length of the UTF-8 character that starts with byte c.
std::size_t CharacterLength(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

// What to write for characters people type from other notations.
std::string_view CharacterInstead(std::string_view ch)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kInstead{{
        {"\xC3\x97", "*"},
        {"\xC2\xB7", "*"},
        {"\xC3\xB7", "/"},
        {"\xE2\x88\x92", "-"},
        {"\xE2\x80\x93", "-"},
        {"\xCF\x80", "pi"},
        {"\xC2\xB2", "^2"},
        {"\xC2\xB3", "^3"},
        {"\xE2\x88\x9A", "sqrt"},
        {",", "."},
        {"[", "("},
        {"]", ")"},
        {"{", "("},
        {"}", ")"},
    }};
    for (const auto& [from, to] : kInstead) {
        if (ch == from)
            return to;
    }
    return {};
}

// The length of the edit distance between two short names, for suggesting
// the function a misspelt name was meant to be.
std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The function whose name is closest to a misspelt one, if one is close.
std::string_view NearestFunction(std::string_view name)
{
    if (name.size() < 2 || name.size() > 10)
        return {};
    const std::string lower = LowerCase(name);
    std::string_view best;
    std::size_t bestDistance = name.size() <= 3 ? 1 : 2;
    for (std::string_view candidate : strFunctionNames) {
        const std::size_t distance = EditDistance(lower, candidate);
        if (distance < bestDistance || (distance == bestDistance && best.empty())) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

// A plain decimal number: digits with at most one point among them, and an
// optional exponent of digits.
bool IsNumberForm(std::string_view text, bool bExponent)
{
    const char* const last = text.data() + text.size();
    const ShortNumber mantissa = ReadShortNumber(text.data(), last);
    if (mantissa.digits == 0)
        return false;
    if (mantissa.stop == last)
        return true;
    if (!bExponent || (*mantissa.stop != 'e' && *mantissa.stop != 'E') || mantissa.stop + 1 == last)
        return false;
    return std::all_of(mantissa.stop + 1, last, IsDigit);
}

// An operand split into factors written side by side ("pix" -> pi, x;
// "2sin" -> 2, sin); nothing when it does not split into two or more.
std::optional<std::vector<std::string>> SplitFactors(std::string_view text)
{
    std::vector<std::string> factors;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = 0;
        if (IsDigit(text[i]) || text[i] == '.') {
            while (i + n < text.size() && (IsDigit(text[i + n]) || text[i + n] == '.'))
                ++n;
            if (!IsNumberForm(text.substr(i, n), false))
                return std::nullopt;
        } else if (text[i] == 'x') {
            n = 1;
        } else if (text.substr(i).starts_with("pi")) {
            n = 2;
        } else {
            n = FunctionNameAtStart(text.substr(i)).size();
            if (n == 0)
                return std::nullopt;
        }
        factors.emplace_back(text.substr(i, n));
        i += n;
    }
    if (factors.size() < 2)
        return std::nullopt;
    return factors;
}

// The factors written with "*" between them; a function takes what follows
// it as its argument, or the given one when nothing follows.
std::string JoinFactors(const std::vector<std::string>& factors, std::string_view argument)
{
    std::string result;
    for (std::size_t i = 0; i < factors.size(); ++i) {
        if (IsFunctionName(factors[i])) {
            std::string rest;
            for (std::size_t j = i + 1; j < factors.size(); ++j)
                rest += (j > i + 1 ? "*" : "") + factors[j];
            return result + (i > 0 ? "*" : "") + factors[i] + (rest.empty() ? std::string(argument) : "(" + rest + ")");
        }
        result += (i > 0 ? "*" : "") + factors[i];
    }
    return result;
}

// What to write for a number whose exponent carries a sign, given the number
// up to its "e" ("2.5e"), the sign and the exponent's digits: without the
// sign when it is "+" ("4E+2" -> "4E2"), else the plain decimal number
// ("2.5e-1" -> "0.25"), or a quotient when that would be long.
std::string NumberWithoutSign(std::string_view strUpToMark, char sign, std::string_view exponent)
{
    const std::string_view mantissa = strUpToMark.substr(0, strUpToMark.size() - 1);
    if (sign == '+')
        return std::string(strUpToMark) + std::string(exponent);
    const std::string quotient = std::string(mantissa) + "/1e" + std::string(exponent);
    if (exponent.size() > 3)
        return quotient;
    std::string digits;
    std::size_t point = kNone;
    for (const char c : mantissa) {
        if (c == '.')
            point = digits.size();
        else
            digits.push_back(c);
    }
    if (point == kNone)
        point = digits.size();
    const long shifted = long(point) - std::stol(std::string(exponent));
    std::string plain = shifted <= 0
                          ? "0." + std::string(std::size_t(-shifted), '0') + digits
                          : digits.substr(0, std::size_t(shifted)) + "." + digits.substr(std::size_t(shifted));
    while (plain.back() == '0')
        plain.pop_back();
    if (plain.back() == '.')
        plain.pop_back();
    while (plain.size() > 1 && plain[0] == '0' && plain[1] != '.')
        plain.erase(0, 1);
    return plain.size() > 24 ? quotient : plain;
}

enum class TokenKind : unsigned char { Operand, Operator, Open, Close };

struct Token {
    TokenKind kind;
    std::size_t start; // first byte
    std::size_t end;   // one past the last byte that is not a space
    std::size_t match; // for brackets, the token of the other bracket of the pair
};

// The text cut into operators, brackets and operands. An operand runs on
// through spaces, since the evaluator removes them: "5 x" is one operand.
std::vector<Token> Tokens(std::string_view text)
{
    std::vector<Token> tokens;
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
        } else if (c == '(') {
            open.push_back(tokens.size());
            tokens.push_back({TokenKind::Open, i, i + 1, kNone});
            ++i;
        } else if (c == ')') {
            std::size_t match = kNone;
            if (!open.empty()) {
                match = open.back();
                open.pop_back();
                tokens[match].match = tokens.size();
            }
            tokens.push_back({TokenKind::Close, i, i + 1, match});
            ++i;
        } else if (IsOperator(c)) {
            tokens.push_back({TokenKind::Operator, i, i + 1, kNone});
            ++i;
        } else {
            std::size_t end = i;
            std::size_t j = i;
            for (; j < text.size() && (text[j] == ' ' || IsOperandChar(text[j])); ++j) {
                if (text[j] != ' ')
                    end = j + 1;
            }
            tokens.push_back({TokenKind::Operand, i, end, kNone});
            i = end;
        }
    }
    return tokens;
}

class Checker {
public:
    explicit Checker(std::string_view text)
        : m_text(text)
        , m_tokens(Tokens(text))
    {
    }

    EntryFinding Run();

private:
    enum class Place : unsigned char { GroupStart, AfterOperator, AfterTerm };

    std::string_view m_text;
    std::vector<Token> m_tokens;
    Place m_place = Place::GroupStart;
    std::size_t m_operator = kNone; // the last operator's token
    std::size_t m_termStart = 0;    // the last operand or group, with its function name
    std::size_t m_termEnd = 0;
    std::size_t m_leftStart = 0; // the term before the last operator, if any
    std::size_t m_leftEnd = 0;
    struct Group {
        std::size_t termStart; // where the group's term starts: its function name or its "("
        std::size_t open;      // the token of its "("
    };
    std::vector<Group> m_groups; // the groups still open

    std::string_view Slice(std::size_t start, std::size_t end) const { return m_text.substr(start, end - start); }
    std::string_view TokenText(std::size_t k) const { return Slice(m_tokens[k].start, m_tokens[k].end); }
    // The end of the term that starts at token k: an operand, a bracket with
    // its group, or a name with the group after it; kNone when none starts there.
    std::size_t TermEnd(std::size_t k) const;
    std::string Term(std::size_t k) const;

    EntryFinding Found(EntryProblem problem, std::size_t start, std::size_t end, std::string instead = {}) const;
    std::optional<EntryFinding> Operand(std::size_t k);
    std::optional<EntryFinding> NameBeforeGroup(std::size_t k);
    std::optional<EntryFinding> ValueOperand(std::size_t k);
    std::optional<EntryFinding> Operator(std::size_t k);
    std::optional<EntryFinding> Open(std::size_t k, std::size_t termStart);
    std::optional<EntryFinding> Close(std::size_t end);
    std::optional<EntryFinding> SideBySide(std::size_t k) const;
    std::optional<EntryFinding> UnknownCharacter(std::size_t k) const;
};

std::size_t Checker::TermEnd(std::size_t k) const
{
    if (k >= m_tokens.size())
        return kNone;
    const Token& token = m_tokens[k];
    if (token.kind == TokenKind::Open)
        return token.match == kNone ? kNone : m_tokens[token.match].end;
    if (token.kind != TokenKind::Operand)
        return kNone;
    if (k + 1 < m_tokens.size() && m_tokens[k + 1].kind == TokenKind::Open)
        return TermEnd(k + 1);
    return token.end;
}

std::string Checker::Term(std::size_t k) const
{
    const std::size_t end = TermEnd(k);
    if (end == kNone || end - m_tokens[k].start > kMaxSuggestion)
        return {};
    return WithoutSpaces(Slice(m_tokens[k].start, end));
}

EntryFinding Checker::Found(EntryProblem problem, std::size_t start, std::size_t end, std::string instead) const
{
    if (instead.size() > kMaxSuggestion)
        instead.clear();
    return {problem, start, end - start, std::string(Slice(start, end)), std::move(instead)};
}

EntryFinding Checker::Run()
{
    if (m_tokens.empty())
        return Found(EntryProblem::EmptyExpression, 0, m_text.size());
    for (std::size_t k = 0; k < m_tokens.size(); ++k) {
        std::optional<EntryFinding> found;
        switch (m_tokens[k].kind) {
        case TokenKind::Operand:
            found = Operand(k);
            if (!found && k + 1 < m_tokens.size() && m_tokens[k + 1].kind == TokenKind::Open) {
                // A function name: its group is the term, from the name on.
                const std::size_t nameStart = m_tokens[k].start;
                found = Open(++k, nameStart);
            }
            break;
        case TokenKind::Operator: found = Operator(k); break;
        case TokenKind::Open: found = Open(k, m_tokens[k].start); break;
        case TokenKind::Close:
            found = m_groups.empty() ? Found(EntryProblem::UnbalancedBrackets, m_tokens[k].start, m_tokens[k].end)
                                     : Close(m_tokens[k].end);
            break;
        }
        if (found)
            return *found;
    }
    // A group left open is read as closed at the end of the text (samples
    // are listed as they are, without the bracket check).
    while (!m_groups.empty()) {
        if (std::optional<EntryFinding> found = Close(m_text.size()))
            return *found;
    }
    if (m_place == Place::AfterOperator)
        return Found(EntryProblem::OperatorWithoutRight, m_tokens[m_operator].start, m_tokens[m_operator].end);
    return {};
}

std::optional<EntryFinding> Checker::UnknownCharacter(std::size_t k) const
{
    const Token& token = m_tokens[k];
    for (std::size_t i = token.start; i < token.end; ++i) {
        if (m_text[i] == ' ' || IsNameChar(m_text[i]))
            continue;
        const std::size_t end = std::min(token.end, i + CharacterLength(m_text[i]));
        return Found(EntryProblem::UnknownCharacter, i, end, std::string(CharacterInstead(Slice(i, end))));
    }
    return std::nullopt;
}

// A term directly after a group, with no operator between them.
std::optional<EntryFinding> Checker::SideBySide(std::size_t k) const
{
    if (m_place != Place::AfterTerm)
        return std::nullopt;
    const std::string before = WithoutSpaces(Slice(m_termStart, m_termEnd));
    const std::string after = Term(k);
    std::string instead = before.size() <= kMaxSuggestion && !after.empty() ? before + "*" + after : std::string();
    return Found(EntryProblem::MissingOperator, m_termEnd - 1, m_tokens[k].start + 1, std::move(instead));
}

std::optional<EntryFinding> Checker::Operand(std::size_t k)
{
    if (std::optional<EntryFinding> found = SideBySide(k))
        return found;
    if (std::optional<EntryFinding> found = UnknownCharacter(k))
        return found;
    const bool bBeforeGroup = k + 1 < m_tokens.size() && m_tokens[k + 1].kind == TokenKind::Open;
    std::optional<EntryFinding> found = bBeforeGroup ? NameBeforeGroup(k) : ValueOperand(k);
    if (!found && !bBeforeGroup) {
        m_place = Place::AfterTerm;
        m_termStart = m_tokens[k].start;
        m_termEnd = m_tokens[k].end;
    }
    return found;
}

// An operand written directly before a bracket, which the evaluator applies
// as a function to the group.
std::optional<EntryFinding> Checker::NameBeforeGroup(std::size_t k)
{
    const std::string name = WithoutSpaces(TokenText(k));
    if (IsFunctionName(name))
        return std::nullopt;
    const Token& token = m_tokens[k];
    const std::size_t groupEnd = TermEnd(k + 1);
    const std::string group = groupEnd == kNone || groupEnd - token.end > kMaxSuggestion
                                ? std::string("(x)")
                                : WithoutSpaces(Slice(m_tokens[k + 1].start, groupEnd));
    double dValue = 0;
    if (name == "x" || name == "pi" || ParseOperandNumber(name, dValue))
        return Found(EntryProblem::MissingOperator, token.end - 1, m_tokens[k + 1].start + 1, name + "*" + group);
    if (const auto factors = SplitFactors(name)) {
        const bool bEndsInFunction = IsFunctionName(factors->back());
        return Found(EntryProblem::MissingOperator, token.start, token.end,
                     JoinFactors(*factors, group) + (bEndsInFunction ? "" : "*" + group));
    }
    const std::string_view nearest = NearestFunction(name);
    return Found(EntryProblem::UnknownName, token.start, token.end,
                 nearest.empty() ? std::string() : std::string(nearest) + group);
}

std::optional<EntryFinding> Checker::ValueOperand(std::size_t k)
{
    const Token& token = m_tokens[k];
    const std::string operand = WithoutSpaces(TokenText(k));
    double dValue = 0;
    if (operand == "x" || operand == "pi" || ParseOperandNumber(operand, dValue))
        return std::nullopt;

    // A number whose exponent carries a sign: "2.5e-1" is read as "2.5e" - 1.
    const std::size_t next = k + 2;
    if (IsNumberForm(operand.substr(0, operand.size() - 1), false) && (operand.back() == 'e' || operand.back() == 'E')
        && next < m_tokens.size() && m_tokens[k + 1].kind == TokenKind::Operator
        && IsSign(m_text[m_tokens[k + 1].start]) && m_tokens[k + 1].start == token.end
        && m_tokens[next].kind == TokenKind::Operand && m_tokens[next].start == m_tokens[k + 1].end
        && IsDigit(m_text[m_tokens[next].start])) {
        std::size_t end = m_tokens[next].start;
        while (end < m_tokens[next].end && IsDigit(m_text[end]))
            ++end;
        const std::string_view exponent = Slice(m_tokens[next].start, end);
        return Found(EntryProblem::SignedExponent, token.start, end,
                     NumberWithoutSign(operand, m_text[m_tokens[k + 1].start], exponent));
    }
    if (IsNumberForm(operand, true))
        return Found(EntryProblem::NumberOutOfRange, token.start, token.end);
    if (IsFunctionName(operand))
        return Found(EntryProblem::FunctionWithoutArgument, token.start, token.end, operand + "(x)");
    if (const auto factors = SplitFactors(operand))
        return Found(EntryProblem::MalformedOperand, token.start, token.end, JoinFactors(*factors, "(x)"));
    if (operand[0] == 'x' || operand.starts_with("pi") || IsDigit(operand[0]) || operand[0] == '.')
        return Found(EntryProblem::MalformedOperand, token.start, token.end);

    const std::string lower = LowerCase(operand);
    std::string instead;
    if (lower == "x" || lower == "pi") {
        instead = lower;
    } else if (operand == "e") {
        const bool bPower = k + 1 < m_tokens.size() && m_text[m_tokens[k + 1].start] == '^';
        std::string power = bPower ? Term(next) : std::string();
        if (power.starts_with('(')) // a bracketed power is the function's bracket
            power = power.substr(1, power.size() - 2);
        instead = "exp(" + (power.empty() ? std::string(bPower ? "x" : "1") : power) + ")";
    } else {
        instead = std::string(NearestFunction(operand));
    }
    return Found(EntryProblem::UnknownName, token.start, token.end, std::move(instead));
}

std::optional<EntryFinding> Checker::Operator(std::size_t k)
{
    const Token& token = m_tokens[k];
    const char op = m_text[token.start];
    switch (m_place) {
    case Place::GroupStart:
        if (!IsSign(op))
            return Found(EntryProblem::OperatorWithoutLeft, token.start, token.end);
        m_leftStart = m_leftEnd = token.start;
        break;
    case Place::AfterOperator: {
        const Token& previous = m_tokens[m_operator];
        const char previousOp = m_text[previous.start];
        if (!IsSign(op))
            return Found(EntryProblem::DoubledOperator, previous.start, token.end);
        // After "+" a sign means what it says: "2+-3" is 2 + (-3).
        if (previousOp == '+')
            break;
        const std::string left = WithoutSpaces(Slice(m_leftStart, m_leftEnd));
        const std::string right = Term(k + 1);
        std::string instead;
        if (!right.empty() && left.size() <= kMaxSuggestion)
            instead = left + previousOp + "(" + op + right + ")";
        return Found(EntryProblem::SignAfterOperator, previous.start, token.end, std::move(instead));
    }
    case Place::AfterTerm:
        m_leftStart = m_termStart;
        m_leftEnd = m_termEnd;
        break;
    }
    m_place = Place::AfterOperator;
    m_operator = k;
    return std::nullopt;
}

std::optional<EntryFinding> Checker::Open(std::size_t k, std::size_t termStart)
{
    if (termStart == m_tokens[k].start) {
        if (std::optional<EntryFinding> found = SideBySide(k))
            return found;
    }
    m_groups.push_back({termStart, k});
    m_place = Place::GroupStart;
    return std::nullopt;
}

// Closes the innermost open group at `end`, one past its ")" (or the end of
// the text for a group left open).
std::optional<EntryFinding> Checker::Close(std::size_t end)
{
    const Group group = m_groups.back();
    const std::size_t open = m_tokens[group.open].start;
    if (m_place == Place::GroupStart) {
        if (group.termStart == open)
            return Found(EntryProblem::EmptyGroup, open, end);
        const std::size_t nameEnd = m_tokens[group.open - 1].end;
        return Found(EntryProblem::FunctionWithoutArgument, group.termStart, nameEnd,
                     WithoutSpaces(Slice(group.termStart, nameEnd)) + "(x)");
    }
    if (m_place == Place::AfterOperator)
        return Found(EntryProblem::OperatorWithoutRight, m_tokens[m_operator].start, m_tokens[m_operator].end);
    m_groups.pop_back();
    m_place = Place::AfterTerm;
    m_termStart = group.termStart;
    m_termEnd = end;
    return std::nullopt;
}

} // namespace

EntryFinding FindMisreading(std::string_view strEntry)
{
    return Checker(strEntry).Run();
}

std::pair<std::size_t, std::size_t> TypedSpan(std::string_view strTyped, std::string_view strPrepared,
                                              std::size_t iStart, std::size_t iLength)
{
    std::size_t first = kNone;
    std::size_t last = kNone;
    std::size_t caret = strTyped.size();
    std::size_t j = 0;
    for (std::size_t i = 0; i < strTyped.size(); ++i, ++j) {
        while (j < strPrepared.size() && strPrepared[j] != strTyped[i])
            ++j;
        if (j >= strPrepared.size())
            break;
        if (j >= iStart && caret == strTyped.size())
            caret = i;
        if (j >= iStart && j < iStart + iLength) {
            if (first == kNone)
                first = i;
            last = i;
        }
    }
    if (first == kNone)
        return {caret, 0};
    return {first, last + 1 - first};
}
