#include <array>
#include <optional>

#include "adjustment/PriblizneKonstrukce.h"
#include "adjustment/PriblizneSit.h"
#include "processing/Uhly.h"

namespace vertano {

// The constructions on one pending or bearing-list row. Each returns true when it
// applied; the row is then consumed by the caller.

bool SitPriblizne::Polarni(Tzaznam& z, const bool vlozitOrientaci) {
    Real posun = 0;
    if (!MaPouzitelnouDelku(z) || !JeZnamy(z.iStn) || !Orientace(z.poradi, posun)) return false;
    const Real smernik = Normalise(posun + z.smer);
    Tbod cil = Tbod::Prazdny();
    if (!PolarniBod(Poloha(z.iStn), smernik, z, cil)) return false;
    if (!PridatKandidata(z.iCil, cil, ZpusobUrceni::Polarni, z)) return false;
    z.smernik = smernik;
    z.posun = posun;
    // Its sample is the median itself, which leaves the median where it is.
    if (vlozitOrientaci) VlozitOrientovany(z);
    return true;
}

bool SitPriblizne::Volne(Tzaznam& z) {
    // A fixed station is known exactly: there is nothing to compute for it.
    if (!JeZnamy(z.iCil) || JeZmrazeny(z.iStn) || !MaPouzitelnouDelku(z)) return false;
    const std::optional<Tzaznam> druhy = PartnerSDelkou(z);
    if (!druhy) return false;
    Tbod stanovisko = Tbod::Prazdny();
    if (!VolneStanovisko(z, Poloha(z.iCil), *druhy, Poloha(druhy->iCil), stanovisko)) return false;
    return UrcitStanovisko(z, stanovisko, ZpusobUrceni::VolneStanovisko);
}

bool SitPriblizne::Zpet(Tzaznam& z) {
    if (!JeZnamy(z.iCil) || JeZmrazeny(z.iStn) || !MaPouzitelnyZenit(z)) return false;
    std::array<Tzaznam, 2> partneri;
    if (!PartneriSmeru(z, partneri)) return false;
    const Tbod cil = Poloha(z.iCil);
    const std::array<SmerNaBod, 3> cile{SmerNaBod{z.smer, cil},
                                        SmerNaBod{partneri[0].smer, Poloha(partneri[0].iCil)},
                                        SmerNaBod{partneri[1].smer, Poloha(partneri[1].iCil)}};
    Tbod stanovisko = Tbod::Prazdny();
    if (!ProtinaniZpetPoloha(cile, stanovisko.X, stanovisko.Y)) return false;
    // The height from this row's zenith angle, back from its known target.
    const Real h = VodorovnaVzdalenost(stanovisko, cil);
    if (!VyskaZeZenitu(cil.Z, -h, z.zenit, z.zkresleniDelky, stanovisko.Z)) return false;
    return UrcitStanovisko(z, stanovisko, ZpusobUrceni::ProtinaniZpet);
}

bool SitPriblizne::UrcitStanovisko(Tzaznam& z, const Tbod& stanovisko, const ZpusobUrceni zpusob) {
    Real smernik = 0;
    if (!SmernikBodu(stanovisko, Poloha(z.iCil), smernik)) return false;
    if (!PridatKandidata(z.iStn, stanovisko, zpusob, z)) return false;
    z.smernik = smernik;
    z.posun = Normalise(smernik - z.smer);
    VlozitOrientovany(z);
    return true;
}

bool SitPriblizne::Prenos(Tzaznam& z) {
    Real posun = 0;
    if (!Orientace(z.poradi, posun)) return false;
    z.smernik = Normalise(posun + z.smer);
    z.posun = posun;
    VlozitOrientovany(z);
    smerniky_.push_back(z);
    return true;
}

bool SitPriblizne::MeziZnamymi(const Tzaznam& z, const bool maVzorek) {
    // The sample was inserted into the oriented matrix just before the
    // constructions were tried.
    if (!maVzorek) return false;
    smerniky_.push_back(z);
    return true;
}

bool SitPriblizne::Vpred(const Tzaznam& z) {
    Real posun = 0;
    // A sight without a zenith angle may take the height from its partner's.
    const bool bezZenitu = !z.MaZenit();
    if (!JeZnamy(z.iStn) || !Orientace(z.poradi, posun) || (!bezZenitu && !MaPouzitelnyZenit(z)))
        return false;
    const std::optional<Tzaznam> druhy = PartnerVpred(z);
    if (!druhy || (bezZenitu && !MaPouzitelnyZenit(*druhy))) return false;
    const Tbod a = Poloha(z.iStn);
    const Tbod b = Poloha(druhy->iStn);
    Tbod bod = Tbod::Prazdny();
    if (!ProtinaniVpredPoloha(a, Normalise(posun + z.smer), b, druhy->smernik, bod)) return false;
    // The height comes from the zenith angle of this row, seen from its station,
    // or for a sight without one from the partner's, seen from the other station.
    const Tbod& od = bezZenitu ? b : a;
    const Tzaznam& sZenitem = bezZenitu ? *druhy : z;
    const Real h = VodorovnaVzdalenost(od, bod);
    if (!VyskaZeZenitu(od.Z, h, sZenitem.zenit, sZenitem.zkresleniDelky, bod.Z)) return false;
    return PridatKandidata(z.iCil, bod, ZpusobUrceni::ProtinaniVpred, z);
}

// ---- partner rows ----

std::optional<Tzaznam> SitPriblizne::PartnerSDelkou(const Tzaznam& z) const {
    // The first other known point, in point order, that this occupation measured
    // a direction and a distance to.
    for (const int32_t j : vsechna_.CileStanoviska(z.iStn)) {
        if (j == z.iCil || !JeZnamy(j)) continue;
        for (const Tzaznam& r : vsechna_.Bunka(z.iStn, j)) {
            if (r.poradi == z.poradi && MaPouzitelnySmer(r) && MaPouzitelnouDelku(r) &&
                MaPouzitelnyZenit(r)) {
                return r;
            }
        }
    }
    return std::nullopt;
}

bool SitPriblizne::PartneriSmeru(const Tzaznam& z, std::array<Tzaznam, 2>& partneri) const {
    // The first two other known points, in point order, with a direction of this
    // occupation.
    std::size_t pocet = 0;
    for (const int32_t j : vsechna_.CileStanoviska(z.iStn)) {
        if (j == z.iCil || !JeZnamy(j)) continue;
        for (const Tzaznam& r : vsechna_.Bunka(z.iStn, j)) {
            if (r.poradi != z.poradi || !MaPouzitelnySmer(r)) continue;
            partneri[pocet++] = r;
            if (pocet == partneri.size()) return true;
            break;
        }
    }
    return false;
}

std::optional<Tzaznam> SitPriblizne::PartnerVpred(const Tzaznam& z) const {
    // The oriented row to the same target from the first other known station, in
    // point order.
    for (const int32_t j : stanoviskaKCili_[static_cast<std::size_t>(z.iCil)]) {
        if (j == z.iStn || !JeZnamy(j)) continue;
        const std::vector<Tzaznam>& bunka = orientovane_.Bunka(j, z.iCil);
        if (!bunka.empty()) return bunka.front();
    }
    return std::nullopt;
}

}  // namespace vertano
