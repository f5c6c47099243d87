#include "reports/InfoSekce.h"

#include <algorithm>

#include "reports/Tabulka.h"
#include "reports/Tprotokol.h"

namespace vertano {

void ZapsatInfo(Tprotokol& protokol, const std::string& nadpis,
                const std::vector<InfoSkupina>& skupiny) {
    std::size_t sirkaPopisu = 0;
    std::size_t sirkaHodnoty = 0;
    for (const InfoSkupina& s : skupiny) {
        for (const InfoRadek& r : s.radky) {
            if (r.jenText) continue;
            sirkaPopisu = std::max(sirkaPopisu, DelkaTextu(r.popis));
            sirkaHodnoty = std::max(sirkaHodnoty, DelkaTextu(r.hodnota));
        }
    }
    protokol.Pridej("\r\n");
    protokol.Pridej(nadpis);
    protokol.Pridej(Cara('=', nadpis));
    protokol.Pridej("");
    for (std::size_t k = 0; k < skupiny.size(); ++k) {
        const InfoSkupina& s = skupiny[k];
        if (k > 0) protokol.Pridej("");
        protokol.Pridej(s.nadpis);
        protokol.Pridej(Cara('-', s.nadpis));
        for (const InfoRadek& r : s.radky) {
            if (r.jenText) {
                protokol.Pridej(r.popis);
                continue;
            }
            protokol.Pridej(r.popis + Cara(' ', sirkaPopisu - DelkaTextu(r.popis)) + "  " +
                            Cara(' ', sirkaHodnoty - DelkaTextu(r.hodnota)) + r.hodnota);
        }
    }
}

}  // namespace vertano
