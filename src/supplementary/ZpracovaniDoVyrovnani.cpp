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
const Tbod* BodSite(const Tsouradnice& body, std::string_view cislo, int& index) {
    if (!body.PoradiBodu(cislo, index)) return nullptr;
    const Tbod& bod = body.bod[static_cast<std::size_t>(index)];
    return bod.JePlny ? &bod : nullptr;
}

DoplnekPripravaVysledek Selhani(DoplnekPripravaVysledek vysledek, int druh, std::size_t radek,
                                const Tzaznam& zaznam, const std::string& duvod) {
    vysledek.ok = false;
    vysledek.druh = druh;
    vysledek.radek = static_cast<int32_t>(radek);
    vysledek.message = std::string("Supplementary ") + doplnek::NazevDruhu(druh) + ", row " +
                       std::to_string(radek + 1) + " (" + zaznam.cislo_stn + " - " +
                       zaznam.cislo_cil + "): " + duvod;
    return vysledek;
}

// The reduction level is needed only when there is a distance to reduce, so a
// network whose level cannot be found still takes its other supplementary kinds.
struct Hladina {
    bool znama = false;
    bool ok = false;
    Real hodnota = 0;

    bool Urcit(const Tsouradnice& body, const Tnastaveni& nastaveni) {
        if (!znama) ok = HladinaRedukce(body, nastaveni, hodnota);
        znama = true;
        return ok;
    }
};

}  // namespace

DoplnekPripravaVysledek TdoplnkoveMereni::Pripravit(const TdoplnkoveMereni& vstup,
                                                    const Tsouradnice& body,
                                                    const Tnastaveni& nastaveni) {
    DoplnekPripravaVysledek vysledek;
    Hladina hladina;
    const Real polomer = nastaveni.redukceMereni.polomerRefPlochy;
    for (const int druh : doplnek::kPoradiZpracovani) {
        Tmereni& pripraveny = *Seznam(druh);
        pripraveny.Clear();
        DoplnekPripravaPocty& pocty = vysledek.pocty[static_cast<std::size_t>(druh - 1)];
        const Tmereni& zdroj = *vstup.Seznam(druh);
        for (std::size_t i = 0; i < zdroj.zaznam.size(); ++i) {
            const Tzaznam& z = zdroj.zaznam[i];
            if (!z.JePlny()) continue;
            int iStn = -1;
            int iCil = -1;
            const Tbod* stanovisko = BodSite(body, z.cislo_stn, iStn);
            const Tbod* cil = BodSite(body, z.cislo_cil, iCil);
            if (stanovisko == nullptr || cil == nullptr) {
                ++pocty.vynechano;
                continue;
            }
            Tzaznam r = z;
            r.iStn = iStn;
            r.iCil = iCil;
            // The analysis refuses lists with errors, but the counters it looks at
            // may be older than the rows; the adjustment must never see such a row.
            if (KontrolaZaznamuDoplnku(r, druh, nastaveni)) {
                return Selhani(vysledek, druh, i, z, "the row fails the validity check");
            }
            if (druh == doplnek::kDelka) {
                if (!hladina.Urcit(body, nastaveni)) {
                    return Selhani(vysledek, druh, i, z,
                                   "the reduction level cannot be determined");
                }
                if (!RedukovatDoplnekDelku(r, *stanovisko, *cil, hladina.hodnota, polomer)) {
                    return Selhani(vysledek, druh, i, z,
                                   "the distance cannot be reduced (a point without a scale "
                                   "factor, or an arithmetic fault)");
                }
            } else {
                r.zkresleniDelky = 1;
            }
            if (!PorovnatDoplnekSeSouradnicemi(r, druh, *stanovisko, *cil)) {
                return Selhani(vysledek, druh, i, z, "the comparison with coordinates failed");
            }
            r.kontrola[0] = JePrekrocenMezniRozdil(r.zapracovaniPoloha[2],
                                                   doplnek::MezPorovnani(druh, nastaveni));
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
