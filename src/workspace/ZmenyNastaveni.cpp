#include "workspace/ZmenyNastaveni.h"

#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/Workspace.h"

namespace vertano {

void PoZmeneJednotek(Workspace& ws) {
    ws.ObnovitTexty();
    ws.state.ReportTextsChanged();
}

void PoZmeneKontroly(Workspace& ws) {
    ws.suroveMereni.JeZkontrolovanoNastavit(false);
    ws.doplnekVstup.Kontrola(DruhDoplnku::Delka, ws.nastaveni, ws.chyby);
    ws.doplnekVstup.Kontrola(DruhDoplnku::Prevyseni, ws.nastaveni, ws.chyby);
    KontrolaMereni(ws.suroveMereni, ws.nastaveni, ws.chyby, false);
    ws.state.AnalysisSettingsChanged();
}

void PoZmeneRedukce(Workspace& ws) {
    ws.state.AnalysisSettingsChanged();
}

void PoZmeneVyrovnani(Workspace& ws, bool zmenaZachovatSouradnice) {
    if (zmenaZachovatSouradnice || !ws.vahy.ZadanaPresnostAktualni(ws.nastaveni))
        ws.state.AnalysisSettingsChanged();
    ws.state.AdjustmentSettingsChanged();
}

void PoZmeneTransformace(Workspace& ws) {
    ws.state.TransformationSettingsChanged();
}

void PoZmeneProtokolu(Workspace& ws, const ZmenaProtokolu& zmena) {
    if (zmena.vyrovnani) ws.state.ReportSettingsChanged(Step::AdjustmentReport);
    if (zmena.transformaceSVyrovnanim)
        ws.state.ReportSettingsChanged(Step::TransformationWithAdjustmentReport);
    if (zmena.bodASmernik) ws.state.ReportSettingsChanged(Step::PointAndBearingReport);
}

void NastavitPresnost(Workspace& ws, const ZadanaPresnost& p) {
    nastaveni::Tvyrovnani& v = ws.nastaveni.vyrovnani;
    if (p.smer) v.odchylka_zadanaSmer = *p.smer;
    if (p.zenit) v.odchylka_zadanaZenit = *p.zenit;
    if (p.delka) v.odchylka_zadanaDelka = *p.delka;
    if (p.jednotkova) v.odchylkaJednotkovaApriorni = *p.jednotkova;
    ws.vahy.NastavitZadanouPresnost(ws.nastaveni, ws.info);
    ws.info.infoVahy.typVah = p.typVah;
    ws.vahy.VypocetVah(ws.info, ws.nastaveni);
    v.typVah = p.typVah;
    ws.state.AdjustmentSettingsChanged();
}

}  // namespace vertano
