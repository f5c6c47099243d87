// Design matrix, the normal equations by the solver of the load, the solution
// and the plain and robust passes of the transformation adjustment.

#include <algorithm>
#include <cmath>
#include <new>

#include "adjustment/RobustniVahy.h"
#include "matice/FpGuard.h"
#include "matice/Sparse.h"
#include "transformation/IdentickeBody.h"
#include "transformation/TmodelTransformaceVnitrni.h"
#include "transformation/TmodelTransformaceVyrovnani.h"

namespace vertano {

namespace {

bool JeBod(const Tsouradnice& s, int32_t i) {
    return i >= 0 && i < s.Pocet() && s.bod[static_cast<std::size_t>(i)].JePlny;
}

// One observation row: its entries of A and l at the current key.
bool NaplnitRadek(TmodelTransformaceVyrovnani& m, const TsouradnicovaVelicina& z, Osa typ,
                  int32_t r) {
    if (!JeBod(Stav(m).identickeBody, z.iVstup) || !JeBod(Stav(m).identickeBody, z.iVystup))
        return false;
    const Tbod& vstup = Stav(m).identickeBody.bod[static_cast<std::size_t>(z.iVstup)];
    const Tbod& vystup = Stav(m).identickeBody.bod[static_cast<std::size_t>(z.iVystup)];
    const TtransformacniKlic& k = Stav(m).transformacniKlic;
    const Real c = std::cos(k.rotaceZ);
    const Real s = std::sin(k.rotaceZ);
    const Real x = vstup.X;
    const Real y = vstup.Y;
    Real& l = Stav(m).vektorRedukovanychMereni[static_cast<std::size_t>(r)];
    Tsparse& A = Stav(m).maticePlanuSparse;
    if (typ == Osa::X) {
        l = k.posunX + x * c - y * s - vystup.X;
        return SparseAppend(A, r, neznama::kPosunX, 1) &&
               SparseAppend(A, r, neznama::kRotace, -x * s - y * c);
    }
    if (typ == Osa::Y) {
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
    if (!Residuals(Stav(m).vektorOprav, Stav(m).vektorPrirustku, Stav(m).vektorRedukovanychMereni,
                   Stav(m).pocetMereni, Stav(m).maticePlanuSparse) ||
        !guard.Ok()) {
        return false;
    }
    const Tvector& dx = Stav(m).vektorPrirustku;
    if (!std::all_of(dx.begin(), dx.begin() + neznama::kPocet,
                     [](Real d) { return std::isfinite(d); })) {
        return false;
    }
    if (!pouzitKlic) return true;
    TtransformacniKlic& k = Stav(m).transformacniKlic;
    k.posunX -= dx[neznama::kPosunX];
    k.posunY -= dx[neznama::kPosunY];
    k.posunZ -= dx[neznama::kPosunZ];
    k.rotaceZ = UhelVKruhu(k.rotaceZ - dx[neznama::kRotace]);
    Stav(m).prirustek = std::fabs(dx[neznama::kRotace]);
    return true;
}

bool SestavitNormalniRovnice(TmodelTransformaceVyrovnani& m) {
    const NormalSystem s =
        SoustavaTransformace(m, Stav(m).vektorUloziste, &Stav(m).vektorRedukovanychMereni);
    return m.Solver().Run(Stav(m).solverChoice, Stav(m).resic, SolverStage::Assembly,
                          neznama::kPocet,
                          [&](NormalSolver& r) { return r.Assemble(s); }) == RunEnd::Done;
}

}  // namespace

NormalSystem SoustavaTransformace(const TmodelTransformaceVyrovnani& m, const Tvector& p,
                                  const Tvector* l) {
    NormalSystem s;
    s.design = &Stav(m).maticePlanuSparse;
    s.weights = &p;
    s.reduced = l;
    s.unknowns = neznama::kPocet;
    s.observations = Stav(m).pocetMereni;
    return s;
}

void OhlasitRidky(TmodelTransformaceVyrovnani& m, const NormalSolver& ridky) {
    // A key the observations do not determine is the data's fault: the dense
    // cascade would find it too, and its pseudo-inverse must not hide it.
    if (ridky.Failure() == SolverFailure::Defect) {
        Stav(m).chyba = kNeurcenyKlic;
    } else {
        Stav(m).chyba = ridky.Error().empty() ? "The sparse solver failed" : ridky.Error();
    }
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
        ProRadky(*this, [&](const TsouradnicovaVelicina& z, Osa typ, int32_t r) {
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

bool TmodelTransformaceVyrovnani::RidkaCesta() const {
    return resice_.SparsePath(solverChoice, resic);
}

bool TmodelTransformaceVyrovnani::Vyrovnat() {
    if (!JeSoustavaTransformace(*this)) {
        chyba = "The transformation model is not loaded";
        return false;
    }
    const NormalSystem s = SoustavaTransformace(*this, vektorUloziste, &vektorRedukovanychMereni);
    const RunEnd konec = resice_.Run(
        solverChoice, resic, SolverStage::Solution, neznama::kPocet,
        [&](NormalSolver& r) { return r.Solve(s, vektorPrirustku) && Dokoncit(*this, true); },
        [&](NormalSolver& husty) {
            if (husty.Assemble(s)) return true;
            chyba = "The normal equations of the transformation cannot be formed";
            return false;
        });
    if (konec == RunEnd::Done) return true;
    if (konec == RunEnd::Failed) {
        const NormalSolver& r = *resice_.Current();
        if (resice_.Sparse() != nullptr) {
            OhlasitRidky(*this, r);
        } else if (!r.Error().empty()) {
            chyba = r.Error();
        }
    }
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
    const Odhad odhadPruchodu = robustniStart.OdhadPruchodu(typOdhadu, pocetIteraci);
    zmenaVahy = 0;
    bool ok = true;
    ProRadky(*this, [&](const TsouradnicovaVelicina& z, Osa, int32_t r) {
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
