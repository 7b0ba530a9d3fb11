#pragma once

// How the evaluator's scan and its bracketing passes see the characters of
// an expression text.

#include <array>
#include <cstddef>

namespace evaluation {

// How the scan sees each character. The operand characters come first: the
// digits, whose class is their value, then x, then the other operand
// characters. kScanEnd is the terminating NUL of a std::string (a NUL inside
// the text is an operand character like any other). The classes from
// kScanClose on end an operand and have it evaluated; the operators' classes
// also serve as the scan's codes for them.
enum ScanClass : unsigned char {
    kScanX = 10, kScanOther, kScanSpace, kScanEnd, kScanOpen, kScanClose,
    kScanAdd, kScanSubtract, kScanMultiply, kScanDivide, kScanPower, kScanRemainder,
};

constexpr std::array<unsigned char, 256> MakeScanClasses()
{
    std::array<unsigned char, 256> classes{};
    classes.fill(kScanOther);
    for (unsigned char digit = 0; digit < 10; ++digit)
        classes['0' + digit] = digit;
    classes['x'] = kScanX;
    classes[' '] = kScanSpace;
    classes['\0'] = kScanEnd;
    classes['('] = kScanOpen;
    classes[')'] = kScanClose;
    classes['+'] = kScanAdd;
    classes['-'] = kScanSubtract;
    classes['*'] = kScanMultiply;
    classes['/'] = kScanDivide;
    classes['^'] = kScanPower;
    classes['%'] = kScanRemainder;
    return classes;
}
constexpr std::array<unsigned char, 256> kScanClass = MakeScanClasses();

inline unsigned char ScanClassOf(char c) { return kScanClass[static_cast<unsigned char>(c)]; }
// An operand of one character that needs no conversion: x or a digit.
inline bool IsSimpleOperand(unsigned char cls) { return cls <= kScanX; }
inline bool IsOperandClass(unsigned char cls) { return cls <= kScanOther; }

// How the bracketing passes see each character: the scan's classes with the
// two operators of each precedence level taken together.
enum CharClass : unsigned char { kOperand, kOpen, kClose, kAddSub, kMulDiv, kPowMod, kSpace, kEnd };

// The bracketing passes' class of a character of scan class cls.
constexpr unsigned char CharClassOf(unsigned char cls)
{
    switch (cls) {
    case kScanOpen: return kOpen;
    case kScanClose: return kClose;
    case kScanAdd:
    case kScanSubtract: return kAddSub;
    case kScanMultiply:
    case kScanDivide: return kMulDiv;
    case kScanPower:
    case kScanRemainder: return kPowMod;
    case kScanSpace: return kSpace;
    case kScanEnd: return kEnd;
    default: return kOperand;
    }
}

constexpr std::array<unsigned char, 256> MakeCharClasses()
{
    std::array<unsigned char, 256> classes{};
    for (std::size_t c = 0; c < classes.size(); ++c)
        classes[c] = CharClassOf(kScanClass[c]);
    return classes;
}
constexpr std::array<unsigned char, 256> kCharClass = MakeCharClasses();

inline unsigned char ClassOf(char c) { return kCharClass[static_cast<unsigned char>(c)]; }

// What a bracket level has met so far, for telling whether the bracketing
// passes would change a text: they put brackets around a "*" or "/" that
// follows a "+" or "-" within the same level, and around a "^" or "%" that
// follows any of "+ - * /" within it.
constexpr unsigned char kSeenAddSub = 1;
constexpr unsigned char kSeenMulDiv = 2;

// Records an operator of class kClass (kAddSub, kMulDiv or kPowMod) at the
// current level; false when the bracketing passes would bracket it.
template <unsigned char kClass>
inline bool NoteOperator(unsigned char& seen)
{
    if constexpr (kClass == kAddSub) {
        seen |= kSeenAddSub;
        return true;
    } else if constexpr (kClass == kMulDiv) {
        if (seen & kSeenAddSub)
            return false;
        seen |= kSeenMulDiv;
        return true;
    } else {
        static_assert(kClass == kPowMod);
        return seen == 0;
    }
}

} // namespace evaluation
