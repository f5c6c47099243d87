// Loading of the adjustment model: the point list, the observation vectors with
// their weights, the counts with the datum, and the sizes of the working storage.

#include <algorithm>
#include <cmath>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VahaPozorovani.h"
#include "data/Tnastaveni.h"
#include "matice/DenseHelpers.h"
#include "matice/ParallelRows.h"
#include "matice/Quantile.h"
#include "mereni/Tmereni.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {

namespace {

using IndexBodu = std::unordered_map<std::string, int32_t>;

IndexBodu Indexy(const Tsouradnice& souradnice) {
    IndexBodu indexy;
    for (int32_t i = 0; i < souradnice.Pocet(); ++i) {
        indexy.emplace(souradnice.bod[static_cast<std::size_t>(i)].cislo, i);
    }
    return indexy;
}

int32_t Najdi(const IndexBodu& indexy, const std::string& cislo) {
    const auto it = indexy.find(cislo);
    return it == indexy.end() ? -1 : it->second;
}

std::string Popis(std::size_t radek, const Tzaznam& z) {
    return "Reduced measurement row " + std::to_string(radek + 1) + " (" + z.cislo_stn + " - " +
           z.cislo_cil + ")";
}

// The point list: determined points first, fixed points appended. A point of
// the fixed list fixed in plan or in height alone is determined, with the
// coordinates it holds (Tbod::fixniOsy). Empty slots of the lists are no
// points. False when a number occurs twice: its observations would be tied to
// one of the records by chance.
bool SestavitBody(Tsouradnice& body, const Tsouradnice& urcovane, const Tsouradnice& fixni,
                  std::string& chyba) {
    IndexBodu videno;
    const auto pridat = [&](Tbod b, const bool jeFixni) {
        if (!videno.emplace(b.cislo, body.Pocet()).second) {
            chyba = "Point " + b.cislo + " occurs twice among the determined and fixed points";
            return false;
        }
        if (!std::isfinite(b.X) || !std::isfinite(b.Y) || !std::isfinite(b.Z)) {
            chyba = "Point " + b.cislo + " has coordinates that are not numbers";
            return false;
        }
        b.JeFixni = jeFixni;
        body.PridejBod(b);
        return true;
    };
    for (const Tbod& b : urcovane.bod) {
        if (b.JePlny && !pridat(b, false)) return false;
    }
    for (const bool castecne : {true, false}) {
        for (const Tbod& b : fixni.bod) {
            if (b.JePlny && b.JeCastecneFixni() == castecne && !pridat(b, !castecne)) return false;
        }
    }
    return true;
}

// Values a row must have before it can become observations.
bool PlatnyRadek(const Tzaznam& z) {
    return std::isfinite(z.smer) && std::isfinite(z.zenit) && std::isfinite(z.delka) &&
           z.delka >= 0 && std::isfinite(z.zkresleniDelky) && z.zkresleniDelky > 0;
}

TmerenaVelicina Pozorovani(const Tzaznam& z, Velicina typ, int32_t poradi, Real hodnota,
                           Real odchylka, int32_t iStn, int32_t iCil) {
    TmerenaVelicina v = TmerenaVelicina::ZeZaznamu(z, typ, hodnota, odchylka);
    v.poradi = poradi;
    v.iStn = iStn;
    v.iCil = iCil;
    return v;
}

// The rows of every station occupation (poradi > 0), in ascending poradi and, within
// one, in list order. Rows of one occupation that are not contiguous still form
// one group: no row is lost to the search for a run.
std::map<int32_t, std::vector<std::size_t>> Obsazeni(const Tmereni& mereni) {
    std::map<int32_t, std::vector<std::size_t>> obsazeni;
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        if (mereni.zaznam[i].poradi > 0) obsazeni[mereni.zaznam[i].poradi].push_back(i);
    }
    return obsazeni;
}

class PlneniMereni {
  public:
    PlneniMereni(TmodelSite& model, const Tvahy& vahy)
        : model_(Stav(model)), vahy_(vahy), indexy_(Indexy(model_.souradnice)) {}

    bool Stanovisko(const Tmereni& mereni, int32_t poradi, const std::vector<std::size_t>& radky);

