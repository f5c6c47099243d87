#include "workspace/UpravyMereni.h"

#include <algorithm>
#include <numbers>
#include <vector>

#include "mereni/Text.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

// C1 controls (U+0080-U+009F) are two bytes in UTF-8: C2 80 to C2 9F.
bool MaC1(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[i]);
        const auto b = static_cast<unsigned char>(text[i + 1]);
        if (a == 0xC2 && b >= 0x80 && b <= 0x9F) return true;
    }
    return false;
}

bool PlatneJmeno(const std::optional<std::string>& jmeno) {
    return !jmeno || JePlatneJmeno(*jmeno);
}

// The measured values of `h` that are given (a value or not measured) into a
// row; the face follows the zenith angle, or the face a missing one says.
void NastavitHodnoty(Tzaznam& z, const HodnotyMereni& h) {
    if (h.smer || h.bezSmeru) {
        z.smer = h.smer.value_or(0);
        z.bezSmeru = !h.smer;
    }
    if (h.zenit) {
        z.zenit = *h.zenit;
        z.bezZenitu = false;
        z.poloha = *h.zenit <= std::numbers::pi_v<Real>;
    } else if (h.bezZenitu) {
        z.zenit = 0;
        z.bezZenitu = true;
        z.poloha = !h.zenitDruhaPoloha;
    }
    if (h.delka) z.delka = *h.delka;
}

// A row from the target fields, all of which are given.
Tzaznam NovyRadek(const HodnotyMereni& h) {
    Tzaznam z = Tzaznam::Prazdny();
    z.cislo_cil = *h.cisloCil;
    z.vyska_cil = *h.vyskaCil;
    NastavitHodnoty(z, h);
    z.soubor = 0;
    z.skupina = 0;
    return z;
}

bool MaCil(const HodnotyMereni& h) {
    return h.cisloCil && h.vyskaCil && (h.smer || h.bezSmeru) && (h.zenit || h.bezZenitu) &&
           h.delka && JePlatneJmeno(*h.cisloCil) && NovyRadek(h).MaHodnotu();
}

void NeoznacitStanovisko(Tmereni& mereni, int32_t poradi) {
    for (Tzaznam& z : mereni.zaznam) {
        if (z.poradi == poradi) z.jeZkontrolovano = false;
    }
}

}  // namespace

std::string OrezatJmeno(std::string_view text) {
    return std::string(Trim(text));
}

bool JePlatneJmeno(std::string_view jmeno) {
    return IsSingleToken(jmeno) && !MaC1(jmeno);
}

bool JeNemerenoPole(std::string_view text, bool zenit) {
    const std::string_view t = Trim(text);
    return t == "-" || (zenit && (t == "-I" || t == "-II"));
}

bool VlozitStanovisko(Workspace& ws, const HodnotyMereni& h) {
    if (!h.cisloStn || !h.vyskaStn || !JePlatneJmeno(*h.cisloStn) || !MaCil(h)) return false;
    Tmereni& mereni = ws.suroveMereni;
    mereni.SmazPrazdneZaznamyNaKonci();
    Tzaznam z = NovyRadek(h);
    z.poradi = mereni.PosledniPoradi() + 1;
    z.cislo_stn = *h.cisloStn;
    z.vyska_stn = *h.vyskaStn;
    mereni.PridejZaznam(z);
    ZkontrolovatPoZmene(ws);
    return true;
}

bool VlozitMereni(Workspace& ws, Tvyber& vyber, const HodnotyMereni& h) {
    Tmereni& mereni = ws.suroveMereni;
    vyber.Velikost(mereni.zaznam.size());
    const int32_t r = vyber.Prvni();
    if (r < 0 || !mereni.zaznam[static_cast<std::size_t>(r)].JePlny() || !MaCil(h)) return false;
    const Tzaznam& vzor = mereni.zaznam[static_cast<std::size_t>(r)];
    Tzaznam z = NovyRadek(h);
    z.poradi = vzor.poradi;
    z.cislo_stn = vzor.cislo_stn;
    z.vyska_stn = vzor.vyska_stn;
    const int32_t poradi = vzor.poradi;
    mereni.VlozitZaznamNaPoradi(z, r);
    vyber.hromadny.insert(vyber.hromadny.begin() + r, false);
    NeoznacitStanovisko(mereni, poradi);
    ZkontrolovatPoZmene(ws);
    vyber.Velikost(mereni.zaznam.size());
    return true;
}

