#include "workspace/PrikazySurovychMereni.h"

#include "mereni/Text.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/Protokoly.h"
#include "workspace/Vymena.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

void Ukazat(Interaction& interakce, const jazyk::Toznameni& o) {
    interakce.Notify(o.nadpis, o.text);
}

}  // namespace

VysledekPridaniSurovych PridatSurovaMereni(Workspace& ws,
                                           const std::vector<SouborKNacteni>& soubory) {
    VysledekPridaniSurovych v;
    for (const SouborKNacteni& s : soubory) {
        LoadedRawFile f =
            s.format == exchange::kKodGsi
                ? NactiSurovaMereniVymena(ws, s.cesta, s.format)
                : NactiSoubor(ws.suroveMereni, ws.info, ws.nastaveni, s.cesta, s.format);
        if (f.id != 0) ++v.registrovano;
        if (f.result.ok && f.rowsAdded > 0) ++v.nacteno;
        if (f.result.ok) v.pocetMereni += f.rowsAdded;
        v.soubory.push_back(std::move(f));
    }
    IdentifikujSkupiny(ws.suroveMereni);
    KontrolaMereni(ws.suroveMereni, ws.nastaveni, ws.chyby, false);
    if (v.registrovano > 0) {
        ws.state.MeasurementsChanged();
        // The report of this addition, as the main window keeps it.
        ProtokolPridanychSouboru(ws, info::kSurovaMereni, v.registrovano);
    }
    return v;
}

PripravenaSurova NacistSurovaMereni(const Workspace& ws, const std::vector<SouborKNacteni>& soubory,
                                    Interaction& interakce) {
    PripravenaSurova p{{}, ws.suroveMereni, ws.info, ws.chyby};
    VysledekPridaniSurovych& v = p.vysledek;
    const auto pocet = static_cast<int64_t>(soubory.size());
    for (std::size_t i = 0; i < soubory.size() && !v.zruseno; ++i) {
        const SouborKNacteni& s = soubory[i];
        interakce.Stage(TextEtapy(ws, " ... " + s.cesta.filename().string()));
        if (pocet > 1) interakce.Progress(static_cast<int64_t>(i), pocet);
        LoadedRawFile f =
            s.format == exchange::kKodGsi
                ? NactiSurovaMereniVymena(p.mereni, p.info, ws.nastaveni, s.cesta, s.format)
                : NactiSoubor(p.mereni, p.info, ws.nastaveni, s.cesta, s.format);
        if (f.id != 0) ++v.registrovano;
        if (f.result.ok && f.rowsAdded > 0) ++v.nacteno;
        if (f.result.ok) v.pocetMereni += f.rowsAdded;
        v.soubory.push_back(std::move(f));
        v.zruseno = interakce.StopRequested();
    }
    if (!v.zruseno) {
        interakce.Stage(TextEtapy(ws, " ..."));
        IdentifikujSkupiny(p.mereni);
        v.zruseno = interakce.StopRequested();
    }
    if (!v.zruseno) {
        KontrolaMereni(p.mereni, ws.nastaveni, p.chyby, false);
        v.zruseno = interakce.StopRequested();
    }
    interakce.Stage("");
    return p;
}

VysledekPridaniSurovych PrevzitSurovaMereni(Workspace& ws, PripravenaSurova&& pripravena) {
    VysledekPridaniSurovych v = std::move(pripravena.vysledek);
    if (v.zruseno) return v;
    ws.suroveMereni = std::move(pripravena.mereni);
    ws.info = std::move(pripravena.info);
    ws.chyby = std::move(pripravena.chyby);
    if (v.registrovano > 0) {
        ws.state.MeasurementsChanged();
        ProtokolPridanychSouboru(ws, info::kSurovaMereni, v.registrovano);
    }
    return v;
}

jazyk::Toznameni OznameniPridaniSurovych(const Workspace& ws, const VysledekPridaniSurovych& v) {
    const jazyk::Thlaseni& h = ws.jazyk.hlaseni;
    return {ws.jazyk.nadpis.pridatSurovaMereni,
            h.pridaneSoubory + FormatInteger(v.nacteno) + "/" + FormatInteger(v.registrovano) +
                " (" + h.poceZaznamu + FormatInteger(v.pocetMereni) + ")"};
}

VysledekZpracovani ZpracovatSurovaMereni(Workspace& ws, Interaction& interakce,
                                         const VolbyZpracovani& volby) {
    VysledekZpracovani v;
    interakce.Stage(TextEtapy(ws, " ... [1]"));
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    if (volby.soucasne || volby.zrcadlit || volby.smazatMimoSkupiny) {
        interakce.Stage(TextEtapy(ws, " ... [2]"));
    }
    if (volby.soucasne) v.nalezeno = NajitSkupiny(ws, interakce);
    if (volby.zrcadlit) {
        const int32_t pridano = ZrcadlitMimoSkupiny(ws.suroveMereni, ws.nastaveni);
        if (pridano > 0) ws.state.MeasurementsChanged();
        Ukazat(interakce, OznameniZrcadleni(ws.jazyk, pridano));
        v.zrcadleno = pridano;
        if (pridano > 0 && volby.soucasne) v.nalezenoPoZrcadleni = NajitSkupiny(ws, interakce);
    }
    if (volby.smazatMimoSkupiny) v.smazano = SmazatMimoSkupiny(ws, interakce);
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    v.pocetChyb = ChybySurovychMereni(ws);
    interakce.Stage("");
    return v;
}

PocetSerazenych NajitSkupiny(Workspace& ws, Interaction& interakce) {
    const PocetSerazenych n = NajitMerickeSkupiny(ws.suroveMereni, ws.nastaveni, ws.chyby);
    if (n.mereni > 0) ws.state.MeasurementsChanged();
    Ukazat(interakce, OznameniNalezeniSkupin(ws.jazyk, n));
    return n;
}

PocetSerazenych SeraditPolohy(Workspace& ws, Interaction& interakce) {
    const PocetSerazenych n = SeraditDlePoloh(ws.suroveMereni);
    if (n.mereni > 0) {
        KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
        ws.state.MeasurementsChanged();
    }
    Ukazat(interakce, OznameniSerazeniDlePoloh(ws.jazyk, n));
    return n;
}

int32_t ZrcadlitMereni(Workspace& ws, Interaction& interakce) {
    const int32_t n = ZrcadlitMimoSkupiny(ws.suroveMereni, ws.nastaveni);
    if (n > 0) {
        KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
        ws.state.MeasurementsChanged();
    }
    Ukazat(interakce, OznameniZrcadleni(ws.jazyk, n));
    return n;
}

int32_t SmazatMimoSkupiny(Workspace& ws, Interaction& interakce) {
    const int32_t n =
        SmazatZaznamyMimoSkupiny(ws.suroveMereni, ws.nastaveni, ws.chyby, ws.jazyk, interakce);
    if (n > 0) ws.state.MeasurementsChanged();
    return n;
}

int32_t ChybySurovychMereni(const Workspace& ws) {
    return ws.chyby.suroveMereniCekovyPocetChyb;
}

bool AnalyzaPovolena(const Workspace& ws) {
    return !ws.state.Current(Step::Analysis) && ws.suroveMereni.ExistujeZarazenyZaznamDoSkupiny() &&
           ChybySurovychMereni(ws) == 0;
}

bool VyrovnaniPovoleno(const Workspace& ws) {
    const TanalyzaMereni& a = ws.info.analyzaMereni;
    return ws.state.Current(Step::Analysis) && a.mereniDoVyrovnani && a.souradnicePriblizne;
}

}  // namespace vertano