  private:
    bool Radek(std::size_t radek, const Tzaznam& z, int32_t iStn, int32_t iCil);
    bool Pridat(TvektorMereni& vektor, TmerenaVelicina v, Velicina typ, std::size_t radek,
                const Tzaznam& z);
    void Vynechat(std::size_t radek, const Tzaznam& z, const std::string& bod,
                  const std::string& duvod);
    bool JeFixni(int32_t i) const {
        return model_.souradnice.bod[static_cast<std::size_t>(i)].JeFixni;
    }

    TmodelSiteStav& model_;
    const Tvahy& vahy_;
    IndexBodu indexy_;
    int32_t posun_ = 0;         // orientation unknowns so far
    int32_t skupinaZenit_ = 1;  // zenith group counter
    int32_t skupinaDelka_ = 1;  // distance group counter
};

bool PlneniMereni::Stanovisko(const Tmereni& mereni, int32_t poradi,
                              const std::vector<std::size_t>& radky) {
    const Tzaznam& prvni = mereni.zaznam[radky.front()];
    const int32_t iStn = Najdi(indexy_, prvni.cislo_stn);
    const std::size_t zenitu = model_.zenit.zaznam.size();
    const std::size_t delek = model_.delka.zaznam.size();
    const std::size_t smeru = model_.smer.zaznam.size();
    for (const std::size_t i : radky) {
        const Tzaznam& z = mereni.zaznam[i];
        if (z.cislo_stn != prvni.cislo_stn) {
            model_.chyba = Popis(i, z) + ": station differs from " + prvni.cislo_stn +
                           " of the same occupation " + std::to_string(poradi);
            return false;
        }
        if (iStn < 0) {
            Vynechat(i, z, z.cislo_stn, "the station has no coordinates");
            continue;
        }
        const int32_t iCil = Najdi(indexy_, z.cislo_cil);
        if (iCil < 0) {
            Vynechat(i, z, z.cislo_cil, "the target has no coordinates");
            continue;
        }
        if (iCil == iStn) {
            Vynechat(i, z, z.cislo_cil, "station and target are the same point");
            continue;
        }
        if (!Radek(i, z, iStn, iCil)) return false;
    }
    if (model_.smer.zaznam.size() > smeru) {
        model_.indexSmer.push_back(static_cast<int32_t>(model_.smer.zaznam.size()));
    }
    if (model_.zenit.zaznam.size() > zenitu) {
        model_.indexZenit.push_back(static_cast<int32_t>(model_.zenit.zaznam.size()));
        ++skupinaZenit_;
    }
    if (model_.delka.zaznam.size() > delek) {
        model_.indexDelka.push_back(static_cast<int32_t>(model_.delka.zaznam.size()));
        ++skupinaDelka_;
    }
    return true;
}

bool PlneniMereni::Radek(std::size_t radek, const Tzaznam& z, int32_t iStn, int32_t iCil) {
    if (!PlatnyRadek(z)) {
        model_.chyba = Popis(radek, z) + ": a value is not a valid number";
        return false;
    }
    // Occupations are numbered by what enters, so that an occupation whose rows
    // were all left out leaves no orientation unknown without observations.
    // A row enters with the values it has: a pointing may lack its direction or
    // zenith angle.
    if (z.MaSmer()) {
        const auto smeru = static_cast<int32_t>(model_.smer.zaznam.size());
        const bool novyPosun = smeru == model_.indexSmer.back();
        if (novyPosun) ++posun_;
        TmerenaVelicina s = Pozorovani(z, Velicina::Smer, posun_, z.smer, z.sig_smer, iStn, iCil);
        s.smernik = z.smernik;
        s.odchylkaPosun = z.sig_posun;
        s.poradiPosun = posun_;
        s.posun = 0;
        if (!Pridat(model_.smer, s, Velicina::Smer, radek, z)) return false;
    }
    // Between two fixed points only the direction carries something: the
    // orientation of the station.
    if (JeFixni(iStn) && JeFixni(iCil)) return true;
    if (z.MaZenit()) {
        TmerenaVelicina ze =
            Pozorovani(z, Velicina::Zenit, skupinaZenit_, z.zenit, z.sig_zenit, iStn, iCil);
        ze.zkresleni = z.zkresleniDelky;
        if (!Pridat(model_.zenit, ze, Velicina::Zenit, radek, z)) return false;
    }
    if (!z.MaDelku()) return true;
    TmerenaVelicina d =
        Pozorovani(z, Velicina::Delka, skupinaDelka_, z.delka, z.sig_delka, iStn, iCil);
    d.zkresleni = z.zkresleniDelky;
    return Pridat(model_.delka, d, Velicina::Delka, radek, z);
}

