#include "Povoleni.h"

#include "processing/PrikazySkupin.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

PovoleniMenu Povoleni(const Workspace& ws, const Tvyber& vyber) {
    PovoleniMenu p;
    const Tmereni& m = ws.suroveMereni;
    const int32_t vybrano = vyber.Pocet();
    const bool jeden = vybrano == 1;
    const bool nejake = vybrano > 0;
    const bool plny = m.ExistujePlnyZaznam();
    const bool skupiny = ws.nastaveni.prepinac.zobrazSkupinu;
    const bool analyza = ws.state.Current(Step::Analysis);
    const TanalyzaMereni& a = ws.info.analyzaMereni;
    const TinfoVahy& v = ws.info.infoVahy;
    const bool mimoSkupiny = m.ExistujeNezarazenyZaznamDoSkupiny();

    p.ulozit = plny;
    p.exportovat = a.mereniDoVyrovnani;
    p.noveMereni = jeden;
    p.upravit = p.smazat = p.premistit = p.kopirovat = nejake;
    p.najit = plny;
    p.najitChybne = plny && ChybySurovychMereni(ws) > 0;
    p.posunout = jeden;
    p.vlozit = ws.nastaveni.schranka.suroveMereni_existuje && vybrano <= 1;
    p.vybratVse = plny;
    p.vyberDleRadku = jeden;

    p.skupinoveOkna = skupiny && m.ExistujeZarazenyZaznamDoSkupiny();
    p.seraditPolohy = p.skupinoveOkna;
    p.zrcadlit = p.seraditPolohy;
    p.najitSkupiny = m.PocetPlnychZaznamu() > 3 && mimoSkupiny;
    p.smazatMimoSkupiny = skupiny && mimoSkupiny;
    p.kamenKamen = analyza && a.mereniDoVyrovnani;
    p.kontrolySkupin = skupiny;

    p.analyza = p.skupinoveOkna && AnalyzaPovolena(ws);
    p.predVyrovnanimMereni = analyza && a.mereniDoVyrovnani;
    p.predVyrovnanimSouradnice = analyza && a.souradnicePriblizne;
    // In the order of the menus: distance, bearing, height difference, plumbing.
    const bool doplnky[4] = {a.doplnekDelka, a.doplnekSmernik, a.doplnekPrevyseni,
                             a.doplnekProvazeni};
    for (int k = 0; k < 4; ++k) p.predVyrovnanimDoplnek[k] = analyza && doplnky[k];
    p.rozdilFixni = analyza && a.delkyMeziFixBody;
    p.rozdilVse = analyza;
    const TtypVah* druhy[3] = {&v.smer, &v.zenit, &v.delka};
    for (int k = 0; k < 3; ++k) {
        p.vnitrniPresnost[k] = analyza && druhy[k]->vnitrniPresnost;
        p.vnejsiPresnost[k] = analyza && druhy[k]->vnejsiPresnost;
    }
    p.apriorniAnalyza = analyza && a.mereniDoVyrovnani;
    p.vyrovnani = VyrovnaniPovoleno(ws);
    return p;
}

}  // namespace vertano::ui
