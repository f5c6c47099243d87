#include "supplementary/DoplnekFormaty.h"

#include <span>
#include <utility>

#include "data/Tnastaveni.h"
#include "files/RawRows.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"

namespace vertano {

namespace {

// The fields of a line, in file order.
enum class Pole { Stanovisko, Cil, VyskaStn, VyskaCil, Smernik, Delka };

std::span<const Pole> PoleDruhu(int druh) {
    static constexpr Pole kSmernik[] = {Pole::Stanovisko, Pole::Cil, Pole::Smernik};
    static constexpr Pole kDelka[] = {Pole::Stanovisko, Pole::VyskaStn, Pole::Cil, Pole::VyskaCil,
                                      Pole::Delka};
    static constexpr Pole kPrevyseni[] = {Pole::Stanovisko, Pole::Cil, Pole::Delka};
    static constexpr Pole kProvazeni[] = {Pole::Stanovisko, Pole::Cil};
    switch (druh) {
        case doplnek::kSmernik:
            return kSmernik;
        case doplnek::kDelka:
            return kDelka;
        case doplnek::kPrevyseni:
            return kPrevyseni;
        case doplnek::kProvazeni:
            return kProvazeni;
    }
    return {};
}

SupplementaryFileResult Selhani(SupplementaryFileError chyba, int32_t counter, int32_t fileLine,
                                std::string detail = {}) {
    SupplementaryFileResult r;
    r.ok = false;
    r.error = chyba;
    r.counter = counter;
    r.fileLine = fileLine;
    r.detail = std::move(detail);
    return r;
}

SupplementaryFileError ZeStavu(NumberStatus stav) {
    switch (stav) {
        case NumberStatus::Ok:
            return SupplementaryFileError::None;
        case NumberStatus::OutOfRange:
            return SupplementaryFileError::NumberOutOfRange;
        case NumberStatus::NotANumber:
            break;
    }
    return SupplementaryFileError::BadNumber;
}

// Stores one token in its field of the row.
SupplementaryFileError CistPole(Pole pole, const std::string& token,
                                const nastaveni::Tjednotky& jednotky, Tzaznam& z) {
    switch (pole) {
        case Pole::Stanovisko:
            z.cislo_stn = token;
            return SupplementaryFileError::None;
        case Pole::Cil:
            z.cislo_cil = token;
            return SupplementaryFileError::None;
        case Pole::Smernik:
            return ZeStavu(ParseAngle(token, jednotky.uhel, z.delka));
        case Pole::VyskaStn:
            return ZeStavu(ParseLength(token, jednotky.delka, z.vyska_stn));
        case Pole::VyskaCil:
            return ZeStavu(ParseLength(token, jednotky.delka, z.vyska_cil));
        case Pole::Delka:
            return ZeStavu(ParseLength(token, jednotky.delka, z.delka));
    }
    return SupplementaryFileError::BadNumber;
}

// A bearing just below a full circle may be printed as the full circle itself
// (399.999999 gon with 5 decimals is "400.00000"), which would read back as an
// invalid bearing; it is the same direction as 0.
bool FormatSmernik(Real hodnota, const Tnastaveni& s, std::string& text) {
    if (!raw::FormatForFile(hodnota, raw::Kind::Angle, s, text)) return false;
    Real zpet = 0;
    if (JeSmernikVKruhu(hodnota) && ParseAngle(text, s.jednotky.uhel, zpet) == NumberStatus::Ok &&
        !JeSmernikVKruhu(zpet)) {
        return raw::FormatForFile(0, raw::Kind::Angle, s, text);
    }
    return true;
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
            return raw::IsWritableName(text);
        case Pole::Cil:
            text = z.cislo_cil;
            return raw::IsWritableName(text);
        case Pole::Smernik:
            return FormatSmernik(z.delka, s, text);
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

const char* SupplementaryFileErrorText(SupplementaryFileError error) {
    switch (error) {
        case SupplementaryFileError::None:
            return "no error";
        case SupplementaryFileError::CannotOpen:
            return "the file cannot be opened";
        case SupplementaryFileError::BadEncoding:
            return "the text cannot be decoded";
        case SupplementaryFileError::UnknownKind:
            return "unknown kind of supplementary measurement";
        case SupplementaryFileError::WrongTokenCount:
            return "wrong number of values on the line";
        case SupplementaryFileError::BadNumber:
            return "not a number";
        case SupplementaryFileError::NumberOutOfRange:
            return "number out of range (only 0 or magnitudes from 1e-12 to 1e12)";
        case SupplementaryFileError::UnwritableName:
            return "a point number that is empty or contains blanks cannot be written";
        case SupplementaryFileError::UnwritableValue:
            return "a value that is not a number or exceeds 1e12 cannot be written";
        case SupplementaryFileError::CannotSave:
            return "the file cannot be saved";
    }
    return "unknown error";
}

std::string DescribeSupplementaryFailure(const SupplementaryFileResult& r) {
    if (r.ok) return {};
    std::string s;
    if (r.counter > 0) {
        s = "line " + std::to_string(r.counter);
        if (r.fileLine > 0 && r.fileLine != r.counter) {
            s += " (line " + std::to_string(r.fileLine) + " of the file)";
        }
        s += ": ";
    }
    s += SupplementaryFileErrorText(r.error);
    if (!r.detail.empty()) s += ": " + r.detail;
    return s;
}

SupplementaryFileResult ReadSupplementary(int druh, const std::vector<std::string>& lines,
                                          const Tnastaveni& nastaveni, Tmereni& mereni) {
    mereni.Clear();
    const std::span<const Pole> pole = PoleDruhu(druh);
    if (pole.empty())
        return Selhani(SupplementaryFileError::UnknownKind, 0, 0, std::to_string(druh));
    const std::vector<PreparedLine> radky = PrepareLines(lines);
    Tmereni nove;
    nove.zaznam.reserve(radky.size());
    for (std::size_t i = 0; i < radky.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        const std::vector<std::string> t = Tokenize(radky[i].text);
        if (t.size() != pole.size()) {
            return Selhani(
                SupplementaryFileError::WrongTokenCount, counter, radky[i].fileLine,
                std::to_string(t.size()) + " values, " + std::to_string(pole.size()) + " expected");
        }
        Tzaznam z = Tzaznam::Prazdny();
        for (std::size_t k = 0; k < pole.size(); ++k) {
            const SupplementaryFileError e = CistPole(pole[k], t[k], nastaveni.jednotky, z);
            if (e != SupplementaryFileError::None) {
                return Selhani(e, counter, radky[i].fileLine, t[k]);
            }
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

SupplementaryFileResult WriteSupplementary(int druh, const Tmereni& mereni,
                                           const Tnastaveni& nastaveni,
                                           std::vector<std::string>& lines) {
    lines.clear();
    const std::span<const Pole> pole = PoleDruhu(druh);
    if (pole.empty())
        return Selhani(SupplementaryFileError::UnknownKind, 0, 0, std::to_string(druh));
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
                return Selhani(jmeno ? SupplementaryFileError::UnwritableName
                                     : SupplementaryFileError::UnwritableValue,
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
