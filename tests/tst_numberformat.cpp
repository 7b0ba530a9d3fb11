#include <QtTest>

#include "NumberFormat.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// The trace's forms: at the default view's 0.05 units to a pixel, at
// 0.000005, and for an exact point.
enum class Form { General, Label, Readout, Printed, Trace, TraceFine, TraceExact };

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Puts the C library's locale back when the test is done.
struct CLocale {
    std::string saved = std::setlocale(LC_ALL, nullptr);
    ~CLocale() { std::setlocale(LC_ALL, saved.c_str()); }
};

bool useDecimalCommaCLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0)
            return true;
    }
    return false;
}

void row(Form form, double value, const char* expected, bool german = false)
{
    static const char* const names[] = {"general", "label", "readout", "printed", "trace", "trace fine", "trace exact"};
    QTest::addRow("%s %.17g%s", names[int(form)], value, german ? " de" : "")
        << int(form) << value << german << QString::fromLatin1(expected);
}

QString text(Form form, double value, const QLocale& locale)
{
    switch (form) {
    case Form::General:
        return QString::fromStdString(GeneralDigits(value));
    case Form::Label:
        return LabelText(value);
    case Form::Readout:
        return ReadoutText(value, locale);
    case Form::Printed:
        return PrintedText(value, locale);
    case Form::Trace:
        return TraceText(value, 0.05, locale);
    case Form::TraceFine:
        return TraceText(value, 0.000005, locale);
    case Form::TraceExact:
        return TraceText(value, 0, locale);
    }
    return {};
}

// %.15G in the C locale with trailing zeros already dropped, except that a
// small value goes to fixed notation when that needs at most 15 places
// (exponent e, m mantissa places: e + m - 1 < 15, or e < 15 without a point).
std::string referenceDigits(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string reference = buffer;
    const std::size_t exponentAt = reference.find("E-");
    if (exponentAt == std::string::npos)
        return reference;
    const int e = std::atoi(buffer + exponentAt + 2);
    const std::size_t point = reference.find('.');
    const int m = point == std::string::npos ? 0 : int(exponentAt - point - 1);
    if (e + (m > 0 ? m - 1 : 0) >= 15)
        return reference;
    std::snprintf(buffer, sizeof buffer, "%.*f", e + m, value);
    return buffer;
}

} // namespace

class tst_NumberFormat : public QObject {
    Q_OBJECT

private slots:
    void forms_data();
    void forms();
    void formsIgnoreCLocale_data() { forms_data(); }
    void formsIgnoreCLocale();
    void generalDigitsAgreeWithPrintf();
};

void tst_NumberFormat::forms_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("expected");

    using enum Form;
    row(General, -0.0, "0");
    row(General, 999999999999999, "999999999999999");
    row(General, 999999999999999.5, "1E+15");
    row(General, 1e15, "1E+15");
    row(General, 1.2e15, "1.2E+15");
    row(General, 1.5e-5, "0.000015");
    row(General, 1.23e-10, "0.000000000123");
    row(General, 1.2e-14, "0.000000000000012");
    row(General, 1.23e-14, "1.23E-14");
    row(General, 1e-15, "1E-15");
    row(General, 1.23456789012345e-5, "1.23456789012345E-05");
    row(General, kNaN, "NaN");
    row(General, kInf, "Infinity");
    row(General, -kInf, "-Infinity");

    row(Label, 2, " 2");
    row(Label, -4, "-4");
    row(Label, 1.0 / 3, " .333");
    row(Label, -2.0 / 3, "-.667");
    row(Label, -0.0, " 0");
    row(Label, -0.0004, " 0");
    row(Label, 2.0005, " 2.001");  // the double lies just above the half
    row(Label, 2.0015, " 2.002");
    row(Label, 9.9995, " 10");     // an exact half after scaling; the carry runs through
    row(Label, 0.0625, " .062");   // a half the double holds exactly
    row(Label, 1e20, " 1E+20");
    row(Label, kNaN, " NaN");
    row(Label, 0.5, " .5", true);   // labels keep "." in every locale

    row(Readout, 7.0710678, "7.07107");
    row(Readout, 0.785398163, "0.7854");
    row(Readout, -0.5, "-0.5");
    row(Readout, 0.000015, "0.00002");
    row(Readout, 0.5, "0,5", true);
    row(Readout, 1.5e20, "1,5E+20", true);

    row(Printed, std::sin(1.0), " .841471 ");
    row(Printed, 2, " 2 ");
    row(Printed, -2, "-2 ");
    row(Printed, -0.0000015, "-.000002 ");
    row(Printed, 1e20, " 1E+20 ");
    row(Printed, kNaN, " NaN ");
    row(Printed, std::sin(1.0), " ,841471 ", true);

    row(Trace, 2.8, "2.8");
    row(Trace, 0.000012345678, "0.000012346"); // five significant digits
    row(Trace, 123456.789, "123456.789");
    row(TraceFine, 1000.0012345678, "1000.0012346"); // columns apart read apart
    row(TraceFine, 1000.0012395678, "1000.0012396");
    row(TraceExact, std::sqrt(2.0), "1.4142135623731");
    row(TraceExact, 1e-300, "1E-300");
    row(Trace, 0.5, "0,5", true);
}

void tst_NumberFormat::forms()
{
    QFETCH(int, form);
    QFETCH(double, value);
    QFETCH(bool, german);
    QFETCH(QString, expected);

    const QLocale locale = german ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::C);
    QCOMPARE(text(Form(form), value, locale), expected);
}

void tst_NumberFormat::formsIgnoreCLocale()
{
    CLocale restore;
    if (!useDecimalCommaCLocale())
        QSKIP("no locale with a decimal comma is installed");
    forms();
}

void tst_NumberFormat::generalDigitsAgreeWithPrintf()
{
    CLocale restore;
    std::setlocale(LC_ALL, "C");

    std::mt19937_64 generator(20240611);
    std::uniform_int_distribution<int> digitCount(1, 16);
    std::uniform_int_distribution<int> anyDigit(0, 9);
    std::uniform_int_distribution<int> decimalExponent(-22, 22);

    for (int i = 0; i < 20000; ++i) {
        double value;
        if (i % 2) {
            // Any bit pattern: full-length digits at every magnitude.
            const std::uint64_t bits = generator();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
        } else {
            // Short decimals around the fixed/exponent boundaries, with or without the sign.
            std::string decimal = "-" + std::to_string(anyDigit(generator) + 1) + ".";
            for (int n = digitCount(generator); n > 1; --n)
                decimal += char('0' + anyDigit(generator));
            decimal += "e" + std::to_string(decimalExponent(generator));
            value = std::strtod(decimal.c_str() + generator() % 2, nullptr);
        }
        const std::string expected = referenceDigits(value);
        QVERIFY2(GeneralDigits(value) == expected,
                 qPrintable(QString::asprintf("%.17g: got %s, expected %s", value, GeneralDigits(value).c_str(),
                                              expected.c_str())));
    }
}

QTEST_MAIN(tst_NumberFormat)
#include "tst_numberformat.moc"
