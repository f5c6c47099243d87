#include "workspace/SeznamyVstupu.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "data/BodyPomocne.h"
#include "data/SouradniceKontrola.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"
#include "workspace/UpravyMereni.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

bool PlnyBod(const Tbod& b) {
    return b.JePlny;
}

bool PlnyRadek(const Tzaznam& z) {
    return z.JePlny();
}

template <class T, class Plny>
std::vector<T> Vybrane(const std::vector<T>& radky, const Tvyber& vyber, Plny plny) {
    std::vector<T> vybrane;
    for (std::size_t i = 0; i < radky.size() && i < vyber.hromadny.size(); ++i) {
        if (vyber.hromadny[i] && plny(radky[i])) vybrane.push_back(radky[i]);
    }
    return vybrane;
}

template <class T, class Plny>
bool SmazatVybrane(std::vector<T>& radky, Tvyber& vyber, Plny plny) {
    vyber.Velikost(radky.size());
    if (Vybrane(radky, vyber, plny).empty()) return false;
    std::vector<T> zbyle;
    for (std::size_t i = 0; i < radky.size(); ++i) {
        if (!vyber.hromadny[i]) zbyle.push_back(radky[i]);
    }
    vyber.aktualni = vyber.Prvni();
    radky = std::move(zbyle);
    vyber.hromadny.assign(radky.size(), false);
    return true;
}

// `nove` before the single selected row, or after the last full row when none
// is selected; nothing with two or more selected.
template <class T, class Plny>
bool VlozitRadky(std::vector<T>& radky, Tvyber& vyber, const std::vector<T>& nove, Plny plny) {
    vyber.Velikost(radky.size());
    const int32_t pocet = vyber.Pocet();
    if (nove.empty() || pocet > 1) return false;
    std::size_t kam = 0;
    if (pocet == 1) {
        kam = static_cast<std::size_t>(vyber.Prvni());
    } else {
        while (!radky.empty() && !plny(radky.back())) radky.pop_back();
        kam = radky.size();
    }
    radky.insert(radky.begin() + static_cast<std::ptrdiff_t>(kam), nove.begin(), nove.end());
    vyber.hromadny.insert(
        vyber.hromadny.begin() + static_cast<std::ptrdiff_t>(std::min(kam, vyber.hromadny.size())),
        nove.size(), false);
    vyber.Velikost(radky.size());
    vyber.aktualni = static_cast<int32_t>(pocet == 1 ? kam + nove.size() : kam);
    return true;
}

// The row a new record goes before: the first selected one, else the end.
template <class T, class Plny>
std::size_t MistoNoveho(std::vector<T>& radky, Tvyber& vyber, Plny plny) {
    vyber.Velikost(radky.size());
    const int32_t prvni = vyber.Prvni();
    if (prvni >= 0) return static_cast<std::size_t>(prvni);
    while (!radky.empty() && !plny(radky.back())) radky.pop_back();
    vyber.Velikost(radky.size());
    return radky.size();
}

template <class T>
void VlozitNa(std::vector<T>& radky, Tvyber& vyber, std::size_t kam, const T& novy) {
    radky.insert(radky.begin() + static_cast<std::ptrdiff_t>(kam), novy);
    vyber.hromadny.insert(vyber.hromadny.begin() + static_cast<std::ptrdiff_t>(kam), false);
    vyber.aktualni = static_cast<int32_t>(kam);
}

// One place up or down, next to a full row only; the row stays selected.
template <class T, class Plny>
bool PosunoutJediny(std::vector<T>& radky, Tvyber& vyber, bool nahoru, Plny plny) {
    vyber.Velikost(radky.size());
    const int32_t r = vyber.Jediny();
    if (r < 0) return false;
    const int32_t s = nahoru ? r - 1 : r + 1;
    if (s < 0 || s >= static_cast<int32_t>(radky.size()) ||
        !plny(radky[static_cast<std::size_t>(s)]))
        return false;
    std::swap(radky[static_cast<std::size_t>(r)], radky[static_cast<std::size_t>(s)]);
    vyber.Zrusit();
    vyber.hromadny[static_cast<std::size_t>(s)] = true;
    vyber.aktualni = s;
    return true;
}

bool PlatneJmeno(const std::optional<std::string>& jmeno) {
    return !jmeno || JePlatneJmeno(*jmeno);
}

void NastavitSchranku(Workspace& ws, bool body) {
    nastaveni::Tschranka& s = ws.nastaveni.schranka;
    s.suroveMereni_existuje = false;
    s.souradnice_existuje = body;
    s.mereniDoplnek_existuje = !body;
}

