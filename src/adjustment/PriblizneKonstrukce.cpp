#include "adjustment/PriblizneKonstrukce.h"

#include <algorithm>
#include <cmath>

#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

// Below this a sine is taken for zero: the lines are parallel or the angle is a
// pole of the formula, and the quotient would be noise of any size.
constexpr Real kMinSinus = 1e-12L;
// Resection angles narrower than 10 gon leave the station ill-determined.
constexpr Real kMinUhelZpet = kPi / 20;
// Agreement of a computed resection with its measured angles. The three
// directions always fit exactly, so any larger misfit is numerical breakdown.
constexpr Real kShodaZpet = 1e-8L;
// Relative distance below which the auxiliary point of a resection is taken to
// coincide with the middle point (the station on the dangerous circle).
constexpr Real kNaKruznici = 1e-9L;

bool JeKonecne(const Real a, const Real b, const Real c = 0) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

bool MaPlatneZkresleni(const Tzaznam& z) {
    return std::isfinite(z.zkresleniDelky) && z.zkresleniDelky > 0;
}

// Local position of a pointing in the station's system whose x axis runs along
// the direction `smerOsy`: (s cos(r - r0), s sin(r - r0)) with s horizontal.
void LokalniPoloha(const Tzaznam& z, const Real smerOsy, Real& x, Real& y) {
    const Real s = z.delka * std::sin(z.zenit);
    x = s * std::cos(z.smer - smerOsy);
    y = s * std::sin(z.smer - smerOsy);
}

}  // namespace

bool MaPouzitelnySmer(const Tzaznam& z) {
    return z.MaSmer() && std::isfinite(z.smer) && z.smer >= 0;
}

bool MaPouzitelnouDelku(const Tzaznam& z) {
    return std::isfinite(z.delka) && z.delka > 0 && MaPlatneZkresleni(z);
}

bool MaPouzitelnyZenit(const Tzaznam& z) {
    return z.MaZenit() && std::isfinite(z.zenit) && z.zenit > 0 && z.zenit < kPi;
}

bool SmernikBodu(const Tbod& od, const Tbod& k, Real& smernik) {
    const Real dx = k.X - od.X;
    const Real dy = k.Y - od.Y;
    if (!JeKonecne(dx, dy) || (dx == 0 && dy == 0)) return false;
    smernik = Normalise(Atan2(dy, dx));
    return true;
}

Real VodorovnaVzdalenost(const Tbod& a, const Tbod& b) {
    return std::hypot(b.X - a.X, b.Y - a.Y);
}

bool VyskaZeZenitu(const Real zOd, const Real h, const Real zenit, const Real zkresleni, Real& z) {
    FpGuard guard;
    if (!JeKonecne(zOd, h, zenit) || !std::isfinite(zkresleni) || zkresleni <= 0) return false;
    const Real sinus = std::sin(zenit);
    // h / tan(zenit) written with sine and cosine has no pole at a level sight;
    // a sight straight up or down has no horizontal distance to convert.
    if (!(std::fabs(sinus) > kMinSinus)) return false;
    const Real vysledek = zOd + h * std::cos(zenit) / sinus / zkresleni;
    if (!guard.Ok() || !std::isfinite(vysledek)) return false;
    z = vysledek;
    return true;
}

bool PolarniBod(const Tbod& stanovisko, const Real smernik, const Tzaznam& zaznam, Tbod& cil) {
    FpGuard guard;
    if (!MaPouzitelnouDelku(zaznam) || !MaPouzitelnyZenit(zaznam) || !std::isfinite(smernik)) {
        return false;
    }
    const Real s = zaznam.delka * std::sin(zaznam.zenit);
    const Real x = stanovisko.X + s * std::cos(smernik);
    const Real y = stanovisko.Y + s * std::sin(smernik);
    const Real z = stanovisko.Z + zaznam.delka * std::cos(zaznam.zenit) / zaznam.zkresleniDelky;
    if (!guard.Ok() || !JeKonecne(x, y, z)) return false;
    cil.X = x;
    cil.Y = y;
    cil.Z = z;
    return true;
}

bool VolneStanovisko(const Tzaznam& prvni, const Tbod& cil1, const Tzaznam& druhy, const Tbod& cil2,
                     Tbod& stanovisko) {
    FpGuard guard;
    for (const Tzaznam* z : {&prvni, &druhy}) {
        if (!MaPouzitelnySmer(*z) || !MaPouzitelnouDelku(*z) || !MaPouzitelnyZenit(*z)) {
            return false;
        }
    }
    Real x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    LokalniPoloha(prvni, prvni.smer, x1, y1);
    LokalniPoloha(druhy, prvni.smer, x2, y2);
    const Real dx = x2 - x1;
    const Real dy = y2 - y1;
    const Real dX = cil2.X - cil1.X;
    const Real dY = cil2.Y - cil1.Y;
    const Real n = dx * dx + dy * dy;
    // Both targets in one place, locally or in the coordinates: no rotation and
    // scale can be fitted.
    if (!(n > 0) || !(dX * dX + dY * dY > 0)) return false;
    const Real a = (dx * dX + dy * dY) / n;
    const Real b = (dx * dY - dy * dX) / n;
    const Real x = cil1.X - a * x1;
    const Real y = cil1.Y - b * x1;
    const Real z = cil1.Z - prvni.delka * std::cos(prvni.zenit) / prvni.zkresleniDelky;
    if (!guard.Ok() || !JeKonecne(x, y, z)) return false;
    stanovisko.X = x;
    stanovisko.Y = y;
    stanovisko.Z = z;
    return true;
}

