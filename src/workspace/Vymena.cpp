#include "workspace/Vymena.h"

#include "adjustment/Tvahy.h"
#include "data/SouradniceKontrola.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/Protokoly.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace fs = std::filesystem;

namespace {

// The notes of one file; the front end names the file.
std::vector<std::string> Poznamky(const std::vector<exchange::Poznamka>& p) {
    return exchange::PopisPoznamek(p);
}

void Cislovat(Tmereni& seznam) {
    int32_t n = 0;
    for (Tzaznam& z : seznam.zaznam)
        if (z.JePlny()) z.poradi = ++n;
}

}  // namespace

LoadedRawFile NactiSurovaMereniVymena(Workspace& ws, const fs::path& cesta, int kod) {
    return NactiSurovaMereniVymena(ws.suroveMereni, ws.info, ws.nastaveni, cesta, kod);
}

LoadedRawFile NactiSurovaMereniVymena(Tmereni& mereni, Tinfo& registr, const Tnastaveni& nastaveni,
                                      const fs::path& cesta, int kod) {
    LoadedRawFile f;
    f.path = cesta;
    exchange::Import import;
    f.result = exchange::Importovat(exchange::Format::Gsi, exchange::Obsah::SurovaMereni, cesta,
                                    nastaveni, {}, import);
    if (f.result.error == FileError::CannotOpen) {
        f.message = f.result.note;
        return f;
    }
    const bool nacteni = f.result.ok && import.mereni.ExistujePlnyZaznam();
    f.id = registr.RegistrovatSoubor(info::kSurovaMereni, cesta, kod, nacteni, f.result.counter);
    if (!f.result.ok) {
        f.message = cesta.string() + ": " + DescribeFileFailure(f.result);
        return f;
    }
    f.poznamky = Poznamky(import.poznamky);
    f.rowsAdded = import.mereni.PocetPlnychZaznamu();
    mereni.PridejMereniSouboru(std::move(import.mereni), f.id);
    return f;
}

CoordinateLoadReport PridatBodyCsv(Workspace& ws, const std::vector<fs::path>& cesty,
                                   const exchange::CsvVolby& volby,
                                   std::vector<std::string>& poznamky) {
    CoordinateLoadReport r;
    int32_t registrovano = 0;
    for (const fs::path& cesta : cesty) {
        LoadedCoordinateFile f;
        f.path = cesta;
        exchange::Import import;
        f.result = exchange::Importovat(exchange::Format::Csv, exchange::Obsah::Body, cesta,
                                        ws.nastaveni, volby, import);
        if (f.result.error == FileError::CannotOpen) {
            f.message = f.result.note;
            r.files.push_back(f);
            r.stopped = true;
            break;
        }
        f.id = ws.info.RegistrovatSoubor(info::kSouradniceFixni, cesta, 0,
                                         f.result.ok && import.body.ExistujePlnyBod(),
                                         f.result.counter);
        ++registrovano;
        if (!f.result.ok) {
            f.message = cesta.string() + ": " + DescribeFileFailure(f.result);
            r.files.push_back(f);
            continue;
        }
        for (Tbod& b : import.body.bod) {
            b.soubor = f.id;
            ws.souradniceFixni.PridejBod(b);
        }
        f.pointsAdded = import.body.PocetPlnychBodu();
        for (const std::string& p : Poznamky(import.poznamky))
            poznamky.push_back(cesta.string() + ": " + p);
        r.files.push_back(f);
    }
    ws.souradniceFixni.SeraditPoradi();
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    if (registrovano > 0) {
        ws.state.GivenPointsChanged();
        ProtokolPridanychSouboru(ws, info::kSouradniceFixni, registrovano);
    }
    return r;
}

VysledekImportuSite ImportovatSit(Workspace& ws, const fs::path& cesta) {
    VysledekImportuSite v;
    exchange::Import import;
    v.vysledek = exchange::Importovat(exchange::Format::Gama, exchange::Obsah::Sit, cesta,
                                      ws.nastaveni, {}, import);
    if (v.vysledek.error == FileError::CannotOpen) {
        v.zprava = v.vysledek.note;
        return v;
    }
    const int32_t id = ws.info.RegistrovatSoubor(info::kSurovaMereni, cesta, exchange::kKodGama,
                                                 v.vysledek.ok, v.vysledek.counter);
    if (!v.vysledek.ok) {
        v.zprava = cesta.string() + ": " + DescribeFileFailure(v.vysledek);
        return v;
    }
    v.poznamky = Poznamky(import.poznamky);
    v.pocetMereni = import.mereni.PocetPlnychZaznamu();
    ws.suroveMereni.PridejMereniSouboru(std::move(import.mereni), id);
    // As after "Add ...": the sets of the new stations found, the rows checked.
    IdentifikujSkupiny(ws.suroveMereni);
    KontrolaMereni(ws.suroveMereni, ws.nastaveni, ws.chyby, false);
    for (Tbod b : import.body.bod) {
        b.soubor = id;
        ws.souradniceFixni.PridejBod(b);
        ++v.pocetBodu;
    }
    ws.souradniceFixni.SeraditPoradi();
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    for (const DruhDoplnku druh : doplnek::kPoradiKontroly) {
        Tmereni* cil = ws.doplnekVstup.Seznam(druh);
        for (const Tzaznam& z : import.doplnky.Seznam(druh)->zaznam) {
            if (!z.JePlny()) continue;
            cil->PridejZaznam(z);
            ++v.pocetDoplnku;
        }
        Cislovat(*cil);
        ws.doplnekVstup.Kontrola(druh, ws.nastaveni, ws.chyby);
    }
    // The file's standard deviations are the weights.
    ws.nastaveni.vyrovnani.typVah = ZdrojVah::Zadana;
    ws.state.MeasurementsChanged();
    ws.state.GivenPointsChanged();
    ws.state.AnalysisSettingsChanged();
    ProtokolPridanychSouboru(ws, info::kSurovaMereni, 1);
    return v;
}

VysledekUlozeni ExportovatVysledky(const Workspace& ws, exchange::Format f,
                                   const exchange::VolbyExportu& volby, const fs::path& cesta) {
    VysledekUlozeni v;
    exchange::VyrovnanaSit sit;
    if (!VyrovnanaSitProVymenu(ws, sit)) {
        v.chyba = "no adjusted network to export";
        return v;
    }
    std::vector<std::string> radky;
    const FileResult r = exchange::Exportovat(f, sit, volby, radky);
    if (!r.ok) {
        v.chyba = "Cannot export " + cesta.string() +
                  " (the file was not changed): " + FileErrorText(r.error) +
                  (r.note.empty() ? "" : ": " + r.note);
        return v;
    }
    v.uspech = SaveTextFile(cesta, radky, v.chyba);
    return v;
}

}  // namespace vertano
