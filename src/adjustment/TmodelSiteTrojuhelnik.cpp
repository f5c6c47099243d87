// The small adjustment of one triangle of mutual directions that gives the outer
// precision of directions: six direction values and one orientation per
// occupation, all weights 1, four conditions.

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "matice/Sparse.h"
#include "mereni/Tmereni.h"

namespace vertano {

namespace {

constexpr int32_t kSmeru = 6;
constexpr int32_t kPodminek = 4;

bool PlatnyRadek(const Tzaznam& z, int32_t obsazeni) {
    return z.soubor >= 1 && z.soubor <= kSmeru && z.skupina >= 1 && z.skupina <= obsazeni &&
           std::isfinite(z.smer);
}

// The unknown of the occupation of the first row with direction number `cislo`;
// -1 when no row has that number.
int32_t OrientaceSmeru(const Tmereni& mereni, int32_t cislo) {
    for (const Tzaznam& z : mereni.zaznam) {
        if (z.soubor == cislo) return z.skupina + kSmeru - 1;
    }
    return -1;
}

void Podminka(Tmatrix& N, int32_t radek, int32_t sloupec, Real hodnota) {
    N[static_cast<std::size_t>(radek)][static_cast<std::size_t>(sloupec)] = hodnota;
    N[static_cast<std::size_t>(sloupec)][static_cast<std::size_t>(radek)] = hodnota;
}

}  // namespace

bool TmodelSite::NaplnitVnejsiPresnostSmer(const Tmereni& mereni) {
    Clear();
    const auto m = static_cast<int32_t>(mereni.zaznam.size());
    const int32_t obsazeni = mereni.NejvetsiSkupina();
    if (m < 1 || obsazeni < 1) return false;
    for (const Tzaznam& z : mereni.zaznam) {
        if (!PlatnyRadek(z, obsazeni)) return false;
    }
    const int32_t n = obsazeni + kSmeru;
    const int32_t u = n + kPodminek;
    pocetMereni = m;
    pocetPosunu = obsazeni;
    pocetNeznamych = n;
    pocetPodminek = kPodminek;
    pocetNadbytecnych = m - n + kPodminek;
    pocetSouradnicUrcovanych = 0;
    // The normal equations are formed here and handed to the dense solver.
    Tmatrix N;
    Tvector b;
    try {
        VectorZero(vektorRedukovanychMereni, m);
        VectorZero(vektorOprav, m);
        vektorUloziste.assign(static_cast<std::size_t>(std::max(m, u)), Real{1});
        VectorZero(vektorPrirustku, u);
        VectorZero(b, u);
        MatrixZero(N, u, u);
        SparseSetRows(maticePlanuSparse, n);
        for (int32_t i = 0; i < m; ++i) {
            const Tzaznam& z = mereni.zaznam[static_cast<std::size_t>(i)];
            if (!SparseAppend(maticePlanuSparse, i, z.soubor - 1, 1) ||
                !SparseAppend(maticePlanuSparse, i, z.skupina + kSmeru - 1, 1)) {
                return false;
            }
            vektorRedukovanychMereni[static_cast<std::size_t>(i)] = -z.smer;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    // An occupation number without rows would make the system singular.
    for (const TindexVector& radek : maticePlanuSparse.index) {
        if (radek.empty()) return false;
    }
    const FpGuard guard;
    if (!SparseGram(N, maticePlanuSparse, n) ||
        !SparseTransposeTimes(b, vektorRedukovanychMereni, maticePlanuSparse, n)) {
        return false;
    }
    // The unknowns are solved with the opposite sign (dx = -x), hence -pi: the
    // three angles of the triangle, each the difference of two directions, sum
    // to pi.
    for (int32_t k = 0; k < kSmeru; ++k) Podminka(N, n, k, k % 2 == 0 ? -1 : 1);
    b[static_cast<std::size_t>(n)] = -kPi;
    for (int32_t r = 1; r < kPodminek; ++r) {
        const int32_t sloupec = OrientaceSmeru(mereni, 2 * r - 1);
        if (sloupec < 0) return false;
        Podminka(N, n + r, sloupec, 1);
    }
    return guard.Ok() && HustyResic(*this).Form(std::move(N), std::move(b), n, kPodminek);
}

bool TmodelSite::VyrovnatVnejsiPresnostSmer(const Tmereni& mereni) {
    bool ok = NaplnitVnejsiPresnostSmer(mereni) && VyrovnatLU(false);
    if (!ok) {
        // The triangle is small: its pseudo-inverse runs in the calling thread.
        ok = NaplnitVnejsiPresnostSmer(mereni) &&
             HustyResic(*this).ReseniSvd(
                 SoustavaModelu(*this, vektorUloziste, &vektorRedukovanychMereni), &vektorPrirustku,
                 Singularita::Pripustna) &&
             DokoncitReseni(*this, false);
    }
    if (!ok) {
        Clear();
        return false;
    }
    VectorNegate(vektorPrirustku);
    const FpGuard guard;
    const Real s = std::sqrt(SumOfSquares(vektorOprav) / static_cast<Real>(pocetNadbytecnych));
    odchylkaJednotkovaAposterior = guard.Ok() && std::isfinite(s) ? s : 0;
    return true;
}

}  // namespace vertano
