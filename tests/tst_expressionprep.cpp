#include <QtTest>

#include "ConventionalReader.h"
#include "EntryCheck.h"
#include "ExpressionPrep.h"
#include "clsMath.h"
#include "fuzz/ReferenceNormaliser.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string repeat(std::string_view part, int count)
{
    std::string result;
    for (int i = 0; i < count; ++i)
        result += part;
    return result;
}

std::string toStd(const QByteArray& bytes) { return std::string(bytes.constData(), std::size_t(bytes.size())); }
QByteArray toBytes(std::string_view text) { return QByteArray(text.data(), qsizetype(text.size())); }

// What the main window adds to its list when the user enters the typed text.
struct Entry {
    bool added = false;
    std::string text;
    bool unmatchedClose = false;
};

Entry enter(const std::string& typed, bool optimize)
{
    Entry entry;
    if (CheckBrackets(typed, &entry.unmatchedClose).empty())
        return entry;
    const std::string box = optimize ? OptimizeExpression(typed) : typed;
    entry.text = CheckBrackets(box);
    entry.added = true;
    return entry;
}

} // namespace

class tst_ExpressionPrep : public QObject {
    Q_OBJECT

private slots:
    void checkBrackets_data();
    void checkBrackets();
    void checkBracketsWithoutFlag();
    void insertAfter_data();
    void insertAfter();
    void functionNames_data();
    void functionNames();
    void functionNamesPrecedeTheirPrefixes();
    void optimizeExpression_data();
    void optimizeExpression();
    void enteringExpression_data();
    void enteringExpression();
    void enteredExpressionEvaluates_data();
    void enteredExpressionEvaluates();
    void hostile_data();
    void hostile();
    void randomBytesDoNotCrash();
    void matchesReference_data();
    void matchesReference();
    void findsMisreading_data();
    void findsMisreading();
    void mathematicsPasses();
};

void tst_ExpressionPrep::checkBrackets_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<bool>("unmatched");
    QTest::newRow("sin(x") << QByteArray("sin(x") << QByteArray("sin(x)") << false;
    QTest::newRow("((x+1") << QByteArray("((x+1") << QByteArray("((x+1))") << false;
    QTest::newRow("balanced") << QByteArray("(x)+(1)") << QByteArray("(x)+(1)") << false;
    QTest::newRow("(") << QByteArray("(") << QByteArray("()") << false;
    QTest::newRow("empty") << QByteArray("") << QByteArray("") << false;
    QTest::newRow("x)+(1") << QByteArray("x)+(1") << QByteArray("") << true;
    QTest::newRow(")") << QByteArray(")") << QByteArray("") << true;
    QTest::newRow(")(") << QByteArray(")(") << QByteArray("") << true;
    QTest::newRow("(x))") << QByteArray("(x))") << QByteArray("") << true;
}

void tst_ExpressionPrep::checkBrackets()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, result);
    QFETCH(bool, unmatched);
    bool unmatchedClose = false;
    QCOMPARE(toBytes(CheckBrackets(toStd(text), &unmatchedClose)), result);
    QCOMPARE(unmatchedClose, unmatched);
}

void tst_ExpressionPrep::checkBracketsWithoutFlag()
{
    QCOMPARE(toBytes(CheckBrackets("x)")), QByteArray());
    QCOMPARE(toBytes(CheckBrackets("(x")), QByteArray("(x)"));
}

void tst_ExpressionPrep::insertAfter_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("insertion");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("front") << QByteArray("abc") << QByteArray("X") << 0 << QByteArray("Xabc");
    QTest::newRow("middle") << QByteArray("abc") << QByteArray("XY") << 2 << QByteArray("abXYc");
    QTest::newRow("end") << QByteArray("abc") << QByteArray("X") << 3 << QByteArray("abcX");
    QTest::newRow("past the end") << QByteArray("abc") << QByteArray("X") << 10 << QByteArray("abcX");
    QTest::newRow("into empty") << QByteArray("") << QByteArray("X") << 0 << QByteArray("X");
    QTest::newRow("nothing inserted") << QByteArray("abc") << QByteArray("") << 1 << QByteArray("abc");
}

