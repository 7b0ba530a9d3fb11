#pragma once

// The evaluator's scan of a bracketed group, as a small machine: its state
// in one object, one member for each step, and a dispatch that goes from
// step to step by the class of the character each stopped at. Included by
// clsMath.cpp only.
//
// The quick kind, for texts that are already prepared, confirms on the way
// that the text is in its prepared form (no spaces, nothing for either
// bracketing pass to insert) and stops early when it is not, or when it is
// nested too deeply for its frames. Its arithmetic only notes whether some
// result was not a finite double, which is rare, and then leaves the value
// to the checked kind, whose arithmetic tests every result and goes on with
// 0 in its place, as the rules of evaluation require; the two agree on
// every other text.
//
// VELMORA_COMPUTED_GOTO (set by the build with GCC and Clang) makes each
// step jump straight to the next one through a table of label addresses, so
// that every step has a jump of its own, which the processor learns to
// predict from the steps that usually follow it. Without it the steps are
// the cases of a switch, in standard C++.

#include "Arithmetic.h"
#include "FunctionTable.h"
#include "OperandNumber.h"
#include "ScanCharacters.h"
#include "clsMath.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace evaluation {

// How a scan ended: with the value of the text, or finding that the text
// must be prepared first, or that the value must come from the checked scan.
enum class ScanOutcome : unsigned char { Value, NeedsPreparation, NotFinite };

// What a bracket interrupts: the enclosing scan's accumulator and pending
// operator, and the operand read just before the bracket, which names the
// function applied to the group. (The enclosing scan's last value needs no
// saving: the group's value replaces it.) Trivially constructible, so that
// the frame stack costs nothing until used.
struct ScanFrame {
    double acc;
    const char* name; // the operand before the group's "(", which names its function
    std::size_t n;    // length of that name
    unsigned char op; // the pending operator, by its class
    unsigned char seen; // operators met at that level, for the prepared-text check
};

// The scan frames of the enclosing groups, indexed by depth; the scan keeps
// the depth itself, in a register. They live on the machine stack for
// ordinary nesting depths; only the growable kind moves deeper nesting to the
// heap, the other refuses it.
template <bool kGrowable>
class FrameStore {
public:
    // Where the frame at `depth` goes; null when the store is full. Fields are
    // written one by one through it: building a whole frame and copying it
    // costs a stalled store-to-load forward on some processors.
    ScanFrame* Slot(std::size_t depth)
    {
        if (depth < m_inline.size())
            return &m_inline[depth];
        if constexpr (kGrowable) {
            const std::size_t i = depth - m_inline.size();
            if (i >= m_overflow.size())
                m_overflow.resize(i + 1);
            return &m_overflow[i];
        }
        return nullptr;
    }
    const ScanFrame& Get(std::size_t depth) const
    {
        if constexpr (kGrowable) {
            if (depth >= m_inline.size())
                return m_overflow[depth - m_inline.size()];
        }
        return m_inline[depth];
    }

private:
    struct NoOverflow {};
    std::array<ScanFrame, 48> m_inline;
    [[no_unique_address]] std::conditional_t<kGrowable, std::vector<ScanFrame>, NoOverflow> m_overflow;
};

template <bool kQuick>
class GroupScan {
public:
    // strText[0] is the group's opening bracket and is not examined; the
    // scan reads the string's terminating NUL instead of testing the length
    // at every character. Failures set bError.
    GroupScan(const std::string& strText, double dX, bool& bError, FrameStore<!kQuick>& frames)
        : m_p(strText.c_str()), m_end(strText.c_str() + strText.size()), m_x(dX), m_bError(bError), m_frames(frames)
    {
    }

