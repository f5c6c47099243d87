#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "adjustment/SolverOwner.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TvektorDoplnek.h"
#include "adjustment/TvektorMereni.h"
#include "data/Tsouradnice.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"

namespace vertano {

// The read-only view of a network adjustment model that every reader outside
// the model works with: reports, the JSON and text outputs, the drawing, the
// windows and the workspace commands. It exists so that readers see results,
// never the working state: the model's vectors change meaning during a run
// (the reduced observations l become the cofactors q_i of the adjusted
// observations) and its configuration and counters are the model's own to
// set. The view holds a reference, so it lives no longer than its model and
// shows the model as it is when asked.
//
// The values are those of the last Nacist, iteration and Vyhodnoceni; before
// them the counts and reals are -1 and the lists empty (see TmodelSite).
//
// A model converts to its view implicitly (as a string to a string_view), so a
// reader takes `const VysledekSite&` and its callers pass the model.
class VysledekSite {
  public:
    VysledekSite(const TmodelSite& model) : m_(model) {}  // NOLINT: implicit on purpose

    // ---- points and observations ----
    // Determined points first, fixed points after them; after Vyhodnoceni the
    // adjusted coordinates with standard deviations, error ellipsoids and
    // ellipses (for a unit standard deviation of 1).
    [[nodiscard]] const Tsouradnice& Souradnice() const { return m_.souradnice; }
    // The observation records with residuals, adjusted values, test values and
    // reliability figures once computed.
    [[nodiscard]] const TvektorMereni& Smer() const { return m_.smer; }
    [[nodiscard]] const TvektorMereni& Zenit() const { return m_.zenit; }
    [[nodiscard]] const TvektorMereni& Delka() const { return m_.delka; }
    [[nodiscard]] const TvektorDoplnek& Doplnek() const { return m_.doplnek; }
    // The adjusted orientations, one per station occupation (Vyhodnoceni).
    [[nodiscard]] const TvektorMereni& Posun() const { return m_.posun; }
    // Group boundaries of the terrestrial kinds (first row of every group).
    [[nodiscard]] const TindexVector& IndexSmer() const { return m_.indexSmer; }
    [[nodiscard]] const TindexVector& IndexZenit() const { return m_.indexZenit; }
    [[nodiscard]] const TindexVector& IndexDelka() const { return m_.indexDelka; }
    // The unknowns held by determined points fixed in plan or in height alone.
    [[nodiscard]] const TindexVector& DrzeneNezname() const { return m_.drzeneNezname; }
    // Those of them no observation reaches (not the coordinates the user fixed):
    // held where they were given, not determined by the adjustment. "name Z" or
    // "name X", "name Y", in the order of the unknowns.
    [[nodiscard]] std::vector<std::string> NeurceneSouradnice() const {
        std::vector<std::string> v;
        for (const int32_t r : m_.drzeneNezname) {
            const Tbod& b = m_.souradnice.bod[static_cast<std::size_t>(r / 3)];
            if (!b.DrziOsu(r % 3)) v.push_back(b.cislo + " " + "XYZ"[r % 3]);
        }
        return v;
    }
    // The unknowns the adjustment estimates: those of the coordinates and
    // orientations without the held ones.
    [[nodiscard]] int32_t PocetOdhadovanychNeznamych() const {
        return m_.pocetNeznamych - static_cast<int32_t>(m_.drzeneNezname.size());
    }
    // The observation record behind equation i, and the first equation of a
    // kind (TmodelSite::VelicinaRovnice, TmodelSite::PocatekRovnic).
    [[nodiscard]] const TmerenaVelicina* VelicinaRovnice(int32_t i) const {
        return m_.VelicinaRovnice(i);
    }
    [[nodiscard]] int32_t PocatekRovnic(Velicina typ) const { return m_.PocatekRovnic(typ); }

    // ---- residuals, weights and cofactors of the observations ----
    // v = l - A dx of every equation.
    [[nodiscard]] const Tvector& Opravy() const { return m_.vektorOprav; }
    // The a-priori weights p_i of every equation.
    [[nodiscard]] const Tvector& VahyApriori() const { return m_.diagonalaVah; }
    // The robust factors of the last robust pass.
    [[nodiscard]] const Tvector& RobustniZmeny() const { return m_.vektorRobustnichZmen; }
    // After the covariance computation (Vyhodnoceni): the cofactors q_i of the
    // adjusted observations.
    [[nodiscard]] const Tvector& KofaktoryMereni() const { return m_.vektorRedukovanychMereni; }

