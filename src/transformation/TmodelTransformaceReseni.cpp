// Design matrix, normal equations, the three solvers, their cascade and the
// plain and robust passes of the transformation adjustment.

#include <algorithm>
#include <cmath>
#include <new>

#include "adjustment/RobustniVahy.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Ldlt.h"
#include "matice/Lu.h"
#include "matice/Sparse.h"
#include "matice/Svd.h"
#include "transformation/IdentickeBody.h"
#include "transformation/TmodelTransformaceVnitrni.h"
#include "transformation/TmodelTransformaceVyrovnani.h"

namespace vertano {

namespace {

constexpr int kHigh = neznama::kPocet - 1;

// Below this pivot of the normal matrix scaled to a unit diagonal the key is not
// determined by the observations left (a rank defect, up to rounding).
constexpr Real kMezRegularity = 1e-12L;

bool JeBod(const Tsouradnice& s, int32_t i) {
    return i >= 0 && i < s.Pocet() && s.bod[static_cast<std::size_t>(i)].JePlny;
}

// One observation row: its entries of A and l at the current key.
bool NaplnitRadek(TmodelTransformaceVyrovnani& m, const TsouradnicovaVelicina& z, int32_t typ,
                  int32_t r) {
    if (!JeBod(m.identickeBody, z.iVstup) || !JeBod(m.identickeBody, z.iVystup)) return false;
    const Tbod& vstup = m.identickeBody.bod[static_cast<std::size_t>(z.iVstup)];
    const Tbod& vystup = m.identickeBody.bod[static_cast<std::size_t>(z.iVystup)];
    const TtransformacniKlic& k = m.transformacniKlic;
    const Real c = std::cos(k.rotaceZ);
    const Real s = std::sin(k.rotaceZ);
    const Real x = vstup.X;
    const Real y = vstup.Y;
    Real& l = m.vektorRedukovanychMereni[static_cast<std::size_t>(r)];
    Tsparse& A = m.maticePlanuSparse;
    if (typ == osa::kX) {
        l = k.posunX + x * c - y * s - vystup.X;
        return SparseAppend(A, r, neznama::kPosunX, 1) &&
               SparseAppend(A, r, neznama::kRotace, -x * s - y * c);
    }
    if (typ == osa::kY) {
        l = k.posunY + x * s + y * c - vystup.Y;
        return SparseAppend(A, r, neznama::kPosunY, 1) &&
               SparseAppend(A, r, neznama::kRotace, x * c - y * s);
    }
    l = k.posunZ + vstup.Z - vystup.Z;
    return SparseAppend(A, r, neznama::kPosunZ, 1);
}

// Residuals and, when asked, the update of the key.
bool Dokoncit(TmodelTransformaceVyrovnani& m, bool pouzitKlic) {
    const FpGuard guard;
    if (!Residuals(m.vektorOprav, m.vektorPrirustku, m.vektorRedukovanychMereni, m.pocetMereni,
                   m.maticePlanuSparse) ||
        !guard.Ok()) {
        return false;
    }
    const Tvector& dx = m.vektorPrirustku;
    if (!std::all_of(dx.begin(), dx.begin() + neznama::kPocet,
                     [](Real d) { return std::isfinite(d); })) {
        return false;
    }
    if (!pouzitKlic) return true;
    TtransformacniKlic& k = m.transformacniKlic;
    k.posunX -= dx[neznama::kPosunX];
    k.posunY -= dx[neznama::kPosunY];
    k.posunZ -= dx[neznama::kPosunZ];
    k.rotaceZ = UhelVKruhu(k.rotaceZ - dx[neznama::kRotace]);
    m.prirustek = std::fabs(dx[neznama::kRotace]);
    return true;
}

// Whether the normal matrix scaled to a unit diagonal has only pivots clearly
// above zero: a key that the observations do not fix must not be solved for.
bool JeRegularni(const Tmatrix& N) {
    const FpGuard guard;
    Tvector s(neznama::kPocet);
    for (int i = 0; i <= kHigh; ++i) {
        const Real d = N[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)];
        if (!(d > 0) || !std::isfinite(d)) return false;
        s[static_cast<std::size_t>(i)] = 1 / std::sqrt(d);
    }
    Tmatrix K(neznama::kPocet, Tvector(neznama::kPocet));
    for (std::size_t i = 0; i <= kHigh; ++i) {
        for (std::size_t j = 0; j <= kHigh; ++j) K[i][j] = s[i] * N[i][j] * s[j];
    }
    Tvector d;
    if (!LDLTDecomposition(K, d, kHigh) || !guard.Ok()) return false;
    return std::all_of(d.begin(), d.begin() + neznama::kPocet,
                       [](Real p) { return p > kMezRegularity; });
}

// The dense normal equations with the working weights, afresh.
bool HusteRovnice(TmodelTransformaceVyrovnani& m) {
    m.ridkaSoustava = false;
    return NormalniRovniceTransformace(m, m.vektorUloziste, &m.vektorRedukovanychMereni);
}

bool SestavitNormalniRovnice(TmodelTransformaceVyrovnani& m) {
    m.ridkaSoustava = false;
    if (m.RidkaCesta()) {
        if (m.sparse.Assemble(
                SoustavaTransformace(m, m.vektorUloziste, &m.vektorRedukovanychMereni))) {
            m.ridkaSoustava = true;
            return true;
        }
        if (!PrevzitHuste(m, m.sparse.Failure())) return false;
    }
    return HusteRovnice(m);
}

}  // namespace

