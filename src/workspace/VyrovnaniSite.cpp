#include "workspace/VyrovnaniSite.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/VysledekSite.h"
#include "workspace/CislaOznameni.h"
#include "workspace/DruhyRadek.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

// Kinds of the non-convergence question.
constexpr int32_t kDotazRobustne = 1;
constexpr int32_t kDotazOpakovane = 2;

// How the run ended before its end: a notification number, or the user's "No".
struct Zastaveni {
    int32_t cislo = oznameni::kChyba;
    int32_t odmitnuto = 0;
    bool zruseno = false;
    std::string druhyRadek{};  // what caused it, for the notification
};

const Zastaveni kZruseno{oznameni::kChyba, 0, true};

class Beh {
  public:
    Beh(Workspace& ws, Interaction& interakce, VysledekVyrovnani& v, Preruseni& preruseni)
        : ws_(ws), ui_(interakce), v_(v), m_(ws.modelVyrovnany), preruseni_(preruseni) {}

    // The whole run; the reason of a stop, or nothing when the network is adjusted.
    std::optional<Zastaveni> Spustit() {
        Etapa(" ... [1]");
        const bool nacteno =
            m_.Nacist(ws_.mereniVyrovnani, ws_.souradnicePriblizne, ws_.souradniceFixniVyrovnani,
                      ws_.vahy, ws_.doplnekZpracovany, ws_.nastaveni);
        v_.vynechana = Vysledek().VynechanaMereni();
        UkazatVynechanaMereni(ws_, ui_, v_.vynechana);
        if (!nacteno) {
            return Zastaveni{oznameni::kRedundance, 0, false,
                             RadekRedundance(ws_, Vysledek().PoctyNacteni())};
        }
        if (preruseni_.Zadano()) return kZruseno;
        if (m_.VylucovatOdlehle(ws_.nastaveni)) {
            if (std::optional<Zastaveni> z = Odlehle()) return z;
        } else {
            ws_.modelOdlehly.Clear();
        }
        if (std::optional<Zastaveni> z = Opakovane()) return z;
        if (preruseni_.Zadano()) return kZruseno;
        Etapa(" ... [5]");
        if (!m_.Vyhodnoceni()) return Zastaveni{oznameni::kVyhodnoceni};
        // Each step of the evaluation of a large network takes long.
        if (preruseni_.Zadano()) return kZruseno;
        // The reliability is a view of the result; the result stands without it.
        VypocetSpolehlivosti(m_, ws_.nastaveni.vyrovnani.rizikoOdlehlost, v_.spolehlivost);
        if (preruseni_.Zadano()) return kZruseno;
        if (v_.spolehlivost.pocetNekontrolovanych > 0 ||
            !v_.spolehlivost.nekontrolovaneBody.empty()) {
            UkazatVarovani(ws_, ui_, VarovaniNekontrolovanych(ws_, m_));
        }
        if (const std::vector<std::string> n = Vysledek().NeurceneSouradnice(); !n.empty())
            UkazatVarovani(ws_, ui_, VarovaniNeurcenych(ws_, n));
        // The drawing is a view of the result; without it the result still stands.
        if (!ws_.grafika.NacistModel(m_, true)) v_.chybaGrafiky = ws_.grafika.chyba;
        return std::nullopt;
    }

  private:
    void Etapa(const std::string& pripona) { ui_.Stage(TextEtapy(ws_, pripona)); }
    VysledekSite Vysledek() const { return m_.Vysledek(); }

    bool Pokracovat(const std::string& nadpis) {
        return PokracovatPriNekonvergenci(ws_, ui_, nadpis, ws_.jazyk.hlaseni.mereniObsahujeHrube);
    }