    // ---- cofactors of the unknowns (see TmodelSite) ----
    [[nodiscard]] bool Kofaktor(int32_t i, int32_t j, Real& q) const {
        return m_.Kofaktor(i, j, q);
    }
    [[nodiscard]] bool KofaktoryBodu(int32_t bod, Tmatrix& B) const {
        return m_.KofaktoryBodu(bod, B);
    }
    [[nodiscard]] bool KofaktorovaMatice(int32_t n, Tmatrix& Q) const {
        return m_.KofaktorovaMatice(n, Q);
    }
    [[nodiscard]] bool KofaktoroveSloupce(
        int32_t n, const std::function<bool(int32_t, const Tvector&)>& visit) const {
        return m_.KofaktoroveSloupce(n, visit);
    }
    [[nodiscard]] bool RidkaCesta() const { return m_.RidkaCesta(); }
    // The coordinate block of Q as text, once TmodelSite::KovariancniMaticeText made it.
    [[nodiscard]] const std::string& KovariancniMaticeStr() const {
        return m_.kovariancniMaticeStr;
    }
    // Which solver solved the load, whether the sparse one gave way.
    [[nodiscard]] const SolverOwner& Solver() const { return m_.Solver(); }

    // ---- unit standard deviation ----
    [[nodiscard]] Real OdchylkaJednotkovaAprior() const { return m_.odchylkaJednotkovaAprior; }
    [[nodiscard]] Real OdchylkaJednotkovaAposterior() const {
        return m_.odchylkaJednotkovaAposterior;
    }

    // ---- iterations ----
    [[nodiscard]] Real Kvantil() const { return m_.kvantil; }
    [[nodiscard]] Odhad TypOdhadu() const { return m_.typOdhadu; }
    [[nodiscard]] int32_t MaxPocetIteraci() const { return m_.maxPocetIteraci; }
    [[nodiscard]] Real MaxZmenaVahy() const { return m_.maxZmenaVahy; }
    [[nodiscard]] Real MaxPrirustek() const { return m_.maxPrirustek; }
    [[nodiscard]] int32_t PocetIteraci() const { return m_.pocetIteraci; }
    // The largest change of a robust factor and of an unknown in the last pass.
    [[nodiscard]] Real ZmenaVahy() const { return m_.zmenaVahy; }
    [[nodiscard]] Real Prirustek() const { return m_.prirustek; }

    // ---- counts ----
    [[nodiscard]] int32_t PocetSmer() const { return m_.pocetSmer; }
    [[nodiscard]] int32_t PocetZenit() const { return m_.pocetZenit; }
    [[nodiscard]] int32_t PocetDelka() const { return m_.pocetDelka; }
    // In the outlier model: the observations of a kind removed as outliers.
    [[nodiscard]] int32_t PocetSmerOdlehly() const { return m_.pocetSmerOdlehly; }
    [[nodiscard]] int32_t PocetZenitOdlehly() const { return m_.pocetZenitOdlehly; }
    [[nodiscard]] int32_t PocetDelkaOdlehly() const { return m_.pocetDelkaOdlehly; }
    [[nodiscard]] int32_t PocetMereni() const { return m_.pocetMereni; }
    [[nodiscard]] int32_t PocetSouradnic() const { return m_.pocetSouradnic; }
    [[nodiscard]] int32_t PocetSouradnicUrcovanych() const { return m_.pocetSouradnicUrcovanych; }
    [[nodiscard]] int32_t PocetSouradnicFixnich() const { return m_.pocetSouradnicFixnich; }
    [[nodiscard]] int32_t PocetPosunu() const { return m_.pocetPosunu; }
    [[nodiscard]] int32_t PocetNeznamych() const { return m_.pocetNeznamych; }
    [[nodiscard]] int32_t PocetNadbytecnych() const { return m_.pocetNadbytecnych; }
    [[nodiscard]] int32_t PocetPodminek() const { return m_.pocetPodminek; }
    [[nodiscard]] int32_t PocetVlakno() const { return m_.pocetVlakno; }
    // No datum conditions; the network has scale; the datum type.
    [[nodiscard]] bool JeFix() const { return m_.jeFix; }
    [[nodiscard]] bool JeMerenaDelka() const { return m_.jeMerenaDelka; }
    [[nodiscard]] Fixace TypFixace() const { return m_.typFixace; }
    [[nodiscard]] bool ProbehloVycovaniOdlehlych() const { return m_.probehloVylouceniOdlehlych; }

    // ---- messages of the run ----
    // Reduced measurements left out by the last Nacist.
    [[nodiscard]] const std::vector<VynechaneMereni>& VynechanaMereni() const {
        return m_.vynechanaMereni;
    }
    // The counts of the last Nacist when it failed for its redundancy.
    [[nodiscard]] const vertano::PoctyNacteni& PoctyNacteni() const { return m_.poctyNacteni; }
    // Why the last operation failed (English); empty after success.
    [[nodiscard]] const std::string& Chyba() const { return m_.chyba; }

  private:
    const TmodelSite& m_;
};

}  // namespace vertano
