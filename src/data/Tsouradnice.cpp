#include "data/Tsouradnice.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "data/BodyPomocne.h"
#include "mereni/CisloBodu.h"

namespace vertano {

namespace {

bool JePlny(const Tbod& b) {
    return b.JePlny;
}

}  // namespace

Tsouradnice::Tsouradnice(int pocet) {
    Velikost(pocet);
}

void Tsouradnice::Velikost(int pocet) {
    bod.resize(static_cast<std::size_t>(std::max(pocet, 0)));
}

void Tsouradnice::PridejBody2(const Tsouradnice& souradnice) {
    // Copy first: appending a list to itself must not read while it grows.
    const std::vector<Tbod> nove = souradnice.bod;
    bod.insert(bod.end(), nove.begin(), nove.end());
}

void Tsouradnice::Kopiruj(const Tsouradnice& souradnice) {
    if (&souradnice != this) bod = souradnice.bod;
}

void Tsouradnice::VlozitBodNaPoradi(const Tbod& novy, int poradi) {
    if (poradi < 0 || poradi >= Pocet()) return;
    bod.insert(bod.begin() + poradi, novy);
}

void Tsouradnice::VyprazdniZaznamDlePoradi(int poradi) {
    if (poradi < 0 || poradi >= Pocet()) return;
    VyprazdnitBod(bod[static_cast<std::size_t>(poradi)]);
}

void Tsouradnice::SmazPrazdneZaznamy() {
    std::erase_if(bod, [](const Tbod& b) { return !b.JePlny; });
}

bool Tsouradnice::SmazPrazdneZaznamyNaKonci() {
    const std::size_t puvodne = bod.size();
    while (!bod.empty() && !bod.back().JePlny) bod.pop_back();
    return bod.size() < puvodne;
}

void Tsouradnice::SeraditPoradi() {
    int32_t dalsi = 1;
    for (Tbod& b : bod) {
        if (b.JePlny) b.poradi = dalsi++;
    }
}

void Tsouradnice::PosunZaznam(int& poradi, bool smer) {
    if (Pocet() < 2 || poradi < 0 || poradi >= Pocet()) return;
    const int soused = smer ? poradi - 1 : poradi + 1;
    if (soused < 0 || soused >= Pocet()) return;
    if (!bod[static_cast<std::size_t>(soused)].JePlny) return;
    std::swap(bod[static_cast<std::size_t>(poradi)], bod[static_cast<std::size_t>(soused)]);
    poradi = soused;
}

int Tsouradnice::IndexBodu(std::string_view cislo) const {
    for (std::size_t i = 0; i < bod.size(); ++i) {
        if (JeStejneCislo(bod[i].cislo, cislo)) return static_cast<int>(i);
    }
    return -1;
}

Tbod Tsouradnice::BodSCislem(std::string_view cislo) const {
    const int i = IndexBodu(cislo);
    return i < 0 ? Tbod::Prazdny() : bod[static_cast<std::size_t>(i)];
}

bool Tsouradnice::ExitujeBod(std::string_view cislo) const {
    return IndexBodu(cislo) >= 0;
}

bool Tsouradnice::PoradiBodu(std::string_view cislo, int& poradi) const {
    poradi = IndexBodu(cislo);
    return poradi >= 0;
}

bool Tsouradnice::ExistujePlnyBod() const {
    return std::ranges::any_of(bod, JePlny);
}

int Tsouradnice::PocetPlnychBodu() const {
    return static_cast<int>(std::ranges::count_if(bod, JePlny));
}

int Tsouradnice::PocetFixnichBodu() const {
    return static_cast<int>(std::ranges::count_if(bod, [](const Tbod& b) { return b.JeFixni; }));
}

}  // namespace vertano
