#include <QtTest>

#include "ExpressionPrep.h"
#include "ReferenceEvaluator.h"
#include "clsMath.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
#include <string_view>

namespace {

const double kPi = 3.14159265358979;
const double kTwoPi = 6.28318530717958;

double eval(const std::string& text, double x, bool* error)
{
    clsMath math;
    std::string expression = text;
    const double value = math.Evaluate(expression, x);
    if (error)
        *error = math.bErrorStatus;
    return value;
}

std::string repeat(std::string_view part, int count)
{
    std::string result;
    result.reserve(part.size() * std::size_t(count));
    for (int i = 0; i < count; ++i)
        result += part;
    return result;
}

std::string toStd(const QByteArray& bytes) { return std::string(bytes.constData(), std::size_t(bytes.size())); }
QByteArray toBytes(const std::string& text) { return QByteArray(text.data(), qsizetype(text.size())); }

bool nearlyEqual(double actual, double expected)
{
    return actual == expected
        || std::fabs(actual - expected) <= 1e-12 * std::max(std::fabs(actual), std::fabs(expected));
}

QByteArray describe(double value) { return QByteArray::number(value, 'g', 17); }

// How a row of an evaluation table is checked.
enum class Expect { Exact, Approx, Error, Returns };

void addEvaluationColumns()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("expect");
    QTest::addColumn<double>("value");
}

void row(const char* tag, const std::string& text, Expect expect, double value = 0, double x = 1)
{
    QTestData& data = x == 1 ? QTest::addRow("%s", tag) : QTest::addRow("%s at x=%g", tag, x);
    data << toBytes(text) << x << int(expect) << value;
}
void exact(const char* text, double value, double x = 1) { row(text, text, Expect::Exact, value, x); }
void approx(const char* text, double value, double x = 1) { row(text, text, Expect::Approx, value, x); }
void fails(const char* text, double x = 1) { row(text, text, Expect::Error, 0, x); }

void verifyEvaluationRow()
{
    QFETCH(QByteArray, text);
    QFETCH(double, x);
    QFETCH(int, expect);
    QFETCH(double, value);

    bool error = false;
    const double result = eval(toStd(text), x, &error);
    switch (Expect(expect)) {
    case Expect::Returns:
        return;
    case Expect::Error:
        QVERIFY2(error, "bErrorStatus not set; result " + describe(result));
        return;
    case Expect::Exact:
    case Expect::Approx:
        QVERIFY2(!error, "bErrorStatus set; result " + describe(result));
        const bool ok = expect == int(Expect::Exact) ? result == value : nearlyEqual(result, value);
        QVERIFY2(ok, "got " + describe(result) + ", expected " + describe(value));
        return;
    }
}

} // namespace

class tst_clsMath : public QObject {
    Q_OBJECT

private slots:
    void examples_data();
    void examples() { verifyEvaluationRow(); }
    void operators_data();
    void operators() { verifyEvaluationRow(); }
    void functions_data();
    void functions() { verifyEvaluationRow(); }
    void operands_data();
    void operands() { verifyEvaluationRow(); }
    void errorsAreKept_data();
    void errorsAreKept() { verifyEvaluationRow(); }
    void unbalanced_data();
    void unbalanced() { verifyEvaluationRow(); }
    void hostile_data();
    void hostile() { verifyEvaluationRow(); }

    void preparedText_data();
    void preparedText();
    void piIsTheFifteenDigitValue();
    void errorStatusIsClearedByEachEvaluate();
    void operandsIgnoreLocale_data();
    void operandsIgnoreLocale();
    void randomBytesDoNotCrash();
    void randomTextsPrepareByTheRules();
    void matchesReference_data();
    void matchesReference();
    void wholePowers();
    void getTheta_data();
    void getTheta();
    void getR_data();
    void getR();
};

