#include "adjustment/LokalniUmisteni.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "adjustment/PriblizneKonstrukce.h"
#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"
#include "processing/MedianVektor.h"

namespace vertano {

namespace {

// Points closer than this in plan are one place: no rotation can be read from them.
constexpr Real kMinRozpeti = 1e-3L;
// Points of which pairs are tried; more only cost time, the pairs of a spread
// sample find a consistent pair as surely.
constexpr std::size_t kMaxVzorek = 20;
// A common point is left out when it is off by more than all of these: an
// absolute floor, robust standard deviations of the best pair's misfits, and a
// share of the extent (distances not yet reduced to the level, or a local
// system not yet refined, may bend a large system by that much).
constexpr Real kMinPrah = 0.1L;
constexpr Real kRobustniPrah = 3 * 1.4826L;
constexpr Real kRelativniPrah = 2e-4L;

struct Rotace {
    Real c = 1;
    Real s = 0;
    Real tx = 0;
    Real ty = 0;
};

void Otocit(const Rotace& r, const Tbod& l, Real& x, Real& y) {
    x = r.c * l.X - r.s * l.Y + r.tx;
    y = r.s * l.X + r.c * l.Y + r.ty;
}

Real Odchylka(const Rotace& r, const Tbod& l, const Tbod& z) {
    Real x = 0, y = 0;
    Otocit(r, l, x, y);
    return std::hypot(z.X - x, z.Y - y);
}

// The rotation that turns the local bearing a -> b into the known one, through
// the middle of the pair.
bool Dvojice(const Tbod& la, const Tbod& lb, const Tbod& za, const Tbod& zb, Rotace& r) {
    Real sl = 0, sz = 0;
    if (!SmernikBodu(la, lb, sl) || !SmernikBodu(za, zb, sz)) return false;
    const Real uhel = sz - sl;
    r.c = std::cos(uhel);
    r.s = std::sin(uhel);
    Tbod stredL = la;
    stredL.X = (la.X + lb.X) / 2;
    stredL.Y = (la.Y + lb.Y) / 2;
    Real x = 0, y = 0;
    r.tx = r.ty = 0;
    Otocit(r, stredL, x, y);
    r.tx = (za.X + zb.X) / 2 - x;
    r.ty = (za.Y + zb.Y) / 2 - y;
    return true;
}

// The least-squares rotation and translation of the chosen points, and the
// scale they would ask for.
bool NejmensiCtverce(const std::vector<Tbod>& l, const std::vector<Tbod>& z,
                     const std::vector<bool>& vyloucen, Rotace& r, Real& meritko) {
    Real lx = 0, ly = 0, zx = 0, zy = 0;
    std::size_t n = 0;
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (vyloucen[i]) continue;
        lx += l[i].X;
        ly += l[i].Y;
        zx += z[i].X;
        zy += z[i].Y;
        ++n;
    }
    if (n < 2) return false;
    lx /= n;
    ly /= n;
    zx /= n;
    zy /= n;
    Real a = 0, b = 0, q = 0;
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (vyloucen[i]) continue;
        const Real x = l[i].X - lx, y = l[i].Y - ly;
        const Real X = z[i].X - zx, Y = z[i].Y - zy;
        a += x * X + y * Y;
        b += x * Y - y * X;
        q += x * x + y * y;
    }
    if (!(q > kMinRozpeti * kMinRozpeti)) return false;
    const Real uhel = Atan2(b, a);
    r.c = std::cos(uhel);
    r.s = std::sin(uhel);
    r.tx = zx - (r.c * lx - r.s * ly);
    r.ty = zy - (r.s * lx + r.c * ly);
    meritko = std::hypot(a, b) / q;
    return true;
}

// Up to kMaxVzorek points spread over the system: each next one the farthest
// from those already taken, starting with the point farthest from the first.
std::vector<std::size_t> RozlozenyVzorek(const std::vector<Tbod>& l) {
    std::vector<std::size_t> vzorek;
    if (l.size() <= kMaxVzorek) {
        for (std::size_t i = 0; i < l.size(); ++i) vzorek.push_back(i);
        return vzorek;
    }
    std::vector<Real> odstup(l.size(), std::numeric_limits<Real>::max());
    std::size_t dalsi = 0;
    for (std::size_t i = 1; i < l.size(); ++i) {
        if (VodorovnaVzdalenost(l[0], l[i]) > VodorovnaVzdalenost(l[0], l[dalsi])) dalsi = i;
    }
    while (vzorek.size() < kMaxVzorek) {
        vzorek.push_back(dalsi);
        std::size_t nej = dalsi;
        for (std::size_t i = 0; i < l.size(); ++i) {
            odstup[i] = std::min(odstup[i], VodorovnaVzdalenost(l[dalsi], l[i]));
            if (odstup[i] > odstup[nej]) nej = i;
        }
        if (odstup[nej] <= 0) break;
        dalsi = nej;
    }
    return vzorek;
}

