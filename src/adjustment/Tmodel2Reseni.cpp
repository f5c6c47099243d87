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
#include "matice/Konstanty.h"
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

bool DokoncitReseni(Tmodel2& m, bool pouzitPrirustky) {
    {
        const FpGuard guard;
        if (!Residuals(m.vektorOprav, m.vektorPrirustku, m.vektorRedukovanychMereni, m.pocetMereni,
                       m.maticePlanuSparse) ||
            !guard.Ok()) {
            return false;
        }
    }
    return !pouzitPrirustky || PouzitPrirustky(m);
}

namespace {

bool KonecnePrirustky(const Tmodel2& m) {
    const auto n = static_cast<std::size_t>(m.pocetNeznamych);
    return m.vektorPrirustku.size() >= n &&
           std::all_of(m.vektorPrirustku.begin(), m.vektorPrirustku.begin() + n,
                       [](Real x) { return std::isfinite(x); });
}

}  // namespace

namespace {

// More unknowns depending on the ones before them than datum conditions: the
// network is singular beyond its datum. Without conditions the first of them
// is named; with them it may be one of the datum's own.
bool OhlasitDefekt(Tmodel2& m, const std::vector<int32_t>& zavisle) {
    if (static_cast<int32_t>(zavisle.size()) <= m.pocetPodminek) return false;
    m.solverFailure = SolverFailure::Defect;
    m.defectUnknown = m.pocetPodminek == 0 ? zavisle.front() : -1;
    m.chyba = m.pocetPodminek == 0
                  ? "The observations do not determine " + PopisNezname(m, zavisle.front()) +
                        ": the normal equations are singular"
                  : "The normal equations are singular beyond the datum of the network";
    return true;
}

}  // namespace

bool DefektHuste(Tmodel2& m) {
    if (!JeSoustava(m)) return false;
    try {
        std::vector<int32_t> zavisle;
        return SemidefiniteLDLT(m.maticeATPA, m.vektorPomocny, m.pocetNeznamych - 1, m.pocetVlakno,
                                zavisle) &&
               OhlasitDefekt(m, zavisle);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

VysledekLDLT ReseniLDLT(Tmodel2& m) {
    if (!JeSoustava(m)) return VysledekLDLT::Selhani;
    const int n = m.pocetNeznamych;
    const int high = n + m.pocetPodminek - 1;
    try {
        Tvector diagonala(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) diagonala[i] = m.maticeATPA[i][i];
        const FpGuard guard;
        // D goes to scratch storage of its own: the working weights must survive
        // a factorisation that fails half way.
        VectorZero(m.vektorPomocny, high + 1);
        if (!LDLTDecomposition(m.maticeATPA, m.vektorPomocny, high, m.pocetVlakno)) {
            return VysledekLDLT::Selhani;
        }
        // The unknowns' block comes first and is eliminated as if alone.
        std::vector<int32_t> male;
        for (int i = 0; i < n; ++i) {
            if (!(m.vektorPomocny[i] > kRelativePivot * diagonala[i])) male.push_back(i);
        }
        if (OhlasitDefekt(m, male)) return VysledekLDLT::Defekt;
        if (!male.empty()) return VysledekLDLT::MalePivoty;
        if (!LDLTSolve(m.vektorPrirustku, m.maticeATPA, m.vektorPomocny, high, m.vektorATPL) ||
            !guard.Ok()) {
            return VysledekLDLT::Selhani;
        }
    } catch (const std::bad_alloc&) {
        return VysledekLDLT::Selhani;
    }
    return KonecnePrirustky(m) ? VysledekLDLT::Vyreseno : VysledekLDLT::Selhani;
}

bool ReseniLU(Tmodel2& m) {
    if (!JeSoustava(m)) return false;
    const int high = m.pocetNeznamych + m.pocetPodminek - 1;
    try {
        const FpGuard guard;
        if (!LUDecomposition(m.maticeATPA, high, m.indexLU) ||
            !LUBackSubstitution(m.maticeATPA, high, m.indexLU, m.vektorATPL) || !guard.Ok()) {
            return false;
        }
        VectorCopy(m.vektorATPL, m.vektorPrirustku);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return KonecnePrirustky(m);
}

bool Tmodel2::VyrovnatLDLT(bool pouzitPrirustky) {
    return ReseniLDLT(*this) == VysledekLDLT::Vyreseno && DokoncitReseni(*this, pouzitPrirustky);
}

bool Tmodel2::VyrovnatLU(bool pouzitPrirustky) {
    return ReseniLU(*this) && DokoncitReseni(*this, pouzitPrirustky);
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

bool ReseniSvd(Tmodel2& m, const TindexVector& split, bool reseni, Singularita singularita) {
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
        // The bordered matrix of a network whose conditions remove its whole
        // defect is regular: a singular value cut off as zero is a defect
        // beyond the datum, and its pseudo-inverse no solution to report.
        if (ok && singularita == Singularita::Odmitnuta &&
            std::any_of(m.vektorPomocny.begin(), m.vektorPomocny.begin() + u,
                        [](Real w) { return w == 0; })) {
            m.chyba = "The normal equations are singular beyond the datum of the network";
            m.solverFailure = SolverFailure::Defect;
            ok = false;
        }
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
    return ok;
}

bool Tmodel2::VyrovnatSVD(bool pouzitPrirustky) {
    return ReseniSvd(*this, indexVlakna2, true, Singularita::Odmitnuta) &&
           DokoncitReseni(*this, pouzitPrirustky);
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