void tst_clsMath::examples_data()
{
    addEvaluationColumns();
    exact("(1+2*3)", 7);
    exact("(1+2*(3+4))", 15);
    approx("(sin(x)+2*sin(x+1))", std::sin(1.0) + 2 * std::sin(2.0));
    exact("(2*3^2*4)", 72);
    exact("(2^3^2)", 64);
    exact("(-2^2)", -4);
    exact("(2^-1)", 1);
    exact("(2*-3)", -1);
    exact("(7%3)", 1);
    exact("(-7%3)", -1);
    exact("(2.5%2)", 0);
    exact("(3.5%2)", 0);
    fails("(5%0)");
    fails("(1/0+5)");
    fails("(ln(x)+sin(x))", -1);
    exact("()", 0);
    exact("(1+)", 1);
    exact("(+3)", 3);
    exact("((1)(2))", 3);
    exact("(x2)", 1);
    exact("(pix)", kPi);
    fails("(abc)");
    fails("(2x)");
    exact("(foo(2))", 0);
    fails("(arcsin(1))");
    exact("(1e5)", 100000);
    exact("(1)+2", 1);
    exact("(2*(x^2)+(3*x)-5)", 9, 2);
    exact("(2*x^2+(3*x)-5)", 9, 2);
    exact("(2*x^2+(3*x)-5)", -6, -1);
}

void tst_clsMath::operators_data()
{
    addEvaluationColumns();
    // Order within a level, and brackets that the precedence step has to add.
    exact("(8/2/2)", 2);
    exact("(10-2-3)", 5);
    exact("(10-6/2/3)", 9);
    exact("(1+2^3^2)", 65);
    exact("(1-2^3*4)", -31);
    exact("(2+3%2*5)", 7);
    exact("(2*(1+2)^2)", 18);
    exact("(1+2^(1+1))", 5);
    exact("(1+2*3-4/2)", 5);
    exact("(1+2*3*4)", 25);
    exact("(2*3+4*5)", 26);
    exact("(1+(2*3)*4)", 25);
    exact("( 1 + 2 * 3 )", 7);
    exact("(-x^2)", -9, 3);
    exact("(x*-1)", 2, 3);
    exact("(2(3))", 0);

    fails("(1e308+1e308)");
    fails("(0-1e308-1e308)");
    fails("(1e200*1e200)");
    exact("(1/4)", 0.25);
    fails("(1/0)");
    fails("(0/0)");
    fails("(1/(1-1))");
    fails("(1e308/0.1)");
    exact("((-2)^3)", -8);
    approx("(2^0.5)", std::sqrt(2.0));
    fails("(0^(-1))");
    fails("((-8)^0.5)");
    fails("((-8)^(1/3))");
    fails("(10^309)");
    // Whole powers from 3 on are std::pow's values to the last bit: at 0.015
    // the cube differs from x*x*x, and at 0.874 the fourth power lies so near
    // the middle between two doubles that std::pow may round it either way.
    // The library is asked at run time: the compiler would work out a power
    // of constants itself, rounded its own way.
    const auto libraryPow = [](double a, double b) {
        volatile double base = a;
        return std::pow(base, b);
    };
    exact("(x^3)", libraryPow(0.015, 3), 0.015);
    exact("(x^4)", libraryPow(0.874, 4), 0.874);

    // % converts both operands to 32-bit integers, halves going to the even neighbour.
    exact("((0-7)%3)", -1);
    exact("(7%(0-3))", 1);
    exact("((0-7)%(0-3))", -1);
    exact("(5.5%4)", 2);
    exact("(4.5%3)", 1);
    exact("((0-3.5)%3)", -1);
    exact("(7%2.5)", 1);
    exact("(7%3.5)", 3);
    exact("(5%0.6)", 0);
    fails("(5%0.5)");
    fails("(3e9%2)");
    fails("(2%3e9)");
    fails("((0-3e9)%2)");
    fails("(1e300%7)");
    exact("(2147483647%2)", 1);
    exact("((0-2147483648)%3)", -2);
    exact("((0-2147483648)%(0-1))", 0);
    // "%-" leaves "-" pending, so this is -(2147483648) - 1: no remainder is taken.
    exact("(-2147483648%-1)", -2147483649.0);
}

