#include "files/DoplnekFormaty.h"

#include <span>
#include <utility>

#include "data/Tnastaveni.h"
#include "files/RawRows.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"

namespace vertano {

namespace {

// The fields of a line, in file order.
enum class Pole { Stanovisko, Cil, VyskaStn, VyskaCil, Smernik, Delka };

std::span<const Pole> PoleDruhu(DruhDoplnku druh) {
    static constexpr Pole kSmernik[] = {Pole::Stanovisko, Pole::Cil, Pole::Smernik};
    static constexpr Pole kDelka[] = {Pole::Stanovisko, Pole::VyskaStn, Pole::Cil, Pole::VyskaCil,
                                      Pole::Delka};
    static constexpr Pole kPrevyseni[] = {Pole::Stanovisko, Pole::Cil, Pole::Delka};
    static constexpr Pole kProvazeni[] = {Pole::Stanovisko, Pole::Cil};
    switch (druh) {
        case DruhDoplnku::Smernik:
            return kSmernik;
        case DruhDoplnku::Delka:
            return kDelka;
        case DruhDoplnku::Prevyseni:
            return kPrevyseni;
        case DruhDoplnku::Provazeni:
            return kProvazeni;
    }
    return {};
}

// Stores one token in its field of the row.
FileError CistPole(Pole pole, const std::string& token, const nastaveni::Tjednotky& jednotky,
                   Tzaznam& z) {
    switch (pole) {
        case Pole::Stanovisko:
            z.cislo_stn = token;
            return FileError::None;
        case Pole::Cil:
            z.cislo_cil = token;
            return FileError::None;
        case Pole::Smernik:
            return raw::ReadValue(token, raw::Kind::Angle, jednotky, z.delka);
        case Pole::VyskaStn:
            return raw::ReadValue(token, raw::Kind::Length, jednotky, z.vyska_stn);
        case Pole::VyskaCil:
            return raw::ReadValue(token, raw::Kind::Length, jednotky, z.vyska_cil);
        case Pole::Delka:
            return raw::ReadValue(token, raw::Kind::Length, jednotky, z.delka);
    }
    return FileError::BadNumber;
}

Real HodnotaPole(Pole pole, const Tzaznam& z) {
    switch (pole) {
        case Pole::VyskaStn:
            return z.vyska_stn;
        case Pole::VyskaCil:
            return z.vyska_cil;
        default:
            return z.delka;
    }
}

// Renders one field of a row; false when it cannot be read back.
bool ZapsatPole(Pole pole, const Tzaznam& z, const Tnastaveni& s, std::string& text) {
    switch (pole) {
        case Pole::Stanovisko:
            text = z.cislo_stn;
            return IsSingleToken(text);
        case Pole::Cil:
            text = z.cislo_cil;
            return IsSingleToken(text);
        case Pole::Smernik:
            // A bearing is written like a direction: one that would round up to the
            // full circle is written as 0, so that it reads back valid.
            return raw::FormatForFile(z.delka, raw::Kind::Direction, s, text);
        case Pole::VyskaStn:
            return raw::FormatForFile(z.vyska_stn, raw::Kind::Length, s, text);
        case Pole::VyskaCil:
            return raw::FormatForFile(z.vyska_cil, raw::Kind::Length, s, text);
        case Pole::Delka:
            return raw::FormatForFile(z.delka, raw::Kind::Length, s, text);
    }
    return false;
}

}  // namespace

SupplementaryFileResult ReadSupplementary(DruhDoplnku druh, const std::vector<std::string>& lines,
                                          const Tnastaveni& nastaveni, Tmereni& mereni) {
    mereni.Clear();
    const std::span<const Pole> pole = PoleDruhu(druh);
    if (pole.empty())
        return FileFailure(FileError::UnknownKind, 0, 0, FormatInteger(KodDruhu(druh)));
    const std::vector<PreparedLine> radky = PrepareLines(lines);
    const SupplementaryFileResult ridici = CheckControlCharacters(radky);
    if (!ridici.ok) return ridici;
    Tmereni nove;
    nove.zaznam.reserve(radky.size());
    for (std::size_t i = 0; i < radky.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        const std::vector<std::string> t = Tokenize(radky[i].text);
        if (t.size() != pole.size()) {
            return TokenCountFailure(counter, radky[i].fileLine, t.size(),
                                     FormatInteger(static_cast<int64_t>(pole.size())));
        }
        Tzaznam z = Tzaznam::Prazdny();
        for (std::size_t k = 0; k < pole.size(); ++k) {
            const FileError e = CistPole(pole[k], t[k], nastaveni.jednotky, z);
            if (e != FileError::None) return ValueFailure(e, counter, radky[i].fileLine, t[k]);
        }
        z.poradi = counter;
        KontrolaZaznamuDoplnku(z, druh, nastaveni);
        nove.zaznam.push_back(std::move(z));
    }
    mereni.zaznam = std::move(nove.zaznam);
    SupplementaryFileResult ok;
    ok.counter = static_cast<int32_t>(mereni.zaznam.size());
    return ok;
}

SupplementaryFileResult WriteSupplementary(DruhDoplnku druh, const Tmereni& mereni,
                                           const Tnastaveni& nastaveni,
                                           std::vector<std::string>& lines) {
    lines.clear();
    const std::span<const Pole> pole = PoleDruhu(druh);
    if (pole.empty())
        return FileFailure(FileError::UnknownKind, 0, 0, FormatInteger(KodDruhu(druh)));
    std::vector<std::string> out;
    out.reserve(mereni.zaznam.size());
    std::string text;
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny()) continue;
        std::string line;
        for (const Pole p : pole) {
            if (!ZapsatPole(p, z, nastaveni, text)) {
                const bool jmeno = p == Pole::Stanovisko || p == Pole::Cil;
                return FileFailure(jmeno ? FileError::UnwritableName : FileError::UnwritableValue,
                                   static_cast<int32_t>(i + 1), 0,
                                   jmeno ? "\"" + text + "\"" : FormatGeneral(HodnotaPole(p, z)));
            }
            if (!line.empty()) line += ' ';
            line += text;
        }
        out.push_back(std::move(line));
    }
    lines = std::move(out);
    SupplementaryFileResult ok;
    ok.counter = static_cast<int32_t>(lines.size());
    return ok;
}

}  // namespace vertano
