#include <exception>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "data/SouradniceKontrola.h"
#include "processing/Polohy.h"
#include "processing/PorovnaniDelek.h"
#include "processing/PrumerSkupin.h"
#include "processing/RedukceDelek.h"
#include "processing/SouradniceDlePoradi.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

constexpr int32_t kOznameniChyba = 0;
constexpr int32_t kOznameniBody = 1;
constexpr int32_t kOznameniKonfigurace = 2;
constexpr int32_t kOznameniPrekroceni = 3;
constexpr int32_t kOznameniMeritko = 17;
// ZpracujSkupinyPoloha: face means rather than face differences.
constexpr int32_t kPrumeryPoloh = 2;

// Why the analysis stops: a notification number, with the library's reason when
// it gave one.
struct Zastaveni {
    int32_t cislo = kOznameniChyba;
    std::string podrobnosti;
};

// The counters the analysis refuses to run with are filled by the checks of the
// input lists after every change; they are run again here so that a list edited
// without its check can never slip through.
std::optional<Zastaveni> KontrolaVstupu(Workspace& ws) {
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    KontrolaMeritka(ws.souradniceMeritko, ws.nastaveni, ws.chyby);
    ws.doplnekVstup.KonrolaCelkova(ws.nastaveni, ws.chyby);
    const Tchyby& c = ws.chyby;
    if (ws.souradniceFixni.PocetPlnychBodu() < 2 || c.souradniceFixniCekovyPocetChyb > 0) {
        return Zastaveni{kOznameniBody, {}};
    }
    if (c.souradniceMeritkoCekovyPocetChyb > 0) return Zastaveni{kOznameniMeritko, {}};
    if (const int32_t n = OznameniChybDoplnku(c)) return Zastaveni{n, {}};
    return std::nullopt;
}

// The given points that the measurements name, fixed ones first.
Tsouradnice ZadaneVMereni(const Tsouradnice& zadane, const std::vector<std::string>& cisla,
                          Tsouradnice& fixni) {
    const std::set<std::string> vMereni(cisla.begin(), cisla.end());
    Tsouradnice nefixni;
    fixni.Clear();
    for (const Tbod& b : zadane.bod) {
        if (!b.JePlny || vMereni.count(b.cislo) == 0) continue;
        (b.JeFixni ? fixni : nefixni).PridejBod(b);
    }
    Tsouradnice vse(fixni);
    vse.PridejBody2(nefixni);
    return vse;
}

