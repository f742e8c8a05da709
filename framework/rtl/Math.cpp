#include "framework/rtl/Math.h"

#include <cfenv>
#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace {

// Bits of the SSE control register, in the order of TArithmeticException.
constexpr unsigned kSseMaskBits[] = {_MM_MASK_INVALID,  _MM_MASK_DENORM,    _MM_MASK_DIV_ZERO,
                                     _MM_MASK_OVERFLOW, _MM_MASK_UNDERFLOW, _MM_MASK_INEXACT};
// The matching x87 exception flags, for fedisableexcept/feenableexcept.
// The x87 unit has a denormal flag too, but the C library does not name it.
constexpr int kFenvBits[] = {FE_INVALID, 0, FE_DIVBYZERO, FE_OVERFLOW, FE_UNDERFLOW, FE_INEXACT};

}  // namespace

TArithmeticExceptionMask GetExceptionMask() {
    TArithmeticExceptionMask Result;
    const unsigned Csr = _mm_getcsr();
    for (int I = 0; I < 6; ++I)
        if (Csr & kSseMaskBits[I]) Result.Include(static_cast<TArithmeticException>(I));
    return Result;
}

TArithmeticExceptionMask SetExceptionMask(TArithmeticExceptionMask Mask) {
    const TArithmeticExceptionMask Previous = GetExceptionMask();
    unsigned Csr = _mm_getcsr();
    int Enable = 0, Disable = 0;
    for (int I = 0; I < 6; ++I) {
        if (Mask.Contains(static_cast<TArithmeticException>(I))) {
            Csr |= kSseMaskBits[I];
            Disable |= kFenvBits[I];
        } else {
            Csr &= ~kSseMaskBits[I];
            Enable |= kFenvBits[I];
        }
    }
    _mm_setcsr(Csr);
    fedisableexcept(Disable);
    if (Enable) feenableexcept(Enable);
    return Previous;
}