// Supplementary rows are numbered by their place among the filled rows.
void Cislovat(Tmereni& seznam) {
    int32_t n = 0;
    for (Tzaznam& z : seznam.zaznam) {
        if (z.JePlny()) z.poradi = ++n;
    }
}

bool JeDelka(DruhDoplnku druh) {
    return druh == DruhDoplnku::Delka;
}

bool MaHodnotu(DruhDoplnku druh) {
    return druh != DruhDoplnku::Provazeni;
}

void Zapsat(Tzaznam& z, DruhDoplnku druh, const HodnotyDoplnku& h) {
    if (h.cisloStn) z.cislo_stn = *h.cisloStn;
    if (h.cisloCil) z.cislo_cil = *h.cisloCil;
    if (JeDelka(druh) && h.vyskaStn) z.vyska_stn = *h.vyskaStn;
    if (JeDelka(druh) && h.vyskaCil) z.vyska_cil = *h.vyskaCil;
    if (MaHodnotu(druh) && h.hodnota) z.delka = *h.hodnota;
    if (h.odchylka) z.sig_delka = *h.odchylka > 0 ? *h.odchylka : -1;
}

}  // namespace

Tsouradnice& Seznam(Workspace& ws, SeznamBodu druh) {
    switch (druh) {
        case SeznamBodu::Identicke:
            return ws.souradniceTransformaceVstup;
        case SeznamBodu::Meritko:
            return ws.souradniceMeritko;
        default:
            return ws.souradniceFixni;
    }
}

bool VlozitBod(Tsouradnice& body, Tvyber& vyber, SeznamBodu druh, const HodnotyBodu& h) {
    if (!h.cislo || !JePlatneJmeno(*h.cislo)) return false;
    const bool meritko = druh == SeznamBodu::Meritko;
    if (meritko ? !h.zkresleni : !(h.X && h.Y && h.Z)) return false;
    Tbod b = Tbod::Prazdny();
    b.cislo = *h.cislo;
    b.JePlny = true;
    if (meritko) {
        b.zkresleni = *h.zkresleni;
    } else {
        b.X = *h.X;
        b.Y = *h.Y;
        b.Z = *h.Z;
    }
    b.JeFixni = druh == SeznamBodu::Fixni;
    const std::size_t kam = MistoNoveho(body.bod, vyber, PlnyBod);
    VlozitNa(body.bod, vyber, kam, b);
    body.SeraditPoradi();
    return true;
}

bool UpravitBody(Tsouradnice& body, const Tvyber& vyber, const HodnotyBodu& h) {
    const std::vector<Tbod> vybrane = Vybrane(body.bod, vyber, PlnyBod);
    const bool neco = h.cislo || h.X || h.Y || h.Z || h.zkresleni;
    if (vybrane.empty() || !neco || !PlatneJmeno(h.cislo)) return false;
    // One number for several points would make duplicates of all of them.
    if (h.cislo && vybrane.size() != 1) return false;
    for (std::size_t i = 0; i < body.bod.size() && i < vyber.hromadny.size(); ++i) {
        Tbod& b = body.bod[i];
        if (!vyber.hromadny[i] || !b.JePlny) continue;
        if (h.cislo) b.cislo = *h.cislo;
        if (h.X) b.X = *h.X;
        if (h.Y) b.Y = *h.Y;
        if (h.Z) b.Z = *h.Z;
        if (h.zkresleni) b.zkresleni = *h.zkresleni;
    }
    return true;
}

bool SmazatBody(Tsouradnice& body, Tvyber& vyber) {
    if (!SmazatVybrane(body.bod, vyber, PlnyBod)) return false;
    body.SeraditPoradi();
    return true;
}

int32_t KopirovatBody(Workspace& ws, const Tsouradnice& body, const Tvyber& vyber) {
    const std::vector<Tbod> vybrane = Vybrane(body.bod, vyber, PlnyBod);
    if (vybrane.empty()) return 0;
    ws.schrankaSouradnice.bod = vybrane;
    NastavitSchranku(ws, true);
    return static_cast<int32_t>(vybrane.size());
}

bool VyjmoutBody(Workspace& ws, Tsouradnice& body, Tvyber& vyber) {
    return KopirovatBody(ws, body, vyber) > 0 && SmazatBody(body, vyber);
}