    // Scans the text. The scan's state is a local object of this function,
    // whose address nothing else sees, so that it lives in registers; every
    // call the scan makes is inlined into it where that can be done.
    static double Run(const std::string& strText, double dX, bool& bError, ScanOutcome& outcome);

private:
    const char* m_p; // the character the next step reads
    const char* const m_end;
    const double m_x;
    bool& m_bError;
    FrameStore<!kQuick>& m_frames; // kept apart, since the frames are reached by their address
    std::size_t m_depth = 0;        // groups open around the current one
    double m_acc = 0;               // the value of the group so far
    double m_v = 0;                 // the operand or group value read last
    unsigned char m_op = kScanAdd;  // the operator for the next operand
    unsigned char m_seen = 0;       // operators met at this level
    double m_probe = 0;             // the quick scan's sum of results: finite while they all are

    [[gnu::always_inline]] double Fail()
    {
        m_bError = true;
        return 0;
    }
    [[gnu::always_inline]] double SimpleValue(unsigned char cls) const { return cls == kScanX ? m_x : cls; }

    template <unsigned char kOp>
    double Apply(OperatorTag<kOp>, double a, double b);
    double Apply(unsigned char code, double a, double b);
    template <typename Op>
    void TakeOperand(Op op, double value);
    void ApplyFunction(const char* name, std::size_t n);
    double OperandValue(std::string_view strOperand);

    template <typename Op>
    bool TakeSimpleOperand(Op op);
    bool TakeShortGroup(const char* name);
    bool OpenGroup(const char* name);
    void CloseGroup();
    template <unsigned char kOp>
    bool OnOperator();
    bool OnNumber();
    int OnOperand();
    bool Begin(ScanOutcome& outcome);
    double FinishAtClose(ScanOutcome& outcome);
    double Finish(ScanOutcome& outcome);
};

// a op b, and whether it fails: a division by zero, a remainder outside its
// range, a result that is not a finite double.
template <bool kQuick>
template <unsigned char kOp>
[[gnu::always_inline]] inline double GroupScan<kQuick>::Apply(OperatorTag<kOp>, double a, double b)
{
    double r;
    if constexpr (kOp == kScanRemainder) {
        if (!Remainder(a, b, r))
            return Fail();
        return r; // always finite
    } else if constexpr (kOp == kScanAdd) {
        r = a + b;
    } else if constexpr (kOp == kScanSubtract) {
        r = a - b;
    } else if constexpr (kOp == kScanMultiply) {
        r = a * b;
    } else if constexpr (kOp == kScanDivide) {
        if (!kQuick && b == 0)
            return Fail();
        r = a / b; // the quick scan's quotient by 0 is not finite
    } else {
        static_assert(kOp == kScanPower);
        r = Power(a, b);
    }
    if constexpr (kQuick)
        m_probe += r;
    else if (!std::isfinite(r))
        return Fail();
    return r;
}

// The same for an operator known only when the scan runs. Addition and
// subtraction, the commonest, share one path without a jump: a - b is
// exactly a + (-b), the sign of b flipped for "-".
template <bool kQuick>
[[gnu::always_inline]] inline double GroupScan<kQuick>::Apply(unsigned char code, double a, double b)
{
    if (code <= kScanSubtract) {
        const std::uint64_t sign = static_cast<std::uint64_t>(code - kScanAdd) << 63;
        return Apply(OperatorTag<kScanAdd>{}, a, std::bit_cast<double>(std::bit_cast<std::uint64_t>(b) ^ sign));
    }
    switch (code) {
    case kScanMultiply: return Apply(OperatorTag<kScanMultiply>{}, a, b);
    case kScanDivide: return Apply(OperatorTag<kScanDivide>{}, a, b);
    case kScanPower: return Apply(OperatorTag<kScanPower>{}, a, b);
    default: return Apply(OperatorTag<kScanRemainder>{}, a, b);
    }
}

// The one place where an operand or a group's value is applied: the value
// becomes the last one read and goes into the accumulator by the operator.
template <bool kQuick>
template <typename Op>
[[gnu::always_inline]] inline void GroupScan<kQuick>::TakeOperand(Op op, double value)
{
    m_v = value;
    m_acc = Apply(op, m_acc, m_v);
}

