#include "workspace/PoctyChyb.h"

#include <algorithm>

#include "processing/KontrolaMereni.h"

namespace vertano {

PoctyChyb SpocitatPoctyChyb(const Tmereni& mereni) {
    PoctyChyb p;
    for (size_t k = 0; k < p.kontrola.size(); ++k) p.kontrola[k] = mereni.kontrola[k];
    for (const ChybnyZaznam& c : ChybneZaznamy(mereni)) {
        if (c.mimoSkupinu) ++p.mimoSkupiny;
        if (std::find(c.priznaky.begin(), c.priznaky.end(), kontrola::kCilJeStanovisko) !=
            c.priznaky.end()) {
            ++p.cilJeStanovisko;
        }
    }
    return p;
}

}  // namespace vertano