    // The passes of one stage; the reason of a stop, or nothing.
    std::optional<Zastaveni> Iterace(bool (TmodelSite::*krok)(bool&), int faze, int32_t chyba) {
        switch (Iterovat(ws_, ui_, m_, krok, faze, [this] { return preruseni_.Zadano(); })) {
            case KonecIteraci::Hotovo:
                return std::nullopt;
            case KonecIteraci::Zruseno:
                return kZruseno;
            case KonecIteraci::Selhani:
                break;
        }
        return Zastaveni{chyba};
    }

    // Robust iterations, then the outliers out into the outlier model.
    std::optional<Zastaveni> Odlehle() {
        if (std::optional<Zastaveni> z =
                Iterace(&TmodelSite::VyrovnatRobustne, 2, oznameni::kRobustne))
            return z;
        v_.pocetIteraciRobustne = Vysledek().PocetIteraci();
        if (Vysledek().ZmenaVahy() > Vysledek().MaxZmenaVahy() &&
            !Pokracovat(ws_.jazyk.hlaseni.chybaRobustnihoVyrovnani)) {
            return Zastaveni{oznameni::kChyba, kDotazRobustne};
        }
        if (preruseni_.Zadano()) return kZruseno;
        Etapa(" ... [3]");
        if (!m_.VylouceniOdlehlychHodnot(ws_.modelOdlehly, ws_.nastaveni)) {
            return Zastaveni{oznameni::kOdlehle};
        }
        if (preruseni_.Zadano()) return kZruseno;
        if (!m_.Naplnit()) return Zastaveni{oznameni::kOdlehle};
        return std::nullopt;
    }

    // Plain iterations to convergence.
    std::optional<Zastaveni> Opakovane() {
        if (std::optional<Zastaveni> z =
                Iterace(&TmodelSite::VyrovnatOpakovane, 4, oznameni::kReseni))
            return z;
        v_.pocetIteraci = Vysledek().PocetIteraci();
        if (Vysledek().Prirustek() > Vysledek().MaxPrirustek() &&
            !Pokracovat(ws_.jazyk.hlaseni.chybaVyrovnani)) {
            return Zastaveni{oznameni::kChyba, kDotazOpakovane};
        }
        return std::nullopt;
    }

    Workspace& ws_;
    Interaction& ui_;
    VysledekVyrovnani& v_;
    TmodelSite& m_;
    Preruseni& preruseni_;
};

// A stop: the message (none after the user's "No"), and no result at all.
void Zastavit(Workspace& ws, Interaction& interakce, VysledekVyrovnani& v, const Zastaveni& z) {
    const std::string& chyba = ws.modelVyrovnany.Vysledek().Chyba();
    v.chyba = chyba.empty() ? ws.modelOdlehly.Vysledek().Chyba() : chyba;
    v.odmitnuto = z.odmitnuto;
    v.zruseno = z.zruseno;
    if (z.odmitnuto != 0 || z.zruseno) {
        ws.chyby.Nehlasit();
    } else {
        v.oznameni = z.cislo;
        v.druhyRadek = z.druhyRadek;
    }
    UkazatOznameni(ws, interakce, z.cislo, v.chyba, z.druhyRadek);
    if (z.zruseno) UkazatZruseni(ws, interakce, true);
    ws.modelVyrovnany.Clear();
    ws.modelOdlehly.Clear();
    ws.grafika.Clear();
    ws.state.Failed(Step::Adjustment);
}

int32_t NejmeneNula(const int32_t n) {
    return n > 0 ? n : 0;
}

}  // namespace

