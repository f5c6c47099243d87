#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "mereni/Tmereni.h"

namespace vertano {

namespace {

struct Rozsah {
    int32_t stanovisko = 0;
    int32_t prvni = 0;
    int32_t posledni = 0;
};

// First and last index of the first run of rows of each station 1 … pocet that has
// rows, ordered by station. A station that appears again after other rows keeps its
// first run, as a scan with IndexyZaznamuDleStanoviska from the start would find it.
// Only stations that exist take memory, whatever numbers the rows carry.
std::vector<Rozsah> PrvniBehyStanovisek(const std::vector<Tzaznam>& zaznamy, int32_t pocet) {
    std::vector<Rozsah> behy;
    std::unordered_set<int32_t> videno;
    bool otevreny = false;  // the current run is the first run of its station
    for (size_t i = 0; i < zaznamy.size(); ++i) {
        const int32_t p = zaznamy[i].poradi;
        const auto index = static_cast<int32_t>(i);
        if (i > 0 && zaznamy[i - 1].poradi == p) {
            if (otevreny) behy.back().posledni = index;
            continue;
        }
        otevreny = p >= 1 && p <= pocet && videno.insert(p).second;
        if (otevreny) behy.push_back({p, index, index});
    }
    std::sort(behy.begin(), behy.end(),
              [](const Rozsah& a, const Rozsah& b) { return a.stanovisko < b.stanovisko; });
    return behy;
}

template <class Shoda>
int32_t NajdiBeh(const std::vector<Tzaznam>& zaznamy, int32_t& pocatek, int32_t& konec,
                 int32_t pocatekProhledavani, Shoda shoda) {
    const auto n = static_cast<int32_t>(zaznamy.size());
    int32_t i = std::clamp(pocatekProhledavani, int32_t{0}, n);
    bool nalezeno = false;
    for (; i < n; ++i) {
        if (shoda(zaznamy[static_cast<size_t>(i)])) {
            if (!nalezeno) pocatek = i;
            nalezeno = true;
            konec = i;
        } else if (nalezeno) {
            break;
        }
    }
    return i;
}

template <class Podminka>
int32_t Spocitej(const std::vector<Tzaznam>& zaznamy, Podminka podminka) {
    return static_cast<int32_t>(std::count_if(zaznamy.begin(), zaznamy.end(), podminka));
}

}  // namespace

// ---- station numbering and look-up ----

void Tmereni::SeradPoradi() {
    int32_t cislo = 0;
    bool prvni = true;
    int32_t predchoziPuvodni = 0;
    for (auto& z : zaznam) {
        if (!z.JePlny()) continue;
        if (prvni || z.poradi != predchoziPuvodni) ++cislo;
        prvni = false;
        predchoziPuvodni = z.poradi;
        z.poradi = cislo;
    }
}

int32_t Tmereni::NejvetsiPoradi() const {
    int32_t nejvetsi = 0;
    for (const auto& z : zaznam) nejvetsi = std::max(nejvetsi, z.poradi);
    return nejvetsi;
}

int32_t Tmereni::NejvetsiSkupina() const {
    int32_t nejvetsi = 0;
    for (const auto& z : zaznam) nejvetsi = std::max(nejvetsi, z.skupina);
    return nejvetsi;
}

int32_t Tmereni::PosledniPoradi() const {
    for (auto it = zaznam.rbegin(); it != zaznam.rend(); ++it) {
        if (it->poradi > 0) return it->poradi;
    }
    return 0;
}

int32_t Tmereni::IndexyZaznamuDleStanoviska(int32_t& pocatek, int32_t& konec,
                                            int32_t pocatekProhledavani, int32_t poradi) const {
    return NajdiBeh(zaznam, pocatek, konec, pocatekProhledavani,
                    [poradi](const Tzaznam& z) { return z.poradi == poradi; });
}

int32_t Tmereni::IndexyZaznamuDleSkupiny(int32_t& pocatek, int32_t& konec,
                                         int32_t pocatekProhledavani, int32_t poradiSkupiny,
                                         int32_t poradiStanoviska) const {
    return NajdiBeh(zaznam, pocatek, konec, pocatekProhledavani, [&](const Tzaznam& z) {
        return z.poradi == poradiStanoviska && z.skupina == poradiSkupiny;
    });
}

void Tmereni::IndexyZaznamuVsechStanovisek(Tmereni& indexy) const {
    const int32_t pocet = PosledniPoradi();
    std::vector<Tzaznam> tabulka(static_cast<size_t>(pocet));
    for (const Rozsah& r : PrvniBehyStanovisek(zaznam, pocet)) {
        Tzaznam& radek = tabulka[static_cast<size_t>(r.stanovisko - 1)];
        radek.soubor = r.stanovisko;
        radek.cislo_stn = zaznam[static_cast<size_t>(r.prvni)].cislo_stn;
        radek.poradi = r.prvni;
        radek.skupina = r.posledni;
    }
    indexy.zaznam = std::move(tabulka);
}

void Tmereni::IndexyZaznamuVsechStanovisekVector(std::vector<int32_t>& indexy) const {
    const int32_t pocet = PosledniPoradi();
    const auto behy = PrvniBehyStanovisek(zaznam, pocet);
    indexy.assign(static_cast<size_t>(pocet) + 1, -1);
    if (behy.empty()) {
        indexy.back() = 0;
        return;
    }
    for (const Rozsah& r : behy) indexy[static_cast<size_t>(r.stanovisko - 1)] = r.prvni;
    // PosledniPoradi is the number of some row, so the last station always has rows.
    indexy.back() = behy.back().posledni + 1;
    for (size_t k = indexy.size() - 1; k-- > 0;) {
        if (indexy[k] < 0) indexy[k] = indexy[k + 1];
    }
}

int32_t Tmereni::PoradiPrvnihoZaznamuSCisemSouboru(int32_t cisloSouboru) const {
    for (size_t i = 0; i < zaznam.size(); ++i) {
        if (zaznam[i].soubor == cisloSouboru) return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t Tmereni::SkupinaDlePoradi() {
    int32_t blok = 0;
    for (size_t i = 0; i < zaznam.size(); ++i) {
        if (i == 0 || zaznam[i].poradi != zaznam[i - 1].poradi) ++blok;
        zaznam[i].skupina = blok;
    }
    return static_cast<int32_t>(zaznam.size());
}

int32_t Tmereni::PoradiBoduPriradit(std::vector<std::string>& strList) {
    strList.clear();
    std::unordered_map<std::string, int32_t> pozice;
    const auto najdi = [&](const std::string& jmeno) {
        const auto [it, novy] = pozice.try_emplace(jmeno, static_cast<int32_t>(strList.size()));
        if (novy) strList.push_back(jmeno);
        return it->second;
    };
    for (const Rozsah& r : PrvniBehyStanovisek(zaznam, PosledniPoradi())) {
        const int32_t iStn = najdi(zaznam[static_cast<size_t>(r.prvni)].cislo_stn);
        for (int32_t i = r.prvni; i <= r.posledni; ++i) {
            Tzaznam& z = zaznam[static_cast<size_t>(i)];
            z.iStn = iStn;
            z.iCil = najdi(z.cislo_cil);
        }
    }
    return static_cast<int32_t>(strList.size());
}

// ---- counting and tests ----

int32_t Tmereni::PocetPlnychZaznamu() const {
    return Spocitej(zaznam, [](const Tzaznam& z) { return z.JePlny(); });
}

int32_t Tmereni::PocetPrazdnychZaznamu() const {
    return static_cast<int32_t>(zaznam.size()) - PocetPlnychZaznamu();
}

bool Tmereni::ObsahujePrazneZaznamy() const {
    return PocetPrazdnychZaznamu() != 0;
}

bool Tmereni::ExistujePlnyZaznam() const {
    return std::any_of(zaznam.begin(), zaznam.end(), [](const Tzaznam& z) { return z.JePlny(); });
}

int32_t Tmereni::PocetZaznamuBezDelky() const {
    return Spocitej(zaznam, [](const Tzaznam& z) { return !z.MaDelku(); });
}

int32_t Tmereni::PocetZaznamuSDelkou() const {
    return Spocitej(zaznam, [](const Tzaznam& z) { return z.MaDelku(); });
}

bool Tmereni::ObsahujeZaznamyBezDelky() const {
    return PocetZaznamuBezDelky() != 0;
}

bool Tmereni::JeMerenaDelka() const {
    return std::any_of(zaznam.begin(), zaznam.end(), [](const Tzaznam& z) { return z.MaDelku(); });
}

bool Tmereni::JeMerenaDelkaNaStanovisku(int32_t poradi, Tzaznam& zaznam_out, int32_t& index) const {
    for (size_t i = 0; i < zaznam.size(); ++i) {
        if (zaznam[i].poradi == poradi && zaznam[i].MaDelku()) {
            zaznam_out = zaznam[i];
            index = static_cast<int32_t>(i);
            return true;
        }
    }
    zaznam_out = Tzaznam::Prazdny();
    index = -1;
    return false;
}

int32_t Tmereni::PocetZarazenychZaznamuDoSkupin() const {
    return Spocitej(zaznam, [](const Tzaznam& z) { return z.JePlny() && z.JeVeSkupine(); });
}

bool Tmereni::ExistujeZarazenyZaznamDoSkupiny() const {
    return std::any_of(zaznam.begin(), zaznam.end(),
                       [](const Tzaznam& z) { return z.JePlny() && z.JeVeSkupine(); });
}

bool Tmereni::ExistujeNezarazenyZaznamDoSkupiny() const {
    return std::any_of(zaznam.begin(), zaznam.end(),
                       [](const Tzaznam& z) { return z.JePlny() && !z.JeVeSkupine(); });
}

int32_t Tmereni::PocetZaznamuSPolohou(bool poloha) const {
    return Spocitej(zaznam,
                    [poloha](const Tzaznam& z) { return z.JePlny() && z.poloha == poloha; });
}

int32_t Tmereni::PocetOdlehlychHodnot() const {
    int32_t pocet = 0;
    for (const auto& z : zaznam) {
        pocet +=
            int32_t{z.delka_JeOdlehla} + int32_t{z.smer_Jeodlehla} + int32_t{z.zenit_JeOdlehla};
    }
    return pocet;
}

int32_t Tmereni::PocetStanovisekSNeodehlymiHodnotami() const {
    // The same count as emptying the outlying directions, dropping empty rows,
    // renumbering and taking PosledniPoradi, without copying the list.
    int32_t pocet = 0;
    bool prvni = true;
    int32_t predchozi = 0;
    for (const auto& z : zaznam) {
        if (!z.JePlny() || z.smer_Jeodlehla) continue;
        if (prvni || z.poradi != predchozi) ++pocet;
        prvni = false;
        predchozi = z.poradi;
    }
    return pocet;
}

int32_t Tmereni::PocetSkupinNaStanovisku(int32_t pocatek, int32_t konec) const {
    if (konec < pocatek || zaznam.empty()) return 0;
    const int32_t od = std::max(pocatek, int32_t{0});
    for (int32_t i = std::min(konec, static_cast<int32_t>(zaznam.size()) - 1); i >= od; --i) {
        if (zaznam[static_cast<size_t>(i)].skupina > 0)
            return zaznam[static_cast<size_t>(i)].skupina;
    }
    return 0;
}

}  // namespace vertano