NormalSystem SoustavaTransformace(const TmodelTransformaceVyrovnani& m, const Tvector& p,
                                  const Tvector* l) {
    NormalSystem s;
    s.design = &m.maticePlanuSparse;
    s.weights = &p;
    s.reduced = l;
    s.unknowns = neznama::kPocet;
    s.observations = m.pocetMereni;
    return s;
}

bool PrevzitHuste(TmodelTransformaceVyrovnani& m, SolverFailure selhani) {
    m.ridkaSoustava = false;
    // A key the observations do not determine is the data's fault: the dense
    // cascade would find it too, and its pseudo-inverse must not hide it.
    if (selhani == SolverFailure::Defect) {
        m.chyba = kNeurcenyKlic;
        return false;
    }
    if (m.solverChoice == SolverChoice::Sparse) {
        m.chyba = m.sparse.Error().empty() ? "The sparse solver failed" : m.sparse.Error();
        return false;
    }
    return true;
}

bool NormalniRovniceTransformace(TmodelTransformaceVyrovnani& m, const Tvector& p,
                                 const Tvector* l) {
    const Tsparse& A = m.maticePlanuSparse;
    const auto n = static_cast<std::size_t>(neznama::kPocet);
    const auto pocet = static_cast<std::size_t>(std::max(m.pocetMereni, 0));
    if (A.data.size() != n || A.index.size() != n || p.size() < pocet ||
        (l != nullptr && l->size() < pocet)) {
        return false;
    }
    // Every column index must address an observation: the products below read
    // the weights and l through it.
    for (std::size_t i = 0; i < n; ++i) {
        if (A.index[i].size() != A.data[i].size()) return false;
        for (const int32_t c : A.index[i]) {
            if (c < 0 || static_cast<std::size_t>(c) >= pocet) return false;
        }
    }
    const FpGuard guard;
    MatrixZero(m.maticeATPA, neznama::kPocet, neznama::kPocet);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i; j < n; ++j) {
            const Real s = SparseRowDotWeighted(A, p, static_cast<int>(i), static_cast<int>(j));
            m.maticeATPA[i][j] = s;
            m.maticeATPA[j][i] = s;
        }
    }
    if (l != nullptr) {
        VectorZero(m.vektorATPL, neznama::kPocet);
        for (std::size_t i = 0; i < n; ++i) {
            Real s = 0;
            for (std::size_t k = 0; k < A.data[i].size(); ++k) {
                const auto c = static_cast<std::size_t>(A.index[i][k]);
                s += A.data[i][k] * (*l)[c] * p[c];
            }
            m.vektorATPL[i] = s;
        }
    }
    return guard.Ok();
}

