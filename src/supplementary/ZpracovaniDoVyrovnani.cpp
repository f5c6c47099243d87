#include <string>
#include <string_view>

#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "processing/RedukceDelek.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"
#include "supplementary/RedukceDoplnku.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {

namespace {

// The full point of P with this number and its index; nullptr when P has none.
const Tbod* BodSite(const Tsouradnice& body, std::string_view cislo, int32_t& index) {
    if (!body.PoradiBodu(cislo, index)) return nullptr;
    const Tbod& bod = body.bod[static_cast<std::size_t>(index)];
    return bod.JePlny ? &bod : nullptr;
}

DoplnekPripravaVysledek Selhani(DoplnekPripravaVysledek vysledek, DruhDoplnku druh,
                                std::size_t radek, const Tzaznam& zaznam,
                                const std::string& duvod) {
    vysledek.ok = false;
    vysledek.druh = druh;
    vysledek.radek = static_cast<int32_t>(radek);
    vysledek.message = std::string("Supplementary ") + doplnek::NazevDruhu(druh) + ", row " +
                       std::to_string(radek + 1) + " (" + zaznam.cislo_stn + " - " +
                       zaznam.cislo_cil + "): " + duvod;
    return vysledek;
}

// The preparation of single rows against the network's point list P.
class Priprava {
  public:
    Priprava(const Tsouradnice& body, const Tnastaveni& nastaveni)
        : body_(body), nastaveni_(nastaveni) {}

    enum class Stav { Prevzat, Vynechan, Selhal };

    // Prepares a filled input row of kind `druh`: its point indexes in P, the
    // reduction of a distance and the comparison with P, kontrola[0] telling
    // whether the difference exceeds the kind's limit. A row with a point outside
    // P is left out; `duvod` says why a row failed.
    Stav Radek(Tzaznam& r, DruhDoplnku druh, std::string& duvod) {
        const Tbod* stanovisko = BodSite(body_, r.cislo_stn, r.iStn);
        const Tbod* cil = BodSite(body_, r.cislo_cil, r.iCil);
        if (stanovisko == nullptr || cil == nullptr) return Stav::Vynechan;
        duvod = Zpracovat(r, druh, *stanovisko, *cil);
        return duvod.empty() ? Stav::Prevzat : Stav::Selhal;
    }

  private:
    // Empty when the row is ready, otherwise why not.
    std::string Zpracovat(Tzaznam& r, DruhDoplnku druh, const Tbod& stanovisko, const Tbod& cil) {
        // The analysis refuses lists with errors, but the counters it looks at
        // may be older than the rows; the adjustment must never see such a row.
        if (KontrolaZaznamuDoplnku(r, druh, nastaveni_)) return "the row fails the validity check";
        if (druh == DruhDoplnku::Delka) {
            if (!UrcitHladinu()) return "the reduction level cannot be determined";
            if (!RedukovatDoplnekDelku(r, stanovisko, cil, hladina_, Polomer()))
                return "the distance cannot be reduced (a point without a scale factor, or an "
                       "arithmetic fault)";
        } else {
            r.zkresleniDelky = 1;
        }
        if (!PorovnatDoplnekSeSouradnicemi(r, druh, stanovisko, cil))
            return "the comparison with coordinates failed";
        r.kontrola[0] =
            JePrekrocenMezniRozdil(r.zapracovaniPoloha[2], doplnek::MezPorovnani(druh, nastaveni_));
        return {};
    }

    Real Polomer() const { return nastaveni_.redukceMereni.polomerRefPlochy; }

    // The reduction level is needed only when there is a distance to reduce, so
    // a network whose level cannot be found still takes its other kinds.
    bool UrcitHladinu() {
        if (!hladinaZnama_) hladinaOk_ = HladinaRedukce(body_, nastaveni_, hladina_);
        hladinaZnama_ = true;
        return hladinaOk_;
    }

    const Tsouradnice& body_;
    const Tnastaveni& nastaveni_;
    bool hladinaZnama_ = false;
    bool hladinaOk_ = false;
    Real hladina_ = 0;
};

}  // namespace

DoplnekPripravaVysledek TdoplnkoveMereni::Pripravit(const TdoplnkoveMereni& vstup,
                                                    const Tsouradnice& body,
                                                    const Tnastaveni& nastaveni) {
    DoplnekPripravaVysledek vysledek;
    Priprava priprava{body, nastaveni};
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        Tmereni& pripraveny = *Seznam(druh);
        pripraveny.Clear();
        DoplnekPripravaPocty& pocty = vysledek.pocty[static_cast<std::size_t>(KodDruhu(druh) - 1)];
        const Tmereni& zdroj = *vstup.Seznam(druh);
        for (std::size_t i = 0; i < zdroj.zaznam.size(); ++i) {
            const Tzaznam& z = zdroj.zaznam[i];
            if (!z.JePlny()) continue;
            if (z.jeVyrazeno) {
                ++pocty.vyrazeno;
                continue;
            }
            Tzaznam r = z;
            std::string duvod;
            const Priprava::Stav stav = priprava.Radek(r, druh, duvod);
            if (stav == Priprava::Stav::Selhal) return Selhani(vysledek, druh, i, z, duvod);
            if (stav == Priprava::Stav::Vynechan) {
                ++pocty.vynechano;
                continue;
            }
            if (r.kontrola[0]) {
                ++pripraveny.kontrola[0];
                ++pocty.prekroceno;
            }
            pripraveny.PridejZaznam(r);
            ++pocty.prevzato;
        }
    }
    return vysledek;
}

DoplnekPripravaVysledek TdoplnkoveMereni::ZpracovaniDoVyrovnani(
    const TdoplnkoveMereni& doplnekVstup, const Tsouradnice& urcovane, const Tsouradnice& fixni,
    const Tnastaveni& nastaveni, Tinfo& info) {
    Tsouradnice body(urcovane);
    body.PridejBody2(fixni);
    auto& analyza = info.analyzaMereni;
    analyza.doplnekDelka = doplnekVstup.delka.ExistujePlnyZaznam();
    analyza.doplnekSmernik = doplnekVstup.smernik.ExistujePlnyZaznam();
    analyza.doplnekPrevyseni = doplnekVstup.prevyseni.ExistujePlnyZaznam();
    analyza.doplnekProvazeni = doplnekVstup.provazeni.ExistujePlnyZaznam();
    if (&doplnekVstup == this) {
        // Emptying the prepared lists would empty the user's input.
        DoplnekPripravaVysledek vysledek;
        vysledek.ok = false;
        vysledek.message = "Supplementary measurements: the input and the prepared lists are one";
        return vysledek;
    }
    const DoplnekPripravaVysledek vysledek = Pripravit(doplnekVstup, body, nastaveni);
    if (!vysledek.ok) {
        for (Tmereni* seznam : {&smernik, &delka, &prevyseni, &provazeni}) seznam->Clear();
    }
    return vysledek;
}

DoplnekPripravaVysledek TdoplnkoveMereni::ZpracovaniDoVyrovnani(
    const TdoplnkoveMereni& doplnekVstup, const Tsouradnice& urcovane, const Tsouradnice& fixni,
    const Tsouradnice& meritko, const Tnastaveni& nastaveni, Tinfo& info) {
    Tsouradnice urcovaneMeritko(urcovane);
    Tsouradnice fixniMeritko(fixni);
    urcovaneMeritko.NacistZkresleni(nastaveni, meritko);
    fixniMeritko.NacistZkresleni(nastaveni, meritko);
    return ZpracovaniDoVyrovnani(doplnekVstup, urcovaneMeritko, fixniMeritko, nastaveni, info);
}

}  // namespace vertano
