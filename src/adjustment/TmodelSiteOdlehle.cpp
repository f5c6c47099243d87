#include <array>
#include <cmath>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "data/Tnastaveni.h"
#include "matice/FpGuard.h"

namespace vertano {

namespace {

// Residuals below these are rounding noise of a perfect fit: they are never
// outliers, even where sigma_v is 0 (an observation without redundancy).
constexpr Real kNulovaOprava = 1e-10L;
constexpr Real kNulovaOpravaProvazeni = 1e-16L;

// An observation whose redundancy share 1 - p q lies below this has no
// redundancy up to rounding: its residual is numerical noise and its sigma_v is
// taken as 0. Such a residual cannot be tested; flagging it would remove an
// observation the network cannot do without.
constexpr Real kBezNadbytecnosti = 1e-10L;

struct ParametryTestu {
    Real kvantil = 0;
    Real odchylkaJednotkova = 0;
};

void NulovyTest(TmerenaVelicina& z) {
    z.oprava = z.normOprava = z.odchylkaOprava = z.mezniOprava = 0;
    z.jeOdlehly = false;
}

// sigma_v = sigma0 sqrt((sigma / sigma0)^2 - q), 0 without redundancy. False when
// the deviations are not usable.
bool OdchylkaOpravy(const TmerenaVelicina& z, Real q, const ParametryTestu& p, Real& s) {
    s = TmodelSite::OdchylkaOpravy(z.odchylka, p.odchylkaJednotkova, q);
    if (!(s >= 0)) return false;
    const Real podil = z.odchylka / p.odchylkaJednotkova;
    if (1 - q / (podil * podil) < kBezNadbytecnosti) s = 0;
    return true;
}

// A residual without a deviation (no redundancy) is never an outlier.
void ZapisTest(TmerenaVelicina& z, Real v, Real odchylkaOpravy, const ParametryTestu& p) {
    z.oprava = v;
    z.normOprava = v / z.odchylka;
    z.odchylkaOprava = odchylkaOpravy;
    z.mezniOprava = p.kvantil * odchylkaOpravy;
    z.jeOdlehly = odchylkaOpravy > 0 && std::fabs(v) > z.mezniOprava;
}

bool TestujVelicinu(TmerenaVelicina& z, Real v, Real q, const ParametryTestu& p) {
    if (std::fabs(v) < kNulovaOprava) {
        NulovyTest(z);
        return true;
    }
    Real odchylkaOpravy = 0;
    if (!OdchylkaOpravy(z, q, p, odchylkaOpravy)) return false;
    ZapisTest(z, v, odchylkaOpravy, p);
    return true;
}

// A plumbing tie is one observation with two equations: its residual is the
// length of the horizontal residual vector, its deviation propagated from both.
bool TestujProvazeni(TmerenaVelicina& z, Real vX, Real qX, Real vY, Real qY,
                     const ParametryTestu& p) {
    const Real v = std::sqrt(vX * vX + vY * vY);
    if (v <= kNulovaOpravaProvazeni) {
        NulovyTest(z);
        return true;
    }
    Real sX = 0;
    Real sY = 0;
    if (!OdchylkaOpravy(z, qX, p, sX) || !OdchylkaOpravy(z, qY, p, sY)) return false;
    ZapisTest(z, v, std::sqrt((vX * sX) * (vX * sX) + (vY * sY) * (vY * sY)) / v, p);
    return true;
}

bool TestujDruh(const TmodelSite& model, Velicina typ, int32_t pocatek, TvektorMereni& kopie,
                const ParametryTestu& p) {
    const TmodelSiteStav& stav = Stav(model);
    const auto& v = stav.vektorOprav;
    const auto& q = stav.vektorRedukovanychMereni;
    const auto n = static_cast<int32_t>(kopie.zaznam.size());
    for (int32_t i = 0; i < n; ++i) {
        const int32_t r = pocatek + i;
        const bool ok = typ == Velicina::DoplnekProvazeni
                            ? TestujProvazeni(kopie.zaznam[i], v[r], q[r], v[r + n], q[r + n], p)
                            : TestujVelicinu(kopie.zaznam[i], v[r], q[r], p);
        if (!ok) return false;
    }
    return true;
}

// The kept rows of every former group form a new group, numbered 1, 2, ... in
// the old order; a group left empty disappears, and with it the orientation
// unknown of a station whose directions were all removed.
bool PrecislujSkupiny(const TvektorMereni& kopie, const TindexVector& stary, TvektorMereni& novy,
                      TindexVector& index) {
    const auto n = static_cast<int32_t>(kopie.zaznam.size());
    if (stary.empty() || stary.front() != 0 || stary.back() != n) return false;
    novy.Clear();
    novy.zaznam.reserve(kopie.zaznam.size());
    index.assign(1, 0);
    int32_t skupina = 0;
    for (std::size_t g = 0; g + 1 < stary.size(); ++g) {
        if (stary[g] > stary[g + 1]) return false;
        bool prvni = true;
        for (int32_t i = stary[g]; i < stary[g + 1]; ++i) {
            if (kopie.zaznam[i].jeOdlehly) continue;
            if (prvni) ++skupina;
            prvni = false;
            TmerenaVelicina z = kopie.zaznam[i];
            z.poradi = z.poradiPosun = skupina;
            novy.PridejZaznam(z);
        }
        if (!prvni) index.push_back(static_cast<int32_t>(novy.zaznam.size()));
    }
    return true;
}

// Supplementary observations are numbered 0, 1, ... as their vectors are loaded,
// so that a report numbers the rows alike with or without exclusion.
void PrecislujDoplnek(const TvektorMereni& kopie, TvektorMereni& novy) {
    novy.Clear();
    novy.zaznam.reserve(kopie.zaznam.size());
    int32_t poradi = 0;
    for (const TmerenaVelicina& z : kopie.zaznam) {
        if (z.jeOdlehly) continue;
        novy.PridejZaznam(z);
        novy.zaznam.back().poradi = poradi++;
    }
}

bool OdstranOdlehle(TmodelSite& model, Velicina typ, const TmodelSite& modelOdlehly) {
    const TvektorMereni& kopie = druhy::Vektor(modelOdlehly, typ);
    TvektorMereni& vektor = druhy::Vektor(model, typ);
    if (TindexVector* index = druhy::Index(model, typ)) {
        TvektorMereni novy;
        TindexVector novyIndex;
        if (!PrecislujSkupiny(kopie, *index, novy, novyIndex)) return false;
        vektor = std::move(novy);
        *index = std::move(novyIndex);
        return true;
    }
    PrecislujDoplnek(kopie, vektor);
    return true;
}

bool TestujAOdstran(TmodelSite& model, TmodelSite& modelOdlehly, const Tnastaveni& nastaveni,
                    const std::array<int32_t, 7>& pocatky) {
    TmodelSiteStav& stav = Stav(model);
    const ParametryTestu p{stav.kvantil, stav.odchylkaJednotkovaAprior};
    for (std::size_t k = 0; k < druhy::kPoradi.size(); ++k) {
        const Velicina typ = druhy::kPoradi[k];
        if (!druhy::Vylucovat(nastaveni, typ)) continue;
        if (!TestujDruh(model, typ, pocatky[k], druhy::Vektor(modelOdlehly, typ), p) ||
            !OdstranOdlehle(model, typ, modelOdlehly)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool TmodelSite::VylucovatOdlehle(const Tnastaveni& nastaveni) {
    probehloVylouceniOdlehlych = false;
    for (const Velicina typ : druhy::kPoradi) {
        if (druhy::Vylucovat(nastaveni, typ) && !druhy::Vektor(*this, typ).zaznam.empty()) {
            probehloVylouceniOdlehlych = true;
        }
    }
    return probehloVylouceniOdlehlych;
}

bool TmodelSite::VylouceniOdlehlychHodnot(TmodelSite& modelOdlehly, const Tnastaveni& nastaveni) {
    if (&modelOdlehly == this) {
        chyba = "Outlier test: the outlier model must be another model.";
        return false;
    }
    if (!VypocetKovariancniMatice()) return false;
    std::array<int32_t, 7> pocatky{};
    if (!druhy::Pocatky(*this, pocatky) || !(kvantil > 0) || !(odchylkaJednotkovaAprior > 0) ||
        !std::isfinite(odchylkaJednotkovaAprior)) {
        chyba = "Outlier test: the model is inconsistent.";
        return false;
    }
    modelOdlehly.KopirujCastOdlehle(*this);
    for (const Velicina typ : druhy::kPoradi) {
        druhy::PocetOdlehlych(modelOdlehly, typ) =
            static_cast<int32_t>(druhy::Vektor(*this, typ).zaznam.size());
    }
    {
        const FpGuard guard;
        if (!TestujAOdstran(*this, modelOdlehly, nastaveni, pocatky) || !guard.Ok()) {
            chyba = "Outlier test: a residual could not be tested.";
            return false;
        }
    }
    if (!NacistBezOdlehlych()) return false;
    for (const Velicina typ : druhy::kPoradi) {
        druhy::PocetOdlehlych(modelOdlehly, typ) -=
            static_cast<int32_t>(druhy::Vektor(*this, typ).zaznam.size());
    }
    return true;
}

}  // namespace vertano
