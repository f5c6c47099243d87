#pragma once

#include <cstdint>

#include "transformation/TmodelTransformaceVyrovnani.h"

namespace vertano {

// The read-only view of a transformation adjustment model that readers outside
// the model work with: readers see results, never the working state. So far it
// gives what the commands that drive both models alike read (PrikazPomocne.h);
// the other readers still read the model's fields until they are made private
// as the network model's are (see VysledekSite).
class VysledekModeluTransformace {
  public:
    VysledekModeluTransformace(
        const TmodelTransformaceVyrovnani& model)  // NOLINT: implicit on purpose
        : m_(model) {}

    [[nodiscard]] int32_t PocetIteraci() const { return m_.pocetIteraci; }

  private:
    const TmodelTransformaceVyrovnani& m_;
};

}  // namespace vertano