bool PlneniMereni::Pridat(TvektorMereni& vektor, TmerenaVelicina v, Velicina typ, std::size_t radek,
                          const Tzaznam& z) {
    if (!v.UrcitPresnost(vahy_.OdchylkaDruhu(typ), model_.odchylkaJednotkovaAprior)) {
        static const char* const nazvy[] = {"", "slope distance", "direction", "zenith angle"};
        model_.chyba = Popis(radek, z) + ": the " + nazvy[KodVeliciny(typ)] +
                       " has no usable standard deviation, so no weight";
        return false;
    }
    vektor.PridejZaznam(v);
    return true;
}

void PlneniMereni::Vynechat(std::size_t radek, const Tzaznam& z, const std::string& bod,
                            const std::string& duvod) {
    VynechaneMereni v;
    v.radek = static_cast<int32_t>(radek);
    v.poradi = z.poradi;
    v.cislo_stn = z.cislo_stn;
    v.cislo_cil = z.cislo_cil;
    v.chybejiciBod = bod;
    v.text = Popis(radek, z) + " left out: " + duvod + " (" + bod + ")";
    model_.vynechanaMereni.push_back(std::move(v));
}

// The prepared supplementary rows with their point indices taken again from this
// model's point list by number, so that they cannot point at another point when
// the lists were built differently. A row whose point is missing is left out and
// listed.
TdoplnkoveMereni DoplnekProBody(const TdoplnkoveMereni& pripravene, const Tsouradnice& body,
                                std::vector<VynechaneMereni>& vynechane) {
    TdoplnkoveMereni kopie = pripravene;
    const IndexBodu indexy = Indexy(body);
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        Tmereni& seznam = *kopie.Seznam(druh);
        for (std::size_t i = 0; i < seznam.zaznam.size(); ++i) {
            Tzaznam& z = seznam.zaznam[i];
            if (!z.JePlny()) continue;
            z.iStn = Najdi(indexy, z.cislo_stn);
            z.iCil = Najdi(indexy, z.cislo_cil);
            if (z.iStn >= 0 && z.iCil >= 0) continue;
            VynechaneMereni v;
            v.radek = static_cast<int32_t>(i);
            v.poradi = z.poradi;
            v.cislo_stn = z.cislo_stn;
            v.cislo_cil = z.cislo_cil;
            v.chybejiciBod = z.iStn < 0 ? z.cislo_stn : z.cislo_cil;
            v.text = std::string("Supplementary ") + doplnek::NazevDruhu(druh) + ", row " +
                     std::to_string(i + 1) + " (" + z.cislo_stn + " - " + z.cislo_cil +
                     ") left out: point " + v.chybejiciBod + " has no coordinates";
            vynechane.push_back(std::move(v));
            z.poradi = 0;  // no longer a filled row
        }
    }
    return kopie;
}

}  // namespace

bool TmodelSite::NaplnitMereniVahy(const Tmereni& mereni, const Tvahy& vahy) {
    for (TvektorMereni* v : {&smer, &zenit, &delka}) v->Clear();
    indexSmer.assign(1, 0);
    indexZenit.assign(1, 0);
    indexDelka.assign(1, 0);
    // At most one observation of each kind per row: vectors grown one by one
    // would hold up to twice their records, which in a network of ten
    // thousand points is hundreds of megabytes.
    for (TvektorMereni* v : {&smer, &zenit, &delka}) v->zaznam.reserve(mereni.zaznam.size());
    PlneniMereni plneni(*this, vahy);
    for (const auto& [poradi, radky] : Obsazeni(mereni)) {
        if (!plneni.Stanovisko(mereni, poradi, radky)) return false;
    }
    for (TvektorMereni* v : {&smer, &zenit, &delka}) v->zaznam.shrink_to_fit();
    return true;
}

