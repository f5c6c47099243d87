#include "processing/PorovnaniDelek.h"

#include <cmath>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "matice/FpGuard.h"
#include "processing/PrumerSkupin.h"
#include "processing/RozsahyZaznamu.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

using PlneBody = std::unordered_map<std::string_view, std::size_t>;

// An empty slot that still carries a name has no coordinates to compare with.
const Tbod* Najdi(const Tsouradnice& souradnice, const PlneBody& body, const std::string& cislo) {
    const auto nalez = body.find(cislo);
    return nalez != body.end() ? &souradnice.bod[nalez->second] : nullptr;
}

bool Porovnat(Tzaznam& z, const Tbod& stanovisko, const Tbod& cil, const Real mez) {
    if (!(z.zkresleniDelky > 0) || !std::isfinite(z.zkresleniDelky)) return false;
    const Real namerena = z.delka / z.zkresleniDelky;
    const Real h = std::hypot(cil.X - stanovisko.X, cil.Y - stanovisko.Y) / z.zkresleniDelky;
    const Real dZ = stanovisko.Z - cil.Z;
    const Real zeSouradnic = std::sqrt(h * h + dZ * dZ);
    const Real rozdil = zeSouradnic - namerena;
    if (!std::isfinite(rozdil)) return false;
    z.zapracovaniPoloha[0] = namerena;
    z.zapracovaniPoloha[1] = zeSouradnic;
    z.zapracovaniPoloha[2] = rozdil;
    z.kontrola[0] = !Within(rozdil, mez);
    return true;
}

// The rows of one station with repeated targets merged, as a list of its own.
bool StanoviskoSPrumery(const Tmereni& mereni, const RozsahZaznamu& rozsah, Tmereni& stanovisko) {
    stanovisko.Clear();
    for (int32_t i = rozsah.pocatek; i <= rozsah.konec; ++i) {
        stanovisko.PridejZaznam(mereni.zaznam[static_cast<std::size_t>(i)]);
    }
    return PrumerSkupinNaStanovisku(stanovisko, 0,
                                    static_cast<int32_t>(stanovisko.zaznam.size()) - 1);
}

}  // namespace

bool PorovnaniDelekSeSouradnicemi(const Tmereni& mereni, Tmereni& vystup,
                                  const Tsouradnice& souradnice, const Tnastaveni& nastaveni,
                                  int32_t& pocetPrekroceni) {
    vystup.Clear();
    const FpGuard guard;
    const PlneBody body = IndexyCisel(souradnice, true);
    const Real mez = nastaveni.mezZeSouradnic.rozdil_delka;
    Tmereni vysledek;
    int32_t prekroceni = 0;
    Tmereni radkyStanoviska;
    for (const RozsahZaznamu& rozsah : RozsahyStanovisek(mereni)) {
        if (!StanoviskoSPrumery(mereni, rozsah, radkyStanoviska)) return false;
        for (const Tzaznam& z : radkyStanoviska.zaznam) {
            if (!z.JePlny() || !z.MaDelku()) continue;
            const Tbod* stanovisko = Najdi(souradnice, body, z.cislo_stn);
            const Tbod* cil = Najdi(souradnice, body, z.cislo_cil);
            if (stanovisko == nullptr || cil == nullptr) continue;
            Tzaznam radek = z;
            if (!Porovnat(radek, *stanovisko, *cil, mez)) return false;
            if (radek.kontrola[0]) ++prekroceni;
            vysledek.PridejZaznam(radek);
        }
    }
    if (!guard.Ok()) return false;
    vystup = std::move(vysledek);
    pocetPrekroceni = prekroceni;
    return true;
}

}  // namespace vertano
