#include <exception>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/SouradniceKontrola.h"
#include "processing/Polohy.h"
#include "processing/PorovnaniDelek.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/CislaOznameni.h"
#include "workspace/DruhyRadek.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/PripravaMereni.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

// Why the analysis stops: a notification number, with the library's reason when
// it gave one, and the second line that says what caused it.
struct Zastaveni {
    int32_t cislo = oznameni::kChyba;
    std::string podrobnosti{};
    bool zruseno = false;
    std::string druhyRadek{};
};

const Zastaveni kZruseno{oznameni::kChyba, {}, true};

// The stop for errors in a supplementary list: its number and the rows that failed.
Zastaveni ChybyDoplnku(const Workspace& ws, const int32_t cislo, std::string podrobnosti) {
    for (const DruhDoplnku druh : doplnek::kPoradiKontroly) {
        if (doplnek::OznameniChyby(druh) == cislo) {
            return Zastaveni{cislo, std::move(podrobnosti), false, RadekDoplnku(ws, druh)};
        }
    }
    return Zastaveni{cislo, std::move(podrobnosti)};
}

// The counters the analysis refuses to run with are filled by the checks of the
// input lists after every change; they are run again here so that a list edited
// without its check can never slip through.
std::optional<Zastaveni> KontrolaVstupu(Workspace& ws) {
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    KontrolaMeritka(ws.souradniceMeritko, ws.nastaveni, ws.chyby);
    ws.doplnekVstup.KontrolaCelkova(ws.nastaveni, ws.chyby);
    const Tchyby& c = ws.chyby;
    if (ws.souradniceFixni.PocetPlnychBodu() < 2 || c.souradniceFixniCekovyPocetChyb > 0) {
        return Zastaveni{oznameni::kBody, {}, false, RadekZadanychBodu(ws)};
    }
    if (c.souradniceMeritkoCekovyPocetChyb > 0) {
        return Zastaveni{oznameni::kMeritko, {}, false, RadekMeritka(ws)};
    }
    if (const int32_t n = OznameniChybDoplnku(c)) return ChybyDoplnku(ws, n, {});
    return std::nullopt;
}

// The determined points of the approximate list: the fixed ones are removed.
Tsouradnice Urcovane(const Tsouradnice& priblizne, const Tsouradnice& fixni) {
    Tsouradnice urcovane;
    for (const Tbod& b : priblizne.bod) {
        if (b.JePlny && !fixni.ExitujeBod(b.cislo)) urcovane.PridejBod(b);
    }
    return urcovane;
}

// The determined points that the given list fixes in plan or in height alone
// hold those coordinates at their given values.
void PrevzitFixniOsy(Tsouradnice& urcovane, const Tsouradnice& zadane) {
    std::unordered_map<std::string, const Tbod*> castecne;
    for (const Tbod& z : zadane.bod) {
        if (z.JePlny && z.JeFixni && z.JeCastecneFixni()) castecne.emplace(z.cislo, &z);
    }
    if (castecne.empty()) return;
    for (Tbod& b : urcovane.bod) {
        const auto it = castecne.find(b.cislo);
        if (!b.JePlny || it == castecne.end()) continue;
        const Tbod& z = *it->second;
        b.fixniOsy = z.fixniOsy;
        if (b.DrziOsu(0)) b.X = z.X;
        if (b.DrziOsu(1)) b.Y = z.Y;
        if (b.DrziOsu(2)) b.Z = z.Z;
    }
}