void TmodelSite::PocetVse(int32_t pocetSouradniceFixni) {
    doplnek.PocetVse();
    pocetSmer = static_cast<int32_t>(smer.zaznam.size());
    pocetZenit = static_cast<int32_t>(zenit.zaznam.size());
    pocetDelka = static_cast<int32_t>(delka.zaznam.size());
    pocetMereni = pocetSmer + pocetZenit + pocetDelka + doplnek.pocet;
    pocetSouradnic = 3 * souradnice.Pocet();
    pocetSouradnicFixnich = pocetSouradniceFixni;
    pocetSouradnicUrcovanych = pocetSouradnic - pocetSouradniceFixni;
    pocetPosunu = smer.NejvetsiPoradiPosunu();
    pocetNeznamych = pocetPosunu + pocetSouradnicUrcovanych;

    const bool b = doplnek.pocetSmernik > 0;
    const bool s = pocetDelka + doplnek.pocetDelka + doplnek.pocetPrevyseni > 0;
    jeMerenaDelka = s;
    if (pocetSouradniceFixni == 0) {
        typFixace = b ? (s ? Fixace::VolnaSmernikDelky : Fixace::VolnaSmernik)
                      : (s ? Fixace::VolnaDelky : Fixace::Volna);
        pocetPodminek = 3 + (b ? 0 : 1) + (s ? 0 : 1);
    } else if (pocetSouradniceFixni == 3) {
        typFixace = b ? (s ? Fixace::BodSmernikDelky : Fixace::BodSmernik)
                      : (s ? Fixace::BodDelky : Fixace::Bod);
        pocetPodminek = (b ? 0 : 1) + (s ? 0 : 1);
    } else {
        // Two or more fixed points already fix position, orientation and scale; a
        // scale condition on top would bind the network instead of placing it.
        typFixace = s ? Fixace::PevnaSit : Fixace::PevnaMeritko;
        pocetPodminek = 0;
    }
    if (!drzeneNezname.empty()) {
        // Points fixed in plan or in height alone join the fixed points of
        // their coordinates; the network must be fixed by its points then.
        typFixace = s ? Fixace::PevnaSit : Fixace::PevnaMeritko;
        pocetPodminek = 0;
    }
    pocetNadbytecnych =
        pocetMereni + pocetPodminek - pocetNeznamych + static_cast<int32_t>(drzeneNezname.size());
}

bool TmodelSite::NuloveMatice() {
    const int32_t m = pocetMereni;
    const int32_t u = pocetNeznamych + pocetPodminek;
    if (m < 0 || u < 0) return false;
    try {
        for (Tvector* v :
             {&vektorRedukovanychMereni, &diagonalaVah, &vektorRobustnichZmen, &vektorOprav}) {
            VectorZero(*v, m);
        }
        VectorZero(vektorPrirustku, u);
        VectorZero(vektorUloziste, std::max(m, u));
    } catch (const std::bad_alloc&) {
        chyba = "Not enough memory for the normal equations";
        return false;
    }
    return true;
}

bool TmodelSite::NaplnitDiagonaluVah() {
    if (static_cast<int32_t>(diagonalaVah.size()) < pocetMereni) return false;
    for (int32_t i = 0; i < pocetMereni; ++i) {
        const TmerenaVelicina* v = VelicinaRovnice(i);
        if (v == nullptr) return false;
        diagonalaVah[static_cast<std::size_t>(i)] = v->vaha;
    }
    return true;
}