bool VlozitSchrankuBodu(Workspace& ws, Tsouradnice& body, Tvyber& vyber) {
    if (!ws.nastaveni.schranka.souradnice_existuje) return false;
    if (!VlozitRadky(body.bod, vyber, ws.schrankaSouradnice.bod, PlnyBod)) return false;
    body.SeraditPoradi();
    return true;
}

bool PosunoutBod(Tsouradnice& body, Tvyber& vyber, bool nahoru) {
    if (!PosunoutJediny(body.bod, vyber, nahoru, PlnyBod)) return false;
    body.SeraditPoradi();
    return true;
}

bool SeraditBody(Tsouradnice& body, Tvyber& vyber, int velicina) {
    if (body.PocetPlnychBodu() < 2) return false;
    body.SmazPrazdneZaznamy();
    body.Sort(velicina);
    body.SeraditPoradi();
    vyber.hromadny.assign(body.bod.size(), false);
    return true;
}

bool ZamenitXY(Tsouradnice& body, const Tvyber& vyber) {
    bool zmena = false;
    for (std::size_t i = 0; i < body.bod.size() && i < vyber.hromadny.size(); ++i) {
        Tbod& b = body.bod[i];
        if (!vyber.hromadny[i] || !b.JePlny) continue;
        ZamenitXY(b);
        zmena = true;
    }
    return zmena;
}

bool FixovatBody(Tsouradnice& body, const Tvyber& vyber, bool fixni) {
    bool zmena = false;
    for (std::size_t i = 0; i < body.bod.size() && i < vyber.hromadny.size(); ++i) {
        Tbod& b = body.bod[i];
        if (!vyber.hromadny[i] || !b.JePlny) continue;
        if (b.JeFixni == fixni && !b.JeCastecneFixni()) continue;
        b.JeFixni = fixni;
        b.fixniOsy = FixniOsy::Vse;
        zmena = true;
    }
    return zmena;
}

bool FixovatOsyBodu(Tsouradnice& body, const Tvyber& vyber, const FixniOsy osy) {
    bool zmena = false;
    for (std::size_t i = 0; i < body.bod.size() && i < vyber.hromadny.size(); ++i) {
        Tbod& b = body.bod[i];
        if (!vyber.hromadny[i] || !b.JePlny || (b.JeFixni && b.fixniOsy == osy)) continue;
        b.JeFixni = true;
        b.fixniOsy = osy;
        zmena = true;
    }
    return zmena;
}

void ZkontrolovatBody(Workspace& ws, SeznamBodu druh, Tsouradnice& body) {
    switch (druh) {
        case SeznamBodu::Fixni:
            KontrolaSouradnic(body, kBodyVstupFixni, ws.chyby);
            break;
        case SeznamBodu::Identicke:
            KontrolaSouradnic(body, kBodyVstupIdenticke, ws.chyby);
            break;
        case SeznamBodu::Meritko:
            KontrolaMeritka(body, ws.nastaveni, ws.chyby);
            break;
    }
}

void ZapsatBody(Workspace& ws, SeznamBodu druh, Tsouradnice kopie, bool zmeneno) {
    kopie.SmazPrazdneZaznamy();
    kopie.SeraditPoradi();
    Tsouradnice& seznam = Seznam(ws, druh);
    seznam = std::move(kopie);
    ZkontrolovatBody(ws, druh, seznam);
    if (!zmeneno) return;
    switch (druh) {
        case SeznamBodu::Fixni:
            ws.state.GivenPointsChanged();
            break;
        case SeznamBodu::Identicke:
            ws.state.IdenticalPointsChanged();
            break;
        case SeznamBodu::Meritko:
            ws.state.ScaleFactorsChanged();
            break;
    }
}

bool VlozitDoplnek(Tmereni& seznam, Tvyber& vyber, DruhDoplnku druh, const HodnotyDoplnku& h) {
    if (!doplnek::JeDruh(druh) || !h.cisloStn || !h.cisloCil || !JePlatneJmeno(*h.cisloStn) ||
        !JePlatneJmeno(*h.cisloCil))
        return false;
    if (MaHodnotu(druh) && !h.hodnota) return false;
    if (JeDelka(druh) && !(h.vyskaStn && h.vyskaCil)) return false;
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = 1;
    if (!JeDelka(druh)) z.vyska_stn = z.vyska_cil = 0;
    if (!MaHodnotu(druh)) z.delka = 0;
    Zapsat(z, druh, h);
    const std::size_t kam = MistoNoveho(seznam.zaznam, vyber, PlnyRadek);
    VlozitNa(seznam.zaznam, vyber, kam, z);
    Cislovat(seznam);
    return true;
}

