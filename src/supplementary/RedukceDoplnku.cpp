#include "supplementary/RedukceDoplnku.h"

#include <cmath>

#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"
#include "processing/RedukceDelek.h"
#include "processing/Uhly.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

namespace {

bool JeBodKonecny(const Tbod& b) {
    return std::isfinite(b.X) && std::isfinite(b.Y) && std::isfinite(b.Z);
}

}  // namespace

bool RedukovatDoplnekDelku(Tzaznam& zaznam, const Tbod& stanovisko, const Tbod& cil,
                           const Real hladina, const Real polomer) {
    const FpGuard guard;
    if (!JeBodKonecny(stanovisko) || !JeBodKonecny(cil)) return false;
    if (!(polomer > 0) || !std::isfinite(polomer) || !std::isfinite(hladina)) return false;
    const Real s = zaznam.delka;
    const Real h1 = zaznam.vyska_stn;
    const Real h2 = zaznam.vyska_cil;
    if (!std::isfinite(s) || !std::isfinite(h1) || !std::isfinite(h2)) return false;
    Real f = 0;
    if (!ZkresleniLinie(stanovisko, cil, hladina, polomer, f)) return false;
    const Real polomery = (polomer + stanovisko.Z + h1) * (polomer + cil.Z + h2);
    if (!(polomery > 0)) return false;
    const Real k = StredovyUhel(s, stanovisko.Z + h1 - cil.Z - h2, polomery);
    const Real s0 = Tetiva(polomer + stanovisko.Z, polomer + cil.Z, k);
    const Real delka = s0 * f;
    if (!guard.Ok() || !std::isfinite(delka) || !(s0 > 0)) return false;
    zaznam.zkresleniDelky = f;
    zaznam.delka = delka;
    return true;
}

bool PorovnatDoplnekSeSouradnicemi(Tzaznam& zaznam, const DruhDoplnku druh, const Tbod& stanovisko,
                                   const Tbod& cil) {
    const FpGuard guard;
    const Real dX = cil.X - stanovisko.X;
    const Real dY = cil.Y - stanovisko.Y;
    const Real dZ = cil.Z - stanovisko.Z;
    Real merena = zaznam.delka;
    Real zeSouradnic = 0;
    Real rozdil = 0;
    switch (druh) {
        case DruhDoplnku::Delka: {
            merena = zaznam.delka / zaznam.zkresleniDelky;
            const Real vodorovna = std::hypot(dX, dY) / zaznam.zkresleniDelky;
            zeSouradnic = std::hypot(vodorovna, dZ);
            rozdil = zeSouradnic - merena;
            break;
        }
        case DruhDoplnku::Smernik:
            zeSouradnic = Normalise(Atan2(dY, dX));
            rozdil = WrappedDiff(zeSouradnic, merena);
            break;
        case DruhDoplnku::Prevyseni:
            zeSouradnic = dZ;
            rozdil = zeSouradnic - merena;
            break;
        case DruhDoplnku::Provazeni:
            merena = 0;
            zeSouradnic = std::hypot(dX, dY);
            rozdil = zeSouradnic;
            break;
        default:
            return false;
    }
    if (!guard.Ok() || !std::isfinite(merena) || !std::isfinite(zeSouradnic) ||
        !std::isfinite(rozdil)) {
        return false;
    }
    if (druh == DruhDoplnku::Provazeni) zaznam.delka = 0;
    zaznam.zapracovaniPoloha[0] = merena;
    zaznam.zapracovaniPoloha[1] = zeSouradnic;
    zaznam.zapracovaniPoloha[2] = rozdil;
    return true;
}

bool JePrekrocenMezniRozdil(const Real rozdil, const Real mez) {
    return !Within(rozdil, mez);
}

}  // namespace vertano
