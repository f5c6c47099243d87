#include "adjustment/VnejsiPresnostSmer.h"

#include <cmath>
#include <map>
#include <vector>

#include "adjustment/PresnostStatistika.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

using Radky = std::vector<Tzaznam>;

constexpr int32_t kPocetSmeru = 6;

// The rows of one occupation of a vertex to its first and its second target.
struct Obsazeni {
    Radky prvni;
    Radky druhy;
};

// Occupations of a vertex by station number, ascending.
std::map<int32_t, Obsazeni> ObsazeniVrcholu(const Radky& prvni, const Radky& druhy) {
    std::map<int32_t, Obsazeni> obsazeni;
    for (const Tzaznam& z : prvni) obsazeni[z.poradi].prvni.push_back(z);
    for (const Tzaznam& z : druhy) obsazeni[z.poradi].druhy.push_back(z);
    return obsazeni;
}

void PriblizitKPrvnimu(Radky& radky) {
    if (radky.empty()) return;
    const Real reference = radky.front().smer;
    for (Tzaznam& z : radky) z.smer = Unwrap(z.smer, reference);
}

void SnizitOKruh(Radky& radky) {
    for (Tzaznam& z : radky) z.smer -= kDvePi;
}

// Both lists next to their first values and, between them, within half a turn,
// so that the vertex angle (second - first) is the small one and its sign says
// on which side the second target lies.
void UpravitObsazeni(Obsazeni& o) {
    PriblizitKPrvnimu(o.prvni);
    PriblizitKPrvnimu(o.druhy);
    if (o.prvni.empty() || o.druhy.empty()) return;
    const Real rozdil = o.druhy.front().smer - o.prvni.front().smer;
    if (rozdil < -kPi) {
        SnizitOKruh(o.prvni);
    } else if (rozdil > kPi) {
        SnizitOKruh(o.druhy);
    }
}

bool JsouSmeryKonecne(const Radky& radky) {
    for (const Tzaznam& z : radky) {
        if (!std::isfinite(z.smer)) return false;
    }
    return true;
}

struct Vrchol {
    std::vector<Obsazeni> obsazeni;
    // Index of the first occupation that sees both targets; -1 when none does.
    int32_t obouCilu = -1;
};

// The occupations of a vertex with their lists prepared; false when a direction
// is not a finite number.
bool SestavitVrchol(const MereniMeziBody& sit, int32_t bod, int32_t cil1, int32_t cil2,
                    Vrchol& vrchol) {
    const Radky& prvni = sit.matice.Bunka(bod, cil1);
    const Radky& druhy = sit.matice.Bunka(bod, cil2);
    if (!JsouSmeryKonecne(prvni) || !JsouSmeryKonecne(druhy)) return false;
    for (auto& [poradi, o] : ObsazeniVrcholu(prvni, druhy)) {
        UpravitObsazeni(o);
        if (vrchol.obouCilu < 0 && !o.prvni.empty() && !o.druhy.empty()) {
            vrchol.obouCilu = static_cast<int32_t>(vrchol.obsazeni.size());
        }
        vrchol.obsazeni.push_back(std::move(o));
    }
    return true;
}

void PridatRadky(const Radky& zdroj, int32_t cisloSmeru, int32_t cisloObsazeni, Tmereni& radky) {
    for (Tzaznam z : zdroj) {
        z.soubor = cisloSmeru;
        z.skupina = cisloObsazeni;
        radky.PridejZaznam(z);
    }
}

}  // namespace

