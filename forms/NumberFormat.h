#pragma once

#include <QLocale>
#include <QString>

#include <string>

// Number-to-text conversion for everything the program shows.
//
// All forms share one digit rule: 15 significant digits with trailing zeros
// of the fraction dropped. Values from 1E+15 up are written in exponent form
// ("1E+15", "1.2E+20"). Small values are written in fixed notation while the
// exponent's magnitude plus the mantissa's places beyond the first stays
// below 15 ("0.000015", "0.000000000123", "0.000000000000012", but "1E-15"
// and "1.23E-14"). The digits never depend on the C locale.
//
// Rounding to a number of places takes halves to even on the scaled binary
// value, nearbyint(v * 10^places) / 10^places: 0.0625 rounds to .062 at 3
// places. Values from 1E+15 up are not rounded.
//
// Not-a-number is written "NaN" and the infinities "Infinity" and
// "-Infinity"; the forms below add their usual sign space and trailing space
// around those words as they do around digits.

// The digits of a value in the program's general number form, with "." as the point.
std::string GeneralDigits(double dValue);

// Editing form, for numbers the user may change: all 15 significant digits,
// the locale's decimal separator, whole numbers without a point: "-10",
// "0,5", "1000000", "1E+20".
QString GeneralText(double dValue, const QLocale& locale = QLocale());

// Axis label form: rounded to 3 places (halves to even), "." as the point,
// a space before zero and positive values, "-" before negative ones, and no
// "0" before the point: " 2", "-.667", " .333", " 1E+20".
QString LabelText(double dValue);

// Pointer readout form: rounded to 5 places, "-" before negative values and
// nothing before others, the locale's decimal separator: "0.7854", "-0.5".
QString ReadoutText(double dValue, const QLocale& locale = QLocale());

// Script form: the shortest text that reads back as the same double, with
// "." as the point whatever the locale ("0.1", "1e+300", "-inf").
QString ShortestText(double dValue);

// Trace form: the readout's form with places enough that values dResolution
// apart read differently, and at least 5 significant digits; all 15 when
// dResolution is 0: "1.41421", "0.0000012346", "-3.14159265358979".
QString TraceText(double dValue, double dResolution, const QLocale& locale = QLocale());

// Comparison-window form: rounded to 6 places, a space or "-" before, no "0"
// before the point, the locale's decimal separator and one trailing space:
// " .841471 ", "-2 ".
QString PrintedText(double dValue, const QLocale& locale = QLocale());