bool UpravitDoplnky(Tmereni& seznam, const Tvyber& vyber, DruhDoplnku druh,
                    const HodnotyDoplnku& h) {
    const bool neco = h.cisloStn || h.cisloCil || h.hodnota || h.odchylka ||
                      (JeDelka(druh) && (h.vyskaStn || h.vyskaCil));
    if (!doplnek::JeDruh(druh) || !neco || !PlatneJmeno(h.cisloStn) || !PlatneJmeno(h.cisloCil))
        return false;
    if (Vybrane(seznam.zaznam, vyber, PlnyRadek).empty()) return false;
    for (std::size_t i = 0; i < seznam.zaznam.size() && i < vyber.hromadny.size(); ++i) {
        if (vyber.hromadny[i] && seznam.zaznam[i].JePlny()) Zapsat(seznam.zaznam[i], druh, h);
    }
    return true;
}

bool SmazatDoplnky(Tmereni& seznam, Tvyber& vyber) {
    if (!SmazatVybrane(seznam.zaznam, vyber, PlnyRadek)) return false;
    Cislovat(seznam);
    return true;
}

int32_t KopirovatDoplnky(Workspace& ws, const Tmereni& seznam, const Tvyber& vyber) {
    const std::vector<Tzaznam> vybrane = Vybrane(seznam.zaznam, vyber, PlnyRadek);
    if (vybrane.empty()) return 0;
    ws.doplnekVstup.schranka.zaznam = vybrane;
    NastavitSchranku(ws, false);
    return static_cast<int32_t>(vybrane.size());
}

bool VyjmoutDoplnky(Workspace& ws, Tmereni& seznam, Tvyber& vyber) {
    return KopirovatDoplnky(ws, seznam, vyber) > 0 && SmazatDoplnky(seznam, vyber);
}

bool VlozitSchrankuDoplnku(Workspace& ws, Tmereni& seznam, Tvyber& vyber) {
    if (!ws.nastaveni.schranka.mereniDoplnek_existuje) return false;
    if (!VlozitRadky(seznam.zaznam, vyber, ws.doplnekVstup.schranka.zaznam, PlnyRadek))
        return false;
    Cislovat(seznam);
    return true;
}

bool PosunoutDoplnek(Tmereni& seznam, Tvyber& vyber, bool nahoru) {
    if (!PosunoutJediny(seznam.zaznam, vyber, nahoru, PlnyRadek)) return false;
    Cislovat(seznam);
    return true;
}

bool SeraditDoplnky(Tmereni& seznam, Tvyber& vyber, int32_t velicina) {
    if (seznam.PocetPlnychZaznamu() < 2) return false;
    seznam.SmazPrazdneZaznamyNeradPoradi();
    seznam.Sort(velicina);
    Cislovat(seznam);
    vyber.hromadny.assign(seznam.zaznam.size(), false);
    return true;
}

void ZkontrolovatDoplnky(Workspace& ws, DruhDoplnku druh, Tmereni& seznam) {
    KontrolaDoplnku(seznam, druh, ws.nastaveni, ws.chyby);
}

void ZapsatDoplnky(Workspace& ws, DruhDoplnku druh, Tmereni kopie, bool zmeneno) {
    Tmereni* seznam = ws.doplnekVstup.Seznam(druh);
    ws.doplnekVstup.schranka.Clear();
    ws.nastaveni.schranka.mereniDoplnek_existuje = false;
    if (seznam == nullptr) return;
    kopie.SmazPrazdneZaznamyNeradPoradi();
    Cislovat(kopie);
    *seznam = std::move(kopie);
    ZkontrolovatDoplnky(ws, druh, *seznam);
    if (!zmeneno) return;
    ws.state.MeasurementsChanged();
}

bool UpravitOdchylky(Tmereni& seznam, const Tvyber& vyber, const HodnotyOdchylek& h) {
    const auto kladna = [](const std::optional<Real>& o) { return !o || *o > 0; };
    if (!(h.smer || h.zenit || h.delka) || !kladna(h.smer) || !kladna(h.zenit) || !kladna(h.delka))
        return false;
    bool zmena = false;
    for (std::size_t i = 0; i < seznam.zaznam.size() && i < vyber.hromadny.size(); ++i) {
        Tzaznam& z = seznam.zaznam[i];
        if (!vyber.hromadny[i] || !z.JePlny()) continue;
        if (h.smer) z.sig_smer = *h.smer;
        if (h.zenit) z.sig_zenit = *h.zenit;
        // A row without a distance has no distance to weigh.
        if (h.delka && z.MaDelku()) z.sig_delka = *h.delka;
        zmena = true;
    }
    return zmena;
}