// The function named by the n characters at name, applied to the last value.
// In the quick scan a value that is not finite marks a failure.
template <bool kQuick>
[[gnu::always_inline]] inline void GroupScan<kQuick>::ApplyFunction(const char* name, std::size_t n)
{
    if constexpr (kQuick) {
        m_v = QuickFunctionValue(m_v, std::string_view(name, n));
        m_probe += m_v;
    } else {
        m_v = FunctionValue(m_v, std::string_view(name, n), m_bError);
    }
}

// An operand's value: x, pi or a number; a failed conversion keeps the last
// value. x and single digits, the most common operands, cost no call.
template <bool kQuick>
[[gnu::always_inline]] inline double GroupScan<kQuick>::OperandValue(std::string_view strOperand)
{
    const char first = strOperand.front();
    if (first == 'x')
        return m_x;
    if (strOperand.size() == 1 && static_cast<unsigned char>(first - '0') < 10)
        return first - '0';
    if (strOperand.size() >= 2 && first == 'p' && strOperand[1] == 'i')
        return MathConstants::kPi;
    double value = 0;
    if (ParseOperandNumber(strOperand, value))
        return value;
    m_bError = true;
    return m_v;
}

// At an operator (or an opening bracket, as "+"): the usual operand, x or one
// digit before an operator or a closing bracket, is applied at once, and the
// scan goes on after it; otherwise at the next character.
template <bool kQuick>
template <typename Op>
[[gnu::always_inline]] inline bool GroupScan<kQuick>::TakeSimpleOperand(Op op)
{
    const unsigned char cls = ScanClassOf(m_p[1]);
    if (IsSimpleOperand(cls) && ScanClassOf(m_p[2]) >= kScanClose) {
        TakeOperand(op, SimpleValue(cls));
        m_p += 2;
        return true;
    }
    ++m_p;
    return false;
}

// At the "(" of a group named by the operand from name on: a group of one
// simple operand, or of one operator between two, as "(x^2)", "(3*x)" and
// "sin(x)" are, is evaluated at once without a frame; otherwise nothing
// changes and the result is false.
template <bool kQuick>
[[gnu::always_inline]] inline bool GroupScan<kQuick>::TakeShortGroup(const char* name)
{
    const unsigned char first = ScanClassOf(m_p[1]);
    if (!IsSimpleOperand(first))
        return false;
    const unsigned char next = ScanClassOf(m_p[2]);
    const char* const open = m_p;
    unsigned char second = 0;
    if (next == kScanClose) {
        m_p += 3;
    } else {
        // next is an operator only when m_p[3] can be read.
        if (next < kScanAdd)
            return false;
        second = ScanClassOf(m_p[3]);
        if (!IsSimpleOperand(second) || ScanClassOf(m_p[4]) != kScanClose)
            return false;
        m_p += 5;
    }
    m_v = Apply(OperatorTag<kScanAdd>{}, 0.0, SimpleValue(first));
    if (next != kScanClose)
        m_v = Apply(next, m_v, SimpleValue(second));
    if (open != name)
        ApplyFunction(name, static_cast<std::size_t>(open - name));
    TakeOperand(m_op, m_v);
    return true;
}

// At the "(" of a group named by the operand from name on: the enclosing
// scan's state is saved and the group's scan starts. False when the quick
// scan has no frame left.
template <bool kQuick>
[[gnu::always_inline]] inline bool GroupScan<kQuick>::OpenGroup(const char* name)
{
    if (TakeShortGroup(name))
        return true;
    ScanFrame* frame = m_frames.Slot(m_depth);
    if (!frame)
        return false;
    frame->acc = m_acc;
    frame->name = name;
    frame->n = static_cast<std::size_t>(m_p - name);
    frame->op = m_op;
    frame->seen = m_seen;
    ++m_depth;
    m_acc = 0;
    m_v = 0;
    m_op = kScanAdd;
    m_seen = 0;
    TakeSimpleOperand(OperatorTag<kScanAdd>{});
    return true;
}

