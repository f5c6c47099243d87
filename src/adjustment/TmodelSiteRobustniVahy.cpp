#include <algorithm>
#include <array>
#include <cmath>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/RobustniVahy.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VahaPozorovani.h"
#include "matice/FpGuard.h"

namespace vertano {

namespace {

// The a-priori standard deviation of every equation in equation order; a
// plumbing tie lends the deviation of its record to both its X and Y equation.
bool OdchylkyRovnic(const TmodelSite& model, Tvector& odchylky) {
    odchylky.clear();
    for (const Velicina typ : druhy::kPoradi) {
        const auto& zaznamy = druhy::Vektor(model, typ).zaznam;
        const int opakovani = typ == Velicina::DoplnekProvazeni ? 2 : 1;
        for (int k = 0; k < opakovani; ++k) {
            for (const TmerenaVelicina& z : zaznamy) {
                if (!JeOdchylkaZadana(z.odchylka)) return false;
                odchylky.push_back(z.odchylka);
            }
        }
    }
    return true;
}

}  // namespace

bool TmodelSite::VypocistRobustniVahy(Odhad odhadPruchodu) {
    std::array<int32_t, 7> pocatky{};
    Tvector odchylky;
    const auto m = static_cast<std::size_t>(std::max(pocetMereni, 0));
    if (!JeTypOdhadu(odhadPruchodu) || !druhy::Pocatky(*this, pocatky) || diagonalaVah.size() < m ||
        vektorUloziste.size() < m || vektorRobustnichZmen.size() < m ||
        !OdchylkyRovnic(*this, odchylky)) {
        chyba = "The robust weights cannot be computed: unknown estimator or inconsistent model.";
        return false;
    }
    const FpGuard guard;
    Tvector faktory(m);
    Tvector vahy(m);
    Real zmena = std::max(zmenaVahy, Real(0));
    for (std::size_t i = 0; i < m; ++i) {
        faktory[i] = RobustniVaha(odhadPruchodu, vektorOprav[i] / odchylky[i]);
        vahy[i] = diagonalaVah[i] * faktory[i];
        zmena = std::max(zmena, std::fabs(vektorRobustnichZmen[i] - faktory[i]));
    }
    if (!guard.Ok() || !std::isfinite(zmena)) {
        chyba = "The robust weights cannot be computed: floating-point fault.";
        return false;
    }
    std::copy(faktory.begin(), faktory.end(), vektorRobustnichZmen.begin());
    std::copy(vahy.begin(), vahy.end(), vektorUloziste.begin());
    zmenaVahy = zmena;
    return true;
}

}  // namespace vertano