// The given points as the approximate coordinates start from them. The free
// coordinates of a point fixed in plan or in height alone (a height nobody
// knows, written as 0 or a guess) come from the measurements where two or
// more fully given points reach the point without it: a wrong height would
// otherwise spread to the heights and the reduced distances of its
// neighbours.
Tsouradnice SVolnymiOsami(const Tsouradnice& zadane, const Tmereni& skupiny, const Workspace& ws) {
    Tsouradnice uplne;
    bool castecne = false;
    for (const Tbod& b : zadane.bod) {
        if (!b.JePlny) continue;
        if (b.JeFixni && b.JeCastecneFixni()) {
            castecne = true;
        } else {
            uplne.PridejBod(b);
        }
    }
    if (!castecne || uplne.PocetPlnychBodu() < 2) return zadane;
    Tsouradnice predbezne;
    VysledekPriblizne historie;
    if (!PribliznePoRedukci(uplne, skupiny, ws.souradniceMeritko, ws.nastaveni, predbezne,
                            historie)) {
        return zadane;
    }
    std::unordered_map<std::string, const Tbod*> spocitane;
    for (const Tbod& b : predbezne.bod) {
        if (b.JePlny) spocitane.emplace(b.cislo, &b);
    }
    Tsouradnice zname = zadane;
    for (Tbod& b : zname.bod) {
        if (!b.JePlny || !b.JeFixni || !b.JeCastecneFixni()) continue;
        const auto it = spocitane.find(b.cislo);
        if (it == spocitane.end()) continue;
        if (!b.DrziOsu(0)) b.X = it->second->X;
        if (!b.DrziOsu(1)) b.Y = it->second->Y;
        if (!b.DrziOsu(2)) b.Z = it->second->Z;
    }
    return zname;
}

// Sorted by point number and numbered, as the adjustment and the windows take it.
void Seradit(Tsouradnice& body, const bool jeFixni) {
    for (Tbod& b : body.bod) b.JeFixni = jeFixni;
    body.Sort(Tsouradnice::kCislo);
    body.SeraditPoradi();
}

// The distances of the set means, reduced with the final coordinates, against
// the distances between all points with coordinates and between the fixed ones.
bool Porovnani(Workspace& ws, const Tmereni& skupiny, const Tsouradnice& priblizne,
               const Tsouradnice& fixni, int32_t& pocetPrekroceni) {
    Tmereni redukovane(skupiny);
    RedukceNaZnacky r;
    if (!RedukovatNaZnacky(redukovane, priblizne, ws.souradniceMeritko, ws.nastaveni, r)) {
        return false;
    }
    int32_t prekrocenoFixni = 0;
    return PorovnaniDelekSeSouradnicemi(redukovane, ws.porovnaniDelekPriblizne, priblizne,
                                        ws.nastaveni, pocetPrekroceni) &&
           PorovnaniDelekSeSouradnicemi(redukovane, ws.porovnaniDelekFixni, fixni, ws.nastaveni,
                                        prekrocenoFixni);
}

void NastavitPriznaky(Workspace& ws) {
    TanalyzaMereni& a = ws.info.analyzaMereni;
    a.mereniDoVyrovnani = ws.mereniVyrovnani.ExistujePlnyZaznam();
    a.souradnicePriblizne = ws.souradnicePriblizne.ExistujePlnyBod();
    a.souradniceFixni = ws.souradniceFixniVyrovnani.ExistujePlnyBod();
    a.delkyMeziFixBody = ws.porovnaniDelekFixni.ExistujePlnyZaznam();
}

// The pairs of points whose measured distance disagrees with their coordinates,
// for the warning: the user must know where to look.
std::string PrekroceneDvojice(const Tmereni& porovnani) {
    constexpr size_t kNejvic = 10;
    std::vector<std::string> dvojice;
    size_t pocet = 0;
    for (const Tzaznam& z : porovnani.zaznam) {
        if (z.poradi == 0 || !z.kontrola[0]) continue;
        if (++pocet <= kNejvic) dvojice.push_back(z.cislo_stn + " - " + z.cislo_cil);
    }
    std::string text;
    for (const std::string& d : dvojice) text += (text.empty() ? "" : ", ") + d;
    if (pocet > kNejvic) text += " (+" + std::to_string(pocet - kNejvic) + ")";
    return text;
}

