#include "workspace/TabulkaMereni.h"

#include <algorithm>

#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

std::size_t Index(int32_t i) {
    return static_cast<std::size_t>(i);
}

// The rows of the station of row `i` are checked again by the next check run.
void ZkontrolovatStanoviskoZnovu(Tmereni& mereni, int32_t i) {
    const int32_t poradi = mereni.zaznam[Index(i)].poradi;
    if (poradi == 0) return;
    for (Tzaznam& z : mereni.zaznam) {
        if (z.poradi == poradi) z.jeZkontrolovano = false;
    }
}

bool Shoda(const Tzaznam& a, const Tzaznam& r, VyberDle pravidlo) {
    switch (pravidlo) {
        case VyberDle::Stanovisko:
            return a.cislo_stn == r.cislo_stn;
        case VyberDle::StanoviskoPoradi:
            return a.poradi == r.poradi;
        case VyberDle::StanoviskoSkupina:
            return a.poradi == r.poradi && a.skupina == r.skupina;
        case VyberDle::Cil:
            return a.cislo_cil == r.cislo_cil;
        case VyberDle::CilPoradi:
            return a.poradi == r.poradi && a.cislo_cil == r.cislo_cil;
        case VyberDle::CilSkupina:
            return a.poradi == r.poradi && a.cislo_cil == r.cislo_cil && a.skupina == r.skupina;
        case VyberDle::CilPoloha:
            return a.poradi == r.poradi && a.cislo_cil == r.cislo_cil && a.poloha == r.poloha;
        case VyberDle::StanoviskoCil:
            return a.cislo_stn == r.cislo_stn && a.cislo_cil == r.cislo_cil;
        case VyberDle::StanoviskoCilOboje:
            return (a.cislo_stn == r.cislo_stn && a.cislo_cil == r.cislo_cil) ||
                   (a.cislo_stn == r.cislo_cil && a.cislo_cil == r.cislo_stn);
    }
    return false;
}

bool OmezenoStanoviskem(VyberDle pravidlo) {
    return pravidlo == VyberDle::StanoviskoPoradi || pravidlo == VyberDle::StanoviskoSkupina ||
           pravidlo == VyberDle::CilPoradi || pravidlo == VyberDle::CilSkupina ||
           pravidlo == VyberDle::CilPoloha;
}

// The selected full rows, in list order.
std::vector<Tzaznam> Vybrane(const Tmereni& mereni, const Tvyber& vyber) {
    std::vector<Tzaznam> radky;
    for (std::size_t i = 0; i < mereni.zaznam.size() && i < vyber.hromadny.size(); ++i) {
        if (vyber.hromadny[i] && mereni.zaznam[i].JePlny()) radky.push_back(mereni.zaznam[i]);
    }
    return radky;
}

void NaplnitSchranku(Workspace& ws, const std::vector<Tzaznam>& radky) {
    ws.schrankaMereni.Clear();
    for (const Tzaznam& z : radky) ws.schrankaMereni.PridejZaznam(z);
    nastaveni::Tschranka& s = ws.nastaveni.schranka;
    s.suroveMereni_existuje = true;
    s.souradnice_existuje = false;
    s.mereniDoplnek_existuje = false;
}

// Deletes the selected rows; the stations they leave are checked again.
void OdstranitVybrane(Workspace& ws, Tvyber& vyber) {
    Tmereni& mereni = ws.suroveMereni;
    vyber.Velikost(mereni.zaznam.size());
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        if (vyber.hromadny[i] && mereni.zaznam[i].jeZkontrolovano)
            ZkontrolovatStanoviskoZnovu(mereni, static_cast<int32_t>(i));
    }
    std::vector<Tzaznam> zbyle;
    zbyle.reserve(mereni.zaznam.size());
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        if (!vyber.hromadny[i]) zbyle.push_back(mereni.zaznam[i]);
    }
    vyber.aktualni = vyber.Prvni();
    mereni.zaznam = std::move(zbyle);
    vyber.Zrusit();
    vyber.Velikost(mereni.zaznam.size());
    ZkontrolovatPoZmene(ws);
}

