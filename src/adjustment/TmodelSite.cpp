// Life cycle of the adjustment model, the copy for the outlier model and the
// helpers that map equations to observations.

#include "adjustment/TmodelSite.h"

#include <cmath>

#include "adjustment/DenseNetworkSolver.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"

namespace vertano {

TmodelSite::TmodelSite() : resice_(&DenseNetworkSolver::Make) {
    Create();
}

VysledekSite TmodelSite::Vysledek() const {
    return VysledekSite(*this);
}

void TmodelSite::Create() {
    Clear();
}

void TmodelSite::Clear() {
    for (TvektorMereni* v : {&smer, &zenit, &delka, &posun}) v->Clear();
    indexSmer.clear();
    indexZenit.clear();
    indexDelka.clear();
    doplnek.Clear();
    souradnice.Clear();
    odchylkaJednotkovaAprior = odchylkaJednotkovaAposterior = -1;

    maticePlanuSparse = Tsparse{};
    for (Tvector* v : {&vektorUloziste, &vektorOprav, &diagonalaVah, &vektorRobustnichZmen,
                       &vektorRedukovanychMereni, &vektorPrirustku}) {
        Tvector().swap(*v);
    }

    kvantil = maxZmenaVahy = maxPrirustek = zmenaVahy = prirustek = -1;
    typOdhadu = Odhad::Neurcen;
    maxPocetIteraci = pocetIteraci = -1;
    typFixace = Fixace::Neurcena;
    kovariancniMaticeStr.clear();
    robustniStart.Clear();
    for (int32_t* p : {&pocetSmer, &pocetZenit, &pocetDelka, &pocetSmerOdlehly, &pocetZenitOdlehly,
                       &pocetDelkaOdlehly, &pocetMereni, &pocetSouradnic, &pocetSouradnicUrcovanych,
                       &pocetSouradnicFixnich, &pocetPosunu, &pocetNeznamych, &pocetNadbytecnych,
                       &pocetPodminek, &pocetVlakno}) {
        *p = -1;
    }
    jeFix = jeMerenaDelka = probehloVylouceniOdlehlych = false;
    resice_.Reset();
    Tmatrix().swap(datumConditions);
    Tmatrix().swap(datumVectors);
    drzeneNezname.clear();
    vynechanaMereni.clear();
    poctyNacteni = PoctyNacteni{};
    chyba.clear();
}

void TmodelSite::KopirujCastOdlehle(const TmodelSite& model) {
    if (&model == this) return;
    smer = model.smer;
    zenit = model.zenit;
    delka = model.delka;
    indexSmer = model.indexSmer;
    indexZenit = model.indexZenit;
    indexDelka = model.indexDelka;
    doplnek.Kopiruj(model.doplnek);
    typOdhadu = model.typOdhadu;
    maxPocetIteraci = model.maxPocetIteraci;
    maxZmenaVahy = model.maxZmenaVahy;
    maxPrirustek = model.maxPrirustek;
    pocetIteraci = model.pocetIteraci;
    zmenaVahy = model.zmenaVahy;
    prirustek = model.prirustek;
    pocetSmer = model.pocetSmer;
    pocetZenit = model.pocetZenit;
    pocetDelka = model.pocetDelka;
    pocetMereni = model.pocetMereni;
    pocetPosunu = model.pocetPosunu;
    pocetNeznamych = model.pocetNeznamych;
    pocetNadbytecnych = model.pocetNadbytecnych;
    pocetPodminek = model.pocetPodminek;
    jeFix = model.jeFix;
    jeMerenaDelka = model.jeMerenaDelka;
    typFixace = model.typFixace;
    probehloVylouceniOdlehlych = model.probehloVylouceniOdlehlych;
}

Real TmodelSite::ReduceAngleNear(const Real a, const Real r) {
    if (!std::isfinite(a) || !std::isfinite(r)) return a;
    const Real d = a - r;
    if (d >= -kPi && d < kPi) return a;
    Real x = a - std::floor((d + kPi) / kDvePi) * kDvePi;
    // The quotient can land one turn off at the boundary through rounding.
    if (x < r - kPi) x += kDvePi;
    if (x >= r + kPi) x -= kDvePi;
    return x;
}

int32_t TmodelSite::PocatekRovnic(const Velicina typ) const {
    if (pocetDelka < 0 || pocetSmer < 0 || pocetZenit < 0 || doplnek.pocetDelka < 0 ||
        doplnek.pocetSmernik < 0 || doplnek.pocetPrevyseni < 0 || doplnek.pocetProvazeni < 0) {
        return -1;
    }
    const int32_t pocty[] = {pocetDelka,           pocetSmer,
                             pocetZenit,           doplnek.pocetDelka,
                             doplnek.pocetSmernik, doplnek.pocetPrevyseni};
    if (typ < Velicina::Delka || typ > Velicina::DoplnekProvazeni) return -1;
    int32_t pocatek = 0;
    for (int32_t t = KodVeliciny(Velicina::Delka); t < KodVeliciny(typ); ++t)
        pocatek += pocty[t - 1];
    return pocatek;
}

const TmerenaVelicina* TmodelSite::VelicinaRovnice(int32_t i) const {
    if (i < 0) return nullptr;
    const TvektorMereni* vektory[] = {&delka,
                                      &smer,
                                      &zenit,
                                      &doplnek.delka,
                                      &doplnek.smernik,
                                      &doplnek.prevyseni,
                                      &doplnek.provazeni,
                                      &doplnek.provazeni};
    for (const TvektorMereni* v : vektory) {
        const auto n = static_cast<int32_t>(v->zaznam.size());
        if (i < n) return &v->zaznam[static_cast<std::size_t>(i)];
        i -= n;
    }
    return nullptr;
}

}  // namespace vertano
