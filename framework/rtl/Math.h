// Floating-point control: which arithmetic faults trap and which yield IEEE special values.
#pragma once

#include "framework/rtl/Types.h"

enum TArithmeticException { exInvalidOp, exDenormalized, exZeroDivide, exOverflow, exUnderflow, exPrecision };
using TArithmeticExceptionMask = TSet<TArithmeticException>;

inline constexpr TArithmeticExceptionMask exAllArithmeticExceptions{exInvalidOp, exDenormalized, exZeroDivide,
                                                                    exOverflow,  exUnderflow,    exPrecision};

// Masks the given faults for the calling thread (and threads it starts later) and returns
// the previous mask. A masked fault yields an IEEE special value instead of a signal.
TArithmeticExceptionMask SetExceptionMask(TArithmeticExceptionMask Mask);
TArithmeticExceptionMask GetExceptionMask();
