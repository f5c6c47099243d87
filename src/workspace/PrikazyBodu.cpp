#include "workspace/PrikazyBodu.h"

#include <string>
#include <utility>

#include "data/SouradniceKontrola.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/Protokoly.h"
#include "workspace/Workspace.h"

namespace vertano {

CoordinateLoadReport PridatZadaneBody(Workspace& ws,
                                      const std::vector<std::filesystem::path>& cesty) {
    ws.nastaveni.okno.bodyVstup = kBodyVstupFixni;
    CoordinateLoadReport r =
        NacteniSouboru(ws.souradniceFixni, ws.info, ws.nastaveni, cesty, ws.chyby);
    if (r.RegisteredFiles() > 0) {
        ws.state.GivenPointsChanged();
        ProtokolPridanychSouboru(ws, info::kSouradniceFixni, r.RegisteredFiles());
    }
    return r;
}

CoordinateLoadReport PridatMeritka(Workspace& ws, const std::vector<std::filesystem::path>& cesty) {
    CoordinateLoadReport r =
        NacteniSouboruMeritko(ws.souradniceMeritko, ws.info, ws.nastaveni, cesty, ws.chyby);
    if (r.RegisteredFiles() > 0) {
        ws.state.ScaleFactorsChanged();
        ProtokolPridanychSouboru(ws, info::kSouradniceMeritkoVstup, r.RegisteredFiles());
    }
    return r;
}

SupplementaryLoadReport PridatDoplnky(Workspace& ws, DruhDoplnku druh,
                                      const std::vector<std::filesystem::path>& cesty) {
    SupplementaryLoadReport r =
        NacteniSouboruDoplnek(ws.doplnekVstup, druh, ws.info, ws.nastaveni, ws.chyby, cesty);
    // The list was checked again even when no file was read.
    if (doplnek::JeDruh(druh)) ws.state.MeasurementsChanged();
    if (r.RegisteredFiles() > 0)
        ProtokolPridanychSouboru(ws, doplnek::TypSouboru(druh), r.RegisteredFiles());
    return r;
}

namespace {

jazyk::Toznameni OznameniPridani(const Workspace& ws, const CoordinateLoadReport& r,
                                 std::string nadpis) {
    const Tjazyk& j = ws.jazyk;
    int32_t nacteno = 0;
    int32_t bodu = 0;
    for (const LoadedCoordinateFile& f : r.files) {
        if (f.result.ok && f.pointsAdded > 0) ++nacteno;
        if (f.result.ok) bodu += f.pointsAdded;
    }
    return {std::move(nadpis), j.hlaseni.pridaneSoubory + FormatInteger(nacteno) + "/" +
                                   FormatInteger(r.RegisteredFiles()) + " (" + j.hlaseni.pocetBodu +
                                   FormatInteger(bodu) + ")"};
}

}  // namespace

jazyk::Toznameni OznameniPridaniBodu(const Workspace& ws, const CoordinateLoadReport& r,
                                     bool meritka) {
    const Tjazyk& j = ws.jazyk;
    return OznameniPridani(
        ws, r,
        meritka ? j.nadpis.pridatBody + " - " + j.popis.meritkoveKoeficienty : j.nadpis.pridatBody);
}

jazyk::Toznameni OznameniPridaniIdentickych(const Workspace& ws, const CoordinateLoadReport& r) {
    return OznameniPridani(ws, r,
                           ws.jazyk.nadpis.pridatBody + " - " + ws.jazyk.tlacitko.identickeBody);
}

CoordinateLoadReport PridatIdentickeBody(Workspace& ws,
                                         const std::vector<std::filesystem::path>& cesty) {
    ws.nastaveni.okno.bodyVstup = kBodyVstupIdenticke;
    CoordinateLoadReport r =
        NacteniSouboru(ws.souradniceTransformaceVstup, ws.info, ws.nastaveni, cesty, ws.chyby);
    if (r.RegisteredFiles() > 0) {
        ws.state.IdenticalPointsChanged();
        ProtokolPridanychSouboru(ws, info::kSouradniceTransformaceVstup, r.RegisteredFiles());
    }
    return r;
}

}  // namespace vertano
