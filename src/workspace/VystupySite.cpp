#include "workspace/VystupySite.h"

#include <QImage>

#include "drawing/TContainer.h"
#include "drawing/TDXFwriterSit.h"
#include "files/EtapaSoubor.h"
#include "workspace/CislaOznameni.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

VysledekUlozeni Selhani(Workspace& ws, std::string chyba) {
    ws.chyby.Oznameni(oznameni::kUkladani);
    return {false, std::move(chyba)};
}

bool MaVysledek(const Workspace& ws) {
    return ws.info.jeVyrovnanaSit && ws.grafika.pocetBodu > 0;
}

std::string BezVysledku(const std::filesystem::path& cesta) {
    return "Cannot save " + cesta.string() + ": there is no network adjustment to save";
}

// The drawing data as the drawing window shows them: the adjusted coordinates in
// the axes of the settings.
bool DataKresby(const Workspace& ws, TgrafikaData& data) {
    data.Kopiruj(ws.grafika);
    return data.PrepsatSouradnice(ws.modelVyrovnany.souradnice,
                                  ws.nastaveni.jednotky.souradnicovySystem);
}

EtapaObsah EtapaSite(const Workspace& ws) {
    const Tmodel2& m = ws.modelVyrovnany;
    EtapaObsah e;
    e.pocetSmer = m.pocetSmer;
    e.pocetZenit = m.pocetZenit;
    e.pocetDelka = m.pocetDelka;
    e.pocetDoplnekDelka = m.doplnek.pocetDelka;
    e.pocetDoplnekSmernik = m.doplnek.pocetSmernik;
    e.pocetDoplnekPrevyseni = m.doplnek.pocetPrevyseni;
    e.pocetDoplnekProvazeni = m.doplnek.pocetProvazeni;
    e.pocetMereni = m.pocetMereni;
    e.pocetBodu = m.pocetSouradnic / 3;
    e.pocetBoduUrcovanych = m.pocetSouradnicUrcovanych / 3;
    e.pocetBoduFixnich = m.pocetSouradnicFixnich / 3;
    e.pocetPosunu = m.pocetPosunu;
    e.pocetNeznamych = m.pocetNeznamych;
    e.pocetNadbytecnych = m.pocetNadbytecnych;
    e.pocetPodminek = m.pocetPodminek;
    e.odchylkaJednotkovaAprior = m.odchylkaJednotkovaAprior;
    e.odchylkaJednotkovaAposterior = m.odchylkaJednotkovaAposterior;
    e.body = &m.souradnice;
    e.kofaktory = KofaktoryEtapy(m.maticeATPA, m.pocetSouradnicUrcovanych);
    e.mereni = ws.grafika.mereni2Str();
    return e;
}

}  // namespace

VysledekUlozeni ZapsatEtapuSite(Workspace& ws, const std::filesystem::path& cesta) {
    if (!MaVysledek(ws)) return Selhani(ws, BezVysledku(cesta));
    const EtapaObsah etapa = EtapaSite(ws);
    if (etapa.kofaktory.empty() && ws.modelVyrovnany.pocetSouradnicUrcovanych > 0)
        return Selhani(ws, "Cannot save " + cesta.string() +
                               ": the cofactor matrix of the adjustment is not available");
    std::string chyba;
    if (!ZapsatEtapu(cesta, etapa, chyba)) return Selhani(ws, std::move(chyba));
    return {true, {}};
}

VysledekUlozeni ExportovatDXFSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int jazyk) {
    if (!MaVysledek(ws)) return Selhani(ws, BezVysledku(cesta));
    TgrafikaData data;
    if (!DataKresby(ws, data))
        return Selhani(ws, "Cannot save " + cesta.string() + ": " + data.chyba);
    std::string chyba;
    if (!ExportovatDXF(data, ws.nastaveni.jednotky.souradnicovySystem, volby, jazyk, cesta, chyba))
        return Selhani(ws, std::move(chyba));
    return {true, {}};
}

VysledekUlozeni UlozitObrazekSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int sirka, int vyska) {
    if (!MaVysledek(ws)) return Selhani(ws, BezVysledku(cesta));
    if (sirka < kMinRozmerObrazku || sirka > kMaxRozmerObrazku || vyska < kMinRozmerObrazku ||
        vyska > kMaxRozmerObrazku)
        return Selhani(ws, "Cannot save " + cesta.string() + ": the picture size is out of range");
    TgrafikaData data;
    if (!DataKresby(ws, data))
        return Selhani(ws, "Cannot save " + cesta.string() + ": " + data.chyba);
    QImage obrazek(sirka, vyska, QImage::Format_RGB32);
    TContainer platno;
    platno.ConnectBitmap(obrazek);
    platno.ConnectData(data);
    platno.NastavitVolby(volby);
    platno.PaintSettings.AxesType = ws.nastaveni.jednotky.souradnicovySystem;
    platno.PaintSettings.UnitType = ws.nastaveni.jednotky.souradnice;
    platno.CalcDefView();
    platno.PaintAll();
    std::string chyba;
    if (!UlozitObrazek(obrazek, cesta.string(), chyba)) return Selhani(ws, std::move(chyba));
    return {true, {}};
}

}  // namespace vertano