// The innermost group has ended: its value goes to the scan that contains it.
template <bool kQuick>
[[gnu::always_inline]] inline void GroupScan<kQuick>::CloseGroup()
{
    const ScanFrame& outer = m_frames.Get(--m_depth);
    // Read the frame at once: a function call in between would make the
    // compiler find the frame again for every field.
    const double outerAcc = outer.acc;
    m_op = outer.op;
    m_seen = outer.seen;
    m_v = m_acc;
    if (outer.n > 0)
        ApplyFunction(outer.name, outer.n);
    m_acc = outerAcc;
    TakeOperand(m_op, m_v);
}

// At an operator: it becomes the pending one, unless a simple operand after
// it is taken at once. False when the quick scan finds that the bracketing
// passes would bracket it.
template <bool kQuick>
template <unsigned char kOp>
[[gnu::always_inline]] inline bool GroupScan<kQuick>::OnOperator()
{
    if (!NoteOperator<CharClassOf(kOp)>(m_seen) && kQuick)
        return false;
    if (!TakeSimpleOperand(OperatorTag<kOp>{}))
        m_op = kOp;
    return true;
}

// At a digit: a short number ended by an operator or a closing bracket is
// read and applied; false, with nothing read, for any other operand.
template <bool kQuick>
[[gnu::always_inline]] inline bool GroupScan<kQuick>::OnNumber()
{
    const ShortNumber number = ReadShortNumber(m_p, m_end);
    if (!number.IsShort() || ScanClassOf(*number.stop) < kScanClose)
        return false;
    m_p = number.stop;
    TakeOperand(m_op, number.Value());
    return true;
}

// At the start of an operand the operator before it did not take: runs over
// its characters, then applies it, or opens the group it names. Returns the
// class of the character it stopped at, or -1 when the quick scan must stop.
template <bool kQuick>
[[gnu::always_inline]] inline int GroupScan<kQuick>::OnOperand()
{
    const char* const first = m_p;
    unsigned char cls;
    for (;;) {
        // Two characters at a time: m_p[2] can be read whenever m_p[1] is an
        // operand character, which the terminating NUL is not.
        for (;;) {
            cls = ScanClassOf(m_p[1]);
            if (!IsOperandClass(cls)) {
                ++m_p;
                break;
            }
            cls = ScanClassOf(m_p[2]);
            m_p += 2;
            if (!IsOperandClass(cls))
                break;
        }
        // A NUL inside the text is an operand character; the checked scan
        // never meets a space, since preparing removes them.
        if ((cls == kScanEnd && m_p != m_end) || (cls == kScanSpace && !kQuick))
            continue;
        break;
    }
    if (cls == kScanOpen)
        return OpenGroup(first) ? cls : -1;
    if (cls >= kScanClose)
        TakeOperand(m_op, OperandValue(std::string_view(first, static_cast<std::size_t>(m_p - first))));
    return cls; // the end of the text and a space are met again
}

// At the start: the text's first operand, when it is x or a digit before an
// operator, is taken as after any opening bracket. False when there is no
// text, or the quick scan finds no opening bracket.
template <bool kQuick>
[[gnu::always_inline]] inline bool GroupScan<kQuick>::Begin(ScanOutcome& outcome)
{
    outcome = ScanOutcome::Value;
    if (m_p == m_end || (kQuick && *m_p != '(')) {
        if (kQuick)
            outcome = ScanOutcome::NeedsPreparation;
        return false;
    }
    TakeSimpleOperand(OperatorTag<kScanAdd>{});
    return true;
}

// At the ")" that closes the text. Text after it is not evaluated, but the
// bracketing passes may still rewrite it: such texts (only unbalanced ones
// have any) take the full path.
template <bool kQuick>
[[gnu::always_inline]] inline double GroupScan<kQuick>::FinishAtClose(ScanOutcome& outcome)
{
    if (kQuick && m_p + 1 != m_end) {
        outcome = ScanOutcome::NeedsPreparation;
        return 0;
    }
    return Finish(outcome);
}

// The value of the whole text; the quick scan passes it on only when all its
// results were finite.
template <bool kQuick>
[[gnu::always_inline]] inline double GroupScan<kQuick>::Finish(ScanOutcome& outcome)
{
    if (kQuick && !std::isfinite(m_probe))
        outcome = ScanOutcome::NotFinite;
    return m_acc;
}

