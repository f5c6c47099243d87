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

namespace {

// The checks keep their counts in the coordinates of a point.
int32_t Pocet(Real citac) {
    return static_cast<int32_t>(citac);
}

}  // namespace

PoctyChybZadanych PoctyChybZadanychBodu(const Tchyby& chyby) {
    const Tbod& c = chyby.souradniceFixniPocetChyb;
    return {Pocet(c.X), Pocet(c.Y), Pocet(c.Z), chyby.souradniceFixniCekovyPocetChyb};
}

PoctyChybMeritka PoctyChybMeritek(const Tchyby& chyby) {
    const Tbod& c = chyby.souradniceMeritkoPocetChyb;
    return {Pocet(c.X), Pocet(c.Y), chyby.souradniceMeritkoCekovyPocetChyb};
}

}  // namespace vertano