StavTrojuhelniku SestavitTrojuhelnik(const MereniMeziBody& sit, const std::array<int32_t, 3>& body,
                                     Tmereni& radky) {
    radky.Clear();
    const auto [i, j, k] = body;
    // Vertex, first target, second target.
    const int32_t vrcholy[3][3] = {{i, j, k}, {k, i, j}, {j, k, i}};
    std::array<Vrchol, 3> v;
    for (int32_t a = 0; a < 3; ++a) {
        if (!SestavitVrchol(sit, vrcholy[a][0], vrcholy[a][1], vrcholy[a][2], v[a])) {
            return StavTrojuhelniku::Chyba;
        }
        if (v[a].obouCilu < 0) return StavTrojuhelniku::Nepouzitelny;
    }
    // The condition says the three angles sum to +pi, which holds when the second
    // target lies clockwise of the first at every vertex; otherwise the two
    // numbers of every vertex change places.
    const Obsazeni& vzor = v[0].obsazeni[static_cast<std::size_t>(v[0].obouCilu)];
    const bool prohodit = vzor.druhy.front().smer < vzor.prvni.front().smer;
    int32_t cisloObsazeni = 0;
    for (int32_t a = 0; a < 3; ++a) {
        const int32_t cislo1 = 2 * a + (prohodit ? 2 : 1);
        const int32_t cislo2 = 2 * a + (prohodit ? 1 : 2);
        for (const Obsazeni& o : v[a].obsazeni) {
            ++cisloObsazeni;
            PridatRadky(o.prvni, cislo1, cisloObsazeni, radky);
            PridatRadky(o.druhy, cislo2, cisloObsazeni, radky);
        }
    }
    return StavTrojuhelniku::Sestaven;
}

namespace {

// The adjusted triangle: adjusted directions and residuals in row order.
struct VyrovnanyTrojuhelnik {
    std::vector<Real> vyrovnane;
    std::vector<Real> opravy;
    int32_t nadbytecnych = 0;
    Real odchylka = 0;
};

// False when the adjustment fails or gives no usable numbers.
bool VyrovnatTrojuhelnik(const Tmereni& radky, VyrovnanyTrojuhelnik& vysledek) {
    TmodelSite model;
    if (!model.VyrovnatVnejsiPresnostSmer(radky)) return false;
    const std::size_t m = radky.zaznam.size();
    const int32_t pocetObsazeni = radky.NejvetsiSkupina();
    vysledek.nadbytecnych = static_cast<int32_t>(m) - (kPocetSmeru + pocetObsazeni) + 4;
    const Tvector& x = Stav(model).vektorPrirustku;  // the values of the unknowns
    if (vysledek.nadbytecnych < 1 ||
        x.size() < static_cast<std::size_t>(kPocetSmeru + pocetObsazeni)) {
        return false;
    }
    const FpGuard guard;
    Real vv = 0;
    for (const Tzaznam& z : radky.zaznam) {
        const Real vyrovnany = x[static_cast<std::size_t>(z.soubor - 1)] +
                               x[static_cast<std::size_t>(z.skupina + kPocetSmeru - 1)];
        const Real oprava = vyrovnany - z.smer;
        vysledek.vyrovnane.push_back(vyrovnany);
        vysledek.opravy.push_back(oprava);
        vv += oprava * oprava;
    }
    vysledek.odchylka = std::sqrt(vv / static_cast<Real>(vysledek.nadbytecnych));
    return guard.Ok() && std::isfinite(vysledek.odchylka);
}

void ZapsatTrojuhelnik(const MereniMeziBody& sit, const std::array<int32_t, 3>& body,
                       const Tmereni& radky, const VyrovnanyTrojuhelnik& t, Real tolerance,
                       int32_t cislo, TvnejsiPresnost& vysledek) {
    const std::size_t m = radky.zaznam.size();
    const Real mez =
        std::sqrt(static_cast<Real>(t.nadbytecnych) / (2 * static_cast<Real>(m))) * tolerance;
    for (std::size_t a = 0; a < m; ++a) {
        Tzaznam z = radky.zaznam[a];
        z.skupina = z.soubor;
        z.soubor = cislo;
        z.smer = Normalise(z.smer);
        z.sig_smer = t.odchylka;
        z.vaha_delka = Normalise(t.vyrovnane[a]);
        z.vaha_smer = t.opravy[a];
        z.smernik = static_cast<Real>(t.nadbytecnych);
        z.vaha_zenit = mez;
        z.poloha = std::fabs(t.opravy[a]) <= mez;
        vysledek.mereniTrojuhelnik.Pridej(RadekSeznamu(z), z);
    }
    Tzaznam souhrn = Tzaznam::Prazdny();
    souhrn.poradi = cislo;
    souhrn.cislo_stn = sit.cislaBodu[static_cast<std::size_t>(body[0])];
    souhrn.cislo_cil = sit.cislaBodu[static_cast<std::size_t>(body[1])];
    souhrn.skupina = t.nadbytecnych;
    souhrn.vyska_stn = t.odchylka;
    vysledek.odchylkaTrojuhelnik.PridejZaznam(souhrn);
    vysledek.cislaTrojuhelnik.push_back({sit.cislaBodu[static_cast<std::size_t>(body[0])],
                                         sit.cislaBodu[static_cast<std::size_t>(body[1])],
                                         sit.cislaBodu[static_cast<std::size_t>(body[2])]});
}

// Every triangle i < j < k of mutually observed points, in that order. Walking
// the neighbours instead of all triples keeps a large network cheap.
std::vector<std::array<int32_t, 3>> Trojuhelniky(const MereniMeziBody& sit) {
    std::vector<std::array<int32_t, 3>> seznam;
    for (int32_t i = 0; i < sit.PocetBodu(); ++i) {
        const std::vector<int32_t> sousede = sit.ObousmerniSousede(i);
        for (std::size_t a = 0; a < sousede.size(); ++a) {
            if (sousede[a] <= i) continue;
            for (std::size_t b = a + 1; b < sousede.size(); ++b) {
                if (sit.JeObousmerne(sousede[a], sousede[b])) {
                    seznam.push_back({i, sousede[a], sousede[b]});
                }
            }
        }
    }
    return seznam;
}

// The lists take every direction of every triangle; a large network has
// hundreds of thousands of triangles, and lists grown row by row would hold up
// to twice their rows. A triangle's rows are those of its six cells.
void Rezervovat(const MereniMeziBody& sit, const std::vector<std::array<int32_t, 3>>& trojuhelniky,
                TvnejsiPresnost& vysledek) {
    std::size_t pocetRadku = 0;
    for (const auto& [i, j, k] : trojuhelniky) {
        pocetRadku += sit.matice.Bunka(i, j).size() + sit.matice.Bunka(i, k).size() +
                      sit.matice.Bunka(j, i).size() + sit.matice.Bunka(j, k).size() +
                      sit.matice.Bunka(k, i).size() + sit.matice.Bunka(k, j).size();
    }
    vysledek.mereniTrojuhelnik.Rezervovat(pocetRadku);
    vysledek.odchylkaTrojuhelnik.zaznam.reserve(trojuhelniky.size());
    vysledek.cislaTrojuhelnik.reserve(trojuhelniky.size());
}

}  // namespace