VysledekVyrovnani VyrovnaniSite(Workspace& ws, Interaction& interakce, const Cekani& cekani) {
    VysledekVyrovnani v;
    if (ws.state.Current(Step::Adjustment)) {
        v.uspech = true;
        v.jenZobrazeni = true;
        v.pocetIteraci = NejmeneNula(ws.modelVyrovnany.Vysledek().PocetIteraci());
        return v;
    }
    // The transformations and the report were of the network as it was.
    ws.state.Started(Step::Adjustment);
    std::optional<Zastaveni> z;
    if (!ws.state.Current(Step::Analysis)) {
        // Without a current analysis there is nothing prepared to adjust.
        ws.modelVyrovnany.NastavitChybu("The raw-data analysis is not current; run it first");
        z = Zastaveni{oznameni::kChyba};
    } else {
        Preruseni preruseni(cekani, &interakce);
        ws.modelVyrovnany.NastavitCekani(preruseni.Hook());
        ws.modelOdlehly.NastavitCekani(preruseni.Hook());
        try {
            z = Beh(ws, interakce, v, preruseni).Spustit();
        } catch (const std::exception& e) {
            ws.modelVyrovnany.NastavitChybu(e.what());
            z = Zastaveni{oznameni::kChyba};
        }
        // The hook may refer to a window that does not outlive this call.
        ws.modelVyrovnany.NastavitCekani({});
        ws.modelOdlehly.NastavitCekani({});
    }
    if (z) {
        Zastavit(ws, interakce, v, *z);
    } else {
        ws.state.Computed(Step::Adjustment);
        v.uspech = true;
    }
    interakce.Stage(TextEtapy(ws, " ..."));
    interakce.Stage("");
    return v;
}

SouhrnVyrovnani ShrnoutVyrovnani(const Workspace& ws) {
    SouhrnVyrovnani s;
    if (!ws.state.Current(Step::Adjustment)) return s;
    const VysledekSite m = ws.modelVyrovnany.Vysledek();
    s.pocetBoduUrcovanych = NejmeneNula(m.PocetSouradnicUrcovanych()) / 3;
    s.pocetBoduFixnich = NejmeneNula(m.PocetSouradnicFixnich()) / 3;
    s.pocetPosunu = NejmeneNula(m.PocetPosunu());
    s.pocetNeznamych = m.PocetOdhadovanychNeznamych();
    s.neurceneSouradnice = m.NeurceneSouradnice();
    s.pocetMereni = m.PocetMereni();
    s.pocetNadbytecnych = m.PocetNadbytecnych();
    s.odchylkaJednotkovaAprior = m.OdchylkaJednotkovaAprior();
    s.odchylkaJednotkovaAposterior = m.OdchylkaJednotkovaAposterior();
    s.pocetIteraci = NejmeneNula(m.PocetIteraci());
    s.typFixace = m.TypFixace();
    s.typVah = ws.info.infoVahy.typVah;
    s.pocetNekontrolovanych = PocetNekontrolovanych(m);
    s.zavisleBody = ZavisleBody(m);
    s.nekontrolovaneBody = NekontrolovaneBody(m);
    const VysledekSite o = ws.modelOdlehly.Vysledek();
    s.vylucovaniOdlehlych = o.PocetMereni() >= 0;
    if (!s.vylucovaniOdlehlych) return s;
    s.odlehle = {NejmeneNula(o.PocetDelkaOdlehly()),
                 NejmeneNula(o.PocetSmerOdlehly()),
                 NejmeneNula(o.PocetZenitOdlehly()),
                 NejmeneNula(o.Doplnek().pocetDelkaOdlehly),
                 NejmeneNula(o.Doplnek().pocetSmernikOdlehly),
                 NejmeneNula(o.Doplnek().pocetPrevyseniOdlehly),
                 NejmeneNula(o.Doplnek().pocetProvazeniOdlehly)};
    for (const Velicina typ : druhy::kPoradi) {
        const std::vector<TmerenaVelicina>& zaznam = druhy::Vektor(o, typ).zaznam;
        const size_t k = IndexVeliciny(typ);
        s.testovane[k] = static_cast<int32_t>(std::count_if(
            zaznam.begin(), zaznam.end(), [](const TmerenaVelicina& z) { return z.jePlny; }));
        s.odlehleCelkem += s.odlehle[k];
        s.testovaneCelkem += s.testovane[k];
    }
    return s;
}

}  // namespace vertano