namespace {

// The unknowns of the coordinates that determined points fixed in plan or in
// height alone hold.
TindexVector DrzeneNezname(const Tsouradnice& body) {
    TindexVector drzene;
    for (int32_t i = 0; i < body.Pocet(); ++i) {
        const Tbod& b = body.bod[static_cast<std::size_t>(i)];
        if (b.JeFixni || !b.JeCastecneFixni()) continue;
        for (int osa = 0; osa < 3; ++osa) {
            if (b.DrziOsu(osa)) drzene.push_back(3 * i + osa);
        }
    }
    return drzene;
}

// With points fixed in plan or in height alone the datum is their fixed
// coordinates and those of the fully fixed points: two points fixed in plan
// and one in height at least. Conditions of a free network would fight them.
bool DatumCastecneFixnich(const TmodelSite& m, std::string& chyba) {
    const TmodelSiteStav& stav = Stav(m);
    if (stav.drzeneNezname.empty()) return true;
    int32_t poloha = 0;
    int32_t vyska = 0;
    for (const Tbod& b : stav.souradnice.bod) {
        const bool vse = b.JeFixni;
        poloha += vse || (b.JeCastecneFixni() && b.DrziOsu(0)) ? 1 : 0;
        vyska += vse || (b.JeCastecneFixni() && b.DrziOsu(2)) ? 1 : 0;
    }
    if (poloha >= 2 && vyska >= 1) return true;
    chyba =
        "A network with points fixed in plan or in height only needs at least two points "
        "fixed in plan and one fixed in height (fixed in plan: " +
        std::to_string(poloha) + ", in height: " + std::to_string(vyska) + ")";
    return false;
}

// Steps shared by the first load and the reload after outliers were removed:
// counts, sizes, weights and thread splits. False when the network has no unknown
// or too few observations.
bool Pripravit(TmodelSite& model) {
    TmodelSiteStav& stav = Stav(model);
    model.PocetVse(stav.pocetSouradnicFixnich);
    if (stav.pocetNeznamych < 1 || stav.pocetNadbytecnych < 0) {
        stav.chyba = "Insufficient number of redundant measurements.";
        stav.poctyNacteni = PoctyNacteni{stav.pocetNeznamych, stav.pocetMereni, stav.pocetPodminek,
                                         stav.pocetNadbytecnych, stav.typFixace};
        return false;
    }
    stav.jeFix = stav.pocetPodminek == 0;
    if (!model.NuloveMatice()) return false;
    std::fill(stav.vektorRobustnichZmen.begin(), stav.vektorRobustnichZmen.end(), Real{1});
    if (!model.NaplnitDiagonaluVah()) {
        stav.chyba = "The observation vectors do not match their counts";
        return false;
    }
    std::copy(stav.diagonalaVah.begin(), stav.diagonalaVah.end(), stav.vektorUloziste.begin());
    // The solvers split their work over at most this many threads.
    stav.pocetVlakno = ClampThreadCount(stav.pocetVlakno, stav.pocetNeznamych);
    return true;
}

}  // namespace

bool TmodelSite::Nacist(const Tmereni& mereni, const Tsouradnice& souradnicePriblizne,
                        const Tsouradnice& souradniceFixni, const Tvahy& vahy,
                        const TdoplnkoveMereni& doplnekPripraveny, const Tnastaveni& nastaveni) {
    Clear();
    const auto selhani = [this](std::string duvod) {
        std::vector<VynechaneMereni> vynechane = std::move(vynechanaMereni);
        const PoctyNacteni pocty = poctyNacteni;
        Clear();
        vynechanaMereni = std::move(vynechane);
        poctyNacteni = pocty;
        chyba = std::move(duvod);
        return false;
    };
    const nastaveni::Tvyrovnani& v = nastaveni.vyrovnani;
    odchylkaJednotkovaAprior = v.odchylkaJednotkovaApriorni;
    if (!JeOdchylkaZadana(odchylkaJednotkovaAprior)) {
        return selhani("The a-priori unit standard deviation is not a positive number");
    }
    std::string duvod;
    if (!SestavitBody(souradnice, souradnicePriblizne, souradniceFixni, duvod)) {
        return selhani(duvod);
    }
    drzeneNezname = DrzeneNezname(souradnice);
    if (!DatumCastecneFixnich(*this, duvod)) return selhani(duvod);
    if (!drzeneNezname.empty() && !RidkaCesta()) {
        return selhani(
            "Points fixed in plan or in height only are adjusted by the sparse solver "
            "only");
    }
    if (!NaplnitMereniVahy(mereni, vahy)) return selhani(chyba);
    const TdoplnkoveMereni pripravene =
        DoplnekProBody(doplnekPripraveny, souradnice, vynechanaMereni);
    const DoplnekVektorVysledek d =
        doplnek.Nacist(pripravene, souradnice, nastaveni, odchylkaJednotkovaAprior);
    if (!d.ok) return selhani(d.message);

    pocetSouradnicFixnich = 3 * souradnice.PocetFixnichBodu();
    const std::optional<Real> k = icnorm(1 - v.rizikoOdlehlost / 2);
    if (!k) return selhani(kIcnormArgument);
    kvantil = *k;
    typOdhadu = v.typOdhadu;
    maxPocetIteraci = v.maxPocetIteraci;
    maxZmenaVahy = v.maxZmenaVahy;
    maxPrirustek = v.maxPrirustek;
    pocetVlakno = nastaveni.pocetVlaknaVse;
    if (!Pripravit(*this)) return selhani(chyba);
    return true;
}

bool TmodelSite::NacistBezOdlehlych() {
    chyba.clear();
    if (pocetSouradnicFixnich >= 0 && Pripravit(*this)) return true;
    std::string duvod = chyba.empty() ? "The model is not loaded" : chyba;
    Clear();
    chyba = std::move(duvod);
    return false;
}

}  // namespace vertano