// The steps, by the class of the character they start at.
enum class ScanStep : unsigned char { Number, Operand, Space, TextEnd, Open, Close, Add, Subtract, Multiply, Divide, Power, Remainder };

constexpr ScanStep StepOfClass(unsigned char cls)
{
    if (cls < 10)
        return ScanStep::Number;
    if (cls <= kScanOther)
        return ScanStep::Operand;
    return static_cast<ScanStep>(cls - kScanSpace + static_cast<unsigned char>(ScanStep::Space));
}

#if VELMORA_COMPUTED_GOTO
#define VELMORA_SCAN_STEP(step) case ScanStep::step: step##Step
#define VELMORA_SCAN_NEXT() goto* kStepAddress[ScanClassOf(*s.m_p)]
#else
#define VELMORA_SCAN_STEP(step) case ScanStep::step
#define VELMORA_SCAN_NEXT() goto dispatch
#endif

template <bool kQuick>
[[gnu::flatten]] double GroupScan<kQuick>::Run(const std::string& strText, double dX, bool& bError, ScanOutcome& outcome)
{
    FrameStore<!kQuick> frames;
    GroupScan s(strText, dX, bError, frames);
    if (!s.Begin(outcome))
        return 0;
#if VELMORA_COMPUTED_GOTO
    static const void* const kStepAddress[] = {
        &&NumberStep, &&NumberStep, &&NumberStep, &&NumberStep,   &&NumberStep,   &&NumberStep,
        &&NumberStep, &&NumberStep, &&NumberStep, &&NumberStep,   &&OperandStep,  &&OperandStep,
        &&SpaceStep,  &&TextEndStep, &&OpenStep,  &&CloseStep,    &&AddStep,      &&SubtractStep,
        &&MultiplyStep, &&DivideStep, &&PowerStep, &&RemainderStep,
    };
    static_assert(std::size(kStepAddress) == kScanRemainder + 1);
#endif
#if !VELMORA_COMPUTED_GOTO
dispatch:
#endif
    switch (StepOfClass(ScanClassOf(*s.m_p))) {
    VELMORA_SCAN_STEP(Space):
        if (kQuick)
            goto unprepared;
        [[fallthrough]];
    VELMORA_SCAN_STEP(TextEnd):
        if (s.m_p != s.m_end)
            goto operand; // a NUL inside the text is an operand character
        // The text ended inside the group: the operand being read is
        // dropped, and every group still open ends with the text.
        if (s.m_depth == 0)
            return s.Finish(outcome);
        s.CloseGroup();
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Number):
        if (s.OnNumber())
            VELMORA_SCAN_NEXT();
        [[fallthrough]];
    VELMORA_SCAN_STEP(Operand):
    operand:
        if (s.OnOperand() < 0)
            goto unprepared;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Open):
        if (!s.OpenGroup(s.m_p))
            goto unprepared;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Close):
        if (s.m_depth == 0)
            return s.FinishAtClose(outcome);
        s.CloseGroup();
        ++s.m_p;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Add):
        if (!s.OnOperator<kScanAdd>())
            goto unprepared;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Subtract):
        if (!s.OnOperator<kScanSubtract>())
            goto unprepared;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Multiply):
        if (!s.OnOperator<kScanMultiply>())
            goto unprepared;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Divide):
        if (!s.OnOperator<kScanDivide>())
            goto unprepared;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Power):
        if (!s.OnOperator<kScanPower>())
            goto unprepared;
        VELMORA_SCAN_NEXT();
    VELMORA_SCAN_STEP(Remainder):
        if (!s.OnOperator<kScanRemainder>())
            goto unprepared;
        VELMORA_SCAN_NEXT();
    }
unprepared:
    outcome = ScanOutcome::NeedsPreparation;
    return 0;
}

#undef VELMORA_SCAN_STEP
#undef VELMORA_SCAN_NEXT

} // namespace evaluation