void tst_clsMath::functions_data()
{
    addEvaluationColumns();
    exact("(abs(-2.5))", 2.5);
    approx("(sin(0.5))", std::sin(0.5));
    approx("(cos(0.5))", std::cos(0.5));
    approx("(tan(0.5))", std::tan(0.5));
    approx("(sec(0.5))", 1 / std::cos(0.5));
    approx("(cosec(0.5))", 1 / std::sin(0.5));
    approx("(cot(0.5))", 1 / std::tan(0.5));
    approx("(arcsin(0.5))", std::asin(0.5));
    approx("(arcsin(-0.5))", std::asin(-0.5));
    approx("(arccos(0.5))", std::acos(0.5));
    approx("(arccos(-0.5))", std::acos(-0.5));
    approx("(arctan(1))", std::atan(1.0));
    approx("(exp(1))", std::exp(1.0));
    approx("(exp(709))", std::exp(709.0));
    approx("(ln(2))", std::log(2.0));
    approx("(log(1000))", 3);
    approx("(antilog(2))", 100);
    approx("(antilog(-1))", 0.1);
    exact("(sqrt(16))", 4);
    approx("(sinh(1))", std::sinh(1.0));
    approx("(cosh(1))", std::cosh(1.0));
    approx("(tanh(0.5))", std::tanh(0.5));
    approx("(tanh(700))", 1);
    approx("(arcsinh(1))", std::asinh(1.0));
    approx("(arccosh(2))", std::acosh(2.0));
    exact("(arccosh(1))", 0);
    approx("(arctanh(0.5))", std::atanh(0.5));
    exact("(2*sqrt(16)+1)", 9);

    // Names are matched whole and regardless of case; unknown names give 0.
    exact("(SIN(0))", 0);
    exact("(Sqrt(16))", 4);
    approx("(ArcTanH(0.5))", std::atanh(0.5));
    exact("(sinx(1))", 0);
    exact("(si(1))", 0);
    row("name with NUL", std::string("(sin\0(1))", 9), Expect::Exact, 0);

    fails("(arcsin(-1))");
    fails("(arcsin(2))");
    fails("(arccos(1))");
    fails("(arccos(-1))");
    fails("(arctanh(1))");
    fails("(arctanh(-1))");
    fails("(arctanh(2))");
    fails("(cot(0))");
    fails("(cosec(0))");
    fails("(ln(0))");
    fails("(ln(-1))");
    fails("(log(0))");
    fails("(log(-10))");
    fails("(sqrt(-1))");
    fails("(exp(710))");
    fails("(tanh(800))");
    fails("(tanh(-800))");
    fails("(sinh(800))");
    fails("(cosh(-800))");
    fails("(arccosh(0.5))");
    fails("(antilog(400))");
}

void tst_clsMath::operands_data()
{
    addEvaluationColumns();
    exact("(2)", 2);
    exact("(.5)", 0.5);
    exact("(2.)", 2);
    exact("(1E5)", 1e5);
    exact("(1.5e2)", 150);
    exact("(0012)", 12);
    exact("(3.25-0.125)", 3.125);
    exact("(123456789012.345)", 123456789012.345);   // fifteen digits
    exact("(1234567890123.456)", 1234567890123.456); // sixteen
    exact("(1e308)", 1e308);
    exact("( 2 5 )", 25);
    exact("(x)", -2.5, -2.5);
    exact("(xyz)", 1);
    exact("(piano)", kPi);

    fails("(inf)");
    fails("(INF)");
    fails("(nan)");
    fails("(NaN)");
    fails("(infinity)");
    fails("(1e999)");
    fails("(0x10)");
    fails("(1e-5)");  // reads the operand "1e"
    fails("(1e)");
    fails("(e5)");
    fails("(X)");
    fails("(PI)");
    fails("(Pi)");
    fails("(p)");
    fails("(.)");
    fails("(1.2.3)");
    fails("(1,5)");
    fails("(2a)");
    row("tab after a digit", "(2\t)", Expect::Error);
    row("digit then NUL", std::string("(1\0)", 4), Expect::Error);
    row("NUL then digit", std::string("(\0" "1)", 4), Expect::Error);
    row("byte 0x80", "(\x80)", Expect::Error);
    row("superscript two", "(\xc2\xb2)", Expect::Error);
}

void tst_clsMath::errorsAreKept_data()
{
    addEvaluationColumns();
    fails("((1/0)+(2*3))");
    fails("(abc+(1))");
    fails("(sin(1/0)+1)");
    fails("(((1/0))+1)");
    fails("((1)+(2)+(sqrt(-1))+(4)+(5))");
    fails("(ln(x)*0+1)", -1);
    // A result that is not finite fails even when a later step would make it finite again.
    fails("(1/(1e200*1e200))");
    fails("((1e200*1e200)^0+1)");
}

