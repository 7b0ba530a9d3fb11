#pragma once

#include <string>

namespace evaluation {

// One pass of precedence bracketing for the operators of class opClass
// (kMulDiv or kPowMod).
void BracketPass(std::string& t, unsigned char opClass);

} // namespace evaluation