void tst_ExpressionPrep::insertAfter()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, insertion);
    QFETCH(int, position);
    QFETCH(QByteArray, result);
    QCOMPARE(toBytes(InsertAfter(toStd(text), toStd(insertion), std::size_t(position))), result);
}

void tst_ExpressionPrep::functionNames_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("name");
    const char* const expected[] = {"sinh", "cosh", "tanh", "arcsinh", "arccosh", "arctanh", "arcsin",
                                    "arccos", "arctan", "cosec", "sec", "cot", "sin", "cos",
                                    "tan", "abs", "exp", "antilog", "ln", "log", "sqrt"};
    static_assert(std::size(expected) == strFunctionNames.size());
    for (int i = 0; i < int(std::size(expected)); ++i)
        QTest::addRow("%d", i) << i << QByteArray(expected[i]);
}

void tst_ExpressionPrep::functionNames()
{
    QFETCH(int, index);
    QFETCH(QByteArray, name);
    QCOMPARE(toBytes(strFunctionNames[std::size_t(index)]), name);
}

void tst_ExpressionPrep::functionNamesPrecedeTheirPrefixes()
{
    for (std::size_t i = 0; i < strFunctionNames.size(); ++i)
        for (std::size_t j = i + 1; j < strFunctionNames.size(); ++j)
            QVERIFY2(!strFunctionNames[j].starts_with(strFunctionNames[i]),
                     toBytes(strFunctionNames[i]) + " is tried before " + toBytes(strFunctionNames[j]));
}

void tst_ExpressionPrep::optimizeExpression_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("result");
    auto add = [](const char* text, const char* result) { QTest::addRow("%s", text) << QByteArray(text) << QByteArray(result); };
    add("2x^2+3x-5", "2*x^2+(3*x)-5");
    add("sin(x", "sin (x)");
    add("x)+(1", "x)+(1");
    add("", "");
    add("5 x", "5 x");
    add("X", "X");
    add("Sin x", "Sin x");
    add("tan x/2", "tan (x)/2");
    add("sin cos x", "sin (cos (x))");
    add("(2x+1)", "(2*x+1)");
    add("1+2x^2", "1+2*x^2");
    add("sin x^2", "sin (x)^2");
    add("sin  x", "sin  (x)");
    // A number with an exponent stays whole; "e" followed by no digit is not an exponent.
    add("1e3x", "1e3*x");
    add("1+2e3x+1", "1+(2e3*x)+1");
    add("1+2.5e-1x+3", "1+(2.5e-1*x)+3");
    add("4E+2x", "4E+2*x");
    add(".5e2x", ".5e2*x");
    add("sin2e3x", "sin (2e3)*x");
    add("2e", "2*e");
    add("2exp(x)", "2*exp (x)");
    add("2e-x", "2*e-x");
}

void tst_ExpressionPrep::optimizeExpression()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, result);
    QCOMPARE(toBytes(OptimizeExpression(toStd(text))), result);
}

void tst_ExpressionPrep::enteringExpression_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<bool>("optimize");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QByteArray>("listed");
    QTest::addColumn<bool>("unmatched");

    auto add = [](const char* typed, const char* listed) {
        QTest::addRow("%s", typed) << QByteArray(typed) << true << true << QByteArray(listed) << false;
    };
    add("x^2+2x+1", "x^2+(2*x)+1");
    add("2x", "2*x");
    add("1+2.5x+3", "1+(2.5*x)+3");
    add("1/2x", "1/2*x");
    add("1/2x+1", "1/(2*x)+1");
    add("x2", "x*2");
    add("xx", "x*x");
    add("2pi", "2*pi");
    add("pi2", "pi2");
    add("x(x+1)", "x*(x+1)");
    add("2(x+1)", "2*(x+1)");
    add("(x+1)2", "(x+1)*2");
    add("(x+1)(x-1)", "(x+1)(x-1)");
    add("sin(x)cos(x)", "sin (x)cos (x)");
    add("sinx", "sin (x)");
    add("sin x", "sin (x)");
    add("sin(x", "sin (x)");
    add("sin2x", "sin (2)*x");
    add("2sinx", "2*sin (x)");
    add("xsinx", "x*sin (x)");
    add("x^2sinx", "x^2*sin (x)");
    add("exp(x)", "exp (x)");
    add("arcsinh x", "arcsinh (x)");
    add("cosec x", "cosec (x)");
    add("antilog2", "antilog (2)");
    add("sin abs(x)+1", "sin (abs (x))+1");
    add("sin", "sin ()");
    add("sin-x", "sin ()-x");
    QTest::newRow("x)+(1") << QByteArray("x)+(1") << true << false << QByteArray() << true;
    QTest::newRow("empty") << QByteArray("") << true << false << QByteArray() << false;

    QTest::newRow("2x, not optimized") << QByteArray("2x") << false << true << QByteArray("2x") << false;
    QTest::newRow("sin(x, not optimized") << QByteArray("sin(x") << false << true << QByteArray("sin(x)") << false;
    QTest::newRow("x)+(1, not optimized") << QByteArray("x)+(1") << false << false << QByteArray() << true;
}

