#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

// Numbers typed by the user into the windows' boxes.

// The finite number the text stands for, read in the user's locale (its
// decimal separator, without digit grouping); text the locale does not take
// is read with "." as the point, so "2.5" is understood everywhere. A group
// separator is taken nowhere: "2.500" is 2.5 in every locale. Spaces
// around the number are ignored. Empty text, words, "inf", "nan" and numbers
// beyond the range of a double give nothing.
std::optional<double> ReadNumber(const QString& strText, const QLocale& locale = QLocale());

// The text read as a number and rounded to the nearest whole number, halves
// to even ("5.5" gives 6, "4.5" gives 4); nothing when it is not a number or
// the whole number lies outside iMin to iMax.
std::optional<std::int16_t> ReadWholeNumber(const QString& strText, std::int16_t iMin, std::int16_t iMax,
                                            const QLocale& locale = QLocale());