bool SmazatOdchylky(Tmereni& seznam, const Tvyber& vyber) {
    bool zmena = false;
    for (std::size_t i = 0; i < seznam.zaznam.size() && i < vyber.hromadny.size(); ++i) {
        Tzaznam& z = seznam.zaznam[i];
        if (!vyber.hromadny[i] || !z.JePlny()) continue;
        z.sig_smer = z.sig_zenit = z.sig_delka = -1;
        zmena = true;
    }
    return zmena;
}

void ZapsatOdchylky(Workspace& ws, const Tmereni& kopie, bool zmeneno) {
    if (!zmeneno) return;
    for (Tmereni* cil : {&ws.mereniVyrovnani, &ws.mereniVyrovnaniZobrazeni}) {
        const std::size_t n = std::min(cil->zaznam.size(), kopie.zaznam.size());
        for (std::size_t i = 0; i < n; ++i) {
            Tzaznam& z = cil->zaznam[i];
            const Tzaznam& k = kopie.zaznam[i];
            z.sig_smer = k.sig_smer;
            z.sig_zenit = k.sig_zenit;
            z.sig_delka = k.sig_delka;
        }
    }
    // The weights of the adjustment follow these deviations.
    ws.state.ObservationDeviationsChanged();
}

Tsouradnice IdentickeVystup(const Workspace& ws) {
    Tsouradnice body;
    const std::vector<Tbod>& pary = ws.souradniceIdenticke.bod;
    for (std::size_t i = 1; i < pary.size(); i += 2) body.PridejBod(pary[i]);
    return body;
}

bool UpravitOdchylkyBodu(Tsouradnice& body, const Tvyber& vyber, const HodnotyOdchylekBodu& h) {
    const auto kladna = [](const std::optional<Real>& o) { return !o || *o > 0; };
    if (!(h.X || h.Y || h.Z) || !kladna(h.X) || !kladna(h.Y) || !kladna(h.Z)) return false;
    bool zmena = false;
    for (std::size_t i = 0; i < body.bod.size() && i < vyber.hromadny.size(); ++i) {
        Tbod& b = body.bod[i];
        if (!vyber.hromadny[i] || !b.JePlny) continue;
        if (h.X) b.UpravPresnost().sig_X = *h.X;
        if (h.Y) b.UpravPresnost().sig_Y = *h.Y;
        if (h.Z) b.UpravPresnost().sig_Z = *h.Z;
        zmena = true;
    }
    return zmena;
}

bool SmazatOdchylkyBodu(Tsouradnice& body, const Tvyber& vyber) {
    bool zmena = false;
    for (std::size_t i = 0; i < body.bod.size() && i < vyber.hromadny.size(); ++i) {
        Tbod& b = body.bod[i];
        if (!vyber.hromadny[i] || !b.JePlny) continue;
        b.SmazOdchylky();
        zmena = true;
    }
    return zmena;
}

void ZapsatOdchylkyIdentickych(Workspace& ws, const Tsouradnice& kopie, bool zmeneno) {
    if (!zmeneno) return;
    std::vector<Tbod>& pary = ws.souradniceIdenticke.bod;
    for (std::size_t k = 0; k < kopie.bod.size() && 2 * k + 1 < pary.size(); ++k) {
        const Tbod& z = kopie.bod[k];
        Tbod& b = pary[2 * k + 1];
        b.UpravPresnost().sig_X = z.Presnost().sig_X;
        b.UpravPresnost().sig_Y = z.Presnost().sig_Y;
        b.UpravPresnost().sig_Z = z.Presnost().sig_Z;
        // The pair names its source point by its index there.
        const std::size_t zdroj = static_cast<std::size_t>(b.poradi);
        std::vector<Tbod>& vstup = ws.souradniceTransformaceVstup.bod;
        if (b.poradi >= 0 && zdroj < vstup.size() && vstup[zdroj].cislo == b.cislo) {
            vstup[zdroj].UpravPresnost().sig_X = z.Presnost().sig_X;
            vstup[zdroj].UpravPresnost().sig_Y = z.Presnost().sig_Y;
            vstup[zdroj].UpravPresnost().sig_Z = z.Presnost().sig_Z;
        }
    }
    ws.state.IdenticalDeviationsChanged();
}

}  // namespace vertano