void tst_clsMath::unbalanced_data()
{
    addEvaluationColumns();
    row("empty text", "", Expect::Returns);
    exact("(", 0);
    exact(")", 0);
    exact("(1+2", 1);
    exact("((1", 0);
    exact("(1))+5", 1);
    exact("(1)2)", 1);
    row("(1+2*3", "(1+2*3", Expect::Returns);
    row("((1+2*3", "((1+2*3", Expect::Returns);
    row("(2^3*(", "(2^3*(", Expect::Returns);
}

void tst_clsMath::hostile_data()
{
    addEvaluationColumns();

    // A sum "(1+1+...+1)" of the given length.
    auto sum = [](int terms) { return "(" + repeat("1+", terms - 1) + "1)"; };
    row("32,767-character sum", sum(16383), Expect::Exact, 16383);
    row("32,768 characters", "(" + repeat("1+", 16382) + "10)", Expect::Error);
    row("40,001 characters", sum(20000), Expect::Error);

    auto nested = [](int depth, std::string_view core) {
        return repeat("(", depth) + std::string(core) + repeat(")", depth);
    };
    row("16,000 nested brackets", nested(16000, "1"), Expect::Exact, 1);
    row("16,383 nested brackets", nested(16383, "1"), Expect::Exact, 1);
    row("20,000 nested brackets", nested(20000, "1"), Expect::Error);
    row("10,000 nested around a product", nested(10000, "1+2*3"), Expect::Exact, 7);
    row("6,000 nested abs", "(" + repeat("abs(", 6000) + "1" + repeat(")", 6000) + ")", Expect::Exact, 1);
    double iteratedSine = 1;
    for (int i = 0; i < 5000; ++i)
        iteratedSine = std::sin(iteratedSine);
    row("5,000 nested sin", "(" + repeat("sin(", 5000) + "x" + repeat(")", 5000) + ")", Expect::Approx,
        iteratedSine);
    row("32,000 unclosed brackets", repeat("(", 32000), Expect::Returns);
    row("32,767 unclosed brackets", repeat("(", 32767), Expect::Returns);
    row("32,000 closing brackets", repeat(")", 32000), Expect::Exact, 0);

    row("16,000 products", "(" + repeat("1*", 15999) + "1)", Expect::Exact, 1);
    row("16,000 powers", "(2" + repeat("^1", 15999) + ")", Expect::Exact, 2);
    row("5,000 products in a sum", "(1" + repeat("+1*1", 5000) + ")", Expect::Exact, 5001);
    row("8,000 products in a sum", "(1" + repeat("+1*1", 7999) + ")", Expect::Returns);
    row("32,000 carets", "(2" + repeat("^", 32000) + "1)", Expect::Exact, 2);
    row("32,000 plus signs", "(" + repeat("+", 32000) + "1)", Expect::Exact, 1);

    row("32,000-digit number", "(" + repeat("1", 32000) + ")", Expect::Error);
    row("32,000 leading zeros", "(" + repeat("0", 32000) + "1)", Expect::Exact, 1);
    row("32,000-character name", "(" + repeat("q", 32000) + "(1))", Expect::Exact, 0);
    row("32,000-character x operand", "(" + repeat("x", 32000) + ")", Expect::Exact, 1);
    row("32,000 spaces", "(" + repeat(" ", 32000) + "1)", Expect::Exact, 1);
}

void tst_clsMath::preparedText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("prepared");
    auto add = [](const char* text, const char* prepared) { QTest::addRow("%s", text) << QByteArray(text) << QByteArray(prepared); };
    add("(1+2*3)", "(1+(2*3))");
    add("(1+2*(3+4))", "(1+(2*(3+4)))");
    add("(-2^2)", "(-(2^2))");
    add("(2*3^2*4)", "(2*(3^2)*4)");
    add("(2*x^2+(3*x)-5)", "(2*(x^2)+(3*x)-5)");
    add("(2*3+1)", "(2*3+1)");
    add("( 1 + 2 * 3 )", "(1+(2*3))");
    QTest::newRow("tab is kept") << QByteArray("(1\t+2*3)") << QByteArray("(1\t+(2*3))");
    add("(1+2^3^2)", "(1+(2^3^2))");
    add("(10-6/2/3)", "(10-(6/2/3))");
    add("(1-2^3*4)", "(1-(2^3*4))");
    add("(2*(1+2)^2)", "(2*((1+2)^2))");
    add("(1+2^(1+1))", "(1+(2^(1+1)))");
    add("(1+2*3-4/2)", "(1+(2*3)-(4/2))");
    add("(2*3+4*5)", "(2*3+(4*5))");
    add("(1+(2*3)*4)", "(1+((2*3)*4))");
    add("(1+sin(x)^2)", "(1+(sin(x)^2))");
    add("(sin(x)+2*sin(x+1))", "(sin(x)+(2*sin(x+1)))");
}