void tst_ExpressionPrep::enteringExpression()
{
    QFETCH(QByteArray, typed);
    QFETCH(bool, optimize);
    QFETCH(bool, added);
    QFETCH(QByteArray, listed);
    QFETCH(bool, unmatched);
    const Entry entry = enter(toStd(typed), optimize);
    QCOMPARE(entry.added, added);
    QCOMPARE(entry.unmatchedClose, unmatched);
    if (added)
        QCOMPARE(toBytes(entry.text), listed);
}

void tst_ExpressionPrep::enteredExpressionEvaluates_data()
{
    // Typed text, entered with optimizing on, then evaluated as the graph window does.
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("value");
    auto add = [](const char* typed, double x, double value) {
        QTest::addRow("%s at %g", typed, x) << QByteArray(typed) << x << value;
    };
    add("x^2+2x+1", 3, 16);
    add("2x^2+3x-5", 2, 9);
    add("1/2x+1", 4, 1.125);
    add("1/2x", 4, 2);
    add("xx", 3, 9);
    add("2(x+1)", 3, 8);
    add("(x+1)(x-1)", 3, 6);
    add("sin-x", 2, -2);
    add("-x^2", 3, -9);
    add("2sinx", 0.5, 2 * std::sin(0.5));
    add("sin cos x", 0.5, std::sin(std::cos(0.5)));
}

void tst_ExpressionPrep::enteredExpressionEvaluates()
{
    QFETCH(QByteArray, typed);
    QFETCH(double, x);
    QFETCH(double, value);
    const Entry entry = enter(toStd(typed), true);
    QVERIFY(entry.added);
    clsMath math;
    std::string expression = "(" + entry.text + ")";
    const double result = math.Evaluate(expression, x);
    QVERIFY2(!math.bErrorStatus, entry.text.c_str());
    QCOMPARE(result, value);
}

void tst_ExpressionPrep::hostile_data()
{
    // Texts beyond the usual limits. Where the outcome is fixed, it is checked.
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QByteArray>("bracketsChecked");
    QTest::addColumn<QByteArray>("optimized");

    auto returns = [](const char* tag, const std::string& text) {
        QTest::newRow(tag) << toBytes(text) << false << QByteArray() << QByteArray();
    };
    returns("40,000 x", repeat("x", 40000));
    returns("40,000 characters of 'sin '", repeat("sin ", 10000));
    returns("30,000 characters of '2x+'", repeat("2x+", 10000));
    returns("40,000 closing brackets", repeat(")", 40000));
    returns("40,000 opening brackets", repeat("(", 40000));

    const std::string nested = repeat("(", 16000) + "x" + repeat(")", 16000);
    QTest::newRow("16,000 nested brackets") << toBytes(nested) << true << toBytes(nested) << toBytes(nested);
    const std::string unclosed = repeat("(", 16000) + "x";
    QTest::newRow("16,000 unclosed brackets") << toBytes(unclosed) << true << toBytes(nested) << toBytes(nested);
    const std::string sines = repeat("sin ", 5000) + "x";
    const std::string bracketedSines = repeat("sin (", 5000) + "x" + repeat(")", 5000);
    QTest::newRow("5,000 nested sin") << toBytes(sines) << true << toBytes(sines) << toBytes(bracketedSines);

    // The longest texts the program takes, in the forms that cost the
    // normaliser most.
    const std::string sinsin = repeat("sin", 10921) + "x";
    const std::string sinsinNested = repeat("sin (", 10921) + "x" + repeat(")", 10921);
    QTest::newRow("32,764 characters of sin, then x")
        << toBytes(sinsin) << true << toBytes(sinsin) << toBytes(sinsinNested);
    const std::string xs = repeat("x", 32764);
    QTest::newRow("32,764 x") << toBytes(xs) << true << toBytes(xs) << toBytes("x" + repeat("*x", 32763));
    const std::string twoXs = repeat("2x", 16382);
    QTest::newRow("32,764 characters of 2x")
        << toBytes(twoXs) << true << toBytes(twoXs) << toBytes("2*x*" + repeat("(2*x)*", 16380) + "2*x");
    const std::string openSines = repeat("sin(", 8191) + "x";
    QTest::newRow("8,191 unclosed sin(") << toBytes(openSines) << true << toBytes(openSines + repeat(")", 8191))
                                         << toBytes(repeat("sin (", 8191) + "x" + repeat(")", 8191));
}