// The preparation: face and set means, approximate coordinates, reduction,
// comparisons. A stop on an arithmetic failure of a reduction, or when no given
// point occurs in the measurements: the network would then lie wherever its
// first station happened to be put.
std::optional<Zastaveni> Priprava(Workspace& ws, VysledekAnalyzy& v, int32_t& pocetPrekroceni,
                                  Preruseni& preruseni) {
    PrumeryMereni prumery;
    if (!SpocitatPrumery(ws.suroveMereni, prumery)) return Zastaveni{};
    v.nevyuzita = NajitNevyuzita(ws.souradniceFixni, prumery.cislaBodu);
    const ZadaneBody zadane = ZadaneVMereni(ws.souradniceFixni, prumery.cislaBodu);
    if (!zadane.vse.ExistujePlnyBod()) {
        return Zastaveni{oznameni::kKonfigurace, {}, false, RadekBezZadanychVMereni(ws)};
    }
    Tsouradnice priblizne;
    const Tsouradnice zname = SVolnymiOsami(zadane.vse, prumery.skupiny, ws);
    // The constructions of a large network take long: a stop is honoured
    // between their passes and iterations.
    MoznostiPriblizne moznosti;
    moznosti.zrusit = [&preruseni] { return preruseni.Zadano(); };
    if (preruseni.Zadano()) return kZruseno;
    if (!PribliznePoRedukci(zname, prumery.skupiny, ws.souradniceMeritko, ws.nastaveni, priblizne,
                            v.priblizne, moznosti)) {
        return preruseni.Zadano() ? kZruseno : Zastaveni{};
    }
    if (preruseni.Zadano()) return kZruseno;
    // The precision lists refer to the rows of these means by index: they go
    // with the rows they refer to and are computed anew from the new ones.
    ws.vahy.Prazdny();
    ws.mereniVyrovnani = prumery.polohy;
    RedukceNaZnacky r;
    if (!RedukovatNaZnacky(ws.mereniVyrovnani, priblizne, ws.souradniceMeritko, ws.nastaveni, r)) {
        return Zastaveni{};
    }
    v.vynechana = std::move(r.vynechane);
    if (!Porovnani(ws, prumery.skupiny, priblizne, zadane.fixni, pocetPrekroceni)) {
        return Zastaveni{};
    }
    ws.souradnicePriblizne = Urcovane(priblizne, zadane.fixni);
    PrevzitFixniOsy(ws.souradnicePriblizne, zadane.vse);
    Seradit(ws.souradnicePriblizne, false);
    ws.souradniceFixniVyrovnani = zadane.fixni;
    Seradit(ws.souradniceFixniVyrovnani, true);
    ws.mereniVyrovnani.KopirovatSmerodatneOdchylky(ws.suroveMereni);
    NastavitPriznaky(ws);
    return std::nullopt;
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
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
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
    if (const int32_t n = OznameniChybDoplnku(ws.chyby)) return ChybyDoplnku(ws, n, {});
    const DoplnekPripravaVysledek r = ws.doplnekZpracovany.ZpracovaniDoVyrovnani(
        ws.doplnekVstup, ws.souradnicePriblizne, ws.souradniceFixniVyrovnani, ws.souradniceMeritko,
        ws.nastaveni, ws.info);
    if (!r.ok) {
        v.chyba = r.message;
        // A row that fails its check means the list contains errors (18-21);
        // anything else is a failure of the processing.
        if (doplnek::JeDruh(r.druh)) ws.doplnekVstup.Kontrola(r.druh, ws.nastaveni, ws.chyby);
        const int32_t n = OznameniChybDoplnku(ws.chyby);
        if (n != 0) return ChybyDoplnku(ws, n, r.message);
        return Zastaveni{oznameni::kChyba, r.message};
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
std::optional<Zastaveni> Kroky(Workspace& ws, Interaction& interakce, VysledekAnalyzy& v,
                               Preruseni& preruseni) {
    if (std::optional<Zastaveni> z = KontrolaVstupu(ws)) return z;
    if (preruseni.Zadano()) return kZruseno;
    int32_t pocetPrekroceni = 0;
    const std::optional<Zastaveni> zastaveni = Priprava(ws, v, pocetPrekroceni, preruseni);
    if (zastaveni && zastaveni->zruseno) return zastaveni;
    for (const std::string& text : VarovaniNevyuzitych(ws, v.nevyuzita)) {
        UkazatVarovani(ws, interakce, text);
    }
    if (zastaveni) return zastaveni;
    if (preruseni.Zadano()) return kZruseno;
    const std::string neurcene =
        RadekNeurcenych(ws, v.priblizne.neurcene, v.priblizne.duvodyNeurcenych);
    const bool zbyva = ws.mereniVyrovnani.ExistujePlnyZaznam();
    if (zbyva && !neurcene.empty()) UkazatVarovani(ws, interakce, neurcene);
    UkazatVynechanaMereni(ws, interakce, v.vynechana);
    if (!zbyva) return Zastaveni{oznameni::kKonfigurace, {}, false, neurcene};
    if (pocetPrekroceni > 0) {
        UkazatOznameni(ws, interakce, oznameni::kPrekroceniDelek,
                       PrekroceneDvojice(ws.porovnaniDelekPriblizne));
        v.varovani.push_back(oznameni::kPrekroceniDelek);
    }
    KopieProZobrazeni(ws);
    interakce.Stage(TextEtapy(ws, " ... [2]"));
    if (std::optional<Zastaveni> z = Doplnky(ws, interakce, v)) return z;
    if (preruseni.Zadano()) return kZruseno;
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
    ws.state.Failed(Step::Analysis);
}

int32_t PocetMimoSkupiny(const Tmereni& mereni) {
    int32_t n = 0;
    for (const Tzaznam& z : mereni.zaznam) n += (z.JePlny() && !z.JeVeSkupine()) ? 1 : 0;
    return n;
}

}  // namespace

VysledekAnalyzy AnalyzaSuroveMereni(Workspace& ws, Interaction& interakce, const Cekani& cekani) {
    VysledekAnalyzy v;
    // The adjusted network belongs to the inputs of the previous analysis.
    ws.modelVyrovnany.Clear();
    ws.modelOdlehly.Clear();
    ws.grafika.Clear();
    ws.state.Started(Step::Analysis);

    interakce.Stage(TextEtapy(ws, " ... [1]"));
    v.odstranenyRadky = ws.suroveMereni.SmazPrazdneZaznamyNaKonci();
    PoradiPrvniDruhaPoloha(ws.suroveMereni);
    v.pocetMimoSkupiny = PocetMimoSkupiny(ws.suroveMereni);

    Preruseni preruseni(cekani, &interakce);
    std::optional<Zastaveni> z;
    try {
        z = Kroky(ws, interakce, v, preruseni);
    } catch (const std::exception& e) {
        // Out of memory on a huge list: a failure like any other.
        z = Zastaveni{oznameni::kChyba, e.what()};
    }
    if (z && z->zruseno) {
        VycistitVysledky(ws);
        v.zruseno = true;
        UkazatZruseni(ws, interakce, false);
    } else if (z) {
        VycistitVysledky(ws);
        v.oznameni = z->cislo;
        v.druhyRadek = z->druhyRadek;
        if (v.chyba.empty()) v.chyba = z->podrobnosti;
        UkazatOznameni(ws, interakce, z->cislo, z->podrobnosti, z->druhyRadek);
    } else {
        ws.state.Computed(Step::Analysis);
        v.uspech = true;
    }
    interakce.Stage(TextEtapy(ws, " ..."));
    interakce.Stage("");
    return v;
}

}  // namespace vertano
