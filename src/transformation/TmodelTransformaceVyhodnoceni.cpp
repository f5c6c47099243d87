// Cofactors, the rejection of outlying identical coordinates, the evaluation
// and the residual lists of the transformation adjustment.

#include <cmath>
#include <new>
#include <utility>

#include "adjustment/TmodelSite.h"
#include "data/Tnastaveni.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "transformation/IdentickeBody.h"
#include "transformation/TmodelTransformaceVnitrni.h"
#include "transformation/TmodelTransformaceVyrovnani.h"

namespace vertano {

namespace {

// A residual below this is zero: it cannot be told from rounding, and testing it
// would divide by a deviation of the same order.
constexpr Real kNulovaOprava = 1e-10L;

// Below this share of its own redundancy (1 - q p) a coordinate is not tested.
constexpr Real kNetestovatelne = 1e-10L;

// Q of the key and q_i of every coordinate from a solver, checked.
bool Kofaktory(TmodelTransformaceVyrovnani& m, NormalSolver& r, const NormalSystem& s) {
    try {
        return r.Cofactors(s, Stav(m).vektorRedukovanychMereni) &&
               r.CofactorMatrix(neznama::kPocet, Stav(m).kofaktory) &&
               KofaktoryVeMezich(r, neznama::kPocet, Stav(m).vektorRedukovanychMereni,
                                 Stav(m).diagonalaVah, Stav(m).pocetMereni);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Nacteno(const TmodelTransformaceVyrovnani& m) {
    return JeSoustavaTransformace(m) &&
           static_cast<int32_t>(Stav(m).maticePlanuSparse.data.size()) == neznama::kPocet;
}

// The test of one coordinate against its limit residual.
void Testovat(TsouradnicovaVelicina& z, Real v, Real q, Real sigma0, Real kvantil) {
    z.jeOdlehly = false;
    if (!(std::fabs(v) >= kNulovaOprava)) {
        z.oprava = z.normOprava = z.odchylkaOprava = z.mezniOprava = 0;
        return;
    }
    z.oprava = v;
    z.normOprava = v / z.odchylka;
    z.odchylkaOprava = TmodelSite::OdchylkaOpravy(z.odchylka, sigma0, q);
    z.mezniOprava = kvantil * z.odchylkaOprava;
    // A coordinate without redundancy of its own (q p = 1 up to rounding) has a
    // residual of rounding only, and one whose deviation cannot be formed (-1)
    // cannot be shown to be an outlier either: neither is tested.
    const Real redundance = 1 - q * z.vaha;
    z.jeOdlehly =
        redundance >= kNetestovatelne && z.odchylkaOprava > 0 && std::fabs(v) > z.mezniOprava;
}

bool JeVylucovano(const Tnastaveni& n, Osa typ) {
    const nastaveni::Tprepinac& p = n.prepinac;
    return typ == Osa::X ? p.vylucovatX : typ == Osa::Y ? p.vylucovatY : p.vylucovatZ;
}

const TsouradnicovaVelicina* ZaznamPary(const TvektorSouradnice& v, int32_t poradi) {
    for (const TsouradnicovaVelicina& z : v.zaznam) {
        if (z.jePlny && z.poradi == poradi) return &z;
    }
    return nullptr;
}

// Number, and the pair's point of the pair list, of pair k.
Tbod BodPary(const TmodelTransformaceVyrovnani& m, int32_t k) {
    Tbod b = Tbod::Prazdny();
    b.cislo = Stav(m).identickeBody.bod[static_cast<std::size_t>(2 * k)].cislo;
    b.poradi = k + 1;
    b.JePlny = true;
    return b;
}

void Nastavit(Tbod& b, Osa typ, Real oprava, Real priznak) {
    (typ == Osa::X ? b.X : typ == Osa::Y ? b.Y : b.Z) = oprava;
    Tpresnost& p = b.UpravPresnost();
    (typ == Osa::X ? p.sig_X : typ == Osa::Y ? p.sig_Y : p.sig_Z) = priznak;
}

}  // namespace

bool TmodelTransformaceVyrovnani::VypocetKovariancniMatice() {
    constexpr const char* kNelze =
        "The cofactor matrix of the transformation key cannot be computed";
    if (!Nacteno(*this)) {
        chyba = kNelze;
        return false;
    }
    const NormalSystem s = SoustavaTransformace(*this, diagonalaVah, nullptr);
    if (resice_.Run(solverChoice, resic, SolverStage::Cofactors, neznama::kPocet,
                    [&](NormalSolver& r) { return Kofaktory(*this, r, s); }) == RunEnd::Done) {
        return true;
    }
    if (resice_.Sparse() != nullptr && resice_.Current()->Failure() == SolverFailure::Defect) {
        OhlasitRidky(*this, *resice_.Current());
    } else {
        chyba = kNelze;
    }
    return false;
}

bool TmodelTransformaceVyrovnani::VylouceniOdlehlychHodnot(
    TmodelTransformaceVyrovnani& modelOdlehly, const Tnastaveni& nastaveni) {
    if (&modelOdlehly == this || !VypocetKovariancniMatice()) return false;
    modelOdlehly.Clear();
    modelOdlehly.KopirujCastOdlehle(*this);
    modelOdlehly.pocetIdentickeXOdlehly = pocetIdentickeX;
    modelOdlehly.pocetIdentickeYOdlehly = pocetIdentickeY;
    modelOdlehly.pocetIdentickeZOdlehly = pocetIdentickeZ;
    const FpGuard guard;
    // Rows are counted over the copy, which keeps every vector as it was.
    int32_t radek = 0;
    for (const Osa typ : {Osa::X, Osa::Y, Osa::Z}) {
        const bool vylucovat = JeVylucovano(nastaveni, typ);
        if (vylucovat) Vektor(typ).Clear();
        for (TsouradnicovaVelicina& z : modelOdlehly.Vektor(typ).zaznam) {
            if (!z.jePlny) continue;
            const auto r = static_cast<std::size_t>(radek++);
            if (!vylucovat) continue;
            Testovat(z, vektorOprav[r], vektorRedukovanychMereni[r], odchylkaJednotkovaAprior,
                     kvantil);
            if (!z.jeOdlehly) Vektor(typ).PridejZaznam(z);
        }
    }
    if (!guard.Ok()) {
        chyba = "The outlier test of the identical coordinates failed";
        return false;
    }
    if (!NacistBezOdlehlych()) return false;
    modelOdlehly.pocetIdentickeXOdlehly -= pocetIdentickeX;
    modelOdlehly.pocetIdentickeYOdlehly -= pocetIdentickeY;
    modelOdlehly.pocetIdentickeZOdlehly -= pocetIdentickeZ;
    return true;
}

bool TmodelTransformaceVyrovnani::Vyhodnoceni() {
    if (!VypocetKovariancniMatice()) return false;
    const FpGuard guard;
    TtransformacniKlic k = transformacniKlic;
    const Real c = std::cos(k.rotaceZ);
    const Real s = std::sin(k.rotaceZ);
    k.posunX -= k.tezisteVstupX * c - k.tezisteVstupY * s;
    k.posunY -= k.tezisteVstupX * s + k.tezisteVstupY * c;
    const Tmatrix& Q = kofaktory;
    k.sig_posunX = std::sqrt(Q[neznama::kPosunX][neznama::kPosunX]);
    k.sig_posunY = std::sqrt(Q[neznama::kPosunY][neznama::kPosunY]);
    k.sig_posunZ = std::sqrt(Q[neznama::kPosunZ][neznama::kPosunZ]);
    k.sig_rotaceZ = std::sqrt(Q[neznama::kRotace][neznama::kRotace]);
    Real aposteriorni = 0;
    if (pocetNadbytecnych > 0) {
        const Tvector v(vektorOprav.begin(), vektorOprav.begin() + pocetMereni);
        aposteriorni = std::sqrt(WeightedSumOfSquares(v, diagonalaVah) / pocetNadbytecnych);
    }
    if (!guard.Ok()) {
        chyba = "The accuracy of the transformation key cannot be evaluated";
        return false;
    }
    odchylkaJednotkovaAposterior = std::isfinite(aposteriorni) ? aposteriorni : 0;
    transformacniKlic = k;
    ProRadky(*this, [this](TsouradnicovaVelicina& z, Osa, int32_t r) {
        const Real v = vektorOprav[static_cast<std::size_t>(r)];
        z.oprava = v;
        z.normOprava = v / z.odchylka;
        z.mezniOprava = z.hodnota + v;
        z.odchylkaOprava =
            std::sqrt(std::fabs(vektorRedukovanychMereni[static_cast<std::size_t>(r)]));
    });
    return true;
}

void TmodelTransformaceVyrovnani::OpravyOdlehle2Souradnice(Tsouradnice& souradnice) const {
    souradnice.Clear();
    const int32_t n = PocetPar(identickeBody);
    for (int32_t k = 0; k < n; ++k) {
        Tbod b = BodPary(*this, k);
        for (const Osa typ : {Osa::X, Osa::Y, Osa::Z}) {
            const TsouradnicovaVelicina* z = ZaznamPary(Vektor(typ), k + 1);
            Nastavit(b, typ, z != nullptr ? z->oprava : 0, z != nullptr && z->jeOdlehly ? 0 : 1);
        }
        souradnice.PridejBod(b);
    }
}

void TmodelTransformaceVyrovnani::OpravyVyrovnane2Souradnice(
    Tsouradnice& souradnice, const TmodelTransformaceVyrovnani& modelOdlehly,
    bool vylucovatOdlehle) const {
    if (!vylucovatOdlehle) {
        OpravyOdlehle2Souradnice(souradnice);
        return;
    }
    souradnice.Clear();
    const int32_t n = PocetPar(modelOdlehly.identickeBody);
    for (int32_t k = 0; k < n; ++k) {
        Tbod b = BodPary(modelOdlehly, k);
        for (const Osa typ : {Osa::X, Osa::Y, Osa::Z}) {
            const TsouradnicovaVelicina* kopie = ZaznamPary(modelOdlehly.Vektor(typ), k + 1);
            const TsouradnicovaVelicina* zbyly = ZaznamPary(Vektor(typ), k + 1);
            if (kopie != nullptr && kopie->jeOdlehly) {
                Nastavit(b, typ, kopie->oprava, -2);
            } else {
                Nastavit(b, typ, zbyly != nullptr ? zbyly->oprava : 0, -3);
            }
        }
        souradnice.PridejBod(b);
    }
}

}  // namespace vertano