bool PorovnatCisla(Real hodnota, const PodminkaVzoru& p) {
    switch (p.porovnani) {
        case Porovnani::Zadne:
            return true;
        case Porovnani::Rovno:
        case Porovnani::Obsahuje:
            return hodnota == p.cislo;
        case Porovnani::Vetsi:
            return hodnota > p.cislo;
        case Porovnani::Mensi:
            return hodnota < p.cislo;
        case Porovnani::VetsiRovno:
            return hodnota >= p.cislo;
        case Porovnani::MensiRovno:
            return hodnota <= p.cislo;
        case Porovnani::Ruzne:
            return hodnota != p.cislo;
    }
    return false;
}

bool PorovnatTexty(const std::string& hodnota, const PodminkaVzoru& p) {
    switch (p.porovnani) {
        case Porovnani::Zadne:
            return true;
        case Porovnani::Rovno:
            return hodnota == p.text;
        case Porovnani::Obsahuje:
            return AsciiLower(hodnota).find(AsciiLower(p.text)) != std::string::npos;
        case Porovnani::Vetsi:
            return hodnota > p.text;
        case Porovnani::Mensi:
            return hodnota < p.text;
        case Porovnani::VetsiRovno:
            return hodnota >= p.text;
        case Porovnani::MensiRovno:
            return hodnota <= p.text;
        case Porovnani::Ruzne:
            return hodnota != p.text;
    }
    return false;
}

// A real value as the table shows it, read back as a number.
bool PorovnatZobrazene(const Tzaznam& z, int sloupec, const PodminkaVzoru& p,
                       const Tnastaveni& nastaveni) {
    if (p.porovnani == Porovnani::Zadne) return true;
    Real hodnota = 0;
    if (ParseNumber(TextBunky(z, sloupec, nastaveni), hodnota) != NumberStatus::Ok) return false;
    return PorovnatCisla(hodnota, p);
}

bool JeAktivni(const PodminkaVzoru& p) {
    return p.porovnani != Porovnani::Zadne;
}

}  // namespace

std::string TextBunky(const Tzaznam& z, int sloupec, const Tnastaveni& nastaveni) {
    if (!z.JePlny()) return {};
    const nastaveni::Tjednotky& j = nastaveni.jednotky;
    const nastaveni::Tpresnost& p = nastaveni.presnost;
    switch (sloupec) {
        case sloupec::kPoradi:
            return FormatInteger(z.poradi);
        case sloupec::kCisloStn:
            return z.cislo_stn;
        case sloupec::kVyskaStn:
            return FormatLength(z.vyska_stn, j.delka, p.delka.hodnota);
        case sloupec::kCisloCil:
            return z.cislo_cil;
        case sloupec::kVyskaCil:
            return FormatLength(z.vyska_cil, j.delka, p.delka.hodnota);
        // A value not measured shows as the files write it.
        case sloupec::kSmer:
            return z.MaSmer() ? FormatAngle(z.smer, j.uhel, p.uhel.hodnota) : "-";
        case sloupec::kZenit:
            if (!z.MaZenit()) return z.poloha ? "-" : "-II";
            return FormatAngle(z.zenit, j.uhel, p.uhel.hodnota);
        case sloupec::kDelka:
            return FormatLength(z.delka, j.delka, p.delka.hodnota);
        default:
            return {};
    }
}

int32_t Tvyber::Pocet() const {
    return static_cast<int32_t>(std::count(hromadny.begin(), hromadny.end(), true));
}

int32_t Tvyber::Prvni() const {
    const auto it = std::find(hromadny.begin(), hromadny.end(), true);
    return it == hromadny.end() ? -1 : static_cast<int32_t>(it - hromadny.begin());
}

int32_t Tvyber::Jediny() const {
    return Pocet() == 1 ? Prvni() : -1;
}

void Tvyber::Zrusit() {
    std::fill(hromadny.begin(), hromadny.end(), false);
}

void VybratVse(const Tmereni& mereni, Tvyber& vyber) {
    vyber.Velikost(mereni.zaznam.size());
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i)
        vyber.hromadny[i] = mereni.zaznam[i].JePlny();
}

