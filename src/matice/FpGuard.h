#pragma once

#include <cfenv>

namespace vertano {

// Numerical routines report faults as a false result instead of propagating NaN or
// infinity. The guard clears the sticky exception flags on entry, lets the routine
// test them at its boundary and restores the caller's flags on exit: a fault that a
// routine has already turned into a false result must not make its caller fail too
// (the solver cascade relies on that when one method gives way to the next).
//
// Guards are made per value in places (a weight, a deviation, a reduction), a
// hundred thousand times a run. On x86-64 the C library clears and restores
// the flags by storing and reloading the whole x87 environment, which costs
// some hundred cycles each way; the guard clears them with FNCLEX and the
// MXCSR instead, and restores them the same way when the caller had no fault
// raised (nearly always): only the faults mean anything here, so the
// caller's inexact and underflow flags, which nearly every computation
// raises and nothing tests, are then left down. A caller with a fault gets
// its flags back exactly. Like the library calls, the instructions are
// barriers to the compiler ("memory").
class FpGuard {
  public:
    static constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

    FpGuard() {
#if defined(__x86_64__) && defined(__GNUC__)
        unsigned short status = 0;
        unsigned int mxcsr = 0;
        __asm__ volatile("fnstsw %0" : "=am"(status) : : "memory");
        __asm__ volatile("stmxcsr %0" : "=m"(mxcsr) : : "memory");
        saved_ = static_cast<fexcept_t>((status | mxcsr) & FE_ALL_EXCEPT);
        Clear(mxcsr);
#else
        fegetexceptflag(&saved_, FE_ALL_EXCEPT);
        feclearexcept(FE_ALL_EXCEPT);
#endif
    }
    ~FpGuard() {
#if defined(__x86_64__) && defined(__GNUC__)
        if ((saved_ & kFaults) == 0) {
            unsigned int mxcsr = 0;
            __asm__ volatile("stmxcsr %0" : "=m"(mxcsr) : : "memory");
            Clear(mxcsr);
            return;
        }
#endif
        fesetexceptflag(&saved_, FE_ALL_EXCEPT);
    }
    FpGuard(const FpGuard&) = delete;
    FpGuard& operator=(const FpGuard&) = delete;

    // True when no division by zero, invalid operation or overflow happened since
    // construction (or since the last Reset).
    [[nodiscard]] bool Ok() const {
        return fetestexcept(kFaults) == 0;
    }
    void Reset() {
        feclearexcept(FE_ALL_EXCEPT);
    }

  private:
#if defined(__x86_64__) && defined(__GNUC__)
    // Every flag of FE_ALL_EXCEPT down in the x87 status word and the MXCSR.
    static void Clear(unsigned int mxcsr) {
        mxcsr &= ~static_cast<unsigned int>(FE_ALL_EXCEPT);
        __asm__ volatile("fnclex" : : : "memory");
        __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr) : "memory");
    }
#endif

    fexcept_t saved_{};
};

}  // namespace vertano
