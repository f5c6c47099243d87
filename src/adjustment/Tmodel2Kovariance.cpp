// The cofactor matrix of the unknowns and of the adjusted observations, its
// plausibility check and its text form.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "adjustment/KofaktoryText.h"
#include "adjustment/Tmodel2.h"
#include "adjustment/Tmodel2Vnitrni.h"
#include "adjustment/VahaPozorovani.h"
#include "matice/Cholesky.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Lu.h"
#include "matice/ParallelProducts.h"
#include "matice/Sparse.h"

namespace vertano {

namespace {

// q_i may exceed 1/p_i by this relative amount: an observation without
// redundancy has q_i = 1/p_i exactly, which rounding can overshoot.
constexpr Real kZaokrouhleniKofaktoru = 1e-12L;

bool JeNacteno(const Tmodel2& m) {
    return m.pocetNeznamych >= 1 && m.pocetPodminek >= 0 && m.pocetMereni >= 0 &&
           static_cast<int32_t>(m.diagonalaVah.size()) >= m.pocetMereni &&
           static_cast<int32_t>(m.vektorRedukovanychMereni.size()) >= m.pocetMereni &&
           static_cast<int32_t>(m.maticePlanuSparse.data.size()) == m.pocetNeznamych;
}

// q_i of every observation over l, then the plausibility check.
bool KofaktoryPozorovani(Tmodel2& m) {
    Tsparse radky;
    if (!SparseTranspose(radky, m.maticePlanuSparse, m.pocetMereni)) return false;
    const FpGuard guard;
    return ObservationCofactors(m.vektorRedukovanychMereni, radky, m.maticeATPA, m.pocetMereni) &&
           guard.Ok() && m.KontrolaKovariancniMatice();
}

bool InverzeCholesky(Tmodel2& m) {
    const int high = m.pocetNeznamych - 1;
    VectorZero(m.vektorPomocny, high + 1);
    return CholeskyDecomposition(m.maticeATPA, m.vektorPomocny, high, m.pocetVlakno) &&
           TriangularInverse(m.maticeATPA, m.vektorPomocny, high, m.pocetVlakno) &&
           ThreadSoucinLDLT(m.maticeATPA, high, m.pocetVlakno, m.cekani);
}

// Columns of the inverse of the bordered matrix; its leading block replaces the
// leading block of the normal matrix.
bool InverzeLU(Tmodel2& m) {
    const int n = m.pocetNeznamych;
    const int high = n + m.pocetPodminek - 1;
    MatrixZero(m.maticeUloziste1, n, n);
    int threads = m.pocetVlakno;
    const TindexVector split = SplitInverseColumns(n, high + 1, threads);
    const bool ok = LUDecomposition(m.maticeATPA, high, m.indexLU) &&
                    ThreadSoucinLDLT(m.maticeUloziste1, m.maticeATPA, m.indexLU, m.pocetPodminek,
                                     high, split, m.cekani) &&
                    MatrixCopyBlock(m.maticeATPA, m.maticeUloziste1, n);
    MatrixFree(m.maticeUloziste1);
    TindexVector().swap(m.indexLU);
    return ok;
}

}  // namespace

bool Tmodel2::KovariancniMaticeCholeskyLU() {
    if (!JeNacteno(*this)) return false;
    try {
        const FpGuard guard;
        if (!SestavitHuste(*this, diagonalaVah, nullptr)) return false;
        if (!(jeFix ? InverzeCholesky(*this) : InverzeLU(*this)) || !guard.Ok()) return false;
        return KofaktoryPozorovani(*this);
    } catch (const std::bad_alloc&) {
        MatrixFree(maticeUloziste1);
        return false;
    }
}

bool Tmodel2::KovariancniMaticeSVD() {
    if (!JeNacteno(*this)) return false;
    try {
        if (!SestavitHuste(*this, diagonalaVah, nullptr)) return false;
        if (!ReseniSvd(*this, indexVlakna2, false, Singularita::Odmitnuta)) return false;
        return KofaktoryPozorovani(*this);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Tmodel2::KontrolaKovariancniMatice() const {
    const int32_t n = pocetNeznamych;
    if (n < 1) return false;
    for (int32_t i = 0; i < n; ++i) {
        Real q = 0;
        if (!Kofaktor(i, i, q) || !(q >= 0)) return false;
    }
    if (static_cast<int32_t>(vektorRedukovanychMereni.size()) < pocetMereni ||
        static_cast<int32_t>(diagonalaVah.size()) < pocetMereni) {
        return false;
    }
    for (int32_t i = 0; i < pocetMereni; ++i) {
        const Real q = vektorRedukovanychMereni[static_cast<std::size_t>(i)];
        const Real p = diagonalaVah[static_cast<std::size_t>(i)];
        // Written so that NaN fails every comparison.
        if (!(q >= 0) || !(p > 0)) return false;
        if (!(q * p <= 1 + kZaokrouhleniKofaktoru)) return false;
    }
    return true;
}

void Tmodel2::KovariancniMatice2str() {
    kovariancniMaticeStr.clear();
    try {
        // The whole block, column by column on the sparse path.
        Tmatrix Q;
        if (pocetSouradnicUrcovanych < 1 || !KofaktorovaMatice(pocetSouradnicUrcovanych, Q)) return;
        kovariancniMaticeStr = KofaktoryText(Q, pocetSouradnicUrcovanych);
    } catch (const std::bad_alloc&) {
        kovariancniMaticeStr.clear();
    }
}

Real Tmodel2::OdchylkaOpravy(Real odchylka, Real odchylkaJednotkova, Real q) {
    if (!JeOdchylkaZadana(odchylka) || !JeOdchylkaZadana(odchylkaJednotkova) || !std::isfinite(q)) {
        return -1;
    }
    const FpGuard guard;
    const Real podil = odchylka / odchylkaJednotkova;
    const Real radikand = std::max(Real{0}, podil * podil - q);
    const Real s = odchylkaJednotkova * std::sqrt(radikand);
    return guard.Ok() && std::isfinite(s) ? s : -1;
}

}  // namespace vertano
