#pragma once
// Empty asm statements that pin down what the compiler may do with a
// floating-point value. Their text is empty: the operand constraints alone
// take from the optimiser a freedom that would change what is measured.

// Returns value unchanged, as a value the compiler must take to be computed
// from dependency, so that whatever uses it comes after dependency. GCC
// schedules calls it knows to be free of side effects (atan, sin, cos,
// sincos) by their data alone, not by the order of the source: this is a
// data dependency it has to respect. Both values stay where they are, in SSE
// registers or on the x87 stack (value on top, dependency below it); a
// detour through memory would round an x87 value to double.
inline double computed_after(double value, double dependency)
{
#if defined(__SSE2_MATH__)
    asm("" : "+x"(value) : "x"(dependency));
#else
    asm("" : "+t"(value) : "u"(dependency));
#endif
    return value;
}
