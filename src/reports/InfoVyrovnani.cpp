#include <vector>

#include "adjustment/Spolehlivost.h"
#include "adjustment/VysledekSite.h"
#include "reports/FormatCisel.h"
#include "reports/InfoSekce.h"
#include "reports/ProtokolVyrovnani.h"
#include "reports/TextyProtokolu.h"

namespace vertano {

namespace {

std::string Pocet(int32_t n) {
    return CeleCislo(n < 0 ? 0 : n);
}

// Rejection of outliers, rows 0-9. O keeps the counts from before the
// rejection and the numbers rejected per kind.
std::vector<InfoRadek> RadkyOdlehlych(const Tjazyk& j, const Tnastaveni& n, const VysledekSite& o,
                                      const VysledekSite& f) {
    const jazyk::Tpopis& p = j.popis;
    const std::string doplnek = p.delka + " (" + MalaPismena(p.doplnek) + "):";
    std::vector<InfoRadek> r = {{p.metodaRobustOdhadu + ":", "-"},
                                {p.hladinaVyznamnosti + ":", "-"},
                                {p.pocetOdlehlych + ":", "-"},
                                {p.smer + ":", "-"},
                                {p.zenit + ":", "-"},
                                {p.delka + ":", "-"},
                                {doplnek, "-"},
                                {p.smernik + ":", "-"},
                                {p.prevyseni + ":", "-"},
                                {p.provazovani + ":", "-"}};
    if (!f.ProbehloVycovaniOdlehlych()) return r;
    const int32_t typ = KodOdhadu(n.vyrovnani.typOdhadu);
    if (typ >= 1 && static_cast<std::size_t>(typ) <= j.typOdhadu.size()) {
        r[0].hodnota = j.typOdhadu[static_cast<std::size_t>(typ - 1)];
    }
    r[1].hodnota = TextHladiny(n.vyrovnani.rizikoOdlehlost);
    // A plumbing tie is two equations but one measurement: the totals count it
    // once, the rejected ones as well.
    const TvektorDoplnek& d = o.Doplnek();
    const int32_t provazeni = d.pocetProvazeni > 0 ? d.pocetProvazeni : 0;
    const int32_t provazeniOdlehle = d.pocetProvazeniOdlehly > 0 ? d.pocetProvazeniOdlehly : 0;
    r[2].hodnota =
        Pomer(o.PocetMereni() - f.PocetMereni() - provazeniOdlehle, o.PocetMereni() - provazeni);
    const nastaveni::Tprepinac& s = n.prepinac;
    struct Druh {
        bool vylucovat;
        const TvektorMereni& vektor;
        int32_t odlehle;
        int32_t celkem;
    };
    const Druh druhy[] = {
        {s.vylucovatSmer, o.Smer(), o.PocetSmerOdlehly(), o.PocetSmer()},
        {s.vylucovatZenit, o.Zenit(), o.PocetZenitOdlehly(), o.PocetZenit()},
        {s.vylucovatDelka, o.Delka(), o.PocetDelkaOdlehly(), o.PocetDelka()},
        {s.vylucovatDoplnekDelka, d.delka, d.pocetDelkaOdlehly, d.pocetDelka},
        {s.vylucovatDoplnekSmernik, d.smernik, d.pocetSmernikOdlehly, d.pocetSmernik},
        {s.vylucovatDoplnekPrevyseni, d.prevyseni, d.pocetPrevyseniOdlehly, d.pocetPrevyseni},
        {s.vylucovatDoplnekProvazeni, d.provazeni, d.pocetProvazeniOdlehly, d.pocetProvazeni},
    };
    for (std::size_t k = 0; k < std::size(druhy); ++k) {
        const Druh& x = druhy[k];
        if (x.vylucovat && x.vektor.ExistujePlnyZaznam())
            r[3 + k].hodnota = Pomer(x.odlehle, x.celkem);
    }
    return r;
}

// The adjustment, rows 10-23.
std::vector<InfoRadek> RadkyVyrovnani(const Tjazyk& j, const VysledekSite& f) {
    const jazyk::Tpopis& p = j.popis;
    const TvektorDoplnek& d = f.Doplnek();
    const int32_t provazeni = d.pocetProvazeni < 0 ? 0 : d.pocetProvazeni;
    std::vector<InfoRadek> r = {
        {p.sigJednotkovaAprior + ":", TriDesetinna(f.OdchylkaJednotkovaAprior())},
        {p.sigJednotkovaAposterior + ":", TriDesetinna(f.OdchylkaJednotkovaAposterior())},
        {p.pocetFixBodu + ":", Pocet(f.PocetSouradnicFixnich() / 3)},
        {p.pocetVyrBodu + ":", Pocet(f.PocetSouradnicUrcovanych() / 3)},
        {p.pocetVyrPosun + ":", Pocet(f.PocetPosunu())},
        {p.pocetVyrmerni + ":", Pocet(f.PocetMereni())},
        {p.smer + ":", Pocet(f.PocetSmer())},
        {p.zenit + ":", Pocet(f.PocetZenit())},
        {p.delka + ":", Pocet(f.PocetDelka())},
        {p.delka + " (" + MalaPismena(p.doplnek) + "):", Pocet(d.pocetDelka)},
        {p.smernik + ":", Pocet(d.pocetSmernik)},
        {p.prevyseni + ":", Pocet(d.pocetPrevyseni)},
        {p.provazovani + " (" + p.x + " + " + p.y + "):",
         Pocet(provazeni) + " (" + Pocet(2 * provazeni) + ")"},
        {p.pocetNadbytecnych + ":", Pocet(f.PocetNadbytecnych())},
    };
    // Observations whose redundancy number is below 0.01, once the evaluation
    // gave the reliability.
    if (!JeSpolehlivostSpoctena(f)) return r;
    r.push_back({p.nekontrolovane + ":", Pocet(PocetNekontrolovanych(f))});
    // The side shots and the points those observations move, one line each,
    // only when there are any.
    const std::vector<NekontrolovanyBod> body = NekontrolovaneBody(f);
    if (body.empty()) return r;
    r.push_back({p.nekontrolovaneBody + ":", Pocet(static_cast<int32_t>(body.size()))});
    for (const NekontrolovanyBod& b : body)
        r.push_back({"  " + PopisNekontrolovanehoBodu(j, b), "", true});
    return r;
}

}  // namespace

std::vector<InfoSkupina> InfoVyrovnani(const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                                       const VysledekSite& modelOdlehly,
                                       const VysledekSite& modelVyrovnany) {
    if (modelVyrovnany.PocetMereni() < 0) return {};
    return {{jazyk.popis.vylouceniOdlehlych,
             RadkyOdlehlych(jazyk, nastaveni, modelOdlehly, modelVyrovnany)},
            {jazyk.tlacitko.vyrovnaniSite, RadkyVyrovnani(jazyk, modelVyrovnany)}};
}

void zapsatInfoVyrovnani(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                         const VysledekSite& modelOdlehly, const VysledekSite& modelVyrovnany,
                         const std::string& nadpis) {
    if (modelVyrovnany.PocetMereni() < 0) return;
    ZapsatInfo(protokol, nadpis, InfoVyrovnani(jazyk, nastaveni, modelOdlehly, modelVyrovnany));
}

}  // namespace vertano
