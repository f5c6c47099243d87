#include "data/Tinfo.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vertano {

namespace info {

Tsoubor FileEntryFromPath(const std::filesystem::path& cesta, int32_t formatKod, bool nacteni,
                          int32_t hlaseni) {
    Tsoubor s;
    s.jmeno = cesta.filename().string();
    s.pripona = cesta.extension().string();
    std::string adresar = cesta.parent_path().string();
    if (!adresar.empty() && adresar.back() != std::filesystem::path::preferred_separator) {
        adresar += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    s.cesta = std::move(adresar);
    s.typ = formatKod;
    s.nacteni = nacteni;
    s.hlaseni = hlaseni;
    return s;
}

}  // namespace info

namespace {

// A list whose IDs reached the top of the range cannot continue with "largest + 1";
// it then takes the smallest positive ID that no entry uses.
int32_t VolneID(const info::Tsoubory& seznam) {
    int32_t nejvetsi = 0;
    for (const auto& s : seznam) nejvetsi = std::max(nejvetsi, s.ID);
    if (nejvetsi < std::numeric_limits<int32_t>::max()) return nejvetsi + 1;
    std::vector<int32_t> pouzita;
    for (const auto& s : seznam) {
        if (s.ID > 0) pouzita.push_back(s.ID);
    }
    std::sort(pouzita.begin(), pouzita.end());
    int32_t kandidat = 1;
    for (const int32_t id : pouzita) {
        if (id > kandidat) break;
        if (id == kandidat) ++kandidat;
    }
    return kandidat;
}

}  // namespace

info::Tsoubory* Tinfo::Seznam(int typ) {
    return const_cast<info::Tsoubory*>(std::as_const(*this).Seznam(typ));
}

const info::Tsoubory* Tinfo::Seznam(int typ) const {
    switch (typ) {
        case info::kSurovaMereni:
            return &souborySurovaMereni;
        case info::kSouradniceFixni:
            return &souborySouradniceFixni;
        case info::kSouradniceTransformaceVstup:
            return &souborySouradniceTransformaceVstup;
        case info::kSouradniceMeritkoVstup:
            return &souborySouradniceMeritkoVstup;
        case info::kDoplnekSmernik:
            return &souboryDoplnekSmernik;
        case info::kDoplnekDelka:
            return &souboryDoplnekDelka;
        case info::kDoplnekPrevyseni:
            return &souboryDoplnekPrevyseni;
        case info::kDoplnekProvazeni:
            return &souboryDoplnekProvazeni;
        default:
            return nullptr;
    }
}

void Tinfo::Default() {
    for (int typ = 0; typ < info::kPocetTypu; ++typ) Seznam(typ)->clear();
    souborProjekt = info::Tsoubor{};
    infoVahy = TinfoVahy{};
}

void Tinfo::PocetSouboru(int32_t pocet, int typ) {
    if (auto* seznam = Seznam(typ)) seznam->resize(static_cast<size_t>(std::max(pocet, 0)));
}

void Tinfo::PridejSoubor(const info::Tsoubor& soubor, int typ) {
    if (auto* seznam = Seznam(typ)) seznam->push_back(soubor);
}

void Tinfo::SmazSoubor(int32_t identifikator, int typ) {
    if (auto* seznam = Seznam(typ)) {
        std::erase_if(*seznam,
                      [identifikator](const info::Tsoubor& s) { return s.ID == identifikator; });
    }
}

int32_t Tinfo::VratPocetSouboru(int typ) const {
    const auto* seznam = Seznam(typ);
    return seznam ? static_cast<int32_t>(seznam->size()) : 0;
}

int32_t Tinfo::VratUspesneNactenychSouboru(int typ) const {
    const auto* seznam = Seznam(typ);
    if (!seznam) return 0;
    return static_cast<int32_t>(std::count_if(seznam->begin(), seznam->end(),
                                              [](const info::Tsoubor& s) { return s.nacteni; }));
}

const info::Tsoubory& Tinfo::VratSoubory(int typ) const {
    const auto* seznam = Seznam(typ);
    return seznam ? *seznam : souborySurovaMereni;
}

int32_t Tinfo::RegistrovatSoubor(int typSouboru, const std::filesystem::path& cesta,
                                 int32_t formatKod, bool nacteni, int32_t hlaseni) {
    auto* seznam = Seznam(typSouboru);
    if (!seznam) return 0;
    info::Tsoubor soubor = info::FileEntryFromPath(cesta, formatKod, nacteni, hlaseni);
    soubor.ID = VolneID(*seznam);
    seznam->push_back(std::move(soubor));
    return seznam->back().ID;
}

}  // namespace vertano
