// The command "Transformation with adjustment".

#include <exception>
#include <optional>
#include <string>

#include "adjustment/VysledekSite.h"
#include "transformation/VysledekModeluTransformace.h"
#include "workspace/CislaOznameni.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/Transformace.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

constexpr int32_t kDotazRobustne = 1;
constexpr int32_t kDotazOpakovane = 2;

struct Zastaveni {
    int32_t cislo = oznameni::kChyba;
    int32_t odmitnuto = 0;
};

class Beh {
  public:
    Beh(Workspace& ws, Interaction& interakce, VysledekTransformace& v)
        : ws_(ws), ui_(interakce), v_(v), m_(ws.modelTransformace) {}

    std::optional<Zastaveni> Spustit() {
        Etapa(" ... [1]");
        // The key is solved the way the network was.
        m_.NastavitVolbuResice(ws_.modelVyrovnany.VolbaResice());
        if (!m_.NacistIdentickeBody(ws_.souradniceIdenticke, ws_.nastaveni) ||
            !m_.Nacist(ws_.nastaveni)) {
            return Zastaveni{oznameni::kTransReseni};
        }
        if (ws_.nastaveni.VylucovatOdlehleTrans()) {
            if (std::optional<Zastaveni> z = Odlehle()) return z;
        } else {
            ws_.modelTransformaceOdlehly.Clear();
        }
        if (std::optional<Zastaveni> z = Opakovane()) return z;
        Etapa(" ... [5]");
        if (!m_.Vyhodnoceni()) return Zastaveni{oznameni::kTransVyhodnoceni};
        if (!ws_.prevodSVyrovnanim.TransformaceSVyrovnanim(ws_.modelVyrovnany,
                                                           m_.Vysledek().TransformacniKlic())) {
            m_.NastavitChybu(ws_.prevodSVyrovnanim.Chyba());
            return Zastaveni{oznameni::kTransformace};
        }
        return std::nullopt;
    }

  private:
    void Etapa(const std::string& pripona) { ui_.Stage(TextEtapy(ws_, pripona)); }

    bool Pokracovat(const std::string& nadpis) {
        return PokracovatPriNekonvergenci(ws_, ui_, nadpis,
                                          ws_.jazyk.hlaseni.identickeObsahujiHrube);
    }

    std::optional<Zastaveni> Odlehle() {
        if (Iterovat(ws_, ui_, m_, &TmodelTransformaceVyrovnani::VyrovnatRobustne, 2) !=
            KonecIteraci::Hotovo) {
            return Zastaveni{oznameni::kTransRobustne};
        }
        v_.pocetIteraciRobustne = m_.Vysledek().PocetIteraci();
        if (m_.Vysledek().ZmenaVahy() > m_.Vysledek().MaxZmenaVahy() &&
            !Pokracovat(ws_.jazyk.hlaseni.chybaRobustnihoVyrovnani)) {
            return Zastaveni{oznameni::kChyba, kDotazRobustne};
        }
        Etapa(" ... [3]");
        if (!m_.VylouceniOdlehlychHodnot(ws_.modelTransformaceOdlehly, ws_.nastaveni) ||
            !m_.Naplnit()) {
            return Zastaveni{oznameni::kTransOdlehle};
        }
        return std::nullopt;
    }

    std::optional<Zastaveni> Opakovane() {
        if (Iterovat(ws_, ui_, m_, &TmodelTransformaceVyrovnani::VyrovnatOpakovane, 4) !=
            KonecIteraci::Hotovo) {
            return Zastaveni{oznameni::kTransReseni};
        }
        v_.pocetIteraci = m_.Vysledek().PocetIteraci();
        if (m_.Vysledek().Prirustek() > m_.Vysledek().MaxPrirustek() &&
            !Pokracovat(ws_.jazyk.hlaseni.chybaVyrovnani)) {
            return Zastaveni{oznameni::kChyba, kDotazOpakovane};
        }
        return std::nullopt;
    }

    Workspace& ws_;
    Interaction& ui_;
    VysledekTransformace& v_;
    TmodelTransformaceVyrovnani& m_;
};

void Zastavit(Workspace& ws, Interaction& interakce, VysledekTransformace& v, const Zastaveni& z) {
    v.chyba = ws.modelTransformace.Vysledek().Chyba().empty()
                  ? ws.modelTransformaceOdlehly.Vysledek().Chyba()
                  : ws.modelTransformace.Vysledek().Chyba();
    v.odmitnuto = z.odmitnuto;
    if (z.odmitnuto != 0) {
        ws.chyby.Nehlasit();
    } else {
        v.oznameni = z.cislo;
    }
    UkazatOznameni(ws, interakce, z.cislo, v.chyba);
    ws.modelTransformace.Clear();
    ws.modelTransformaceOdlehly.Clear();
    ws.state.Failed(Step::TransformationWithAdjustment);
}

}  // namespace

VysledekTransformace TransformaceSVyrovnanim(Workspace& ws, Interaction& interakce) {
    VysledekTransformace v;
    if (ws.state.Current(Step::TransformationWithAdjustment) &&
        ws.state.Current(Step::TransformationAnalysis)) {
        v.uspech = true;
        v.jenZobrazeni = true;
        return v;
    }
    ws.state.Started(Step::TransformationWithAdjustment);
    std::optional<Zastaveni> z;
    if (!ws.state.Current(Step::TransformationAnalysis)) {
        ws.modelTransformace.NastavitChybu(
            "The transformation analysis is not current; run it first");
        z = Zastaveni{oznameni::kChyba};
    } else {
        try {
            z = Beh(ws, interakce, v).Spustit();
        } catch (const std::exception& e) {
            ws.modelTransformace.NastavitChybu(e.what());
            z = Zastaveni{oznameni::kChyba};
        }
    }
    if (z) {
        Zastavit(ws, interakce, v, *z);
    } else {
        ws.state.Computed(Step::TransformationWithAdjustment);
        v.uspech = true;
    }
    interakce.Stage(TextEtapy(ws, " ..."));
    interakce.Stage("");
    return v;
}

}  // namespace vertano