bool PseudoInverzeTransformace(TmodelTransformaceVyrovnani& m, const Tmatrix& N, Tmatrix& Q) {
    const auto n = static_cast<std::size_t>(neznama::kPocet);
    bool ok = false;
    try {
        const FpGuard guard;
        // Scaled symmetrically, so that the rotation (cofactors of the order of
        // the squared distances) and the translations do not spread the singular
        // values beyond the cut-off of the small ones.
        Tvector s(n, 1);
        for (std::size_t i = 0; i < n; ++i) {
            if (N[i][i] > 0 && std::isfinite(N[i][i])) s[i] = 1 / std::sqrt(N[i][i]);
        }
        m.maticeUloziste1.assign(n, Tvector(n));
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) m.maticeUloziste1[i][j] = s[i] * N[i][j] * s[j];
        }
        MatrixZero(m.maticeUloziste2, neznama::kPocet, neznama::kPocet);
        VectorZero(m.vektorPomocny, neznama::kPocet);
        ok = SVDecomposition(m.maticeUloziste1, m.vektorPomocny, m.maticeUloziste2) &&
             InvertSingularValues(m.vektorPomocny, neznama::kPocet);
        if (ok) {
            // N+ = V diag(1/w) U^T, scaled back.
            Tmatrix P(n, Tvector(n));
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j < n; ++j) {
                    Real sum = 0;
                    for (std::size_t k = 0; k < n; ++k) {
                        sum +=
                            m.maticeUloziste2[i][k] * m.vektorPomocny[k] * m.maticeUloziste1[j][k];
                    }
                    P[i][j] = s[i] * sum * s[j];
                }
            }
            Q = std::move(P);
        }
        ok = ok && guard.Ok();
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    MatrixFree(m.maticeUloziste1);
    MatrixFree(m.maticeUloziste2);
    return ok;
}

