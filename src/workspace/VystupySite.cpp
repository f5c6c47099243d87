#include "workspace/VystupySite.h"

#include <QImage>

#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
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

const TmodelTransformacePrevod* Prevod(const Workspace& ws, DruhVysledku vysledek) {
    if (vysledek == DruhVysledku::BodASmernik) return &ws.prevodBodASmernik;
    if (vysledek == DruhVysledku::TransformaceSVyrovnanim) return &ws.prevodSVyrovnanim;
    return nullptr;
}

}  // namespace

bool MaVysledekSite(const Workspace& ws, DruhVysledku vysledek) {
    const bool aktualni = vysledek == DruhVysledku::BodASmernik
                              ? ws.state.Current(Step::PointAndBearing)
                          : vysledek == DruhVysledku::TransformaceSVyrovnanim
                              ? ws.state.Current(Step::TransformationWithAdjustment)
                              : ws.state.Current(Step::Adjustment);
    return aktualni && ws.state.Current(Step::Adjustment) && ws.grafika.pocetBodu > 0;
}

namespace {

std::string BezVysledku(const std::filesystem::path& cesta, DruhVysledku vysledek) {
    return "Cannot save " + cesta.string() + ": there is no " +
           (vysledek == DruhVysledku::Vyrovnani ? "network adjustment" : "transformation") +
           " to save";
}

}  // namespace

const Tsouradnice& BodyVysledku(const Workspace& ws, DruhVysledku vysledek) {
    const TmodelTransformacePrevod* p = Prevod(ws, vysledek);
    return p != nullptr ? p->Souradnice() : ws.modelVyrovnany.Vysledek().Souradnice();
}

bool DataKresbySite(const Workspace& ws, DruhVysledku vysledek, TgrafikaData& data) {
    data.Kopiruj(ws.grafika);
    return data.PrepsatSouradnice(BodyVysledku(ws, vysledek),
                                  ws.nastaveni.jednotky.souradnicovySystem);
}

namespace {

// The columns of the cofactors as the sparse path computes them, reported to
// the interaction (when there is one) and stopped at its request.
bool SloupceEtapy(const VysledekSite& m, Interaction* interakce, bool& zruseno,
                  const std::function<bool(int32_t, const Tvector&)>& visit) {
    const int32_t n = m.PocetSouradnicUrcovanych();
    if (interakce == nullptr) return m.KofaktoroveSloupce(n, visit);
    return m.KofaktoroveSloupce(n, [&](int32_t j, const Tvector& sloupec) {
        if (interakce->StopRequested()) {
            zruseno = true;
            return false;
        }
        interakce->Progress(j, n);
        return visit(j, sloupec);
    });
}

EtapaObsah Etapa(const Workspace& ws, DruhVysledku vysledek, Interaction* interakce,
                 bool& zruseno) {
    const VysledekSite m = ws.modelVyrovnany.Vysledek();
    EtapaObsah e;
    e.pocetSmer = m.PocetSmer();
    e.pocetZenit = m.PocetZenit();
    e.pocetDelka = m.PocetDelka();
    e.pocetDoplnekDelka = m.Doplnek().pocetDelka;
    e.pocetDoplnekSmernik = m.Doplnek().pocetSmernik;
    e.pocetDoplnekPrevyseni = m.Doplnek().pocetPrevyseni;
    e.pocetDoplnekProvazeni = m.Doplnek().pocetProvazeni;
    e.pocetMereni = m.PocetMereni();
    e.pocetBodu = m.PocetSouradnic() / 3;
    e.pocetBoduUrcovanych = m.PocetSouradnicUrcovanych() / 3;
    e.pocetBoduFixnich = m.PocetSouradnicFixnich() / 3;
    e.pocetPosunu = m.PocetPosunu();
    e.pocetNeznamych = m.PocetNeznamych();
    e.pocetNadbytecnych = m.PocetNadbytecnych();
    e.pocetPodminek = m.PocetPodminek();
    e.odchylkaJednotkovaAprior = m.OdchylkaJednotkovaAprior();
    e.odchylkaJednotkovaAposterior = m.OdchylkaJednotkovaAposterior();
    e.body = &BodyVysledku(ws, vysledek);
    const TmodelTransformacePrevod* p = Prevod(ws, vysledek);
    if (p != nullptr) {
        e.kofaktory = KofaktoryEtapy(p->KovariancniMatice(), m.PocetSouradnicUrcovanych());
    } else {
        // The sparse path keeps no dense inverse: the block is computed for the
        // file a column at a time, each written and dropped.
        // The view is copied: it refers to the workspace's model, not to this frame.
        e.sloupce = [m, interakce,
                     &zruseno](const std::function<bool(int32_t, const Tvector&)>& visit) {
            return SloupceEtapy(m, interakce, zruseno, visit);
        };
    }
    e.mereni = ws.grafika.mereni2Str();
    return e;
}

}  // namespace

