#include "transformation/IdentickeBody.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"
#include "mereni/Jednotky.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

bool JePar(const Tsouradnice& seznam, int32_t k) {
    return k >= 0 && k < seznam.Pocet() && seznam.bod[static_cast<std::size_t>(k)].JePlny;
}

const Tbod& Bod(const Tsouradnice& seznam, int32_t k) {
    return seznam.bod[static_cast<std::size_t>(k)];
}

}  // namespace

bool ParovatIdentickeBody(const Tsouradnice& sit, const Tsouradnice& identicke, Tsouradnice& pary) {
    pary.Clear();
    if (!sit.ExistujePlnyBod() || !identicke.ExistujePlnyBod()) return false;
    int32_t par = 0;
    for (int32_t k = 0; k < sit.Pocet(); ++k) {
        const Tbod& vstup = Bod(sit, k);
        if (!vstup.JePlny) continue;
        for (int32_t l = 0; l < identicke.Pocet(); ++l) {
            const Tbod& vystup = Bod(identicke, l);
            if (!vystup.JePlny || vystup.cislo != vstup.cislo) continue;
            for (const auto& [bod, poradi] : {std::pair{&vstup, k}, std::pair{&vystup, l}}) {
                Tbod b = *bod;
                b.poradi = poradi;
                b.soubor = par;
                pary.PridejBod(b);
            }
            ++par;
        }
    }
    return par >= kNejmenePar;
}

int32_t PocetPar(const Tsouradnice& pary) {
    return pary.Pocet() / 2;
}

bool SplyvajiBody(const Tbod& a, const Tbod& b) {
    return a.JePlny && b.JePlny && a.X == b.X && a.Y == b.Y;
}

bool VychoziParIdentickych(const Tsouradnice& vstup, const Tsouradnice& vystup, int32_t& a,
                           int32_t& c) {
    a = -1;
    c = -1;
    const int32_t n = std::min(vstup.Pocet(), vystup.Pocet());
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = i + 1; j < n; ++j) {
            if (!JePar(vstup, i) || !JePar(vstup, j) || !JePar(vystup, i) || !JePar(vystup, j))
                continue;
            if (SplyvajiBody(Bod(vstup, i), Bod(vstup, j)) ||
                SplyvajiBody(Bod(vystup, i), Bod(vystup, j)))
                continue;
            a = i;
            c = j;
            return true;
        }
    }
    return false;
}

bool TezisteVstup(const Tsouradnice& pary, Real& x, Real& y) {
    const int32_t n = PocetPar(pary);
    if (n < 1) return false;
    const FpGuard guard;
    Real sx = 0;
    Real sy = 0;
    for (int32_t k = 0; k < n; ++k) {
        sx += Bod(pary, 2 * k).X;
        sy += Bod(pary, 2 * k).Y;
    }
    const Real tx = sx / n;
    const Real ty = sy / n;
    if (!guard.Ok() || !std::isfinite(tx) || !std::isfinite(ty)) return false;
    x = tx;
    y = ty;
    return true;
}

Real PribliznaRotace(const Tsouradnice& pary) {
    const int32_t n = PocetPar(pary);
    std::vector<Real> kandidati;
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = i + 1; j < n; ++j) {
            const Tbod& vi = Bod(pary, 2 * i);
            const Tbod& vj = Bod(pary, 2 * j);
            if (SplyvajiBody(vi, vj)) continue;
            const Tbod& oi = Bod(pary, 2 * i + 1);
            const Tbod& oj = Bod(pary, 2 * j + 1);
            const Real dXi = vj.X - vi.X;
            const Real dYi = vj.Y - vi.Y;
            const Real dXo = oj.X - oi.X;
            const Real dYo = oj.Y - oi.Y;
            const Real w = UhelVKruhu(Atan2(dYo * dXi - dXo * dYi, dXo * dXi + dYo * dYi));
            if (std::isfinite(w)) kandidati.push_back(w);
        }
    }
    if (kandidati.empty()) return 0;
    std::sort(kandidati.begin(), kandidati.end());
    return kandidati[(kandidati.size() - 1) / 2];
}

void PribliznyKlic(const Tsouradnice& pary, TtransformacniKlic& klic) {
    klic.jePlny = true;
    klic.posunX = 0;
    klic.posunY = 0;
    klic.posunZ = 0;
    klic.rotaceZ = PribliznaRotace(pary);
}

Real UhelVKruhu(Real uhel) {
    const Real r = Normalise(uhel);
    return JeUhelVKruhu(r) || !std::isfinite(r) ? r : 0;
}

Real Smernik(const Tbod& p, const Tbod& q) {
    return UhelVKruhu(Atan2(q.Y - p.Y, q.X - p.X));
}

bool KlicBodSmernik(const Tsouradnice& vstup, const Tsouradnice& vystup, int32_t a, int32_t c,
                    TtransformacniKlic& klic) {
    klic = TtransformacniKlic{};
    if (a == c || !JePar(vstup, a) || !JePar(vstup, c) || !JePar(vystup, a) || !JePar(vystup, c))
        return false;
    const Tbod& va = Bod(vstup, a);
    const Tbod& vc = Bod(vstup, c);
    const Tbod& oa = Bod(vystup, a);
    const Tbod& oc = Bod(vystup, c);
    if (SplyvajiBody(va, vc) || SplyvajiBody(oa, oc)) return false;
    const FpGuard guard;
    TtransformacniKlic k;
    k.posunX2 = -va.X;
    k.posunY2 = -va.Y;
    k.posunX = oa.X;
    k.posunY = oa.Y;
    k.posunZ = oa.Z - va.Z;
    k.smernik_vstup = Smernik(va, vc);
    k.smernik_vystup = Smernik(oa, oc);
    k.rotaceZ = UhelVKruhu(k.smernik_vystup - k.smernik_vstup);
    k.jePlny = true;
    if (!guard.Ok() || !std::isfinite(k.rotaceZ) || !std::isfinite(k.posunZ)) return false;
    klic = k;
    return true;
}

}  // namespace vertano
