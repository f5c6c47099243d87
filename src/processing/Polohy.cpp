#include "processing/Polohy.h"

#include <utility>
#include <vector>

#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "processing/RozsahyZaznamu.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

// Calls f(a, b) for every face pair (a the upper index of the set, b the lower).
template <class F>
void ProKazdouDvojici(const Tmereni& mereni, F&& f) {
    for (const RozsahZaznamu& s : RozsahySkupin(mereni)) {
        for (int32_t i = 0; s.konec - s.pocatek - 2 * i >= 1; ++i) f(s.pocatek + i, s.konec - i);
    }
}

RedukcePolohy RedukceRadku(const Tmereni& mereni, int32_t a, int32_t b) {
    return RedukovatPar(mereni.zaznam[static_cast<size_t>(a)],
                        mereni.zaznam[static_cast<size_t>(b)]);
}

}  // namespace

RedukcePolohy RedukovatDvojici(const Tzaznam& prvni, const Tzaznam& druha) {
    const Real sI = prvni.smer;
    const Real zI = prvni.zenit;
    const Real dI = prvni.delka;
    const Real sII = druha.smer;
    const Real zII = druha.zenit;
    const Real dII = druha.delka;
    // Face II turned back by half a turn onto face I, on the side of sI.
    const Real sIIotocen = sII >= sI ? sII - kPi : sII + kPi;

    RedukcePolohy r{};
    r[redukce::kRozdilDelka] = dII - dI;
    r[redukce::kRozdilSmer] = sIIotocen - sI;
    r[redukce::kRozdilZenit] = kDvePi - zII - zI;
    if (prvni.MaDelku() && druha.MaDelku()) {
        r[redukce::kPrumerDelka] = (dII + dI) / 2;
    } else {
        r[redukce::kPrumerDelka] = prvni.MaDelku() ? dI : dII;
    }
    Real smer = (sI + sIIotocen) / 2;
    if (smer < 0) {
        smer += kDvePi;
    } else if (smer >= kDvePi) {
        smer -= kDvePi;
    }
    r[redukce::kPrumerSmer] = smer;
    r[redukce::kPrumerZenit] = zI + (kDvePi - zI - zII) / 2;
    if (prvni.MaSmer() != druha.MaSmer()) {
        // A direction of one face only is the mean, face II turned back onto face I;
        // there is no difference to show.
        r[redukce::kRozdilSmer] = 0;
        r[redukce::kPrumerSmer] = prvni.MaSmer() ? sI : Normalise(sII + kPi);
    }
    if (prvni.MaZenit() != druha.MaZenit()) {
        r[redukce::kRozdilZenit] = 0;
        r[redukce::kPrumerZenit] = prvni.MaZenit() ? zI : kDvePi - zII;
    }
    if (!prvni.MaSmer() && !druha.MaSmer()) r[redukce::kRozdilSmer] = r[redukce::kPrumerSmer] = 0;
    if (!prvni.MaZenit() && !druha.MaZenit()) {
        r[redukce::kRozdilZenit] = r[redukce::kPrumerZenit] = 0;
    }
    return r;
}

RedukcePolohy RedukovatPar(const Tzaznam& a, const Tzaznam& b) {
    return a.poloha ? RedukovatDvojici(a, b) : RedukovatDvojici(b, a);
}

void PoradiPrvniDruhaPoloha(Tmereni& mereni) {
    for (auto& z : mereni.zaznam) z.iPrvni = z.iDruha = -1;
    for (const RozsahZaznamu& s : RozsahySkupin(mereni)) {
        // An odd row in the middle of a set is its own pair, as the walk over the
        // set from both ends meets there.
        for (int32_t i = 0; s.pocatek + i <= s.konec - i; ++i) {
            for (const int32_t r : {s.pocatek + i, s.konec - i}) {
                Tzaznam& z = mereni.zaznam[static_cast<size_t>(r)];
                z.iPrvni = s.pocatek + i;
                z.iDruha = s.konec - i;
            }
        }
    }
}

bool RedukcePoloh(Tmereni& mereni) {
    FpGuard guard;
    ProKazdouDvojici(mereni, [&mereni](int32_t a, int32_t b) {
        const RedukcePolohy r = RedukceRadku(mereni, a, b);
        mereni.zaznam[static_cast<size_t>(a)].zapracovaniPoloha = r;
        mereni.zaznam[static_cast<size_t>(b)].zapracovaniPoloha = r;
    });
    return guard.Ok();
}

bool ZpracujSkupinyPoloha(const Tmereni& zdroj, Tmereni& mereni1poloha, int32_t typ) {
    FpGuard guard;
    std::vector<Tzaznam> vystup;
    ProKazdouDvojici(zdroj, [&](int32_t a, int32_t b) {
        Tzaznam z = zdroj.zaznam[static_cast<size_t>(a)];
        z.zapracovaniPoloha = RedukceRadku(zdroj, a, b);
        const size_t od = typ == 1 ? redukce::kRozdilDelka : redukce::kPrumerDelka;
        z.delka = z.zapracovaniPoloha[od];
        z.smer = z.zapracovaniPoloha[od + 1];
        z.zenit = z.zapracovaniPoloha[od + 2];
        const Tzaznam& b2 = zdroj.zaznam[static_cast<size_t>(b)];
        z.bezSmeru = z.bezSmeru && b2.bezSmeru;
        z.bezZenitu = z.bezZenitu && b2.bezZenitu;
        // A mean is in the sense of face I, whichever face measured it.
        if (z.bezZenitu) z.poloha = true;
        z.iPrvni = a;
        z.iDruha = b;
        vystup.push_back(std::move(z));
    });
    if (!guard.Ok()) return false;
    mereni1poloha.Clear();
    mereni1poloha.zaznam = std::move(vystup);
    return true;
}

}  // namespace vertano
