#include "reports/ProtokolVyrovnani.h"

#include <algorithm>
#include <exception>

#include "adjustment/VysledekSite.h"
#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"
#include "reports/SekceProtokolu.h"
#include "reports/TextyProtokolu.h"

namespace vertano {

namespace {

constexpr int32_t kRozdilyPoloh = 1;
constexpr int32_t kPrumeryPoloh = 2;

class Sestaveni {
  public:
    Sestaveni(Tprotokol& p, const VstupProtokoluVyrovnani& v, std::string vytvoreno)
        : p_(p),
          v_(v),
          j_(v.jazyk),
          n_(v.nastaveni),
          s_(v.nastaveni.protokol),
          vytvoreno_(std::move(vytvoreno)) {}

    void Vse() {
        p_.Clear();
        p_.Uvod(j_);
        CastA();
        CastB();
        CastC();
    }

  private:
    void CastA() {
        if (!n_.ProtokolSuroveMereni()) return;
        p_.Hlavicka(1, j_, vytvoreno_);
        const Tmereni& surova = v_.suroveMereni;
        if (s_.suroveMereni) {
            zapsatMereni(p_, surova, v_.vahy, n_, j_, 1,
                         "A-01 " + j_.popis.surova + " " + MalaPismena(j_.popis.mereni));
        }
        Tmereni pomocny;
        if (s_.rozdilPoloh) {
            Polohy(surova, pomocny, kRozdilyPoloh);
            zapsatMereni(p_, pomocny, v_.vahy, n_, j_, 2,
                         "A-02 " + j_.tlacitko.rozdilPoloh + " [II-I]");
        }
        if (s_.prumerPoloh) {
            Polohy(surova, pomocny, kPrumeryPoloh);
            zapsatMereni(p_, pomocny, v_.vahy, n_, j_, 2,
                         "A-03 " + j_.tlacitko.prumerPoloh + " [I/II]");
        }
        if (s_.prumerSkupin) {
            if (!s_.prumerPoloh) Polohy(surova, pomocny, kPrumeryPoloh);
            if (!PrumerSkupin(pomocny)) throw ChybaProtokolu("The set means cannot be computed");
            zapsatMereni(p_, pomocny, v_.vahy, n_, j_, 3, "A-04 " + j_.tlacitko.prumerSkupin);
        }
    }

    static void Polohy(const Tmereni& surova, Tmereni& vysledek, int32_t typ) {
        if (!ZpracujSkupinyPoloha(surova, vysledek, typ)) {
            throw ChybaProtokolu("The faces cannot be reduced");
        }
    }

    // The points with the scale factors the reduction used: those of the scale
    // factor list, the basic one elsewhere.
    Tsouradnice SMeritkem(const Tsouradnice& body) const {
        Tsouradnice kopie = body;
        kopie.NacistZkresleni(n_, v_.meritko);
        return kopie;
    }

    void CastB() {
        if (!n_.ProtokolPredVyrovnanim()) return;
        p_.Hlavicka(2, j_, vytvoreno_);
        const jazyk::Tpopis& p = j_.popis;
        const jazyk::Ttlacitko& t = j_.tlacitko;
        if (s_.mereniKamen)
            zapsatMereni(p_, v_.mereniKamen, v_.vahy, n_, j_, 2, "B-01 " + t.kamenKamen);
        if (s_.bodyFix) {
            zapsatSouradnice(p_, SMeritkem(v_.fixni), v_.vyrovnany, n_, j_,
                             2 - VolbaProtokolu(s_.bodyFixMeritko, 1),
                             "B-02 " + t.fixni + " " + MalaPismena(p.body));
        }
        if (s_.sourPredVyr) {
            zapsatSouradnice(p_, SMeritkem(v_.priblizne), v_.vyrovnany, n_, j_,
                             2 - VolbaProtokolu(s_.sourPredVyrMeritko, 1),
                             "B-03 " + t.souradnicePredVyrovnanim);
        }
        if (s_.merPredVyr) MereniPredVyrovnanim();
        const std::string druhy[] = {p.smer, p.zenit, p.delka};
        if (s_.vnitrniPresnost) {
            for (int k = 1; k <= 3; ++k) {
                zapsatVnitrniPresnost(
                    p_, v_.vahy, n_, j_, k,
                    "B-05-" + std::to_string(k) + " " + p.vnitrniPresnost + " - " + druhy[k - 1]);
            }
        }
        if (s_.vnejsiPresnost) {
            for (int k = 1; k <= 3; ++k) {
                zapsatVnejsiPresnost(
                    p_, v_.vahy, n_, j_, k,
                    "B-06-" + std::to_string(k) + " " + p.vnejsiPresnost + " - " + druhy[k - 1]);
            }
        }
    }

    void MereniPredVyrovnanim() {
        const jazyk::Tpopis& p = j_.popis;
        const std::string& nazev = j_.tlacitko.mereniPredVyrovnanim;
        zapsatMereni(p_, v_.mereniVyrovnani, v_.vahy, n_, j_,
                     VolbaProtokolu(s_.merPredVyrOdchyl, 1) == 0 ? 4 : 2, "B-04 " + nazev);
        const TdoplnkoveMereni& d = v_.doplnek;
        zapsatDoplnek(p_, d.delka, n_, j_, 1,
                      "B-04-2 " + nazev + " - " + p.delka + " (" + MalaPismena(p.doplnek) + ")");
        zapsatDoplnek(p_, d.smernik, n_, j_, 2, "B-04-3 " + nazev + " - " + p.smernik);
        zapsatDoplnek(p_, d.prevyseni, n_, j_, 3, "B-04-4 " + nazev + " - " + p.prevyseni);
        zapsatDoplnek(p_, d.provazeni, n_, j_, 4, "B-04-5 " + nazev + " - " + p.provazovani);
    }

