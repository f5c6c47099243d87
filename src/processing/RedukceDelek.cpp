#include "processing/RedukceDelek.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"

namespace vertano {

namespace {

bool Odmocnina(const Real x, Real& y) {
    if (!(x >= 0)) return false;
    y = std::sqrt(x);
    return true;
}

bool Arcsin(const Real x, Real& y) {
    if (!(std::fabs(x) <= 1)) return false;
    y = Asin(x);
    return true;
}

bool JeBodKonecny(const Tbod& b) {
    return std::isfinite(b.X) && std::isfinite(b.Y) && std::isfinite(b.Z) &&
           std::isfinite(b.zkresleni);
}

bool JeZaznamKonecny(const Tzaznam& z) {
    return std::isfinite(z.delka) && std::isfinite(z.zenit) && std::isfinite(z.vyska_stn) &&
           std::isfinite(z.vyska_cil);
}

// The full point at a point order, nullptr when the order is outside the list or
// the point has no coordinates.
const Tbod* PlnyBod(const Tsouradnice& souradnice, const int32_t poradi) {
    if (poradi < 0 || poradi >= souradnice.Pocet()) return nullptr;
    const Tbod& b = souradnice.bod[static_cast<std::size_t>(poradi)];
    return b.JePlny ? &b : nullptr;
}

// The zenith angle from the instrument to the signal that the coordinates give,
// for a distance measured without one: the reduction needs the slope of the
// line, which the coordinates know well enough for the few millimetres the
// heights of instrument and signal make.
Real ZenitZeSouradnic(const Tzaznam& z, const Tbod& stn, const Tbod& cil, const Real R) {
    const Real d = std::hypot(cil.X - stn.X, cil.Y - stn.Y);
    const Real dh = (cil.Z + z.vyska_cil) - (stn.Z + z.vyska_stn);
    return std::atan2(d, dh) + d / R / 2;
}

// Measured slope distance s: from instrument and signal to the marks.
bool RedukceSDelkou(Tzaznam& z, const Tbod& stn, const Tbod& cil, const Real R, const Real f) {
    const Real s = z.delka;
    const Real zenit = z.MaZenit() ? Real{z.zenit} : ZenitZeSouradnic(z, stn, cil, R);
    const Real hs = z.vyska_stn;
    const Real hc = z.vyska_cil;
    const Real polomery = (R + stn.Z + hs) * (R + cil.Z + hc);
    if (!(polomery > 0)) return false;
    const Real k = StredovyUhel(s, stn.Z + hs - cil.Z - hc, polomery);
    // Distance to the point hs above the target mark, and the zenith angle to it.
    const Real dv = hc - hs;
    Real s1 = 0;
    if (!Odmocnina(s * s + dv * dv - 2 * s * dv * std::cos(zenit - k), s1) || !(s1 > 0)) {
        return false;
    }
    Real oprava = 0;
    if (!Arcsin(std::sin(zenit - k) * dv / s1, oprava)) return false;
    // Both ends hs above their marks: the chord shrinks by k * hs down at the marks.
    const Real s2 = s1 - k * hs;
    // A non-positive result would read as "no distance measured" further on.
    if (!(s2 > 0)) return false;
    if (z.MaZenit()) z.zenit = z.zenit + oprava - k / 2;
    z.zkresleniDelky = f;
    z.delka = s2 * f;
    return true;
}

// No distance measured: the zenith angle is reduced with the chord between the
// marks computed from the coordinates.
bool RedukceBezDelky(Tzaznam& z, const Tbod& stn, const Tbod& cil, const Real R, const Real f) {
    if (!z.MaZenit()) {
        // A direction only: nothing to reduce.
        z.zkresleniDelky = f;
        return true;
    }
    const Real d = std::hypot(cil.X - stn.X, cil.Y - stn.Y);
    const Real m = (stn.zkresleni + cil.zkresleni) / 2;
    Real polUhel = 0;
    if (!Arcsin(d / m / 2 / R, polUhel)) return false;
    const Real k = 2 * polUhel;
    const Real c1 = Tetiva(R + stn.Z, R + cil.Z, k) + k * z.vyska_stn;
    if (!(c1 > 0)) return false;
    Real oprava = 0;
    if (!Arcsin(std::sin(z.zenit - k) * (z.vyska_cil - z.vyska_stn) / c1, oprava)) return false;
    z.zenit = z.zenit + oprava - k / 2;
    z.zkresleniDelky = f;
    return true;
}

}  // namespace

Real StredovyUhel(const Real s, const Real dh, const Real polomery) {
    const Real radikand = (s * s - dh * dh) / polomery;
    return radikand > 0 ? std::sqrt(radikand) : 0;
}

Real Tetiva(const Real a, const Real b, const Real k) {
    const Real sinPul = std::sin(k / 2);
    return std::sqrt((a - b) * (a - b) + 4 * a * b * sinPul * sinPul);
}

bool HladinaRedukce(const Tsouradnice& souradnice, const Tnastaveni& nastaveni, Real& hladina) {
    const auto& redukce = nastaveni.redukceMereni;
    switch (redukce.typHladiny) {
        case 0:
            hladina = 0;
            return true;
        case 2:
            if (!std::isfinite(redukce.vyskaHladiny)) return false;
            hladina = redukce.vyskaHladiny;
            return true;
        case 1:
            break;
        default:
            return false;
    }
    bool nalezen = false;
    Real zMin = 0;
    Real zMax = 0;
    for (const Tbod& b : souradnice.bod) {
        // Empty slots carry Z = 0 and would pull the level towards zero.
        if (!b.JePlny || !std::isfinite(b.Z)) continue;
        zMin = nalezen ? std::min(zMin, b.Z) : b.Z;
        zMax = nalezen ? std::max(zMax, b.Z) : b.Z;
        nalezen = true;
    }
    if (!nalezen) return false;
    hladina = (zMin + zMax) / 2;
    return true;
}

bool ZkresleniLinie(const Tbod& bod1, const Tbod& bod2, const Real hladina, const Real polomer,
                    Real& zkresleni) {
    const FpGuard guard;
    // An unset factor (-1) would turn every reduced distance into nonsense.
    if (!(bod1.zkresleni > 0) || !(bod2.zkresleni > 0)) return false;
    const Real jmenovatel = polomer + (bod1.Z + bod2.Z) / 2;
    if (!(jmenovatel > 0)) return false;
    const Real f = (polomer + hladina) / jmenovatel * ((bod1.zkresleni + bod2.zkresleni) / 2);
    if (!guard.Ok() || !std::isfinite(f) || !(f > 0)) return false;
    zkresleni = f;
    return true;
}

bool RedukovatZaznam(Tzaznam& zaznam, const Tbod& stanovisko, const Tbod& cil, const Real hladina,
                     const Real polomer) {
    const FpGuard guard;
    if (!JeZaznamKonecny(zaznam) || !JeBodKonecny(stanovisko) || !JeBodKonecny(cil)) return false;
    if (!(polomer > 0) || !std::isfinite(polomer) || !std::isfinite(hladina)) return false;
    if (zaznam.delka < 0) return false;
    Real f = 0;
    if (!ZkresleniLinie(stanovisko, cil, hladina, polomer, f)) return false;
    Tzaznam vysledek = zaznam;
    const bool ok = zaznam.MaDelku() ? RedukceSDelkou(vysledek, stanovisko, cil, polomer, f)
                                     : RedukceBezDelky(vysledek, stanovisko, cil, polomer, f);
    if (!ok || !guard.Ok() || !JeZaznamKonecny(vysledek)) return false;
    zaznam = vysledek;
    return true;
}

bool RedukceMereni(Tmereni& mereni, const Tsouradnice& souradnice, const Real hladina,
                   const Real polomer, VysledekRedukce& vysledek) {
    Tmereni prace = mereni;
    VysledekRedukce pocty;
    for (Tzaznam& z : prace.zaznam) {
        if (!z.JePlny()) continue;
        const Tbod* stanovisko = PlnyBod(souradnice, z.iStn);
        const Tbod* cil = PlnyBod(souradnice, z.iCil);
        if (stanovisko == nullptr || cil == nullptr) {
            z = Tzaznam::Prazdny();
            ++pocty.pocetVypustenych;
            continue;
        }
        if (!RedukovatZaznam(z, *stanovisko, *cil, hladina, polomer)) return false;
        ++pocty.pocetRedukovanych;
    }
    prace.SmazPrazdneZaznamy();
    mereni = std::move(prace);
    vysledek = pocty;
    return true;
}

bool RedukovatDelky(Tmereni& mereni, const Tsouradnice& souradnice,
                    const Tsouradnice& souradniceMeritko, const Tnastaveni& nastaveni,
                    VysledekRedukce& vysledek) {
    Tsouradnice body = souradnice;
    body.NacistZkresleni(nastaveni, souradniceMeritko);
    Real hladina = 0;
    if (!HladinaRedukce(body, nastaveni, hladina)) return false;
    return RedukceMereni(mereni, body, hladina, nastaveni.redukceMereni.polomerRefPlochy, vysledek);
}

}  // namespace vertano