bool UpravitMereni(Workspace& ws, const Tvyber& vyber, const HodnotyMereni& h) {
    Tmereni& mereni = ws.suroveMereni;
    const std::size_t n = std::min(mereni.zaznam.size(), vyber.hromadny.size());
    const bool neco = h.cisloStn || h.vyskaStn || h.cisloCil || h.vyskaCil || h.smer || h.zenit ||
                      h.delka || h.bezSmeru || h.bezZenitu;
    if (!neco || !PlatneJmeno(h.cisloStn) || !PlatneJmeno(h.cisloCil)) return false;
    std::vector<int32_t> stanoviska;
    for (std::size_t i = 0; i < n; ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!vyber.hromadny[i] || !z.JePlny()) continue;
        Tzaznam nove = z;
        NastavitHodnoty(nove, h);
        if (!nove.MaHodnotu()) return false;
        stanoviska.push_back(z.poradi);
    }
    if (stanoviska.empty()) return false;
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny() ||
            std::find(stanoviska.begin(), stanoviska.end(), z.poradi) == stanoviska.end())
            continue;
        if (h.cisloStn) z.cislo_stn = *h.cisloStn;
        if (h.vyskaStn) z.vyska_stn = *h.vyskaStn;
        z.jeZkontrolovano = false;
        if (i >= n || !vyber.hromadny[i]) continue;
        if (h.cisloCil) z.cislo_cil = *h.cisloCil;
        if (h.vyskaCil) z.vyska_cil = *h.vyskaCil;
        NastavitHodnoty(z, h);
    }
    ZkontrolovatPoZmene(ws);
    return true;
}

int32_t PocetCiluPremisteni(const Tmereni& mereni) {
    return mereni.PosledniPoradi() + 1;
}

bool PremistitVybrane(Workspace& ws, Tvyber& vyber, int32_t poradi) {
    Tmereni& mereni = ws.suroveMereni;
    vyber.Velikost(mereni.zaznam.size());
    const int32_t posledni = mereni.PosledniPoradi();
    if (poradi < 1 || poradi > posledni + 1) return false;
    std::vector<Tzaznam> presunute;
    std::vector<Tzaznam> zbyle;
    const Tzaznam* cil = nullptr;
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (vyber.hromadny[i] && z.JePlny()) {
            presunute.push_back(z);
        } else {
            zbyle.push_back(z);
        }
    }
    if (presunute.empty()) return false;
    for (const Tzaznam& z : zbyle) {
        if (z.JePlny() && z.poradi == poradi) {
            cil = &z;
            break;
        }
    }
    // Every station the rows leave or join is checked again.
    std::vector<int32_t> dotcene = {poradi};
    for (const Tzaznam& z : presunute) dotcene.push_back(z.poradi);
    // A station whose rows all move is the target of none: it becomes a new one.
    const std::string cisloStn = cil != nullptr ? cil->cislo_stn : presunute.front().cislo_stn;
    const Real vyskaStn = cil != nullptr ? cil->vyska_stn : presunute.front().vyska_stn;
    for (Tzaznam& z : presunute) {
        z.poradi = poradi;
        z.cislo_stn = cisloStn;
        z.vyska_stn = vyskaStn;
        z.jeZkontrolovano = false;
    }
    for (Tzaznam& z : zbyle) {
        if (std::find(dotcene.begin(), dotcene.end(), z.poradi) != dotcene.end())
            z.jeZkontrolovano = false;
    }
    // After the last row of the target station, or at the end of the full rows.
    std::size_t kam = zbyle.size();
    std::size_t posledniPlny = 0;
    bool nalezen = false;
    for (std::size_t i = 0; i < zbyle.size(); ++i) {
        if (!zbyle[i].JePlny()) continue;
        posledniPlny = i + 1;
        if (zbyle[i].poradi == poradi) {
            kam = i + 1;
            nalezen = true;
        }
    }
    if (!nalezen) {
        kam = posledniPlny;
        // Rows behind every station make a station of their own, even when the
        // last station keeps the number they were given.
        for (Tzaznam& z : presunute) z.poradi = posledni + 1;
    }
    zbyle.insert(zbyle.begin() + static_cast<std::ptrdiff_t>(kam), presunute.begin(),
                 presunute.end());
    mereni.zaznam = std::move(zbyle);
    vyber.hromadny.assign(mereni.zaznam.size(), false);
    for (std::size_t i = kam; i < kam + presunute.size(); ++i) vyber.hromadny[i] = true;
    vyber.aktualni = static_cast<int32_t>(kam);
    ZkontrolovatPoZmene(ws);
    return true;
}

}  // namespace vertano
