#include "workspace/PripravaMereni.h"

#include <algorithm>
#include <set>

#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"
#include "processing/SouradniceDlePoradi.h"

namespace vertano {

namespace {

// ZpracujSkupinyPoloha: face means rather than face differences.
constexpr int32_t kPrumeryPoloh = 2;

// Approximate coordinates of every point of `mereni` (set means) from the given
// points; the full points of the result. A given point stays known even when no
// row of `mereni` names it any more.
Tsouradnice Priblizne(const Tsouradnice& zadane, Tmereni mereni, VysledekPriblizne& historie,
                      const MoznostiPriblizne& moznosti) {
    std::vector<std::string> cisla;
    mereni.PoradiBoduPriradit(cisla);
    Tsouradnice body(zadane);
    VypocetPriblizneSouradnice(body, mereni, cisla, historie, moznosti);
    body.SmazPrazdneZaznamy();
    for (const Tbod& b : zadane.bod) {
        if (!body.BodSCislem(b.cislo).JePlny) body.PridejBod(b);
    }
    return body;
}

// With "keep the inserted coordinates" the given non-fixed points keep their
// values instead of the computed ones (the fixed ones always do).
void ZachovatZadane(Tsouradnice& priblizne, const Tsouradnice& zadane, const Tnastaveni& n) {
    if (!n.prepinac.zachovatSouradnice) return;
    for (Tbod& b : priblizne.bod) {
        const Tbod z = zadane.BodSCislem(b.cislo);
        if (!z.JePlny) continue;
        b.X = z.X;
        b.Y = z.Y;
        b.Z = z.Z;
    }
}

// The rows of `mereni` (point order assigned) whose station or target is not a
// full point of `poradi`.
std::vector<VynechaneMereni> BezSouradnic(const Tmereni& mereni, const Tsouradnice& poradi) {
    std::vector<VynechaneMereni> vynechane;
    const auto plny = [&poradi](const int32_t i) {
        return i >= 0 && i < poradi.Pocet() && poradi.bod[static_cast<std::size_t>(i)].JePlny;
    };
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny() || (plny(z.iStn) && plny(z.iCil))) continue;
        VynechaneMereni v;
        v.radek = static_cast<int32_t>(i);
        v.poradi = z.poradi;
        v.cislo_stn = z.cislo_stn;
        v.cislo_cil = z.cislo_cil;
        v.chybejiciBod = plny(z.iStn) ? z.cislo_cil : z.cislo_stn;
        v.text = "Station " + z.cislo_stn + " (occupation " + std::to_string(z.poradi) +
                 "), target " + z.cislo_cil + ": point " + v.chybejiciBod +
                 " has no coordinates; left out";
        vynechane.push_back(std::move(v));
    }
    return vynechane;
}

// The raw rows with those switched off by the user measuring nothing: they keep
// their place in their sets (the pairs stay as they are), and the other face of
// a pair alone gives its means.
Tmereni BezVyrazenych(const Tmereni& surove) {
    Tmereni m = surove;
    for (Tzaznam& z : m.zaznam) {
        if (!z.jeVyrazeno) continue;
        z.bezSmeru = z.bezZenitu = true;
        z.smer = z.zenit = z.delka = 0;
    }
    return m;
}

}  // namespace

bool SpocitatPrumery(Tmereni& suroveMereni, PrumeryMereni& prumery) {
    if (!RedukcePoloh(suroveMereni)) return false;
    const bool vyrazene = std::any_of(suroveMereni.zaznam.begin(), suroveMereni.zaznam.end(),
                                      [](const Tzaznam& z) { return z.jeVyrazeno; });
    Tmereni bezVyrazenych;
    if (vyrazene) bezVyrazenych = BezVyrazenych(suroveMereni);
    if (!ZpracujSkupinyPoloha(vyrazene ? bezVyrazenych : suroveMereni, prumery.polohy,
                              kPrumeryPoloh)) {
        return false;
    }
    // A pointing whose both faces were switched off has nothing left to give.
    for (Tzaznam& z : prumery.polohy.zaznam) {
        if (!z.MaHodnotu()) z = Tzaznam::Prazdny();
    }
    prumery.polohy.SmazPrazdneZaznamyNeradPoradi();
    prumery.polohy.PoradiBoduPriradit(prumery.cislaBodu);
    prumery.skupiny = prumery.polohy;
    return PrumerSkupin(prumery.skupiny);
}

