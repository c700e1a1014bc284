#pragma once
// Empty asm statements that pin down what the compiler may do with a
// floating-point value. Their text is empty: the operand constraints alone
// take from the optimiser a freedom that would change what is measured.

// Forces value out to memory in its declared type. On the x87 unit this is
// where a float or double is rounded to its own precision; without it the
// compiler may keep the wider register value, and whether a result gets
// rounded would depend on register allocation.
template <typename T>
T rounded_to_type(T value)
{
    asm volatile("" : "+m"(value));
    return value;
}

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