void tst_ExpressionPrep::hostile()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, checked);
    QFETCH(QByteArray, bracketsChecked);
    QFETCH(QByteArray, optimized);
    const std::string checkedText = CheckBrackets(toStd(text));
    const std::string optimizedText = OptimizeExpression(toStd(text));
    // The entry check reads the longest texts, deep nesting included, in one go.
    FindMisreading(optimizedText);
    if (checked) {
        QCOMPARE(toBytes(checkedText), bracketsChecked);
        QCOMPARE(toBytes(optimizedText), optimized);
    }
}

void tst_ExpressionPrep::randomBytesDoNotCrash()
{
    // Only survival is checked: random bytes, NUL and bytes above 0x7f included.
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (std::size_t length : {0u, 1u, 2u, 3u, 50u, 400u, 400u, 400u, 40000u}) {
        std::string text;
        while (text.size() < length)
            text += char(anyByte(generator));
        CheckBrackets(text);
        const std::string entry = OptimizeExpression(text);
        const EntryFinding finding = FindMisreading(entry);
        QCOMPARE(finding.strFound, entry.substr(finding.iStart, finding.iLength));
    }
}

void tst_ExpressionPrep::matchesReference_data()
{
    // Random texts built from the pieces the rewriting rules look at, with
    // "(" more frequent than ")" so that most texts pass the bracket check.
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("texts");
    QTest::addColumn<int>("maxPieces");
    QTest::newRow("short") << 1u << 4000 << 40;
    QTest::newRow("long") << 2u << 4 << 2000;
}

void tst_ExpressionPrep::matchesReference()
{
    QFETCH(unsigned, seed);
    QFETCH(int, texts);
    QFETCH(int, maxPieces);
    static constexpr std::string_view pieces[] = {"x",   "x",       "x",    "2",     "0",      "7",       ".",
                                                  "+",   "-",       "*",    "/",     "%",      "^",       "(",
                                                  "(",   "(",       "(",    ")",     ")",      " ",       " ",
                                                  "e",   "p",       "s",    "n",     "h",      "c",       "exp",
                                                  "sin", "sinh",    "cos",  "cosec", "arcsin", "arctanh", "ln",
                                                  "log", "antilog", "sqrt", "abs",   "tan",    "sec",     "E"};
    std::mt19937 generator(seed);
    std::uniform_int_distribution<std::size_t> anyPiece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> pieceCount(0, maxPieces);
    for (int t = 0; t < texts; ++t) {
        std::string text;
        for (int n = pieceCount(generator); n > 0; --n)
            text += pieces[anyPiece(generator)];
        const std::string actual = OptimizeExpression(text);
        const std::string expected = ReferenceNormaliser::OptimizeExpression(text);
        QVERIFY2(actual == expected, ('"' + text + "\" gives \"" + actual + "\", not \"" + expected + '"').c_str());
    }
}

