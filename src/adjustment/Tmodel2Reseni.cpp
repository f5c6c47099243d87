// Solution of the normal equations by LDL^T, LU or the pseudo-inverse, the
// cascade between them, the application of the increments and the plain
// iteration step.

#include <algorithm>
#include <cmath>
#include <new>

#include "adjustment/Tmodel2.h"
#include "adjustment/Tmodel2Vnitrni.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Ldlt.h"
#include "matice/Lu.h"
#include "matice/ParallelProducts.h"
#include "matice/Sparse.h"
#include "matice/Svd.h"

namespace vertano {

namespace {

// The sizes every solver relies on, checked once so that a model that was not
// loaded (or was cleared) fails instead of indexing outside its storage.
bool JeSoustava(const Tmodel2& m) {
    const int32_t n = m.pocetNeznamych;
    const int32_t u = n + m.pocetPodminek;
    if (n < 1 || m.pocetPodminek < 0 || m.pocetMereni < 0) return false;
    if (static_cast<int32_t>(m.maticeATPA.size()) < u ||
        static_cast<int32_t>(m.vektorATPL.size()) < u ||
        static_cast<int32_t>(m.vektorRedukovanychMereni.size()) < m.pocetMereni ||
        static_cast<int32_t>(m.maticePlanuSparse.data.size()) < n) {
        return false;
    }
    return std::all_of(m.maticeATPA.begin(), m.maticeATPA.begin() + u,
                       [u](const Tvector& r) { return static_cast<int32_t>(r.size()) >= u; });
}

}  // namespace

bool PouzitPrirustky(Tmodel2& m) {
    const int32_t k = m.pocetSouradnicUrcovanych;
    if (k < 0 || k > 3 * m.souradnice.Pocet() ||
        static_cast<int32_t>(m.vektorPrirustku.size()) < k) {
        return false;
    }
    // Checked before anything is written: a failed step must leave the
    // coordinates as they were for the next solver.
    Real nejvetsi = 0;
    for (int32_t i = 0; i < k; ++i) {
        const Real dx = m.vektorPrirustku[static_cast<std::size_t>(i)];
        if (!std::isfinite(dx)) return false;
        nejvetsi = std::max(nejvetsi, std::fabs(dx));
    }
    for (int32_t i = 0; i < k / 3; ++i) {
        Tbod& b = m.souradnice.bod[static_cast<std::size_t>(i)];
        b.X -= m.vektorPrirustku[static_cast<std::size_t>(3 * i)];
        b.Y -= m.vektorPrirustku[static_cast<std::size_t>(3 * i + 1)];
        b.Z -= m.vektorPrirustku[static_cast<std::size_t>(3 * i + 2)];
    }
    m.prirustek = nejvetsi;
    return true;
}

// Residuals v = l - A dx and, when asked, the update of the coordinates.
namespace {

bool DokoncitReseni(Tmodel2& m, bool pouzitPrirustky) {
    const FpGuard guard;
    if (!Residuals(m.vektorOprav, m.vektorPrirustku, m.vektorRedukovanychMereni, m.pocetMereni,
                   m.maticePlanuSparse) ||
        !guard.Ok()) {
        return false;
    }
    return !pouzitPrirustky || PouzitPrirustky(m);
}

}  // namespace

bool Tmodel2::VyrovnatLDLT(bool pouzitPrirustky) {
    if (!JeSoustava(*this)) return false;
    const int high = pocetNeznamych + pocetPodminek - 1;
    try {
        const FpGuard guard;
        // D goes to scratch storage of its own: the working weights must survive
        // a factorisation that fails half way.
        VectorZero(vektorPomocny, high + 1);
        if (!LDLTDecomposition(maticeATPA, vektorPomocny, high, pocetVlakno) ||
            !LDLTSolve(vektorPrirustku, maticeATPA, vektorPomocny, high, vektorATPL) ||
            !guard.Ok()) {
            return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return DokoncitReseni(*this, pouzitPrirustky);
}

bool Tmodel2::VyrovnatLU(bool pouzitPrirustky) {
    if (!JeSoustava(*this)) return false;
    const int high = pocetNeznamych + pocetPodminek - 1;
    try {
        const FpGuard guard;
        if (!LUDecomposition(maticeATPA, high, indexLU) ||
            !LUBackSubstitution(maticeATPA, high, indexLU, vektorATPL) || !guard.Ok()) {
            return false;
        }
        VectorCopy(vektorATPL, vektorPrirustku);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return DokoncitReseni(*this, pouzitPrirustky);
}

namespace {

// Symmetric scaling of the bordered normal matrix: each unknown by the root of
// its diagonal element, each condition row by its largest scaled coefficient.
// Weights of 1e10 beside condition coefficients of 1 spread the singular values
// of the bordered matrix so far that the cut-off of the small ones would drop
// true ones and the pseudo-inverse would no longer be the inverse (a free
// network's cofactors came out several per cent wrong). The inverse of the
// scaled matrix, scaled back, is the same inverse; for a singular matrix it is
// still a generalised inverse.
Tvector Meritka(const Tmatrix& K, int n, int u) {
    Tvector s(static_cast<std::size_t>(u), 1);
    for (int i = 0; i < n; ++i) {
        const Real d = std::fabs(K[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)]);
        if (d > 0 && std::isfinite(d)) s[static_cast<std::size_t>(i)] = 1 / std::sqrt(d);
    }
    for (int r = n; r < u; ++r) {
        Real nejvetsi = 0;
        for (int j = 0; j < n; ++j) {
            nejvetsi = std::max(
                nejvetsi, std::fabs(K[static_cast<std::size_t>(r)][static_cast<std::size_t>(j)] *
                                    s[static_cast<std::size_t>(j)]));
        }
        if (nejvetsi > 0 && std::isfinite(nejvetsi)) s[static_cast<std::size_t>(r)] = 1 / nejvetsi;
    }
    return s;
}

}  // namespace

bool ReseniSvd(Tmodel2& m, const TindexVector& split, bool reseni, bool pouzitPrirustky) {
    if (!JeSoustava(m) || split.size() < 2 || split.front() < 0 ||
        split.back() > m.pocetNeznamych) {
        return false;
    }
    const int n = m.pocetNeznamych;
    const int u = n + m.pocetPodminek;
    bool ok = false;
    try {
        const FpGuard guard;
        const Tvector s = Meritka(m.maticeATPA, n, u);
        // U is the scaled copy of the normal matrix, which then receives the rows
        // of the pseudo-inverse; the singular values go to scratch, never to the
        // working weights.
        MatrixFree(m.maticeUloziste1);
        m.maticeUloziste1.assign(static_cast<std::size_t>(u), Tvector(static_cast<std::size_t>(u)));
        for (int i = 0; i < u; ++i) {
            for (int j = 0; j < u; ++j) {
                m.maticeUloziste1[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                    s[static_cast<std::size_t>(i)] *
                    m.maticeATPA[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] *
                    s[static_cast<std::size_t>(j)];
            }
        }
        MatrixZero(m.maticeUloziste2, u, u);
        VectorZero(m.vektorPomocny, u);
        ok =
            SVDecomposition(m.maticeUloziste1, m.vektorPomocny, m.maticeUloziste2, m.pocetVlakno) &&
            InvertSingularValues(m.vektorPomocny, u);
        if (ok && reseni) {
            Tvector b(static_cast<std::size_t>(u));
            for (int i = 0; i < u; ++i) {
                b[static_cast<std::size_t>(i)] =
                    s[static_cast<std::size_t>(i)] * m.vektorATPL[static_cast<std::size_t>(i)];
            }
            if (static_cast<int>(m.vektorPrirustku.size()) < u) m.vektorPrirustku.resize(u);
            ok = ThreadSoucinSVD(m.maticeATPA, m.maticeUloziste2, m.maticeUloziste1,
                                 m.vektorPomocny, u - 1, m.vektorPrirustku, b, split, m.cekani);
        } else if (ok) {
            ok = ThreadSoucinSVD(m.maticeATPA, m.maticeUloziste2, m.maticeUloziste1,
                                 m.vektorPomocny, u - 1, split, m.cekani);
        }
        for (int i = split.front(); ok && i < split.back(); ++i) {
            Tvector& radek = m.maticeATPA[static_cast<std::size_t>(i)];
            for (int j = 0; j < u; ++j) {
                radek[static_cast<std::size_t>(j)] *=
                    s[static_cast<std::size_t>(i)] * s[static_cast<std::size_t>(j)];
            }
            if (reseni)
                m.vektorPrirustku[static_cast<std::size_t>(i)] *= s[static_cast<std::size_t>(i)];
        }
        ok = ok && guard.Ok();
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    MatrixFree(m.maticeUloziste1);
    MatrixFree(m.maticeUloziste2);
    if (!ok) return false;
    return !reseni || DokoncitReseni(m, pouzitPrirustky);
}

bool Tmodel2::VyrovnatSVD(bool pouzitPrirustky) {
    return ReseniSvd(*this, indexVlakna2, true, pouzitPrirustky);
}

bool Tmodel2::Vyrovnat() {
    switch (resic) {
        case Resic::LDLT:
            return VyrovnatLDLT(true);
        case Resic::LU:
            return VyrovnatLU(true);
        case Resic::SVD:
            return VyrovnatSVD(true);
        case Resic::Kaskada:
            break;
    }
    if (VyrovnatLDLT(true)) return true;
    // A failed factorisation has overwritten the normal equations: they are
    // formed again, with the same working weights, for the next method.
    if (Naplnit() && VyrovnatLU(true)) return true;
    if (Naplnit() && VyrovnatSVD(true)) return true;
    if (chyba.empty()) chyba = "Error in solving the normal equations.";
    return false;
}

bool Tmodel2::VyrovnatOpakovane(bool& znovuVyrovnat) {
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
