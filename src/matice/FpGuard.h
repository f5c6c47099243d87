#pragma once

#include <cfenv>

namespace vertano {

// Numerical routines report faults as a false result instead of propagating NaN or
// infinity. The guard clears the sticky exception flags on entry, lets the routine
// test them at its boundary and restores the caller's flags on exit: a fault that a
// routine has already turned into a false result must not make its caller fail too
// (the solver cascade relies on that when one method gives way to the next).
class FpGuard {
  public:
    static constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

    FpGuard() {
        fegetexceptflag(&saved_, FE_ALL_EXCEPT);
        feclearexcept(FE_ALL_EXCEPT);
    }
    ~FpGuard() { fesetexceptflag(&saved_, FE_ALL_EXCEPT); }
    FpGuard(const FpGuard&) = delete;
    FpGuard& operator=(const FpGuard&) = delete;

    // True when no division by zero, invalid operation or overflow happened since
    // construction (or since the last Reset).
    [[nodiscard]] bool Ok() const { return fetestexcept(kFaults) == 0; }
    void Reset() { feclearexcept(FE_ALL_EXCEPT); }

  private:
    fexcept_t saved_{};
};

}  // namespace vertano