int64_t VelikostEtapySite(const Workspace& ws, DruhVysledku vysledek) {
    if (!MaVysledekSite(ws, vysledek)) return 0;
    const VysledekSite m = ws.modelVyrovnany.Vysledek();
    return OdhadVelikostiEtapy(m.PocetSouradnic() / 3, m.PocetSouradnicUrcovanych());
}

VysledekUlozeni ZapsatEtapuSite(Workspace& ws, const std::filesystem::path& cesta,
                                DruhVysledku vysledek, Interaction* interakce) {
    if (!MaVysledekSite(ws, vysledek)) return Selhani(ws, BezVysledku(cesta, vysledek));
    bool zruseno = false;
    const EtapaObsah etapa = Etapa(ws, vysledek, interakce, zruseno);
    if (!etapa.sloupce && etapa.kofaktory.empty() &&
        ws.modelVyrovnany.Vysledek().PocetSouradnicUrcovanych() > 0)
        return Selhani(ws, "Cannot save " + cesta.string() +
                               ": the cofactor matrix of the result is not available");
    std::string chyba;
    // A stop fails the safe writer like any other failure, so the file stays.
    if (!ZapsatEtapu(cesta, etapa, chyba)) {
        if (zruseno) return {false, {}, true};
        return Selhani(ws, std::move(chyba));
    }
    return {true, {}};
}

VysledekUlozeni ExportovatDXFSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int jazyk, DruhVysledku vysledek) {
    if (!MaVysledekSite(ws, vysledek)) return Selhani(ws, BezVysledku(cesta, vysledek));
    TgrafikaData data;
    if (!DataKresbySite(ws, vysledek, data))
        return Selhani(ws, "Cannot save " + cesta.string() + ": " + data.chyba);
    std::string chyba;
    if (!ExportovatDXF(data, ws.nastaveni.jednotky.souradnicovySystem, volby, jazyk, cesta, chyba))
        return Selhani(ws, std::move(chyba));
    return {true, {}};
}

VysledekUlozeni UlozitObrazekSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int sirka, int vyska,
                                  DruhVysledku vysledek) {
    if (!MaVysledekSite(ws, vysledek)) return Selhani(ws, BezVysledku(cesta, vysledek));
    if (sirka < kMinRozmerObrazku || sirka > kMaxRozmerObrazku || vyska < kMinRozmerObrazku ||
        vyska > kMaxRozmerObrazku)
        return Selhani(ws, "Cannot save " + cesta.string() + ": the picture size is out of range");
    TgrafikaData data;
    if (!DataKresbySite(ws, vysledek, data))
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

VysledekUlozeni UlozitObrazekOkna(Workspace& ws, const std::filesystem::path& cesta,
                                  const QImage& obrazek) {
    std::string chyba;
    if (obrazek.isNull()) return Selhani(ws, "Cannot save " + cesta.string() + ": no picture");
    if (!UlozitObrazek(obrazek, cesta.string(), chyba)) return Selhani(ws, std::move(chyba));
    return {true, {}};
}

}  // namespace vertano