    void CastC() {
        const VysledekSite f = v_.vyrovnany;
        if (!n_.ProtokolVyrovnani(f.ProbehloVycovaniOdlehlych())) return;
        p_.Hlavicka(3, j_, vytvoreno_);
        const jazyk::Tpopis& p = j_.popis;
        if (s_.infoVyr) {
            zapsatInfoVyrovnani(p_, j_, n_, v_.odlehly, f,
                                "C-01 " + j_.nadpis.zakladniInfoOvyrovnani);
        }
        if (s_.sourVyr) {
            zapsatSouradnice(p_, f.Souradnice(), f, n_, j_,
                             VolbaProtokolu(s_.sourVyrPresnost, 2) + 4,
                             "C-02 " + p.vyrovnane + " " + MalaPismena(p.souradnice));
        }
        if (s_.elipsVyr) {
            zapsatElipsoid(p_, f.Souradnice(), f, n_, j_,
                           VolbaProtokolu(s_.elipsVyrPresnost, 2) + 1,
                           "C-03 " + j_.tlacitko.elipsoidy);
        }
        if (s_.odlehleVyr) Odlehle();
        if (s_.merVyr) VyrovnanaMereni();
    }

    void Odlehle() {
        const VysledekSite o = v_.odlehly;
        const nastaveni::Tprepinac& s = n_.prepinac;
        const struct {
            bool vylucovat;
            const TvektorMereni& vektor;
            DruhProtokolu druh;
        } druhy[] = {
            {s.vylucovatSmer, o.Smer(), DruhProtokolu::Smer},
            {s.vylucovatZenit, o.Zenit(), DruhProtokolu::Zenit},
            {s.vylucovatDelka, o.Delka(), DruhProtokolu::Delka},
            {s.vylucovatDoplnekDelka, o.Doplnek().delka, DruhProtokolu::DoplnekDelka},
            {s.vylucovatDoplnekSmernik, o.Doplnek().smernik, DruhProtokolu::Smernik},
            {s.vylucovatDoplnekPrevyseni, o.Doplnek().prevyseni, DruhProtokolu::Prevyseni},
            {s.vylucovatDoplnekProvazeni, o.Doplnek().provazeni, DruhProtokolu::Provazeni},
        };
        int k = 0;
        for (const auto& d : druhy) {
            ++k;
            if (!d.vylucovat) continue;
            zapsatOdlehleMer(p_, d.vektor, n_, j_, d.druh,
                             "C-04-" + std::to_string(k) + " " + j_.tlacitko.odlehleHodnoty +
                                 " - " + NazevDruhu(j_, d.druh));
        }
    }

    void VyrovnanaMereni() {
        const VysledekSite f = v_.vyrovnany;
        const struct {
            const TvektorMereni& vektor;
            DruhProtokolu druh;
        } druhy[] = {
            {f.Smer(), DruhProtokolu::Smer},
            {f.Zenit(), DruhProtokolu::Zenit},
            {f.Delka(), DruhProtokolu::Delka},
            {f.Posun(), DruhProtokolu::Posun},
            {f.Doplnek().delka, DruhProtokolu::DoplnekDelka},
            {f.Doplnek().smernik, DruhProtokolu::Smernik},
            {f.Doplnek().prevyseni, DruhProtokolu::Prevyseni},
            {f.Doplnek().provazeni, DruhProtokolu::Provazeni},
        };
        const int typ = VolbaProtokolu(s_.merVyrPresnost, 2) + 1;
        const std::string zacatek = j_.popis.vyrovnana + " " + MalaPismena(j_.popis.mereni) + " - ";
        int k = 0;
        for (const auto& d : druhy) {
            ++k;
            zapsatVyrMer(p_, d.vektor, f, n_, j_, typ, d.druh,
                         "C-05-" + std::to_string(k) + " " + zacatek + NazevDruhu(j_, d.druh));
        }
    }

    Tprotokol& p_;
    const VstupProtokoluVyrovnani& v_;
    const Tjazyk& j_;
    const Tnastaveni& n_;
    const nastaveni::Tprotokol& s_;
    const std::string vytvoreno_;
};

}  // namespace

bool zapsatVyrovnani(Tprotokol& protokol, const VstupProtokoluVyrovnani& vstup,
                     const Hodiny& hodiny, bool& vytvoreno, std::string* duvod) {
    vytvoreno = false;
    if (duvod != nullptr) duvod->clear();
    try {
        const CasProtokolu cas = hodiny ? hodiny() : MistniCas();
        Sestaveni(protokol, vstup, TextCasu(cas, vstup.nastaveni.typJazyk)).Vse();
        vytvoreno = true;
    } catch (const std::exception& e) {
        // A report is all or nothing: half a report would pass for a whole one.
        protokol.Clear();
        if (duvod != nullptr) *duvod = e.what();
    }
    return vytvoreno;
}

}  // namespace vertano