void OdznacitPrazdne(const Tmereni& mereni, Tvyber& vyber) {
    vyber.Velikost(mereni.zaznam.size());
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        if (!mereni.zaznam[i].JePlny()) vyber.hromadny[i] = false;
    }
}

bool VybratDle(const Tmereni& mereni, Tvyber& vyber, VyberDle pravidlo) {
    vyber.Velikost(mereni.zaznam.size());
    const int32_t r = vyber.Jediny();
    if (r < 0) return false;
    const Tzaznam reference = mereni.zaznam[Index(r)];
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        // The station-bound rules stop at the first row of a later station.
        if (OmezenoStanoviskem(pravidlo) && z.poradi > reference.poradi) break;
        if (z.JePlny() && Shoda(z, reference, pravidlo)) vyber.hromadny[i] = true;
    }
    return true;
}

std::string KopirovatVybrane(Workspace& ws, const Tvyber& vyber) {
    const std::vector<Tzaznam> radky = Vybrane(ws.suroveMereni, vyber);
    if (radky.empty()) return {};
    NaplnitSchranku(ws, radky);
    std::string text;
    for (const Tzaznam& z : radky) {
        for (int s = 0; s < sloupec::kPocet; ++s) {
            if (s > 0) text += '\t';
            text += TextBunky(z, s, ws.nastaveni);
        }
        text += "\r\n";
    }
    return text;
}

bool VyjmoutVybrane(Workspace& ws, Tvyber& vyber) {
    const std::vector<Tzaznam> radky = Vybrane(ws.suroveMereni, vyber);
    if (radky.empty()) return false;
    NaplnitSchranku(ws, radky);
    OdstranitVybrane(ws, vyber);
    return true;
}

bool VlozitSchranku(Workspace& ws, Tvyber& vyber) {
    Tmereni& mereni = ws.suroveMereni;
    vyber.Velikost(mereni.zaznam.size());
    const std::vector<Tzaznam>& schranka = ws.schrankaMereni.zaznam;
    if (!ws.nastaveni.schranka.suroveMereni_existuje || schranka.empty()) return false;
    const int32_t pocet = vyber.Pocet();
    if (pocet > 1) return false;
    if (pocet == 1) {
        const int32_t r = vyber.Prvni();
        ZkontrolovatStanoviskoZnovu(mereni, r);
        const Tzaznam cil = mereni.zaznam[Index(r)];
        std::vector<Tzaznam> vlozene = schranka;
        for (Tzaznam& z : vlozene) {
            z.poradi = cil.poradi;
            z.cislo_stn = cil.cislo_stn;
            z.vyska_stn = cil.vyska_stn;
            z.jeZkontrolovano = false;
        }
        mereni.zaznam.insert(mereni.zaznam.begin() + r, vlozene.begin(), vlozene.end());
        vyber.hromadny.insert(vyber.hromadny.begin() + r, vlozene.size(), false);
    } else {
        mereni.SmazPrazdneZaznamyNaKonci();
        const int32_t posledni = mereni.PosledniPoradi();
        for (Tzaznam z : schranka) {
            z.poradi += posledni;
            z.jeZkontrolovano = false;
            mereni.PridejZaznam(z);
        }
        vyber.Velikost(mereni.zaznam.size());
        vyber.aktualni = static_cast<int32_t>(mereni.zaznam.size()) - 1;
    }
    ZkontrolovatPoZmene(ws);
    vyber.Velikost(mereni.zaznam.size());
    return true;
}

bool SmazatVybrane(Workspace& ws, Tvyber& vyber) {
    vyber.Velikost(ws.suroveMereni.zaznam.size());
    if (vyber.Pocet() == 0) return false;
    OdstranitVybrane(ws, vyber);
    return true;
}

bool PosunoutVybrany(Workspace& ws, Tvyber& vyber, bool nahoru) {
    Tmereni& mereni = ws.suroveMereni;
    vyber.Velikost(mereni.zaznam.size());
    int32_t r = vyber.Jediny();
    if (r < 0) return false;
    const int32_t puvodni = r;
    mereni.PosunZaznamStanovisko(r, nahoru);
    if (r == puvodni) return false;
    ZkontrolovatStanoviskoZnovu(mereni, r);
    vyber.Zrusit();
    vyber.hromadny[Index(r)] = true;
    vyber.aktualni = r;
    ZkontrolovatPoZmene(ws);
    return true;
}

