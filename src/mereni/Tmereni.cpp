#include "mereni/Tmereni.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "mereni/ColumnStatistic.h"

namespace vertano {

namespace {

size_t Pocet(int32_t pocet) {
    return static_cast<size_t>(std::max(pocet, int32_t{0}));
}

bool JeIndex(const std::vector<Tzaznam>& zaznamy, int32_t i) {
    return i >= 0 && static_cast<size_t>(i) < zaznamy.size();
}

// Swaps row `poradi` with its neighbour when that neighbour exists and is full (and,
// for moves within a station, belongs to the same station).
void Posun(std::vector<Tzaznam>& zaznamy, int32_t& poradi, bool nahoru, bool jenStanovisko) {
    if (zaznamy.size() < 2 || !JeIndex(zaznamy, poradi)) return;
    const int32_t soused = nahoru ? poradi - 1 : poradi + 1;
    if (!JeIndex(zaznamy, soused)) return;
    const Tzaznam& z = zaznamy[static_cast<size_t>(poradi)];
    const Tzaznam& s = zaznamy[static_cast<size_t>(soused)];
    if (!s.JePlny()) return;
    if (jenStanovisko && s.poradi != z.poradi) return;
    std::swap(zaznamy[static_cast<size_t>(poradi)], zaznamy[static_cast<size_t>(soused)]);
    poradi = soused;
}

}  // namespace

// ---- whole list ----

void Tmereni::Create(int32_t pocet) {
    kontrola.fill(0);
    zaznam.assign(Pocet(pocet), Tzaznam{});
}

void Tmereni::Velikost(int32_t pocet) {
    zaznam.resize(Pocet(pocet));
}

void Tmereni::Clear() {
    zaznam.clear();
    kontrola.fill(0);
}

void Tmereni::Kopiruj(const Tmereni& mereni) {
    if (&mereni == this) return;
    zaznam = mereni.zaznam;
    kontrola = mereni.kontrola;
}

void Tmereni::PridejMereniBezZmen(const Tmereni& mereni) {
    if (&mereni == this) {
        const std::vector<Tzaznam> kopie = zaznam;
        zaznam.insert(zaznam.end(), kopie.begin(), kopie.end());
        return;
    }
    zaznam.insert(zaznam.end(), mereni.zaznam.begin(), mereni.zaznam.end());
}

void Tmereni::PridejMereniSouboru(Tmereni& noveMereni, int32_t identifikator) {
    SmazPrazdneZaznamyNaKonci();
    const int32_t posun = zaznam.empty() ? 0 : zaznam.back().poradi;
    // Empty rows stay empty: shifting their 0 would make them rows of a station.
    const auto posunout = [posun](Tzaznam& z) {
        if (z.JePlny()) z.poradi += posun;
    };
    std::vector<Tzaznam> pridane = noveMereni.zaznam;
    for (auto& z : pridane) {
        posunout(z);
        z.soubor = identifikator;
    }
    if (&noveMereni != this) {
        for (auto& z : noveMereni.zaznam) posunout(z);
    }
    zaznam.insert(zaznam.end(), std::make_move_iterator(pridane.begin()),
                  std::make_move_iterator(pridane.end()));
}

void Tmereni::PridejMereniSouboru(Tmereni&& noveMereni, int32_t identifikator) {
    if (&noveMereni == this) {
        PridejMereniSouboru(noveMereni, identifikator);
        return;
    }
    SmazPrazdneZaznamyNaKonci();
    const int32_t posun = zaznam.empty() ? 0 : zaznam.back().poradi;
    for (auto& z : noveMereni.zaznam) {
        if (z.JePlny()) z.poradi += posun;
        z.soubor = identifikator;
    }
    if (zaznam.empty()) {
        zaznam = std::move(noveMereni.zaznam);
    } else {
        zaznam.insert(zaznam.end(), std::make_move_iterator(noveMereni.zaznam.begin()),
                      std::make_move_iterator(noveMereni.zaznam.end()));
    }
    noveMereni.zaznam.clear();
    noveMereni.zaznam.shrink_to_fit();
}

void Tmereni::ExportujMereniDleStanoviska(Tmereni& mereniStanovisko, int32_t poradi) const {
    if (&mereniStanovisko == this) {
        std::erase_if(mereniStanovisko.zaznam,
                      [poradi](const Tzaznam& z) { return z.poradi != poradi; });
        mereniStanovisko.kontrola.fill(0);
        return;
    }
    mereniStanovisko.Clear();
    for (const auto& z : zaznam) {
        if (z.poradi == poradi) mereniStanovisko.zaznam.push_back(z);
    }
}

// ---- single rows ----

void Tmereni::PridejZaznam(const Tzaznam& zaznam_novy) {
    zaznam.push_back(zaznam_novy);
}

void Tmereni::PridejPrazdnyZaznam() {
    zaznam.push_back(Tzaznam::Prazdny());
}

void Tmereni::VlozitZaznamNaPoradi(const Tzaznam& zaznam_novy, int32_t poradi) {
    const bool platny = poradi >= 0 && static_cast<size_t>(poradi) <= zaznam.size();
    assert(platny && "VlozitZaznamNaPoradi beyond the end of the list");
    if (!platny) return;
    zaznam.insert(zaznam.begin() + poradi, zaznam_novy);
}

void Tmereni::SmazZaznamDlePoradi(int32_t poradi) {
    if (JeIndex(zaznam, poradi)) zaznam.erase(zaznam.begin() + poradi);
}

void Tmereni::VyprazdniZaznamDlePoradi(int32_t poradi) {
    if (JeIndex(zaznam, poradi)) zaznam[static_cast<size_t>(poradi)] = Tzaznam::Prazdny();
}

void Tmereni::PosunZaznam(int32_t& poradi, bool smer) {
    Posun(zaznam, poradi, smer, false);
}

void Tmereni::PosunZaznamStanovisko(int32_t& poradi, bool smer) {
    Posun(zaznam, poradi, smer, true);
}

// ---- removal of empty rows ----

void Tmereni::SmazPrazdneZaznamy() {
    SmazPrazdneZaznamyNeradPoradi();
    SeradPoradi();
}

void Tmereni::SmazPrazdneZaznamyNeradPoradi() {
    std::erase_if(zaznam, [](const Tzaznam& z) { return !z.JePlny(); });
}

bool Tmereni::SmazPrazdneZaznamyNaKonci() {
    const size_t puvodne = zaznam.size();
    while (!zaznam.empty() && !zaznam.back().JePlny()) zaznam.pop_back();
    return zaznam.size() != puvodne;
}

void Tmereni::SmazNezarazeneZaznamy() {
    std::erase_if(zaznam, [](const Tzaznam& z) { return !z.JeVeSkupine(); });
    SeradPoradi();
}

bool Tmereni::SmazZaznamyBezDelky() {
    const size_t puvodne = zaznam.size();
    for (auto& z : zaznam) {
        if (!z.MaDelku()) z = Tzaznam::Prazdny();
    }
    SmazPrazdneZaznamyNeradPoradi();
    return zaznam.size() != puvodne;
}

// ---- derived values ----

void Tmereni::JeZkontrolovanoNastavit(bool prepinac) {
    for (auto& z : zaznam) z.jeZkontrolovano = prepinac;
}

void Tmereni::KopirovatSmerodatneOdchylky(const Tmereni& vstup) {
    if (&vstup == this) {
        const Tmereni kopie = vstup;
        KopirovatSmerodatneOdchylky(kopie);
        return;
    }
    for (auto& z : zaznam) {
        if (JeIndex(vstup.zaznam, z.iPrvni)) {
            const Tzaznam& zdroj = vstup.zaznam[static_cast<size_t>(z.iPrvni)];
            z.sig_delka = zdroj.sig_delka;
            z.sig_smer = zdroj.sig_smer;
            z.sig_zenit = zdroj.sig_zenit;
        } else {
            z.sig_delka = z.sig_smer = z.sig_zenit = -1;
        }
    }
}

void Tmereni::VyprazdnitSmerodatneOdchylky() {
    for (auto& z : zaznam) z.sig_delka = z.sig_smer = z.sig_zenit = -1;
}

Real Tmereni::StatistikaSloupce(int32_t velicina, int32_t statistika) const {
    return ColumnStatistic(ColumnValues(zaznam, velicina), statistika);
}

}  // namespace vertano