bool TmodelTransformaceVyrovnani::Naplnit() {
    if (!JeSoustavaTransformace(*this)) {
        chyba = "The transformation model is not loaded";
        return false;
    }
    try {
        const FpGuard guard;
        SparseClear(maticePlanuSparse);
        SparseSetRows(maticePlanuSparse, neznama::kPocet);
        bool ok = true;
        ProRadky(*this, [&](const TsouradnicovaVelicina& z, int32_t typ, int32_t r) {
            ok = ok && NaplnitRadek(*this, z, typ, r);
        });
        for (const TindexVector& sloupec : maticePlanuSparse.index) ok = ok && !sloupec.empty();
        if (!ok) {
            chyba = "An unknown of the key has no identical coordinate left to determine it";
            return false;
        }
        if (!guard.Ok() || !SestavitNormalniRovnice(*this)) {
            chyba = "The normal equations of the transformation cannot be formed";
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool TmodelTransformaceVyrovnani::VyrovnatLDLT(bool pouzitKlic) {
    if (!JeSoustavaTransformace(*this)) return false;
    const FpGuard guard;
    VectorZero(vektorPomocny, neznama::kPocet);
    if (!LDLTDecomposition(maticeATPA, vektorPomocny, kHigh) ||
        !LDLTSolve(vektorPrirustku, maticeATPA, vektorPomocny, kHigh, vektorATPL) || !guard.Ok()) {
        return false;
    }
    return Dokoncit(*this, pouzitKlic);
}

bool TmodelTransformaceVyrovnani::VyrovnatLU(bool pouzitKlic) {
    if (!JeSoustavaTransformace(*this)) return false;
    const FpGuard guard;
    if (!LUDecomposition(maticeATPA, kHigh, indexLU) ||
        !LUBackSubstitution(maticeATPA, kHigh, indexLU, vektorATPL) || !guard.Ok()) {
        return false;
    }
    VectorCopy(vektorATPL, vektorPrirustku);
    return Dokoncit(*this, pouzitKlic);
}

bool TmodelTransformaceVyrovnani::VyrovnatSVD(bool pouzitKlic) {
    if (!JeSoustavaTransformace(*this)) return false;
    Tmatrix Q;
    if (!PseudoInverzeTransformace(*this, maticeATPA, Q)) return false;
    const FpGuard guard;
    for (std::size_t i = 0; i < neznama::kPocet; ++i) {
        Real sum = 0;
        for (std::size_t j = 0; j < neznama::kPocet; ++j) sum += Q[i][j] * vektorATPL[j];
        vektorPrirustku[i] = sum;
    }
    return guard.Ok() && Dokoncit(*this, pouzitKlic);
}

bool TmodelTransformaceVyrovnani::RidkaCesta() const {
    return solverChoice != SolverChoice::Dense && resic == Resic::Kaskada;
}

bool TmodelTransformaceVyrovnani::Vyrovnat() {
    if (!JeSoustavaTransformace(*this)) {
        chyba = "The transformation model is not loaded";
        return false;
    }
    if (ridkaSoustava) {
        if (sparse.Solve(SoustavaTransformace(*this, vektorUloziste, &vektorRedukovanychMereni),
                         vektorPrirustku) &&
            Dokoncit(*this, true)) {
            return true;
        }
        if (!PrevzitHuste(*this, sparse.Failure())) return false;
        if (!HusteRovnice(*this)) {
            chyba = "The normal equations of the transformation cannot be formed";
            return false;
        }
    }
    if (!JeRegularni(maticeATPA)) {
        chyba = kNeurcenyKlic;
        return false;
    }
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
    // Each solver works on the normal matrix in place: a failed attempt leaves
    // it factored, so the next one gets it afresh.
    if (VyrovnatLDLT(true)) return true;
    if (HusteRovnice(*this) && VyrovnatLU(true)) return true;
    if (HusteRovnice(*this) && VyrovnatSVD(true)) return true;
    chyba = "The normal equations of the transformation cannot be solved";
    return false;
}

bool TmodelTransformaceVyrovnani::VyrovnatOpakovane(bool& znovuVyrovnat) {
    znovuVyrovnat = false;
    if (!JeSoustavaTransformace(*this)) return false;
    std::copy(diagonalaVah.begin(), diagonalaVah.begin() + pocetMereni, vektorUloziste.begin());
    if (!Naplnit() || !Vyrovnat()) return false;
    pocetIteraci = std::max(pocetIteraci, 0) + 1;
    znovuVyrovnat = pocetIteraci < maxPocetIteraci && prirustek > maxPrirustek;
    return true;
}

bool TmodelTransformaceVyrovnani::VyrovnatRobustne(bool& znovuVyrovnat) {
    znovuVyrovnat = false;
    if (!JeTypOdhadu(typOdhadu)) {
        chyba = "Unknown robust estimator";
        return false;
    }
    if (!Naplnit() || !Vyrovnat()) return false;
    const FpGuard guard;
    const int32_t odhadPruchodu = robustniStart.OdhadPruchodu(typOdhadu, pocetIteraci);
    zmenaVahy = 0;
    bool ok = true;
    ProRadky(*this, [&](const TsouradnicovaVelicina& z, int32_t, int32_t r) {
        const auto i = static_cast<std::size_t>(r);
        if (!(z.odchylka > 0)) {
            ok = false;
            return;
        }
        const Real w = RobustniVaha(odhadPruchodu, vektorOprav[i] / z.odchylka);
        zmenaVahy = std::max(zmenaVahy, std::fabs(w - vektorRobustnichZmen[i]));
        vektorRobustnichZmen[i] = w;
        vektorUloziste[i] = diagonalaVah[i] * w;
    });
    if (!ok || !guard.Ok()) {
        chyba = "The robust weights cannot be computed";
        return false;
    }
    pocetIteraci = std::max(pocetIteraci, 0) + 1;
    znovuVyrovnat = robustniStart.Znovu(pocetIteraci, maxPocetIteraci, zmenaVahy, maxZmenaVahy);
    return true;
}

}  // namespace vertano
