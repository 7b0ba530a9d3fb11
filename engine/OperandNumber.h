#pragma once

#include <string_view>

// Converts an operand of an expression to a number. Accepts plain decimal
// numbers with an optional point and exponent ("2", ".5", "2.", "1e5") and
// nothing else: no signs, no "inf" or "nan", no hexadecimal, no empty text,
// no values beyond the range of a double. Independent of the user's locale.
bool ParseOperandNumber(std::string_view strOperand, double& dValue);
