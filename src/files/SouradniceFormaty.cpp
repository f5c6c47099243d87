#include "files/SouradniceFormaty.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "data/FixniOsy.h"
#include "data/Tnastaveni.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"

namespace vertano {

namespace {

constexpr std::string_view kRozsahMeritka = "0 or a magnitude strictly between 1e-12 and 1e12";

// Empties the text and returns the failure, with the point number of the line when
// it has one: a refused file yields nothing at all.
CoordinateFileResult Odmitnuti(CoordinateFileResult r, const std::vector<std::string>& tokeny) {
    r.ok = false;
    if (!tokeny.empty()) r.cislo = tokeny[0];
    return r;
}

CoordinateFileResult Odmitnout(std::vector<std::string>& text, CoordinateFileResult r,
                               const std::vector<std::string>& tokeny) {
    text.clear();
    return Odmitnuti(std::move(r), tokeny);
}

CoordinateFileResult Uspech(int32_t pocet) {
    CoordinateFileResult r;
    r.counter = pocet;
    return r;
}

FileError ChybaCisla(NumberStatus stav) {
    return stav == NumberStatus::NotANumber ? FileError::BadNumber : FileError::NumberOutOfRange;
}

// A scale factor must keep clear of the bounds of the number rules, so that it
// can never be confused with a rounded-off or clipped value.
bool JePlatneMeritko(Real m) {
    const Real a = std::fabs(m);
    return a == 0 || (a > kMinMagnitude && a < kMaxMagnitude);
}

// A rendering the readers will take again: what the program writes, it must read.
bool CteSeZpet(const std::string& text, Real& hodnota) {
    return ParseNumber(text, hodnota) == NumberStatus::Ok;
}

// A standard deviation of an identical-point line in metres: 0 means not given,
// anything else must be a deviation a survey can have.
NumberStatus CtiOdchylku(const std::string& token, uint8_t jednotka, Real& metry) {
    const NumberStatus stav = ParseLength(token, jednotka, metry);
    if (stav != NumberStatus::Ok) return stav;
    return PlatnaOdchylkaBodu(metry) ? NumberStatus::Ok : NumberStatus::OutOfRange;
}

// A coordinate line of 4 tokens, or with `sOdchylkami` 4 to 7 (up to three
// standard deviations in the order of the coordinates). The canonical line is
// "number X Y Z", followed by "sX sY sZ" (0 for one not given) when the line
// gives any deviation. `radek` counts the prepared lines, `radekSouboru` those
// of the file.
CoordinateFileResult KanonickyRadek(std::string_view radekText, int32_t radek, int32_t radekSouboru,
                                    uint8_t jednotka, bool yxz, bool sOdchylkami,
                                    std::string& canonical) {
    const std::vector<std::string> tokeny = Tokenize(radekText);
    // A given point may say after its coordinates which of them are fixed;
    // one known in plan alone may leave out its height ("P X Y XY"), which
    // the measurements then give.
    std::optional<FixniOsy> osy;
    bool bezVysky = false;
    if (!sOdchylkami && tokeny.size() == 5) osy = CtiFixniOsy(tokeny[4]);
    if (!sOdchylkami && tokeny.size() == 4 && CtiFixniOsy(tokeny[3]) == FixniOsy::Poloha) {
        osy = FixniOsy::Poloha;
        bezVysky = true;
    }
    const size_t nejvic = sOdchylkami ? 7 : 4;
    if (tokeny.size() < 4 || (tokeny.size() > nejvic && !osy))
        return Odmitnuti(TokenCountFailure(radek, radekSouboru, tokeny.size(),
                                           sOdchylkami          ? "4 to 7"
                                           : tokeny.size() == 5 ? "4 and XYZ, XY or Z"
                                                                : "4"),
                         tokeny);
    const size_t hodnot = bezVysky ? 3 : osy ? 4 : tokeny.size();
    std::array<Real, 6> v{};
    for (size_t k = 0; k + 1 < hodnot; ++k) {
        const bool odchylka = k >= 3;
        NumberStatus stav = odchylka ? CtiOdchylku(tokeny[k + 1], jednotka, v[k])
                                     : ParseLength(tokeny[k + 1], jednotka, v[k]);
        if (stav == NumberStatus::Ok && !FitForParser(v[k])) stav = NumberStatus::OutOfRange;
        if (stav != NumberStatus::Ok)
            return Odmitnuti(ValueFailure(ChybaCisla(stav), radek, radekSouboru, tokeny[k + 1],
                                          odchylka ? kRozsahOdchylkyBodu : kNumberRange),
                             tokeny);
    }
    if (yxz) {
        std::swap(v[0], v[1]);
        std::swap(v[3], v[4]);
    }
    canonical = tokeny[0] + ' ' + FormatGeneral(v[0]) + ' ' + FormatGeneral(v[1]) + ' ' +
                FormatGeneral(v[2]);
    if (osy) {
        if (*osy != FixniOsy::Vse) canonical += ' ' + std::string(SlovoFixnichOs(*osy));
    } else if (tokeny.size() > 4) {
        for (size_t k = 3; k < 6; ++k) canonical += ' ' + FormatGeneral(v[k]);
    }
    return Uspech(radek);
}

CoordinateFileResult ReadCoordinates(std::vector<std::string>& text, uint8_t jednotka, bool yxz,
                                     bool sOdchylkami = false) {
    const std::vector<PreparedLine> radky = PrepareLines(text);
    const CoordinateFileResult ridici = CheckControlCharacters(radky);
    if (!ridici.ok) return Odmitnout(text, ridici, {});
    std::vector<std::string> vystup;
    vystup.reserve(radky.size());
    for (size_t i = 0; i < radky.size(); ++i) {
        std::string canonical;
        const CoordinateFileResult r =
            KanonickyRadek(radky[i].text, static_cast<int32_t>(i + 1), radky[i].fileLine, jednotka,
                           yxz, sOdchylkami, canonical);
        if (!r.ok) {
            text.clear();
            return r;
        }
        vystup.push_back(std::move(canonical));
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
}

// A line of a scale-factor file: number and factor, left as it is.
CoordinateFileResult RadekMeritka(std::string_view radekText, int32_t radek, int32_t radekSouboru) {
    const std::vector<std::string> tokeny = Tokenize(radekText);
    if (tokeny.size() != 2)
        return Odmitnuti(TokenCountFailure(radek, radekSouboru, tokeny.size(), "2"), tokeny);
    Real m = 0;
    NumberStatus stav = ParseNumber(tokeny[1], m);
    if (stav == NumberStatus::Ok && !JePlatneMeritko(m)) stav = NumberStatus::OutOfRange;
    if (stav != NumberStatus::Ok)
        return Odmitnuti(
            ValueFailure(ChybaCisla(stav), radek, radekSouboru, tokeny[1], kRozsahMeritka), tokeny);
    return Uspech(radek);
}

// A value in metres written in the unit with `decimals` decimals, in a form the
// readers take again.
bool ZapsatDelku(const std::string& token, uint8_t jednotka, int decimals, std::string& vystup,
                 CoordinateFileResult& chyba, int32_t radek) {
    Real metry = 0;
    const NumberStatus stav = ParseNumber(token, metry);
    if (stav != NumberStatus::Ok) {
        chyba = ValueFailure(ChybaCisla(stav), radek, 0, token);
        return false;
    }
    vystup = FormatFixed(MetresToLength(metry, jednotka), decimals);
    Real zpet = 0;
    if (!CteSeZpet(vystup, zpet)) {
        chyba = FileFailure(FileError::UnwritableValue, radek, 0, vystup);
        return false;
    }
    return true;
}

// The deviation group of an internal line (tokens 5-7: sig_X, or sX sig_Y, or
// sX sY sig_Z, "0" for one not set) as sX sY sZ in the unit, "0" for one not
// set. A deviation that the decimals would round to 0 is written in general
// notation, so that it does not read back as "not given".
bool ZapsatOdchylky(const std::vector<std::string>& tokeny, uint8_t jednotka, int decimals,
                    std::array<std::string, 3>& vystup, CoordinateFileResult& chyba,
                    int32_t radek) {
    vystup = {"0", "0", "0"};
    for (size_t k = 4; k < tokeny.size() && k < 7; ++k) {
        std::string& cil = vystup[k - 4];
        if (!ZapsatDelku(tokeny[k], jednotka, decimals, cil, chyba, radek)) return false;
        Real metry = 0;
        Real zapsano = 0;
        if (CteSeZpet(tokeny[k], metry) && metry != 0 && CteSeZpet(cil, zapsano) && zapsano == 0)
            cil = FormatGeneral(MetresToLength(metry, jednotka));
        if (metry == 0) cil = "0";
    }
    return true;
}

CoordinateFileResult WriteCoordinates(std::vector<std::string>& text, uint8_t jednotka,
                                      int decimals, bool yxz, bool sOdchylkami = false) {
    std::vector<std::string> vystup;
    vystup.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto radek = static_cast<int32_t>(i + 1);
        const std::vector<std::string> tokeny = Tokenize(text[i]);
        if (tokeny.size() < 4)
            return Odmitnout(text, TokenCountFailure(radek, 0, tokeny.size(), "at least 4"),
                             tokeny);
        std::array<std::string, 3> v;
        CoordinateFileResult chyba;
        for (size_t k = 0; k < 3; ++k) {
            if (!ZapsatDelku(tokeny[k + 1], jednotka, decimals, v[k], chyba, radek))
                return Odmitnout(text, chyba, tokeny);
        }
        if (yxz) std::swap(v[0], v[1]);
        std::string line = tokeny[0] + ' ' + v[0] + ' ' + v[1] + ' ' + v[2];
        if (sOdchylkami && tokeny.size() > 4) {
            std::array<std::string, 3> s;
            if (!ZapsatOdchylky(tokeny, jednotka, decimals + 2, s, chyba, radek))
                return Odmitnout(text, chyba, tokeny);
            if (yxz) std::swap(s[0], s[1]);
            line += ' ' + s[0] + ' ' + s[1] + ' ' + s[2];
        }
        vystup.push_back(std::move(line));
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
}

CoordinateFileResult NeznamyFormat(std::vector<std::string>& text, uint8_t kod) {
    return Odmitnout(text,
                     FileFailure(FileError::UnknownFormat, 0, 0, "code " + FormatInteger(kod)), {});
}

}  // namespace

CoordinateFileResult ReadCoordinatesXYZ(std::vector<std::string>& text, uint8_t jednotka) {
    return ReadCoordinates(text, jednotka, false);
}

CoordinateFileResult ReadCoordinatesYXZ(std::vector<std::string>& text, uint8_t jednotka) {
    return ReadCoordinates(text, jednotka, true);
}

CoordinateFileResult ReadIdenticalPointsXYZ(std::vector<std::string>& text, uint8_t jednotka) {
    return ReadCoordinates(text, jednotka, false, true);
}

CoordinateFileResult ReadIdenticalPointsYXZ(std::vector<std::string>& text, uint8_t jednotka) {
    return ReadCoordinates(text, jednotka, true, true);
}

CoordinateFileResult ReadScaleFactors(std::vector<std::string>& text) {
    const std::vector<PreparedLine> radky = PrepareLines(text);
    const CoordinateFileResult ridici = CheckControlCharacters(radky);
    if (!ridici.ok) return Odmitnout(text, ridici, {});
    std::vector<std::string> vystup;
    vystup.reserve(radky.size());
    for (size_t i = 0; i < radky.size(); ++i) {
        const CoordinateFileResult r =
            RadekMeritka(radky[i].text, static_cast<int32_t>(i + 1), radky[i].fileLine);
        if (!r.ok) {
            text.clear();
            return r;
        }
        vystup.push_back(radky[i].text);
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
}

CoordinateFileResult CanonicalFileLine(CoordinateFileKind kind, const Tnastaveni& nastaveni,
                                       std::string_view line, int32_t counter, int32_t fileLine,
                                       std::string& canonical) {
    if (kind == CoordinateFileKind::ScaleFactors) {
        const CoordinateFileResult r = RadekMeritka(line, counter, fileLine);
        if (r.ok) canonical.assign(line);
        return r;
    }
    const uint8_t kod = nastaveni.souborVstup.typSouradnice;
    std::vector<std::string> prazdny;
    if (kod != kFormatXYZ && kod != kFormatYXZ) return NeznamyFormat(prazdny, kod);
    return KanonickyRadek(line, counter, fileLine, nastaveni.jednotky.souradnice, kod == kFormatYXZ,
                          kind == CoordinateFileKind::IdenticalPoints, canonical);
}

CoordinateFileResult WriteCoordinatesXYZ(std::vector<std::string>& text, uint8_t jednotka,
                                         int decimals) {
    return WriteCoordinates(text, jednotka, decimals, false);
}

CoordinateFileResult WriteCoordinatesYXZ(std::vector<std::string>& text, uint8_t jednotka,
                                         int decimals) {
    return WriteCoordinates(text, jednotka, decimals, true);
}

CoordinateFileResult WriteScaleFactors(std::vector<std::string>& text, int decimals) {
    std::vector<std::string> vystup;
    vystup.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto radek = static_cast<int32_t>(i + 1);
        const std::vector<std::string> tokeny = Tokenize(text[i]);
        if (tokeny.size() != 2)
            return Odmitnout(text, TokenCountFailure(radek, 0, tokeny.size(), "2"), tokeny);
        Real m = 0;
        const NumberStatus stav = ParseNumber(tokeny[1], m);
        if (stav != NumberStatus::Ok)
            return Odmitnout(text, ValueFailure(ChybaCisla(stav), radek, 0, tokeny[1]), tokeny);
        const std::string hodnota = FormatFixed(m, decimals);
        Real zpet = 0;
        if (!CteSeZpet(hodnota, zpet) || !JePlatneMeritko(zpet))
            return Odmitnout(text, FileFailure(FileError::UnwritableValue, radek, 0, hodnota),
                             tokeny);
        vystup.push_back(tokeny[0] + ' ' + hodnota);
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
}

CoordinateFileResult ReadCoordinateFile(std::vector<std::string>& text,
                                        const Tnastaveni& nastaveni) {
    const uint8_t kod = nastaveni.souborVstup.typSouradnice;
    const uint8_t jednotka = nastaveni.jednotky.souradnice;
    if (kod == kFormatXYZ) return ReadCoordinatesXYZ(text, jednotka);
    if (kod == kFormatYXZ) return ReadCoordinatesYXZ(text, jednotka);
    return NeznamyFormat(text, kod);
}

CoordinateFileResult ReadIdenticalPointFile(std::vector<std::string>& text,
                                            const Tnastaveni& nastaveni) {
    const uint8_t kod = nastaveni.souborVstup.typSouradnice;
    const uint8_t jednotka = nastaveni.jednotky.souradnice;
    if (kod == kFormatXYZ) return ReadIdenticalPointsXYZ(text, jednotka);
    if (kod == kFormatYXZ) return ReadIdenticalPointsYXZ(text, jednotka);
    return NeznamyFormat(text, kod);
}

CoordinateFileResult WriteCoordinateFile(std::vector<std::string>& text,
                                         const Tnastaveni& nastaveni) {
    const uint8_t kod = nastaveni.souborVystup.typSouradnice;
    const uint8_t jednotka = nastaveni.jednotky.souradnice;
    const int decimals = nastaveni.presnost.souradnice.hodnota;
    if (kod == kFormatXYZ) return WriteCoordinatesXYZ(text, jednotka, decimals);
    if (kod == kFormatYXZ) return WriteCoordinatesYXZ(text, jednotka, decimals);
    return NeznamyFormat(text, kod);
}

CoordinateFileResult WriteCoordinateFileWithDeviations(std::vector<std::string>& text,
                                                       const Tnastaveni& nastaveni) {
    const uint8_t kod = nastaveni.souborVystup.typSouradnice;
    const uint8_t jednotka = nastaveni.jednotky.souradnice;
    const int decimals = nastaveni.presnost.souradnice.hodnota;
    if (kod == kFormatXYZ || kod == kFormatYXZ)
        return WriteCoordinates(text, jednotka, decimals, kod == kFormatYXZ, true);
    return NeznamyFormat(text, kod);
}

CoordinateFileResult WriteScaleFile(std::vector<std::string>& text, const Tnastaveni& nastaveni) {
    return WriteScaleFactors(text, nastaveni.presnost.meritko);
}

}  // namespace vertano