void tst_ExpressionPrep::findsMisreading_data()
{
    // An entry as listed; what the check finds there (None: it passes), where
    // it starts, the characters at fault and what to write instead.
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("start");
    QTest::addColumn<QByteArray>("found");
    QTest::addColumn<QByteArray>("instead");
    using P = EntryProblem;
    auto add = [](const char* entry, P problem, int start, const char* found, const char* instead) {
        QTest::addRow("%s", entry) << QByteArray(entry) << int(problem) << start << QByteArray(found)
                                   << QByteArray(instead);
    };
    auto pass = [&add](const char* entry) { add(entry, P::None, 0, "", ""); };
    for (const char* entry :
         {"-x^2", "2^3^2", "1e3*x", "2.5E3", ".5+2.", "x+-1", "+3", "Sin(x)", "SQRT (x)", "sin (x)^2", "(-2)^2", "7%3",
          "x^2+(2*x)+1", "2*sin (x)", "arcsinh (x)", "pi*x", "sin(x", "((x+1", "1+2*(x"})
        pass(entry);

    add("x*-1", P::SignAfterOperator, 1, "*-", "x*(-1)");
    add("x^-1", P::SignAfterOperator, 1, "^-", "x^(-1)");
    add("(x+1)*-sin (x)", P::SignAfterOperator, 5, "*-", "(x+1)*(-sin(x))");
    add("x--1", P::SignAfterOperator, 1, "--", "x-(-1)");
    add("(--x)", P::SignAfterOperator, 1, "--", "-(-x)");
    add("2*+3", P::SignAfterOperator, 1, "*+", "2*(+3)");
    add("sin (x)cos (x)", P::MissingOperator, 6, ")c", "sin(x)*cos(x)");
    add("(x+1)(x-1)", P::MissingOperator, 4, ")(", "(x+1)*(x-1)");
    add("(x)x", P::MissingOperator, 2, ")x", "(x)*x");
    add("x(2)", P::MissingOperator, 0, "x(", "x*(2)");
    add("2sin(x)", P::MissingOperator, 0, "2sin", "2*sin(x)");
    add("2*x+", P::OperatorWithoutRight, 3, "+", "");
    add("(1+)", P::OperatorWithoutRight, 2, "+", "");
    add("(-)", P::OperatorWithoutRight, 1, "-", "");
    add("*x", P::OperatorWithoutLeft, 0, "*", "");
    add("2*/3", P::DoubledOperator, 1, "*/", "");
    add("srt(x)", P::UnknownName, 0, "srt", "sqrt(x)");
    add("1+srt", P::UnknownName, 2, "srt", "sqrt");
    add("e^x", P::UnknownName, 0, "e", "exp(x)");
    add("e^(2*x)", P::UnknownName, 0, "e", "exp(2*x)");
    add("X", P::UnknownName, 0, "X", "x");
    add("PI*x", P::UnknownName, 0, "PI", "pi");
    add("foo(2)", P::UnknownName, 0, "foo", "");
    add("sin", P::FunctionWithoutArgument, 0, "sin", "sin(x)");
    add("2+sin ()-x", P::FunctionWithoutArgument, 2, "sin", "sin(x)");
    add("()", P::EmptyGroup, 0, "()", "");
    add("x+( )", P::EmptyGroup, 2, "( )", "");
    add("pix", P::MalformedOperand, 0, "pix", "pi*x");
    add("x2", P::MalformedOperand, 0, "x2", "x*2");
    add("1+5 x", P::MalformedOperand, 2, "5 x", "5*x");
    add("sinx", P::MalformedOperand, 0, "sinx", "sin(x)");
    add("3.5.1", P::MalformedOperand, 0, "3.5.1", "");
    add("2.5e-1*x", P::SignedExponent, 0, "2.5e-1", "0.25");
    add("4E+2", P::SignedExponent, 0, "4E+2", "4E2");
    add("1e-300", P::SignedExponent, 0, "1e-300", "1/1e300");
    add("x/1e400", P::NumberOutOfRange, 2, "1e400", "");
    add("2\xC3\x97x", P::UnknownCharacter, 1, "\xC3\x97", "*");
    add("2,5", P::UnknownCharacter, 1, ",", ".");
    add("x\t+1", P::UnknownCharacter, 1, "\t", "");
    add("x)+(1", P::UnbalancedBrackets, 1, ")", "");
    add("   ", P::EmptyExpression, 0, "   ", "");
}