bool VypocetVnejsiPresnostiSmer(const MereniMeziBody& sit, const nastaveni::Tmez& mezProtismer,
                                TvnejsiPresnost& vysledek) {
    vysledek.Prazdny();
    const std::vector<std::array<int32_t, 3>> trojuhelniky = Trojuhelniky(sit);
    Rezervovat(sit, trojuhelniky, vysledek);
    SdruzenaOdchylka celkova;
    Tmereni radky;
    int32_t cislo = 0;  // of the last triangle written
    for (const std::array<int32_t, 3>& body : trojuhelniky) {
        const StavTrojuhelniku stav = SestavitTrojuhelnik(sit, body, radky);
        if (stav == StavTrojuhelniku::Chyba) {
            vysledek.Prazdny();
            return false;
        }
        VyrovnanyTrojuhelnik t;
        if (stav != StavTrojuhelniku::Sestaven || !VyrovnatTrojuhelnik(radky, t)) continue;
        ZapsatTrojuhelnik(sit, body, radky, t, mezProtismer.rozdil_smer, ++cislo, vysledek);
        celkova.Pridej(static_cast<Real>(t.nadbytecnych), t.odchylka);
    }
    if (!celkova.ZapsatCelkovou(vysledek.odchylkaCelkova)) {
        vysledek.Prazdny();
        return false;
    }
    return true;
}

}  // namespace vertano