ZadaneBody ZadaneVMereni(const Tsouradnice& zadane, const std::vector<std::string>& cislaBodu) {
    const std::set<std::string> vMereni(cislaBodu.begin(), cislaBodu.end());
    ZadaneBody vysledek;
    Tsouradnice nefixni;
    for (const Tbod& b : zadane.bod) {
        if (!b.JePlny || vMereni.count(b.cislo) == 0) continue;
        // A point fixed in plan or in height alone is known to the
        // approximate coordinates but determined by the adjustment.
        (b.JeFixni && !b.JeCastecneFixni() ? vysledek.fixni : nefixni).PridejBod(b);
    }
    vysledek.vse = vysledek.fixni;
    vysledek.vse.PridejBody2(nefixni);
    return vysledek;
}

bool PribliznePoRedukci(const Tsouradnice& zadane, const Tmereni& skupiny,
                        const Tsouradnice& meritko, const Tnastaveni& nastaveni,
                        Tsouradnice& priblizne, VysledekPriblizne& historie,
                        const MoznostiPriblizne& moznosti) {
    // The first coordinates only reduce the means: the heights enter the scale
    // of a line at 1e-7 per metre, and the horizontal distances of rows without
    // a distance their central angle. They need no refinement.
    MoznostiPriblizne konecne = moznosti;
    konecne.vlakna = nastaveni.pocetVlaknaVse;
    MoznostiPriblizne hrube = konecne;
    hrube.zpresnit = false;
    VysledekPriblizne prvni;
    Tmereni redukovane(skupiny);
    RedukceNaZnacky r;
    if (!RedukovatNaZnacky(redukovane, Priblizne(zadane, skupiny, prvni, hrube), meritko, nastaveni,
                           r)) {
        return false;
    }
    if (moznosti.zrusit && moznosti.zrusit()) return false;
    priblizne = Priblizne(zadane, redukovane, historie, konecne);
    // The reduction drops the rows to points the first construction did not reach,
    // so the second one never sees those points: they are named from the first.
    historie.neurcene.clear();
    historie.duvodyNeurcenych.clear();
    for (const PuvodBodu& p : prvni.body) {
        if (priblizne.BodSCislem(p.cislo).JePlny) continue;
        historie.neurcene.push_back(p.cislo);
        // A point the first construction reached whose rows the second lost
        // (none should be) has no reason of its own: nothing reached it.
        historie.duvodyNeurcenych.push_back(
            p.duvod != DuvodNeurceni::Zadny ? p.duvod : DuvodNeurceni::Nedosazen);
    }
    ZachovatZadane(priblizne, zadane, nastaveni);
    return true;
}

bool RedukovatNaZnacky(Tmereni& mereni, const Tsouradnice& body, const Tsouradnice& meritko,
                       const Tnastaveni& nastaveni, RedukceNaZnacky& vysledek) {
    vysledek = RedukceNaZnacky{};
    std::vector<std::string> cisla;
    mereni.PoradiBoduPriradit(cisla);
    const Tsouradnice poradi = SouradniceDlePoradiBodu(cisla, body);
    vysledek.vynechane = BezSouradnic(mereni, poradi);
    vysledek.jeHladina = HladinaRedukce(poradi, nastaveni, vysledek.hladina);
    return RedukovatDelky(mereni, poradi, meritko, nastaveni, vysledek.pocty);
}

}  // namespace vertano