void ZkontrolovatPoZmene(Workspace& ws) {
    // Station numbers stay consecutive, as the table shows them.
    ws.suroveMereni.SeradPoradi();
    IdentifikujSkupiny(ws.suroveMereni);
    KontrolaMereni(ws.suroveMereni, ws.nastaveni, ws.chyby, false);
    ws.state.MeasurementsChanged();
}

int32_t NajitChybny(const Tmereni& mereni, int32_t od) {
    const auto n = static_cast<int32_t>(mereni.zaznam.size());
    if (n == 0) return -1;
    const int32_t start = std::clamp(od, -1, n - 1);
    for (int32_t k = 1; k <= n; ++k) {
        const int32_t i = (start + k) % n;
        const Tzaznam& z = mereni.zaznam[Index(i)];
        if (z.JePlny() && (z.MaKontrolu() || !z.JeVeSkupine())) return i;
    }
    return -1;
}

bool SplnujePodminku(const std::string& text, const PodminkaVzoru& p, bool cislo) {
    if (p.porovnani == Porovnani::Zadne) return true;
    if (!cislo) return PorovnatTexty(text, p);
    Real hodnota = 0;
    if (ParseNumber(text, hodnota) != NumberStatus::Ok) return false;
    return PorovnatCisla(hodnota, p);
}

bool VzorHledani::JeAktivni() const {
    return vertano::JeAktivni(poradi) || vertano::JeAktivni(cisloStn) ||
           vertano::JeAktivni(vyskaStn) || poloha != 0 || vertano::JeAktivni(cisloCil) ||
           vertano::JeAktivni(vyskaCil) || vertano::JeAktivni(smer) || vertano::JeAktivni(zenit) ||
           vertano::JeAktivni(delka) || vertano::JeAktivni(skupina);
}

bool OdpovidaVzoru(const Tzaznam& z, const VzorHledani& v, const Tnastaveni& n) {
    if (!z.JePlny() || !v.JeAktivni()) return false;
    if (v.poloha == 1 && !z.poloha) return false;
    if (v.poloha == 2 && z.poloha) return false;
    return PorovnatCisla(z.poradi, v.poradi) && PorovnatTexty(z.cislo_stn, v.cisloStn) &&
           PorovnatZobrazene(z, sloupec::kVyskaStn, v.vyskaStn, n) &&
           PorovnatTexty(z.cislo_cil, v.cisloCil) &&
           PorovnatZobrazene(z, sloupec::kVyskaCil, v.vyskaCil, n) &&
           PorovnatZobrazene(z, sloupec::kSmer, v.smer, n) &&
           PorovnatZobrazene(z, sloupec::kZenit, v.zenit, n) &&
           PorovnatZobrazene(z, sloupec::kDelka, v.delka, n) && PorovnatCisla(z.skupina, v.skupina);
}

int32_t NajitDleVzoru(const Tmereni& mereni, const VzorHledani& vzor, const Tnastaveni& nastaveni,
                      int32_t od, bool dopredu) {
    const auto n = static_cast<int32_t>(mereni.zaznam.size());
    if (dopredu) {
        for (int32_t i = std::max(od + 1, 0); i < n; ++i) {
            if (OdpovidaVzoru(mereni.zaznam[Index(i)], vzor, nastaveni)) return i;
        }
    } else {
        for (int32_t i = std::min(od - 1, n - 1); i >= 0; --i) {
            if (OdpovidaVzoru(mereni.zaznam[Index(i)], vzor, nastaveni)) return i;
        }
    }
    return -1;
}

int32_t VybratDleVzoru(const Tmereni& mereni, const VzorHledani& vzor, const Tnastaveni& nastaveni,
                       Tvyber& vyber) {
    vyber.Velikost(mereni.zaznam.size());
    int32_t pocet = 0;
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        vyber.hromadny[i] = OdpovidaVzoru(mereni.zaznam[i], vzor, nastaveni);
        pocet += vyber.hromadny[i] ? 1 : 0;
    }
    return pocet;
}

}  // namespace vertano
