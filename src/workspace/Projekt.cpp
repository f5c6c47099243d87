#include "workspace/Projekt.h"

#include <utility>

#include "data/SouradniceKontrola.h"
#include "files/ProjektNastaveni.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/CislaOznameni.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

ProjektZdroj ZdrojZWorkspace(const Workspace& ws) {
    ProjektZdroj z;
    z.nastaveni = &ws.nastaveni;
    z.suroveMereni = &ws.suroveMereni;
    z.bodyFixni = &ws.souradniceFixni;
    z.bodyIdenticke = &ws.souradniceTransformaceVstup;
    z.meritko = &ws.souradniceMeritko;
    z.doplnek[static_cast<size_t>(DoplnekProjekt::Delka)] = &ws.doplnekVstup.delka;
    z.doplnek[static_cast<size_t>(DoplnekProjekt::Smernik)] = &ws.doplnekVstup.smernik;
    z.doplnek[static_cast<size_t>(DoplnekProjekt::Prevyseni)] = &ws.doplnekVstup.prevyseni;
    z.doplnek[static_cast<size_t>(DoplnekProjekt::Provazeni)] = &ws.doplnekVstup.provazeni;
    return z;
}

// Every result was computed from the lists just replaced. The file lists are
// left to the caller.
void ZneplatnitVysledky(Workspace& ws) {
    ws.state.InputsReplaced();
    ws.info.infoVahy = TinfoVahy{};
    ws.info.analyzaMereni = TanalyzaMereni{};
}

void KontrolaSeznamu(Workspace& ws) {
    ws.suroveMereni.JeZkontrolovanoNastavit(false);
    IdentifikujSkupiny(ws.suroveMereni);
    KontrolaMereni(ws.suroveMereni, ws.nastaveni, ws.chyby, false);
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    KontrolaSouradnic(ws.souradniceTransformaceVstup, kBodyVstupIdenticke, ws.chyby);
    KontrolaMeritka(ws.souradniceMeritko, ws.nastaveni, ws.chyby);
    ws.doplnekVstup.KontrolaCelkova(ws.nastaveni, ws.chyby);
}

// Settings the file does not carry keep the values in force.
VysledekProjektu Cist(const Workspace& ws, const std::filesystem::path& cesta,
                      ProjektObsah& obsah) {
    obsah.nastaveni = ws.nastaveni;
    VysledekProjektu v;
    v.soubor = CistProjekt(cesta, obsah);
    v.uspech = v.soubor.ok;
    return v;
}

}  // namespace

void NastavitSouboryProjektu(Tinfo& info, const std::filesystem::path& cesta, int32_t typProjekt) {
    info::Tsoubor soubor = info::FileEntryFromPath(cesta, typProjekt, true, 0);
    soubor.ID = 1;
    for (int typ = 0; typ < info::kPocetTypu; ++typ) {
        info.PocetSouboru(0, typ);
        info.PridejSoubor(soubor, typ);
    }
    info.souborProjekt = soubor;
}

VysledekProjektu UlozitProjekt(Workspace& ws, const std::filesystem::path& cesta) {
    VysledekProjektu v;
    v.soubor = ZapsatProjekt(cesta, ZdrojZWorkspace(ws));
    v.uspech = v.soubor.ok;
    if (!v.uspech) {
        ws.chyby.Oznameni(oznameni::kUkladani);
        return v;
    }
    NastavitSouboryProjektu(ws.info, cesta, ws.nastaveni.souborVstup.typProjekt);
    ws.state.MarkSaved(SettingsAsStored(ws.nastaveni));
    return v;
}

VysledekProjektu OtevritProjektBezZtraty(Workspace& ws, const std::filesystem::path& cesta) {
    ProjektObsah obsah;
    const VysledekProjektu v = Cist(ws, cesta, obsah);
    if (v.uspech) PrevzitProjekt(ws, std::move(obsah), cesta);
    return v;
}

VysledekProjektu OtevritProjekt(Workspace& ws, const std::filesystem::path& cesta) {
    ProjektObsah obsah;
    const VysledekProjektu v = Cist(ws, cesta, obsah);
    if (v.uspech) {
        PrevzitProjekt(ws, std::move(obsah), cesta);
        return v;
    }
    // What the failed file gave is gone; so is what was open before.
    ws.nastaveni = obsah.nastaveni;
    ws.suroveMereni.Clear();
    ws.souradniceFixni.Clear();
    ws.souradniceTransformaceVstup.Clear();
    ws.souradniceMeritko.Clear();
    ws.doplnekVstup.Clear();
    ws.info.souborProjekt = info::Tsoubor{};
    ZneplatnitVysledky(ws);
    KontrolaSeznamu(ws);
    ws.ObnovitTexty();
    return v;
}

void PrevzitProjekt(Workspace& ws, ProjektObsah&& obsah, const std::filesystem::path& cesta) {
    ws.nastaveni = obsah.nastaveni;
    ws.suroveMereni = std::move(obsah.suroveMereni);
    for (Tzaznam& z : ws.suroveMereni.zaznam) z.soubor = 1;
    ws.souradniceFixni = std::move(obsah.bodyFixni);
    ws.souradniceTransformaceVstup = std::move(obsah.bodyIdenticke);
    ws.souradniceMeritko = std::move(obsah.meritko);
    for (Tsouradnice* s :
         {&ws.souradniceFixni, &ws.souradniceTransformaceVstup, &ws.souradniceMeritko})
        for (Tbod& b : s->bod) b.soubor = 1;
    ws.doplnekVstup.Clear();
    ws.doplnekVstup.delka = std::move(obsah.Doplnek(DoplnekProjekt::Delka));
    ws.doplnekVstup.smernik = std::move(obsah.Doplnek(DoplnekProjekt::Smernik));
    ws.doplnekVstup.prevyseni = std::move(obsah.Doplnek(DoplnekProjekt::Prevyseni));
    ws.doplnekVstup.provazeni = std::move(obsah.Doplnek(DoplnekProjekt::Provazeni));
    for (const DruhDoplnku druh : doplnek::kPoradiKontroly)
        for (Tzaznam& z : ws.doplnekVstup.Seznam(druh)->zaznam) z.soubor = 1;
    ZneplatnitVysledky(ws);
    NastavitSouboryProjektu(ws.info, cesta, ws.nastaveni.souborVstup.typProjekt);
    KontrolaSeznamu(ws);
    ws.ObnovitTexty();
    // What was opened is what the file holds: nothing is unsaved.
    ws.state.MarkSaved(SettingsAsStored(ws.nastaveni));
}

std::vector<std::string> SettingsAsStored(const Tnastaveni& nastaveni) {
    std::vector<std::string> radky;
    // A value the writer refuses leaves no lines, which differ from any saved ones.
    ZapsatNastaveni(nastaveni, radky);
    return radky;
}

bool HasUnsavedChanges(const Workspace& ws) {
    const bool vstupy = !ws.suroveMereni.zaznam.empty() || ws.souradniceFixni.Pocet() > 0 ||
                        ws.souradniceTransformaceVstup.Pocet() > 0 ||
                        ws.souradniceMeritko.Pocet() > 0 || ws.doplnekVstup.PocetMereni() > 0;
    // Inputs that came from other files are in no project yet.
    if (vstupy && ws.info.souborProjekt.jmeno.empty()) return true;
    return ws.state.InputsChangedSinceSave() ||
           SettingsAsStored(ws.nastaveni) != ws.state.SavedSettings();
}

}  // namespace vertano