void tst_clsMath::preparedText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, prepared);
    clsMath math;
    std::string expression = toStd(text);
    math.Evaluate(expression, 1);
    QCOMPARE(toBytes(expression), prepared);
}

void tst_clsMath::piIsTheFifteenDigitValue()
{
    bool error = true;
    const double pi = eval("(pi)", 1, &error);
    QVERIFY(!error);
    QVERIFY2(pi == 3.14159265358979, describe(pi));
    QVERIFY(pi != std::numbers::pi);
}

void tst_clsMath::errorStatusIsClearedByEachEvaluate()
{
    clsMath math;
    std::string failing = "(1/0)";
    math.Evaluate(failing, 1);
    QVERIFY(math.bErrorStatus);

    std::string good = "(2*3)";
    QCOMPARE(math.Evaluate(good, 1), 6.0);
    QVERIFY(!math.bErrorStatus);

    math.bErrorStatus = true;
    QCOMPARE(math.Evaluate(good, 1), 6.0);
    QVERIFY(!math.bErrorStatus);

    // An unfinished text leaves nothing behind for the next evaluation.
    std::string unfinished = "((1+(2";
    math.Evaluate(unfinished, 1);
    std::string next = "(1+(2*3)+4)";
    QCOMPARE(math.Evaluate(next, 1), 11.0);
    QVERIFY(!math.bErrorStatus);
}

void tst_clsMath::operandsIgnoreLocale_data()
{
    addEvaluationColumns();
    exact("(2.5)", 2.5);
    exact("(.5)", 0.5);
    exact("(1.5e1)", 15);
    exact("(x)", 0.25, 0.25);
    fails("(2,5)");
}

void tst_clsMath::operandsIgnoreLocale()
{
    struct RestoreLocale {
        std::string saved = std::setlocale(LC_ALL, nullptr);
        ~RestoreLocale() { std::setlocale(LC_ALL, saved.c_str()); }
    } restore;
    const char* chosen = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8",
                             "es_ES.UTF-8", "it_IT.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            chosen = name;
            break;
        }
    }
    if (!chosen)
        QSKIP("no locale with a decimal comma is installed");
    verifyEvaluationRow();
}

void tst_clsMath::randomBytesDoNotCrash()
{
    // Only survival is checked: no crash, hang or stack overflow.
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<int> anyByte(0, 255);
    const std::string_view alphabet = "()+-*/^%x1. e";
    std::uniform_int_distribution<std::size_t> anySymbol(0, alphabet.size() - 1);

    auto randomText = [&](std::size_t length, bool fromAlphabet) {
        std::string text = generator() % 2 ? "(" : "";
        while (text.size() < length)
            text += fromAlphabet ? alphabet[anySymbol(generator)] : char(anyByte(generator));
        return text;
    };

    for (int i = 0; i < 300; ++i) {
        eval(randomText(generator() % 400, false), 1, nullptr);
        eval(randomText(generator() % 400, true), 1, nullptr);
    }
    for (int i = 0; i < 3; ++i) {
        eval(randomText(40000, false), 1, nullptr);
        eval(randomText(32000, true), 1, nullptr);
    }
}

void tst_clsMath::randomTextsPrepareByTheRules()
{
    // Balanced texts "(...)" made of operators, brackets, operands and spaces.
    std::mt19937 generator(99);
    const std::string_view alphabet = "+-*/^%x12.5 ";
    for (int i = 0; i < 5000; ++i) {
        std::string text = "(";
        int depth = 0;
        for (std::size_t length = generator() % 40; length > 0; --length) {
            const unsigned pick = generator() % 8;
            if (pick == 0) {
                text += '(';
                ++depth;
            } else if (pick == 1 && depth > 0) {
                text += ')';
                --depth;
            } else {
                text += alphabet[generator() % alphabet.size()];
            }
        }
        text += std::string(std::size_t(depth) + 1, ')');

        clsMath math;
        std::string expression = text;
        const double first = math.Evaluate(expression, 1.5);
        const bool firstError = math.bErrorStatus;
        QVERIFY2(expression == ReferenceEvaluator::Prepared(text), text.c_str());

        const std::string prepared = expression;
        const double second = math.Evaluate(expression, 1.5);
        QVERIFY2(expression == prepared, text.c_str());
        QVERIFY2(math.bErrorStatus == firstError, text.c_str());
        QVERIFY2(firstError || first == second || (std::isnan(first) && std::isnan(second)), text.c_str());
    }
}

