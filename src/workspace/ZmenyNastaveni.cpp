#include "workspace/ZmenyNastaveni.h"

#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/Workspace.h"

namespace vertano {

void PoZmeneJednotek(Workspace& ws) {
    ws.ObnovitTexty();
    ws.info.jeProtokolVyrovnani = false;
    ws.info.jeProtokolTransSVyr = false;
    ws.info.jeProtokolTransBodASmer = false;
}

void PoZmeneKontroly(Workspace& ws) {
    ws.suroveMereni.JeZkontrolovanoNastavit(false);
    ws.doplnekVstup.Kontrola(doplnek::kDelka, ws.nastaveni, ws.chyby);
    ws.doplnekVstup.Kontrola(doplnek::kPrevyseni, ws.nastaveni, ws.chyby);
    KontrolaMereni(ws.suroveMereni, ws.nastaveni, ws.chyby, false);
    ws.info.jeAnalyzaSurovaMereni = false;
}

void PoZmeneRedukce(Workspace& ws) {
    ws.info.jeAnalyzaSurovaMereni = false;
}

void PoZmeneVyrovnani(Workspace& ws, bool zmenaZachovatSouradnice) {
    if (zmenaZachovatSouradnice || !ws.vahy.ZadanaPresnostAktualni(ws.nastaveni))
        ws.info.jeAnalyzaSurovaMereni = false;
    ws.info.jeVyrovnanaSit = false;
}

void PoZmeneTransformace(Workspace& ws) {
    ws.info.jeTransformovanoSVyrovnanim = false;
}

void PoZmeneProtokolu(Workspace& ws, const ZmenaProtokolu& zmena) {
    if (zmena.vyrovnani) ws.info.jeProtokolVyrovnani = false;
    if (zmena.transformaceSVyrovnanim) ws.info.jeProtokolTransSVyr = false;
    if (zmena.bodASmernik) ws.info.jeProtokolTransBodASmer = false;
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
    v.typVah = static_cast<uint8_t>(p.typVah);
    ws.info.jeVyrovnanaSit = false;
}

}  // namespace vertano