void tst_ExpressionPrep::findsMisreading()
{
    QFETCH(QByteArray, entry);
    QFETCH(int, problem);
    QFETCH(int, start);
    QFETCH(QByteArray, found);
    QFETCH(QByteArray, instead);
    const EntryFinding finding = FindMisreading(toStd(entry));
    QCOMPARE(int(finding.problem), problem);
    if (problem == int(EntryProblem::None))
        return;
    QCOMPARE(toBytes(finding.strFound), found);
    QCOMPARE(int(finding.iStart), start);
    QCOMPARE(toBytes(finding.strInstead), instead);
}

namespace {

// Random expressions of ordinary mathematics: numbers, x, pi, the functions
// in any case, the six operators, brackets, and signs only where a bracket
// (or the whole text) starts.
class RandomMathematics {
public:
    explicit RandomMathematics(unsigned seed)
        : m_generator(seed)
    {
    }

    std::string Sum(int depth)
    {
        std::string text;
        if (Pick(5) == 0)
            text += Pick(2) ? "-" : "+";
        text += Factor(depth);
        for (int n = Pick(depth > 4 ? 1 : 4); n > 0; --n)
            text += Space() + std::string(1, "+-*/^%"[Pick(6)]) + Space() + Factor(depth);
        return text;
    }

private:
    std::mt19937 m_generator;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_generator); }
    std::string Space() { return Pick(8) == 0 ? " " : ""; }

    std::string Factor(int depth)
    {
        static constexpr const char* kNumbers[] = {"0",  "1",  "2",   "3",     "7",     "10",         "2.5",
                                                   ".5", "3.", "1e3", "2.5E2", "0.001", "123456.789", "65536"};
        switch (Pick(depth > 4 ? 3 : 6)) {
        case 0: return kNumbers[Pick(int(std::size(kNumbers)))];
        case 1: return "x";
        case 2: return "pi";
        case 3:
        case 4: {
            std::string name(strFunctionNames[std::size_t(Pick(int(strFunctionNames.size())))]);
            if (Pick(3) == 0)
                for (char& c : name)
                    c = Pick(2) ? char(c - 'a' + 'A') : c;
            return name + Space() + "(" + Sum(depth + 1) + ")";
        }
        default: return "(" + Sum(depth + 1) + ")";
        }
    }
};

} // namespace

void tst_ExpressionPrep::mathematicsPasses()
{
    // Every such expression passes the check, and the evaluator gives it the
    // value of its usual reading wherever both are finite: as typed, as
    // listed after normalising, and with its last brackets left open.
    RandomMathematics maker(32);
    int compared = 0;
    for (int t = 0; t < 20000; ++t) {
        const std::string text = maker.Sum(0);
        std::vector<std::string> entries{text};
        if (std::none_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            entries.push_back(CheckBrackets(OptimizeExpression(text))); // names in capitals are not normalised
        std::string open = text;
        while (open.back() == ')')
            open.pop_back();
        entries.push_back(open);
        for (const std::string& entry : entries) {
            const EntryFinding finding = FindMisreading(entry);
            QVERIFY2(finding.problem == EntryProblem::None,
                     ('"' + entry + "\" is refused at \"" + finding.strFound + '"').c_str());
        }
        for (const double x : {-2.5, -1.0, 0.0, 0.3, 1.0, 7.25}) {
            const std::optional<double> expected = ConventionalReader::Value(text, x);
            for (const std::string& entry : entries) {
                clsMath math;
                std::string expression = "(" + entry + ")";
                const double value = math.Evaluate(expression, x);
                if (!expected || math.bErrorStatus)
                    continue;
                QVERIFY2(value == *expected, ('"' + entry + "\" at " + std::to_string(x) + " gives "
                                              + std::to_string(value) + ", not " + std::to_string(*expected))
                                                 .c_str());
                ++compared;
            }
        }
    }
    // Most readings have a finite value, so most were compared.
    QVERIFY2(compared > 100000, std::to_string(compared).c_str());
}

QTEST_APPLESS_MAIN(tst_ExpressionPrep)
#include "tst_expressionprep.moc"
