#include "supplementary/KontrolaDoplnku.h"

#include <array>

#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "mereni/CisloBodu.h"
#include "mereni/Jednotky.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

namespace {

// Written as "inside" so that a NaN falls outside.
bool Mezi(Real hodnota, Real od, Real po) {
    return hodnota >= od && hodnota <= po;
}

int32_t ChybyDruhu(const Tmereni& seznam, DruhDoplnku druh) {
    const auto& k = seznam.kontrola;
    switch (druh) {
        case DruhDoplnku::Delka:
            return k[0] + k[1] + k[2] + k[3];
        case DruhDoplnku::Smernik:
        case DruhDoplnku::Prevyseni:
            return k[0] + k[3];
        case DruhDoplnku::Provazeni:
            return k[0];
    }
    return 0;
}

// Names of the counters kontrola[0..3] per kind; nullptr where the kind has none.
std::array<const char*, 4> NazvyCitacu(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Delka:
            return {"same points", "instrument height", "target height", "distance"};
        case DruhDoplnku::Smernik:
            return {"same points", nullptr, nullptr, "bearing"};
        case DruhDoplnku::Prevyseni:
            return {"same points", nullptr, nullptr, "height difference"};
        default:
            return {"same points", nullptr, nullptr, nullptr};
    }
}

}  // namespace

bool KontrolaZaznamuDoplnku(Tzaznam& zaznam, DruhDoplnku druh, const Tnastaveni& nastaveni) {
    const auto& mez = nastaveni.mezHodnota;
    zaznam.kontrola.fill(false);
    zaznam.kontrola[0] = JeStejneCislo(zaznam.cislo_stn, zaznam.cislo_cil);
    switch (druh) {
        case DruhDoplnku::Delka:
            zaznam.kontrola[1] = !Mezi(zaznam.vyska_stn, 0, mez.hodnota_vyskaSTN);
            zaznam.kontrola[2] = !Mezi(zaznam.vyska_cil, 0, mez.hodnota_vyskaCIL);
            zaznam.kontrola[3] = !(zaznam.delka > 0 && zaznam.delka <= mez.hodnota_delka);
            break;
        case DruhDoplnku::Prevyseni:
            zaznam.kontrola[3] = !Mezi(zaznam.delka, -mez.hodnota_prevyseni, mez.hodnota_prevyseni);
            break;
        case DruhDoplnku::Smernik:
            zaznam.kontrola[3] = !JeUhelVKruhu(zaznam.delka);
            break;
        default:
            break;
    }
    return zaznam.MaKontrolu();
}

int32_t KontrolaDoplnku(Tmereni& seznam, DruhDoplnku druh, const Tnastaveni& nastaveni,
                        Tchyby& chyby) {
    int32_t* citac = doplnek::CitacChyb(chyby, druh);
    if (citac == nullptr) return 0;
    seznam.kontrola.fill(0);
    for (Tzaznam& zaznam : seznam.zaznam) {
        KontrolaZaznamuDoplnku(zaznam, druh, nastaveni);
        // A row switched off keeps its flags for the table but stops nothing: it
        // does not enter the adjustment.
        if (!zaznam.JePlny() || zaznam.jeVyrazeno) continue;
        for (int k = 0; k < 4; ++k) {
            if (zaznam.kontrola[static_cast<std::size_t>(k)])
                ++seznam.kontrola[static_cast<std::size_t>(k)];
        }
    }
    *citac = ChybyDruhu(seznam, druh);
    return *citac;
}

std::string DescribeSupplementaryErrors(const Tmereni& seznam, DruhDoplnku druh) {
    std::string text = std::string(doplnek::NazevDruhu(druh)) + ": " +
                       std::to_string(ChybyDruhu(seznam, druh)) + " errors in " +
                       std::to_string(seznam.PocetPlnychZaznamu()) + " measurements (";
    const auto nazvy = NazvyCitacu(druh);
    bool prvni = true;
    for (std::size_t k = 0; k < nazvy.size(); ++k) {
        if (nazvy[k] == nullptr) continue;
        if (!prvni) text += ", ";
        text += std::string(nazvy[k]) + " " + std::to_string(seznam.kontrola[k]);
        prvni = false;
    }
    return text + ")";
}

}  // namespace vertano
