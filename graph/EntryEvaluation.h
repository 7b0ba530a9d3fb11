#pragma once

#include <QString>

#include <string>

class clsMath;

// An entry of the expression list as the evaluator takes it: in brackets.
std::string EvaluatorText(const QString& strEntry);

// An entry evaluated at x, as the comparison window writes it: the entry,
// "=", then the value, or "Error" when the evaluator reports one.
QString ValueLine(clsMath& objMath, const QString& strEntry, double dX);

// Why a text cannot be the value of x to evaluate at.
QString ValueNotANumber();
