#include <array>
#include <cmath>

#include "adjustment/Elipsy.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

int32_t PocetUrcovanychBodu(const TmodelSite& model) {
    return static_cast<int32_t>(std::lround(Stav(model).pocetSouradnicUrcovanych / 3.0));
}

// Only the 3 x 3 blocks of the points are asked of the cofactors: the sparse
// path has them from its selected inverse.
bool ElipsyBodu(TmodelSite& model) {
    TmodelSiteStav& stav = Stav(model);
    const int32_t n = PocetUrcovanychBodu(model);
    if (n < 0 || static_cast<std::size_t>(n) > stav.souradnice.bod.size()) return false;
    Tmatrix B;
    for (int32_t i = 0; i < n; ++i) {
        if (!model.KofaktoryBodu(i, B) || !ElipsoidBodu(B, 0, stav.souradnice.bod[i]) ||
            !ElipsaBodu(B, 0, stav.souradnice.bod[i])) {
            return false;
        }
    }
    return true;
}

// sqrt(sum p v^2 / r) with the a-priori weights; 0 when there is no redundancy
// (or the sum cannot be formed), so that a determined network still evaluates.
Real JednotkovaAposteriorni(const TmodelSite& model) {
    const TmodelSiteStav& stav = Stav(model);
    if (stav.pocetNadbytecnych <= 0 || stav.pocetMereni < 0) return 0;
    const auto m = static_cast<std::size_t>(stav.pocetMereni);
    if (stav.diagonalaVah.size() < m || stav.vektorOprav.size() < m) return 0;
    const FpGuard guard;
    const Tvector v(stav.vektorOprav.begin(), stav.vektorOprav.begin() + m);
    const Real s = std::sqrt(WeightedSumOfSquares(v, stav.diagonalaVah) / stav.pocetNadbytecnych);
    return guard.Ok() && std::isfinite(s) ? s : 0;
}

void VyhodnotVelicinu(TmerenaVelicina& z, Real v, Real q, bool uhel) {
    z.oprava = v;
    z.normOprava = v / z.odchylka;
    z.mezniOprava = uhel ? Normalise(z.hodnota + v) : z.hodnota + v;
    z.odchylkaOprava = std::sqrt(std::fabs(q));
}

void VyhodnotProvazeni(TmerenaVelicina& z, Real vX, Real qX, Real vY, Real qY) {
    const Real v = std::sqrt(vX * vX + vY * vY);
    z.oprava = v;
    z.normOprava = v / z.odchylka;
    z.mezniOprava = z.hodnota + v;
    if (v == 0) {
        z.odchylkaOprava = 0;
        return;
    }
    const Real sX = vX * std::sqrt(std::fabs(qX));
    const Real sY = vY * std::sqrt(std::fabs(qY));
    z.odchylkaOprava = std::sqrt(sX * sX + sY * sY) / v;
}

void VyhodnotDruh(TmodelSite& model, Velicina typ, int32_t pocatek) {
    TmodelSiteStav& stav = Stav(model);
    const auto& v = stav.vektorOprav;
    const auto& q = stav.vektorRedukovanychMereni;
    auto& zaznamy = druhy::Vektor(model, typ).zaznam;
    const auto n = static_cast<int32_t>(zaznamy.size());
    for (int32_t i = 0; i < n; ++i) {
        const int32_t r = pocatek + i;
        if (typ == Velicina::DoplnekProvazeni) {
            VyhodnotProvazeni(zaznamy[i], v[r], q[r], v[r + n], q[r + n]);
        } else {
            VyhodnotVelicinu(zaznamy[i], v[r], q[r], druhy::JeUhel(typ));
        }
    }
}

bool VyhodnotMereni(TmodelSite& model) {
    std::array<int32_t, 7> pocatky{};
    if (!druhy::Pocatky(model, pocatky)) return false;
    const FpGuard guard;
    for (std::size_t k = 0; k < druhy::kPoradi.size(); ++k) {
        VyhodnotDruh(model, druhy::kPoradi[k], pocatky[k]);
    }
    return guard.Ok();
}

// One row per orientation unknown k, described by the first direction of
// group k. The orientation starts from 0 in every iteration, so after the last
// solution it is -dx; with direction = bearing - orientation it is the bearing
// of the zero direction.
bool Orientace(TmodelSite& model) {
    TmodelSiteStav& stav = Stav(model);
    const int32_t nc = stav.pocetSouradnicUrcovanych;
    const int32_t pocet = stav.pocetPosunu;
    if (pocet < 0 || stav.indexSmer.size() < static_cast<std::size_t>(pocet) + 1 ||
        stav.vektorPrirustku.size() < static_cast<std::size_t>(nc + pocet)) {
        return false;
    }
    const FpGuard guard;
    stav.posun.Clear();
    for (int32_t k = 0; k < pocet; ++k) {
        const int32_t prvni = stav.indexSmer[k];
        const std::size_t u = static_cast<std::size_t>(nc + k);
        Real q = 0;
        if (prvni < 0 || static_cast<std::size_t>(prvni) >= stav.smer.zaznam.size() ||
            !model.Kofaktor(nc + k, nc + k, q) || !(q >= 0)) {
            return false;
        }
        const TmerenaVelicina& smer = stav.smer.zaznam[prvni];
        TmerenaVelicina z = TmerenaVelicina::Prazdny();
        z.typ = Velicina::Smer;
        z.poradi = smer.poradi;
        z.poradiPosun = k + 1;
        z.cislo_stn = smer.cislo_stn;
        z.iStn = smer.iStn;
        z.hodnota = Normalise(0 - stav.vektorPrirustku[u]);
        z.odchylka = std::sqrt(q);
        z.jePlny = true;
        stav.posun.PridejZaznam(z);
    }
    return guard.Ok();
}

}  // namespace

bool TmodelSite::Vyhodnoceni() {
    if (!VypocetKovariancniMatice()) return false;
    if (!ElipsyBodu(*this)) {
        // A fault in the Cholesky or LU inverse shows itself here first; the
        // pseudo-inverse is slower but does not break down the same way. The
        // sparse path gives way to it only where the dense cascade may take
        // over.
        if (!KofaktoryZnovu(*this) || !ElipsyBodu(*this)) {
            chyba = "Evaluation: the error ellipses cannot be computed.";
            return false;
        }
    }
    odchylkaJednotkovaAposterior = JednotkovaAposteriorni(*this);
    if (!VyhodnotMereni(*this)) {
        chyba = "Evaluation: the residuals cannot be evaluated.";
        return false;
    }
    if (!Orientace(*this)) {
        chyba = "Evaluation: the orientations cannot be evaluated.";
        return false;
    }
    return true;
}

}  // namespace vertano