namespace {

struct SerazenySmer {
    Real smer = 0;
    const Tbod* bod = nullptr;
};

// The directions relative to the first one, sorted ascending with their points;
// false when two coincide or a neighbouring angle is too narrow.
bool SeraditSmery(const std::array<SmerNaBod, 3>& cile, std::array<SerazenySmer, 3>& serazene) {
    for (std::size_t i = 0; i < 3; ++i) {
        const Real relativni = i == 0 ? 0 : NormaliseSigned(cile[i].smer - cile[0].smer);
        serazene[i] = SerazenySmer{relativni, &cile[i].bod};
    }
    std::sort(serazene.begin(), serazene.end(),
              [](const SerazenySmer& a, const SerazenySmer& b) { return a.smer < b.smer; });
    const Real alfa = serazene[1].smer - serazene[0].smer;
    const Real beta = serazene[2].smer - serazene[1].smer;
    return std::min(alfa, beta) >= kMinUhelZpet;
}

// The measured angles between the sorted points seen again from the station.
bool SouhlasiSUhly(const std::array<SerazenySmer, 3>& s, const Tbod& stanovisko) {
    std::array<Real, 3> smerniky{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!SmernikBodu(stanovisko, *s[i].bod, smerniky[i])) return false;
    }
    const Real alfa = s[1].smer - s[0].smer;
    const Real beta = s[2].smer - s[1].smer;
    return std::fabs(NormaliseSigned(smerniky[1] - smerniky[0] - alfa)) < kShodaZpet &&
           std::fabs(NormaliseSigned(smerniky[2] - smerniky[1] - beta)) < kShodaZpet;
}

}  // namespace

bool ProtinaniZpetPoloha(const std::array<SmerNaBod, 3>& cile, Real& x, Real& y) {
    FpGuard guard;
    for (const SmerNaBod& c : cile) {
        if (!std::isfinite(c.smer) || !JeKonecne(c.bod.X, c.bod.Y)) return false;
    }
    std::array<SerazenySmer, 3> s{};
    if (!SeraditSmery(cile, s)) return false;
    const Tbod& p0 = *s[0].bod;
    const Tbod& p1 = *s[1].bod;
    const Tbod& p2 = *s[2].bod;
    const Real alfa = s[1].smer - s[0].smer;
    const Real beta = s[2].smer - s[1].smer;
    Real tau = 0;
    if (!SmernikBodu(p0, p2, tau)) return false;
    const Real d = VodorovnaVzdalenost(p0, p2);
    const Real sinSoucet = std::sin(alfa + beta);
    if (!(std::fabs(sinSoucet) > kMinSinus)) return false;
    // The auxiliary point: the second intersection of the line station - P1 with
    // the circle through P0, P2 and the station, seen from P0 and P2 under the
    // measured angles.
    Tbod pomocny = p0;
    const Real k = d * std::sin(alfa) / sinSoucet;
    pomocny.X = p0.X + k * std::cos(tau - beta);
    pomocny.Y = p0.Y + k * std::sin(tau - beta);
    // A station on the circle through the three points puts the auxiliary point
    // on P1: every point of that arc sees the same angles, so there is no answer.
    if (!(VodorovnaVzdalenost(pomocny, p1) > kNaKruznici * d)) return false;
    Real fi0 = 0, fi1 = 0, fi2 = 0;
    if (!SmernikBodu(pomocny, p0, fi0) || !SmernikBodu(pomocny, p1, fi1) ||
        !SmernikBodu(pomocny, p2, fi2)) {
        return false;
    }
    const Real jmenovatel = std::sin(kDvePi + fi0 - fi2);
    if (!(std::fabs(jmenovatel) > kMinSinus)) return false;
    const Real D = d * std::sin(kDvePi + fi0 - fi1) / jmenovatel;
    const Real theta = fi1 + tau - fi2;
    Tbod stanovisko = p0;
    stanovisko.X = p0.X + D * std::cos(theta);
    stanovisko.Y = p0.Y + D * std::sin(theta);
    if (!guard.Ok() || !JeKonecne(stanovisko.X, stanovisko.Y)) return false;
    if (!SouhlasiSUhly(s, stanovisko)) return false;
    x = stanovisko.X;
    y = stanovisko.Y;
    return true;
}

bool ProtinaniVpredPoloha(const Tbod& a, const Real smernikA, const Tbod& b, const Real smernikB,
                          Tbod& bod) {
    FpGuard guard;
    if (!JeKonecne(smernikA, smernikB) || !JeKonecne(a.X, a.Y, b.X) || !std::isfinite(b.Y)) {
        return false;
    }
    // A + t uA = B + w uB solved with cross products. Unlike the slope form
    // Y = tan(sigma) X + c it has no pole for lines parallel to the Y axis, and it
    // tells on which side of each station the lines meet.
    const Real ax = std::cos(smernikA), ay = std::sin(smernikA);
    const Real bx = std::cos(smernikB), by = std::sin(smernikB);
    const Real jmenovatel = ax * by - ay * bx;
    if (!(std::fabs(jmenovatel) > kMinSinus)) return false;
    const Real dx = b.X - a.X;
    const Real dy = b.Y - a.Y;
    const Real t = (dx * by - dy * bx) / jmenovatel;
    const Real w = (dx * ay - dy * ax) / jmenovatel;
    if (!(t > 0) || !(w > 0)) return false;
    const Real x = a.X + t * ax;
    const Real y = a.Y + t * ay;
    if (!guard.Ok() || !JeKonecne(x, y)) return false;
    bod.X = x;
    bod.Y = y;
    return true;
}

}  // namespace vertano
