#include "supplementary/RedukceDoplnku.h"

#include <cmath>

#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "processing/RedukceDelek.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

namespace {

bool JeBodKonecny(const Tbod& b) {
    return std::isfinite(b.X) && std::isfinite(b.Y) && std::isfinite(b.Z);
}

// Chord between the marks at central angle k, written as (a - b)^2 + 4ab sin^2(k/2)
// rather than a^2 + b^2 - 2ab cos k: the same number without subtracting two
// squares of the earth's radius.
Real Tetiva(Real a, Real b, Real k) {
    const Real sinPul = std::sin(k / 2);
    return std::sqrt((a - b) * (a - b) + 4 * a * b * sinPul * sinPul);
}

Real DoIntervalu2Pi(Real uhel) {
    Real u = std::fmod(uhel, kDvePi);
    if (u < 0) u += kDvePi;
    // fmod of a value just below a multiple of 2 pi may round up to 2 pi itself.
    if (u >= kDvePi) u = 0;
    return u;
}

Real DoIntervaluPi(Real uhel) {
    Real u = DoIntervalu2Pi(uhel + kPi) - kPi;
    if (u >= kPi) u -= kDvePi;
    return u;
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
    const Real dh = stanovisko.Z + h1 - cil.Z - h2;
    const Real radikand = (s * s - dh * dh) / polomery;
    const Real k = radikand > 0 ? std::sqrt(radikand) : 0;
    const Real s0 = Tetiva(polomer + stanovisko.Z, polomer + cil.Z, k);
    const Real delka = s0 * f;
    if (!guard.Ok() || !std::isfinite(delka) || !(s0 > 0)) return false;
    zaznam.zkresleniDelky = f;
    zaznam.delka = delka;
    return true;
}

bool PorovnatDoplnekSeSouradnicemi(Tzaznam& zaznam, const int druh, const Tbod& stanovisko,
                                   const Tbod& cil) {
    const FpGuard guard;
    const Real dX = cil.X - stanovisko.X;
    const Real dY = cil.Y - stanovisko.Y;
    const Real dZ = cil.Z - stanovisko.Z;
    Real merena = zaznam.delka;
    Real zeSouradnic = 0;
    Real rozdil = 0;
    switch (druh) {
        case doplnek::kDelka: {
            merena = zaznam.delka / zaznam.zkresleniDelky;
            const Real vodorovna = std::hypot(dX, dY) / zaznam.zkresleniDelky;
            zeSouradnic = std::hypot(vodorovna, dZ);
            rozdil = zeSouradnic - merena;
            break;
        }
        case doplnek::kSmernik:
            zeSouradnic = DoIntervalu2Pi(std::atan2(dY, dX));
            rozdil = DoIntervaluPi(zeSouradnic - merena);
            break;
        case doplnek::kPrevyseni:
            zeSouradnic = dZ;
            rozdil = zeSouradnic - merena;
            break;
        case doplnek::kProvazeni:
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
    if (druh == doplnek::kProvazeni) zaznam.delka = 0;
    zaznam.zapracovaniPoloha[0] = merena;
    zaznam.zapracovaniPoloha[1] = zeSouradnic;
    zaznam.zapracovaniPoloha[2] = rozdil;
    return true;
}

bool JePrekrocenMezniRozdil(const Real rozdil, const Real mez) {
    return !(mez + 1e-15L >= std::fabs(rozdil));
}

}  // namespace vertano