// Which points agree with the pair fit of least median misfit.
std::vector<bool> Nesouhlasici(const std::vector<Tbod>& l, const std::vector<Tbod>& z) {
    std::vector<bool> vyloucen(l.size(), false);
    if (l.size() < 3) return vyloucen;
    const std::vector<std::size_t> vzorek = RozlozenyVzorek(l);
    Real nejlepsi = std::numeric_limits<Real>::max();
    std::vector<Real> odchylky(l.size());
    std::vector<Real> nejlepsiOdchylky;
    for (std::size_t p = 0; p < vzorek.size(); ++p) {
        for (std::size_t q = p + 1; q < vzorek.size(); ++q) {
            const std::size_t a = vzorek[p], b = vzorek[q];
            if (VodorovnaVzdalenost(l[a], l[b]) < kMinRozpeti) continue;
            Rotace r;
            if (!Dvojice(l[a], l[b], z[a], z[b], r)) continue;
            for (std::size_t i = 0; i < l.size(); ++i) odchylky[i] = Odchylka(r, l[i], z[i]);
            std::vector<Real> serazene = odchylky;  // the median reorders its vector
            const Real median = DolniMedian(serazene);
            if (median < nejlepsi) {
                nejlepsi = median;
                nejlepsiOdchylky = odchylky;
            }
        }
    }
    if (nejlepsiOdchylky.empty()) return vyloucen;
    Real rozsah = 0;
    for (std::size_t i = 1; i < l.size(); ++i) {
        rozsah = std::max(rozsah, VodorovnaVzdalenost(l[0], l[i]));
    }
    const Real prah = std::max({kMinPrah, kRobustniPrah * nejlepsi, kRelativniPrah * rozsah});
    std::size_t souhlasi = 0;
    for (std::size_t i = 0; i < l.size(); ++i) {
        vyloucen[i] = !(nejlepsiOdchylky[i] <= prah);
        souhlasi += vyloucen[i] ? 0 : 1;
    }
    // Without two agreeing points there is no majority to trust: keep them all.
    if (souhlasi < 2) vyloucen.assign(l.size(), false);
    return vyloucen;
}

}  // namespace

bool UmistitLokalniSystem(const std::vector<Tbod>& lokalni, const std::vector<Tbod>& zname,
                          LokalniUmisteni& umisteni) {
    FpGuard guard;
    if (lokalni.size() != zname.size() || lokalni.size() < 2) return false;
    LokalniUmisteni u;
    u.vyloucen = Nesouhlasici(lokalni, zname);
    Rotace r;
    if (!NejmensiCtverce(lokalni, zname, u.vyloucen, r, u.meritko)) {
        // The agreeing points may lie in one place while all of them do not.
        u.vyloucen.assign(lokalni.size(), false);
        if (!NejmensiCtverce(lokalni, zname, u.vyloucen, r, u.meritko)) return false;
    }
    u.natoceni = Atan2(r.s, r.c);
    u.posunX = r.tx;
    u.posunY = r.ty;
    std::vector<Real> dz;
    for (std::size_t i = 0; i < lokalni.size(); ++i) {
        if (!u.vyloucen[i]) dz.push_back(zname[i].Z - lokalni[i].Z);
    }
    u.posunZ = DolniMedian(dz);
    if (!guard.Ok() || !std::isfinite(u.natoceni) || !std::isfinite(u.posunX) ||
        !std::isfinite(u.posunY) || !std::isfinite(u.posunZ)) {
        return false;
    }
    umisteni = std::move(u);
    return true;
}

Tbod Transformovat(const LokalniUmisteni& u, const Tbod& lokalni) {
    Tbod b = lokalni;
    const Real c = std::cos(u.natoceni);
    const Real s = std::sin(u.natoceni);
    b.X = c * lokalni.X - s * lokalni.Y + u.posunX;
    b.Y = s * lokalni.X + c * lokalni.Y + u.posunY;
    b.Z = lokalni.Z + u.posunZ;
    return b;
}

}  // namespace vertano
