// The application of the increments, the single dense methods and the plain
// iteration step.

#include <algorithm>
#include <cmath>

#include "adjustment/DenseNetworkSolver.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "matice/FpGuard.h"
#include "matice/Sparse.h"

namespace vertano {

bool PouzitPrirustky(TmodelSite& m) {
    TmodelSiteStav& stav = Stav(m);
    const int32_t k = stav.pocetSouradnicUrcovanych;
    if (k < 0 || k > 3 * stav.souradnice.Pocet() ||
        static_cast<int32_t>(stav.vektorPrirustku.size()) < k) {
        return false;
    }
    // Checked before anything is written: a failed step must leave the
    // coordinates as they were for the next solver.
    Real nejvetsi = 0;
    for (int32_t i = 0; i < k; ++i) {
        const Real dx = stav.vektorPrirustku[static_cast<std::size_t>(i)];
        if (!std::isfinite(dx)) return false;
        nejvetsi = std::max(nejvetsi, std::fabs(dx));
    }
    for (int32_t i = 0; i < k / 3; ++i) {
        Tbod& b = stav.souradnice.bod[static_cast<std::size_t>(i)];
        b.X -= stav.vektorPrirustku[static_cast<std::size_t>(3 * i)];
        b.Y -= stav.vektorPrirustku[static_cast<std::size_t>(3 * i + 1)];
        b.Z -= stav.vektorPrirustku[static_cast<std::size_t>(3 * i + 2)];
    }
    stav.prirustek = nejvetsi;
    return true;
}

bool DokoncitReseni(TmodelSite& m, bool pouzitPrirustky) {
    TmodelSiteStav& stav = Stav(m);
    {
        const FpGuard guard;
        if (!Residuals(stav.vektorOprav, stav.vektorPrirustku, stav.vektorRedukovanychMereni,
                       stav.pocetMereni, stav.maticePlanuSparse) ||
            !guard.Ok()) {
            return false;
        }
    }
    return !pouzitPrirustky || PouzitPrirustky(m);
}

bool TmodelSite::VyrovnatLDLT(bool pouzitPrirustky) {
    return HustyResic(*this).ReseniLDLT(
               SoustavaModelu(*this, vektorUloziste, &vektorRedukovanychMereni), vektorPrirustku) ==
               DenseNetworkSolver::VysledekLDLT::Vyreseno &&
           DokoncitReseni(*this, pouzitPrirustky);
}

bool TmodelSite::VyrovnatLU(bool pouzitPrirustky) {
    return HustyResic(*this).ReseniLU(
               SoustavaModelu(*this, vektorUloziste, &vektorRedukovanychMereni), vektorPrirustku) &&
           DokoncitReseni(*this, pouzitPrirustky);
}

bool TmodelSite::VyrovnatSVD(bool pouzitPrirustky) {
    return HustyResic(*this).ReseniSvd(
               SoustavaModelu(*this, vektorUloziste, &vektorRedukovanychMereni), &vektorPrirustku,
               Singularita::Odmitnuta) &&
           DokoncitReseni(*this, pouzitPrirustky);
}

bool TmodelSite::VyrovnatOpakovane(bool& znovuVyrovnat) {
    znovuVyrovnat = false;
    if (pocetMereni < 0 || static_cast<int32_t>(vektorUloziste.size()) < pocetMereni ||
        static_cast<int32_t>(diagonalaVah.size()) < pocetMereni) {
        return false;
    }
    // The plain iteration is the adjustment with the a-priori weights, whatever
    // an earlier robust step or a failed attempt left in the working weights.
    std::copy(diagonalaVah.begin(), diagonalaVah.begin() + pocetMereni, vektorUloziste.begin());
    if (!Naplnit() || !Vyrovnat()) return false;
    if (pocetIteraci < 0) pocetIteraci = 0;
    ++pocetIteraci;
    znovuVyrovnat = pocetIteraci < maxPocetIteraci && prirustek > maxPrirustek;
    return true;
}

}  // namespace vertano