namespace {

// Random texts of the evaluator's language and beyond it: numbers with and
// without points and exponents, x, pi, the function names in mixed case,
// names it does not know, every operator, spaces, forms left unprepared
// (implied products, names without brackets), brackets left open or closed
// too often, and nesting a few hundred deep.
class RandomExpression {
public:
    explicit RandomExpression(unsigned seed) : m_generator(seed) {}

    std::string Next()
    {
        std::string text = Pick(20) ? "(" : "";
        int depth = 0;
        if (Pick(10) == 0) {
            depth = 100 + Pick(300);
            text.append(std::size_t(depth), '(');
        }
        for (int pieces = 1 + Pick(30); pieces > 0; --pieces) {
            switch (Pick(12)) {
            case 0: text += '('; ++depth; break;
            case 1:
                if (depth > 0) {
                    text += ')';
                    --depth;
                }
                break;
            case 2:
            case 3: text += "+-*/^%"[Pick(6)]; break;
            case 4: text += kNumbers[std::size_t(Pick(int(std::size(kNumbers))))]; break;
            case 5: text += "x"; break;
            case 6: text += Pick(4) ? "pi" : "pix"; break;
            case 7: text += Function() + (Pick(3) ? "(" : Pick(2) ? " " : ""); depth += text.back() == '(' ? 1 : 0; break;
            case 8: text += ' '; break;
            case 9: text += kOthers[std::size_t(Pick(int(std::size(kOthers))))]; break;
            default: text += ShortGroup(); break;
            }
        }
        if (Pick(8))
            text.append(std::size_t(depth) + (text.starts_with('(') ? 1 : 0), ')');
        return text;
    }

    double X()
    {
        static constexpr double kValues[] = {1.5,   0.0,     -0.0,    1.0,   -1.0,   0.5,    -0.5,  2.0,   1e300,
                                             -1e300, 1e-300,  5e-324,  709.8, -709.8, 710.0,  0.9999999999999999,
                                             -1.0000000000000002, 1.5707963267948966, 2147483647.5, -2147483648.5, 7.25,
                                             3.14159265358979,    -0.25, 1e15};
        return Pick(4) ? kValues[std::size_t(Pick(int(std::size(kValues))))]
                       : std::uniform_real_distribution<double>(-20, 20)(m_generator);
    }

private:
    static constexpr const char* kNumbers[] = {"0", "1", "2", "10", "2.5", ".5", "3.", "1e3", "2E2", "0.001",
                                               "123456789012345678", "1e400", "1.2.3", "7", "65536", "0.1"};
    static constexpr const char* kOthers[] = {"e", "foo", "X", "PI", "2x", "x2", "1e", ")(", "()", "--", "*-"};
    std::mt19937 m_generator;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_generator); }

    // x, a digit, or a group of one or two of them, which the scan takes
    // by its shortest paths: "(3*x)", "sin(7)".
    std::string ShortGroup()
    {
        const auto simple = [this] { return std::string(1, "x0123456789"[Pick(11)]); };
        switch (Pick(4)) {
        case 0: return simple();
        case 1: return "(" + simple() + "+-*/^%"[Pick(6)] + simple() + ")";
        case 2: return Function() + "(" + simple() + ")";
        default: return Function() + "(" + simple() + "+-*/^%"[Pick(6)] + simple() + ")";
        }
    }

    std::string Function()
    {
        std::string name(strFunctionNames[std::size_t(Pick(int(strFunctionNames.size())))]);
        if (Pick(3) == 0)
            for (char& c : name)
                c = Pick(2) ? char(std::toupper(static_cast<unsigned char>(c))) : c;
        return name;
    }
};

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

void tst_clsMath::matchesReference_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("texts");
    QTest::newRow("first") << 1u << 50000;
    QTest::newRow("second") << 2u << 50000;
}

