#include "files/ProjektDoplnky.h"

#include <span>
#include <utility>

#include "matice/FpGuard.h"

namespace vertano {

namespace {

enum class Pole { Stanovisko, VyskaStn, Cil, VyskaCil, Hodnota };

std::span<const Pole> PoleDruhu(DoplnekProjekt druh) {
    static constexpr Pole kDelka[] = {Pole::Stanovisko, Pole::VyskaStn, Pole::Cil, Pole::VyskaCil,
                                      Pole::Hodnota};
    static constexpr Pole kSHodnotou[] = {Pole::Stanovisko, Pole::Cil, Pole::Hodnota};
    static constexpr Pole kProvazeni[] = {Pole::Stanovisko, Pole::Cil};
    switch (druh) {
        case DoplnekProjekt::Delka:
            return kDelka;
        case DoplnekProjekt::Smernik:
        case DoplnekProjekt::Prevyseni:
            return kSHodnotou;
        case DoplnekProjekt::Provazeni:
            return kProvazeni;
    }
    return {};
}

std::string* TextPole(Pole pole, Tzaznam& z) {
    if (pole == Pole::Stanovisko) return &z.cislo_stn;
    if (pole == Pole::Cil) return &z.cislo_cil;
    return nullptr;
}

Real* CisloPole(Pole pole, Tzaznam& z) {
    switch (pole) {
        case Pole::VyskaStn:
            return &z.vyska_stn;
        case Pole::VyskaCil:
            return &z.vyska_cil;
        case Pole::Hodnota:
            return &z.delka;
        default:
            return nullptr;
    }
}

// Appends TAB (not before the first field) and the value; false when the reader
// could not take it back.
bool PridatCislo(std::string& radek, Real hodnota) {
    if (!FitForParser(hodnota)) return false;
    radek += '\t';
    radek += FormatExact(hodnota);
    return true;
}

FileResult ChybaRadku(FileError chyba, int32_t index, const Tzaznam& z, std::string token) {
    FileResult r = FileFailure(chyba, index, 0, "\"" + token + "\"");
    r.cislo = z.cislo_stn;
    return r;
}

// The line of one filled row, or the reason it cannot be written.
bool RadekZaznamu(DoplnekProjekt druh, const Tzaznam& z, int32_t index, std::string& radek,
                  FileResult& chyba) {
    Tzaznam kopie = z;
    radek.clear();
    for (const Pole pole : PoleDruhu(druh)) {
        if (const std::string* text = TextPole(pole, kopie)) {
            if (!IsSingleToken(*text)) {
                chyba = ChybaRadku(FileError::UnwritableName, index, z, *text);
                return false;
            }
            if (!radek.empty()) radek += '\t';
            radek += *text;
        } else if (!PridatCislo(radek, *CisloPole(pole, kopie))) {
            chyba = ChybaRadku(FileError::UnwritableValue, index, z,
                               FormatGeneral(*CisloPole(pole, kopie)));
            return false;
        }
    }
    if (z.sig_delka != -1 && !PridatCislo(radek, z.sig_delka)) {
        chyba = ChybaRadku(FileError::UnwritableValue, index, z, FormatGeneral(z.sig_delka));
        return false;
    }
    return true;
}

}  // namespace

FileResult ZapsatDoplnekProjekt(DoplnekProjekt druh, const Tmereni& mereni,
                                std::vector<std::string>& radky) {
    radky.clear();
    const FpGuard guard;
    std::vector<std::string> text;
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny()) continue;
        std::string radek;
        FileResult chyba;
        if (!RadekZaznamu(druh, z, static_cast<int32_t>(i + 1), radek, chyba)) return chyba;
        text.push_back(std::move(radek));
    }
    radky = std::move(text);
    FileResult r;
    r.counter = static_cast<int32_t>(radky.size());
    return r;
}

FileResult NacistDoplnekProjekt(DoplnekProjekt druh, const std::vector<PreparedLine>& radky,
                                Tmereni& mereni) {
    mereni.Clear();
    const FpGuard guard;
    const std::span<const Pole> pole = PoleDruhu(druh);
    const size_t povinne = pole.size();
    Tmereni nove;
    nove.zaznam.reserve(radky.size());
    for (size_t i = 0; i < radky.size(); ++i) {
        const auto citac = static_cast<int32_t>(i + 1);
        const std::vector<std::string> t = Tokenize(radky[i].text);
        if (t.size() != povinne && t.size() != povinne + 1)
            return TokenCountFailure(citac, radky[i].fileLine, t.size(),
                                     FormatInteger(static_cast<int64_t>(povinne)) + " or " +
                                         FormatInteger(static_cast<int64_t>(povinne + 1)));
        Tzaznam z = Tzaznam::Prazdny();
        z.poradi = citac;
        for (size_t k = 0; k < t.size(); ++k) {
            if (k < povinne) {
                if (std::string* text = TextPole(pole[k], z)) {
                    *text = t[k];
                    continue;
                }
            }
            Real* cil = k < povinne ? CisloPole(pole[k], z) : &z.sig_delka;
            const NumberStatus stav = ParseNumber(t[k], *cil);
            if (stav != NumberStatus::Ok) {
                FileResult r =
                    ValueFailure(stav == NumberStatus::NotANumber ? FileError::BadNumber
                                                                  : FileError::NumberOutOfRange,
                                 citac, radky[i].fileLine, t[k]);
                r.cislo = z.cislo_stn;
                return r;
            }
        }
        nove.zaznam.push_back(std::move(z));
    }
    mereni.zaznam = std::move(nove.zaznam);
    FileResult r;
    r.counter = static_cast<int32_t>(mereni.zaznam.size());
    return r;
}

}  // namespace vertano
