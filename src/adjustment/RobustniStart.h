#pragma once

#include <cstdint>

#include "data/Odhad.h"
#include "matice/Real.h"

namespace vertano {

// The stages of one run of robust passes, shared by the network and the
// transformation. An estimator that needs a robust start
// (PotrebujeRobustniStart) first iterates with Huber's weights until their
// change is within the limit or the passes of that stage run out, then goes on
// with its own weights from that solution; each stage has the full limit of
// passes, and the caller's pass count runs on through both. Every other
// estimator has its own weights from the first pass, exactly as without a start.
class RobustniStart {
  public:
    // The estimator whose weights the pass after `pocetIteraci` passes of the
    // run computes; pocetIteraci <= 0 begins a new run of `typOdhadu`.
    Odhad OdhadPruchodu(Odhad typOdhadu, int32_t pocetIteraci);
    // After the pass that brought the run to `pocetIteraci` passes with the
    // largest weight change `zmenaVahy`: whether another pass is needed. The
    // end of the Huber stage always asks for one, the first of the estimator's
    // own.
    bool Znovu(int32_t pocetIteraci, int32_t maxPocetIteraci, Real zmenaVahy, Real maxZmenaVahy);
    // No run in progress: the passes use the estimator's own weights.
    void Clear() { *this = RobustniStart{}; }

  private:
    bool huber_ = false;   // the passes still use Huber's weights
    int32_t pocatek_ = 0;  // passes of the run before the estimator's own stage
};

}  // namespace vertano