// Approximate coordinates of every point of `mereni` (set means) from the given
// points; the full points of the result. A given point stays known even when no
// row of `mereni` names it any more.
Tsouradnice Priblizne(const Tsouradnice& zadane, Tmereni mereni, VysledekPriblizne& historie) {
    std::vector<std::string> cisla;
    mereni.PoradiBoduPriradit(cisla);
    Tsouradnice body(zadane);
    VypocetPriblizneSouradnice(body, mereni, cisla, historie);
    body.SmazPrazdneZaznamy();
    for (const Tbod& b : zadane.bod) {
        if (!body.BodSCislem(b.cislo).JePlny) body.PridejBod(b);
    }
    return body;
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

// Reduces the distances and zenith angles of `mereni` to the marks, the level and
// the projection with the coordinates `body`; rows to a point without coordinates
// are dropped (and listed in `vynechane` when given).
bool Redukovat(Tmereni& mereni, const Tsouradnice& body, const Workspace& ws,
               std::vector<VynechaneMereni>* vynechane) {
    std::vector<std::string> cisla;
    mereni.PoradiBoduPriradit(cisla);
    const Tsouradnice poradi = SouradniceDlePoradiBodu(cisla, body);
    if (vynechane != nullptr) *vynechane = BezSouradnic(mereni, poradi);
    VysledekRedukce r;
    return RedukovatDelky(mereni, poradi, ws.souradniceMeritko, ws.nastaveni, r);
}

// Sorted by point number and numbered, as the adjustment and the windows take it.
void Seradit(Tsouradnice& body, const bool jeFixni) {
    for (Tbod& b : body.bod) b.JeFixni = jeFixni;
    body.Sort(Tsouradnice::kCislo);
    body.SeraditPoradi();
}

// The determined points of the approximate list: the fixed ones are removed.
Tsouradnice Urcovane(const Tsouradnice& priblizne, const Tsouradnice& fixni) {
    Tsouradnice urcovane;
    for (const Tbod& b : priblizne.bod) {
        if (b.JePlny && !fixni.ExitujeBod(b.cislo)) urcovane.PridejBod(b);
    }
    return urcovane;
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

// The preparation: face and set means, approximate coordinates, reduction,
// comparisons.
// False on an arithmetic failure of a reduction.
bool Priprava(Workspace& ws, VysledekAnalyzy& v, int32_t& pocetPrekroceni) {
    if (!RedukcePoloh(ws.suroveMereni)) return false;
    Tmereni prumery;
    if (!ZpracujSkupinyPoloha(ws.suroveMereni, prumery, kPrumeryPoloh)) return false;
    std::vector<std::string> cisla;
    prumery.PoradiBoduPriradit(cisla);
    ws.mereniVyrovnani = prumery;
    Tmereni skupiny(prumery);
    if (!PrumerSkupin(skupiny)) return false;

    Tsouradnice fixni;
    const Tsouradnice zadane = ZadaneVMereni(ws.souradniceFixni, cisla, fixni);
    // The first coordinates serve only the reduction, whose heights then make the
    // second ones right.
    Tmereni redukovane(skupiny);
    VysledekPriblizne prvni;
    if (!Redukovat(redukovane, Priblizne(zadane, skupiny, prvni), ws, nullptr)) return false;
    Tsouradnice priblizne = Priblizne(zadane, redukovane, v.priblizne);
    // The reduction drops the rows to points the first construction did not reach,
    // so the second one never sees those points: they are named from the first.
    v.priblizne.neurcene.clear();
    for (const PuvodBodu& p : prvni.body) {
        if (!priblizne.BodSCislem(p.cislo).JePlny) v.priblizne.neurcene.push_back(p.cislo);
    }
    ZachovatZadane(priblizne, zadane, ws.nastaveni);

    if (!Redukovat(ws.mereniVyrovnani, priblizne, ws, &v.vynechana)) return false;
    // The comparisons take the set means reduced with the final coordinates.
    redukovane = skupiny;
    if (!Redukovat(redukovane, priblizne, ws, nullptr)) return false;
    int32_t prekrocenoFixni = 0;
    if (!PorovnaniDelekSeSouradnicemi(redukovane, ws.porovnaniDelekPriblizne, priblizne,
                                      ws.nastaveni, pocetPrekroceni) ||
        !PorovnaniDelekSeSouradnicemi(redukovane, ws.porovnaniDelekFixni, fixni, ws.nastaveni,
                                      prekrocenoFixni)) {
        return false;
    }
    ws.souradnicePriblizne = Urcovane(priblizne, fixni);
    Seradit(ws.souradnicePriblizne, false);
    ws.souradniceFixniVyrovnani = fixni;
    Seradit(ws.souradniceFixniVyrovnani, true);
    ws.mereniVyrovnani.KopirovatSmerodatneOdchylky(ws.suroveMereni);

    TanalyzaMereni& a = ws.info.analyzaMereni;
    a.mereniDoVyrovnani = ws.mereniVyrovnani.ExistujePlnyZaznam();
    a.souradnicePriblizne = ws.souradnicePriblizne.ExistujePlnyBod();
    a.souradniceFixni = ws.souradniceFixniVyrovnani.ExistujePlnyBod();
    a.delkyMeziFixBody = ws.porovnaniDelekFixni.ExistujePlnyZaznam();
    return true;
}

// The display copy shows the distances between the marks, without the scale.
void KopieProZobrazeni(Workspace& ws) {
    ws.mereniVyrovnaniZobrazeni = ws.mereniVyrovnani;
    for (Tzaznam& z : ws.mereniVyrovnaniZobrazeni.zaznam) {
        if (z.JePlny() && z.zkresleniDelky > 0) z.delka /= z.zkresleniDelky;
    }
}

// The points of supplementary rows that are not in the network of the adjustment.
std::vector<std::string> BodyMimoSit(const Workspace& ws) {
    std::set<std::string> chybejici;
    const auto vSiti = [&ws](const std::string& c) {
        return ws.souradnicePriblizne.BodSCislem(c).JePlny ||
               ws.souradniceFixniVyrovnani.BodSCislem(c).JePlny;
    };
    for (const int druh : doplnek::kPoradiZpracovani) {
        for (const Tzaznam& z : ws.doplnekVstup.Seznam(druh)->zaznam) {
            if (!z.JePlny()) continue;
            if (!vSiti(z.cislo_stn)) chybejici.insert(z.cislo_stn);
            if (!vSiti(z.cislo_cil)) chybejici.insert(z.cislo_cil);
        }
    }
    return {chybejici.begin(), chybejici.end()};
}

// The supplementary measurements. A failed preparation stops the analysis: an adjustment without
// the measurements the user added would be reported as if it had them.
std::optional<Zastaveni> Doplnky(Workspace& ws, Interaction& interakce, VysledekAnalyzy& v) {
    if (const int32_t n = OznameniChybDoplnku(ws.chyby)) return Zastaveni{n, {}};
    const DoplnekPripravaVysledek r = ws.doplnekZpracovany.ZpracovaniDoVyrovnani(
        ws.doplnekVstup, ws.souradnicePriblizne, ws.souradniceFixniVyrovnani, ws.souradniceMeritko,
        ws.nastaveni, ws.info);
    if (!r.ok) {
        v.chyba = r.message;
        // A row that fails its check means the list contains errors (18-21);
        // anything else is a failure of the processing.
        if (doplnek::JeDruh(r.druh)) ws.doplnekVstup.Kontrola(r.druh, ws.nastaveni, ws.chyby);
        const int32_t n = OznameniChybDoplnku(ws.chyby);
        return Zastaveni{n != 0 ? n : kOznameniChyba, r.message};
    }
    for (const DoplnekPripravaPocty& p : r.pocty) v.pocetVynechanychDoplnku += p.vynechano;
    UkazatVynechaneDoplnky(ws, interakce, v.pocetVynechanychDoplnku, BodyMimoSit(ws));
    for (const int32_t n : OznameniPrekroceniDoplnku(ws.doplnekZpracovany)) {
        UkazatOznameni(ws, interakce, n);
        v.varovani.push_back(n);
    }
    return std::nullopt;
}

// The weights. VypocetPresnosti returning false only says that some empirical source
// is missing; the weights then come from the source it resolved to.
void Vahy(Workspace& ws) {
    ws.vahy.Prazdny();
    ws.vahy.NastavitZadanouPresnost(ws.nastaveni, ws.info);
    ws.vahy.VypocetPresnosti(ws.mereniVyrovnani, ws.info, ws.nastaveni);
    ws.vahy.VypocetVah(ws.info, ws.nastaveni);
}

// Everything after the first stage label; the reason of a stop, or nothing when
// the analysis completed.
std::optional<Zastaveni> Kroky(Workspace& ws, Interaction& interakce, VysledekAnalyzy& v) {
    if (std::optional<Zastaveni> z = KontrolaVstupu(ws)) return z;
    int32_t pocetPrekroceni = 0;
    if (!Priprava(ws, v, pocetPrekroceni)) return Zastaveni{};
    UkazatVynechanaMereni(ws, interakce, v.vynechana);
    if (!ws.mereniVyrovnani.ExistujePlnyZaznam()) return Zastaveni{kOznameniKonfigurace, {}};
    if (pocetPrekroceni > 0) {
        UkazatOznameni(ws, interakce, kOznameniPrekroceni);
        v.varovani.push_back(kOznameniPrekroceni);
    }
    KopieProZobrazeni(ws);
    interakce.Stage(TextEtapy(ws, " ... [2]"));
    if (std::optional<Zastaveni> z = Doplnky(ws, interakce, v)) return z;
    interakce.Stage(TextEtapy(ws, " ... [3]"));
    Vahy(ws);
    return std::nullopt;
}

// After a stop nothing half-made stays behind.
void VycistitVysledky(Workspace& ws) {
    ws.porovnaniDelekPriblizne.Clear();
    ws.porovnaniDelekFixni.Clear();
    ws.mereniVyrovnani.Clear();
    ws.mereniVyrovnaniZobrazeni.Clear();
    ws.souradnicePriblizne.Clear();
    ws.souradniceFixniVyrovnani.Clear();
    ws.doplnekZpracovany.Clear();
    ws.vahy.Prazdny();
    ws.info.analyzaMereni = TanalyzaMereni{};
    ws.info.jeAnalyzaSurovaMereni = false;
}

int32_t PocetMimoSkupiny(const Tmereni& mereni) {
    int32_t n = 0;
    for (const Tzaznam& z : mereni.zaznam) n += (z.JePlny() && !z.JeVeSkupine()) ? 1 : 0;
    return n;
}

}  // namespace

VysledekAnalyzy AnalyzaSuroveMereni(Workspace& ws, Interaction& interakce,
                                    const WaitHook& /*cekani*/) {
    VysledekAnalyzy v;
    // The adjusted network belongs to the inputs of the previous analysis.
    ws.modelVyrovnany.Clear();
    ws.modelOdlehly.Clear();
    ws.grafika.Clear();
    ws.info.jeVyrovnanaSit = false;
    ws.info.jeAnalyzaTransformace = false;
    ws.info.jeProtokolVyrovnani = false;

    interakce.Stage(TextEtapy(ws, " ... [1]"));
    v.odstranenyRadky = ws.suroveMereni.SmazPrazdneZaznamyNaKonci();
    PoradiPrvniDruhaPoloha(ws.suroveMereni);
    v.pocetMimoSkupiny = PocetMimoSkupiny(ws.suroveMereni);

    std::optional<Zastaveni> z;
    try {
        z = Kroky(ws, interakce, v);
    } catch (const std::exception& e) {
        // Out of memory on a huge list: a failure like any other.
        z = Zastaveni{kOznameniChyba, e.what()};
    }
    if (z) {
        VycistitVysledky(ws);
        v.oznameni = z->cislo;
        if (v.chyba.empty()) v.chyba = z->podrobnosti;
        UkazatOznameni(ws, interakce, z->cislo, z->podrobnosti);
    } else {
        ws.info.jeAnalyzaSurovaMereni = true;
        v.uspech = true;
    }
    interakce.Stage(TextEtapy(ws, " ..."));
    interakce.Stage("");
    return v;
}

}  // namespace vertano
