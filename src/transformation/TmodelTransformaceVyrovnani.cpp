// Life, loading and reloading of the transformation adjustment model.

#include "transformation/TmodelTransformaceVyrovnani.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "adjustment/RobustniVahy.h"
#include "data/Tnastaveni.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Quantile.h"
#include "matice/Sparse.h"
#include "transformation/IdentickeBody.h"
#include "transformation/TmodelTransformaceVnitrni.h"
#include "transformation/VysledekModeluTransformace.h"

namespace vertano {

namespace {

// The point's own deviation, or the default of the settings where the point has
// none: every deviation <= 0 means "not given" in the point lists.
Real Odchylka(Real vlastni, Real vychozi) {
    return vlastni > 0 ? vlastni : vychozi;
}

bool NaplnitVelicinu(TsouradnicovaVelicina& z, Real hodnota, Real odchylka, Real sigma0) {
    z.hodnota = hodnota;
    z.odchylka = odchylka;
    if (!(odchylka > 0) || !std::isfinite(odchylka) || !std::isfinite(hodnota)) return false;
    const FpGuard guard;
    const Real podil = sigma0 / odchylka;
    z.vaha = podil * podil;
    return guard.Ok() && std::isfinite(z.vaha) && z.vaha > 0;
}

// Weights and working weights from the records; robust factors 1.
void NaplnitVahy(TmodelTransformaceVyrovnani& m) {
    ProRadky(m, [&m](const TsouradnicovaVelicina& z, Osa, int32_t r) {
        const auto i = static_cast<std::size_t>(r);
        Stav(m).diagonalaVah[i] = z.vaha;
        Stav(m).vektorUloziste[i] = z.vaha;
        Stav(m).vektorRobustnichZmen[i] = 1;
    });
}

}  // namespace

VysledekModeluTransformace TmodelTransformaceVyrovnani::Vysledek() const {
    return VysledekModeluTransformace(*this);
}

void TmodelTransformaceVyrovnani::Clear() {
    const Resic r = resic;
    const SolverChoice volba = solverChoice;
    *this = TmodelTransformaceVyrovnani();
    resic = r;
    solverChoice = volba;
}

const TvektorSouradnice& TmodelTransformaceVyrovnani::Vektor(Osa typ) const {
    return typ == Osa::X ? identickeX : typ == Osa::Y ? identickeY : identickeZ;
}

TvektorSouradnice& TmodelTransformaceVyrovnani::Vektor(Osa typ) {
    return typ == Osa::X ? identickeX : typ == Osa::Y ? identickeY : identickeZ;
}

bool TmodelTransformaceVyrovnani::NacistIdentickeBody(const Tsouradnice& souradniceIdenticke,
                                                      const Tnastaveni& nastaveni) {
    Clear();
    const nastaveni::Tvyrovnani& t = nastaveni.transformace;
    const int32_t n = PocetPar(souradniceIdenticke);
    Real tx = 0;
    Real ty = 0;
    if (n < 1 || !TezisteVstup(souradniceIdenticke, tx, ty)) {
        Clear();
        chyba = "The identical points form no pair";
        return false;
    }
    identickeBody.Kopiruj(souradniceIdenticke);
    identickeBody.Velikost(2 * n);
    for (int32_t k = 0; k < n; ++k) {
        Tbod& vstup = identickeBody.bod[static_cast<std::size_t>(2 * k)];
        vstup.X -= tx;
        vstup.Y -= ty;
    }
    transformacniKlic.tezisteVstupX = tx;
    transformacniKlic.tezisteVstupY = ty;
    pocetSouradnicIdentickych = 3 * n;
    const Real sigma0 = t.odchylkaJednotkovaApriorni;
    for (int32_t k = 0; k < n; ++k) {
        const Tbod& vstup = identickeBody.bod[static_cast<std::size_t>(2 * k)];
        const Tbod& vystup = identickeBody.bod[static_cast<std::size_t>(2 * k + 1)];
        TsouradnicovaVelicina z;
        z.poradi = k + 1;
        z.cislo = vstup.cislo;
        z.iVstup = 2 * k;
        z.iVystup = 2 * k + 1;
        z.jePlny = true;
        TsouradnicovaVelicina zx = z;
        TsouradnicovaVelicina zy = z;
        TsouradnicovaVelicina zz = z;
        zx.typ = Osa::X;
        zy.typ = Osa::Y;
        zz.typ = Osa::Z;
        const bool ok =
            sigma0 > 0 &&
            NaplnitVelicinu(zx, vystup.X, Odchylka(vystup.Presnost().sig_X, t.odchylka_zadanaSmer),
                            sigma0) &&
            NaplnitVelicinu(zy, vystup.Y, Odchylka(vystup.Presnost().sig_Y, t.odchylka_zadanaZenit),
                            sigma0) &&
            NaplnitVelicinu(zz, vystup.Z, Odchylka(vystup.Presnost().sig_Z, t.odchylka_zadanaDelka),
                            sigma0);
        if (!ok || !std::isfinite(vstup.X) || !std::isfinite(vstup.Y) || !std::isfinite(vstup.Z)) {
            const std::string cislo = vstup.cislo;
            Clear();
            chyba = "The identical point " + cislo + " has no usable coordinate or weight";
            return false;
        }
        identickeX.PridejZaznam(zx);
        identickeY.PridejZaznam(zy);
        identickeZ.PridejZaznam(zz);
    }
    return true;
}

void TmodelTransformaceVyrovnani::PocetVse() {
    pocetIdentickeX = identickeX.PocetPlnychZaznamu();
    pocetIdentickeY = identickeY.PocetPlnychZaznamu();
    pocetIdentickeZ = identickeZ.PocetPlnychZaznamu();
    pocetMereni = pocetIdentickeX + pocetIdentickeY + pocetIdentickeZ;
    pocetNeznamych = neznama::kPocet;
    pocetNadbytecnych = pocetMereni - pocetNeznamych;
}

void TmodelTransformaceVyrovnani::NuloveMatice() {
    const int32_t m = std::max(pocetMereni, 0);
    for (Tvector* v : {&vektorRedukovanychMereni, &diagonalaVah, &vektorRobustnichZmen,
                       &vektorUloziste, &vektorOprav}) {
        VectorZero(*v, m);
    }
    VectorZero(vektorPrirustku, neznama::kPocet);
    SparseClear(maticePlanuSparse);
}

bool TmodelTransformaceVyrovnani::Nacist(const Tnastaveni& nastaveni) {
    const nastaveni::Tvyrovnani& t = nastaveni.transformace;
    PocetVse();
    const std::optional<Real> k = icnorm(1 - t.rizikoOdlehlost / 2);
    if (pocetNadbytecnych < 0 || !k) {
        chyba = pocetNadbytecnych < 0 ? "Fewer identical coordinates than unknowns of the key"
                                      : "The significance level must lie between 0 and 1";
        const std::string duvod = chyba;
        Clear();
        chyba = duvod;
        return false;
    }
    NuloveMatice();
    odchylkaJednotkovaAprior = t.odchylkaJednotkovaApriorni;
    maxPocetIteraci = t.maxPocetIteraci;
    maxZmenaVahy = t.maxZmenaVahy;
    maxPrirustek = t.maxPrirustek;
    typOdhadu = t.typOdhadu;
    kvantil = *k;
    NaplnitVahy(*this);
    PribliznyKlic(identickeBody, transformacniKlic);
    return true;
}

bool TmodelTransformaceVyrovnani::NacistBezOdlehlych() {
    PocetVse();
    if (pocetNeznamych < 1 || pocetNadbytecnych < 0) {
        Clear();
        chyba = "Too few identical coordinates remain after the rejection of outliers";
        return false;
    }
    NuloveMatice();
    NaplnitVahy(*this);
    return true;
}

void TmodelTransformaceVyrovnani::KopirujCastOdlehle(const TmodelTransformaceVyrovnani& model) {
    identickeBody = model.identickeBody;
    identickeX = model.identickeX;
    identickeY = model.identickeY;
    identickeZ = model.identickeZ;
    transformacniKlic = model.transformacniKlic;
    odchylkaJednotkovaAprior = model.odchylkaJednotkovaAprior;
    pocetSouradnicIdentickych = model.pocetSouradnicIdentickych;
    typOdhadu = model.typOdhadu;
    maxPocetIteraci = model.maxPocetIteraci;
    maxZmenaVahy = model.maxZmenaVahy;
    maxPrirustek = model.maxPrirustek;
    kvantil = model.kvantil;
    pocetIteraci = model.pocetIteraci;
    zmenaVahy = model.zmenaVahy;
    prirustek = model.prirustek;
    pocetIdentickeX = model.pocetIdentickeX;
    pocetIdentickeY = model.pocetIdentickeY;
    pocetIdentickeZ = model.pocetIdentickeZ;
    pocetMereni = model.pocetMereni;
    pocetNeznamych = model.pocetNeznamych;
    pocetNadbytecnych = model.pocetNadbytecnych;
}

bool JeSoustavaTransformace(const TmodelTransformaceVyrovnani& m) {
    const auto n = static_cast<std::size_t>(neznama::kPocet);
    if (Stav(m).pocetNeznamych != neznama::kPocet || Stav(m).pocetMereni < 0) return false;
    const auto pocet = static_cast<std::size_t>(Stav(m).pocetMereni);
    if (Stav(m).vektorPrirustku.size() < n) return false;
    for (const Tvector* v :
         {&Stav(m).vektorRedukovanychMereni, &Stav(m).diagonalaVah, &Stav(m).vektorRobustnichZmen,
          &Stav(m).vektorUloziste, &Stav(m).vektorOprav}) {
        if (v->size() < pocet) return false;
    }
    return true;
}

}  // namespace vertano