void tst_clsMath::matchesReference()
{
    // The value, the error flag and the prepared text, bit for bit.
    QFETCH(unsigned, seed);
    QFETCH(int, texts);
    RandomExpression random(seed);
    for (int i = 0; i < texts; ++i) {
        const std::string text = random.Next();
        const double x = random.X();
        const ReferenceEvaluator::Result expected = ReferenceEvaluator::Evaluate(text, x);
        clsMath math;
        std::string prepared = text;
        const double value = math.Evaluate(prepared, x);
        const std::string where = '"' + text + "\" at x = " + describe(x).toStdString();
        QVERIFY2(math.bErrorStatus == expected.bError, (where + ": error flag").c_str());
        if (expected.strPrepared.size() <= ReferenceEvaluator::kLongestText)
            QVERIFY2(prepared == expected.strPrepared, (where + ": prepared as \"" + prepared + '"').c_str());
        if (!expected.bError)
            QVERIFY2(SameBits(value, expected.dValue),
                     (where + ": " + describe(value).toStdString() + ", not " + describe(expected.dValue).toStdString())
                         .c_str());
    }
}

void tst_clsMath::wholePowers()
{
    // x^3 to x^8 as std::pow gives them, on bases spread over the doubles.
    std::mt19937 generator(38);
    std::uniform_real_distribution<double> exponent(-330, 330);
    std::uniform_real_distribution<double> mantissa(1, 10);
    for (int i = 0; i < 20000; ++i) {
        const double x = (generator() % 2 ? -1 : 1) * mantissa(generator) * std::pow(10.0, std::floor(exponent(generator) / 8));
        for (int n = 3; n <= 8; ++n) {
            clsMath math;
            std::string text = "(x^" + std::to_string(n) + ")";
            const double value = math.Evaluate(text, x);
            const double expected = std::pow(x, n);
            QVERIFY2(math.bErrorStatus == !std::isfinite(expected), describe(x).constData());
            if (!math.bErrorStatus)
                QVERIFY2(SameBits(value, expected), (describe(x) + "^" + QByteArray::number(n)).constData());
        }
    }
}

void tst_clsMath::getTheta_data()
{
    QTest::addColumn<double>("X");
    QTest::addColumn<double>("Y");
    QTest::addColumn<bool>("exactly");
    QTest::addColumn<double>("angle");
    QTest::newRow("(1, 1)") << 1.0 << 1.0 << false << std::atan(1.0);
    QTest::newRow("(-1, 1)") << -1.0 << 1.0 << false << std::atan(-1.0) + kPi;
    QTest::newRow("(-1, -1)") << -1.0 << -1.0 << false << std::atan(1.0) + kPi;
    QTest::newRow("(1, -1)") << 1.0 << -1.0 << false << std::atan(-1.0) + kTwoPi;
    QTest::newRow("(-1, 0)") << -1.0 << 0.0 << true << kPi;
    QTest::newRow("(0, 1)") << 0.0 << 1.0 << true << kPi / 2;
    QTest::newRow("(0, -1)") << 0.0 << -1.0 << true << -kPi / 2 + kTwoPi;
    QTest::newRow("(1, 0)") << 1.0 << 0.0 << true << 0.0;
    QTest::newRow("(0, 0)") << 0.0 << 0.0 << true << -kPi / 2;
}

void tst_clsMath::getTheta()
{
    QFETCH(double, X);
    QFETCH(double, Y);
    QFETCH(bool, exactly);
    QFETCH(double, angle);
    clsMath math;
    const double result = math.GetTheta(X, Y);
    QVERIFY2(exactly ? result == angle : nearlyEqual(result, angle),
             "got " + describe(result) + ", expected " + describe(angle));
}

void tst_clsMath::getR_data()
{
    QTest::addColumn<double>("X");
    QTest::addColumn<double>("Y");
    QTest::addColumn<double>("radius");
    QTest::newRow("(3, 4)") << 3.0 << 4.0 << 5.0;
    QTest::newRow("(-3, -4)") << -3.0 << -4.0 << 5.0;
    QTest::newRow("(0, -2)") << 0.0 << -2.0 << 2.0;
    QTest::newRow("(0, 0)") << 0.0 << 0.0 << 0.0;
}

void tst_clsMath::getR()
{
    QFETCH(double, X);
    QFETCH(double, Y);
    QFETCH(double, radius);
    clsMath math;
    QCOMPARE(math.GetR(X, Y), radius);
}

QTEST_APPLESS_MAIN(tst_clsMath)
#include "tst_clsmath.moc"
