#include "files/SouradniceFormaty.h"

#include <array>
#include <cmath>
#include <utility>

#include "data/Tnastaveni.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"

namespace vertano {

namespace {

constexpr std::string_view kRozsahMeritka = "0 or a magnitude strictly between 1e-12 and 1e12";

// Empties the text and returns the failure: a refused file yields nothing at all.
CoordinateFileResult Odmitnout(std::vector<std::string>& text, CoordinateFileResult r) {
    text.clear();
    r.ok = false;
    return r;
}

CoordinateFileResult NaRadku(CoordinateFileError fault, int32_t radek, int32_t radekSouboru) {
    CoordinateFileResult r;
    r.ok = false;
    r.error = fault;
    r.counter = radek;
    r.fileLine = radekSouboru;
    return r;
}

CoordinateFileResult SpatnyPocet(int32_t radek, int32_t radekSouboru, size_t nalezeno,
                                 std::string ocekavano) {
    CoordinateFileResult r = NaRadku(CoordinateFileError::WrongTokenCount, radek, radekSouboru);
    r.found = static_cast<int32_t>(nalezeno);
    r.expected = std::move(ocekavano);
    return r;
}

CoordinateFileResult SpatneCislo(NumberStatus stav, int32_t radek, int32_t radekSouboru,
                                 const std::string& token) {
    CoordinateFileResult r =
        NaRadku(stav == NumberStatus::NotANumber ? CoordinateFileError::BadNumber
                                                 : CoordinateFileError::NumberOutOfRange,
                radek, radekSouboru);
    r.token = token;
    return r;
}

CoordinateFileResult Uspech(int32_t pocet) {
    CoordinateFileResult r;
    r.counter = pocet;
    return r;
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

CoordinateFileResult ReadCoordinates(std::vector<std::string>& text, uint8_t jednotka, bool yxz) {
    const std::vector<PreparedLine> radky = PrepareLines(text);
    std::vector<std::string> vystup;
    vystup.reserve(radky.size());
    for (size_t i = 0; i < radky.size(); ++i) {
        const auto radek = static_cast<int32_t>(i + 1);
        const int32_t radekSouboru = radky[i].fileLine;
        const std::vector<std::string> tokeny = Tokenize(radky[i].text);
        if (tokeny.size() != 4) {
            CoordinateFileResult r = SpatnyPocet(radek, radekSouboru, tokeny.size(), "4");
            if (!tokeny.empty()) r.cislo = tokeny[0];
            return Odmitnout(text, std::move(r));
        }
        std::array<Real, 3> v{};
        for (size_t k = 0; k < 3; ++k) {
            NumberStatus stav = ParseLength(tokeny[k + 1], jednotka, v[k]);
            if (stav == NumberStatus::Ok && !FitForParser(v[k])) stav = NumberStatus::OutOfRange;
            if (stav != NumberStatus::Ok) {
                CoordinateFileResult r = SpatneCislo(stav, radek, radekSouboru, tokeny[k + 1]);
                r.cislo = tokeny[0];
                return Odmitnout(text, std::move(r));
            }
        }
        if (yxz) std::swap(v[0], v[1]);
        vystup.push_back(tokeny[0] + ' ' + FormatGeneral(v[0]) + ' ' + FormatGeneral(v[1]) + ' ' +
                         FormatGeneral(v[2]));
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
}

CoordinateFileResult WriteCoordinates(std::vector<std::string>& text, uint8_t jednotka,
                                      int decimals, bool yxz) {
    std::vector<std::string> vystup;
    vystup.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto radek = static_cast<int32_t>(i + 1);
        const std::vector<std::string> tokeny = Tokenize(text[i]);
        if (tokeny.size() < 4) {
            CoordinateFileResult r = SpatnyPocet(radek, 0, tokeny.size(), "at least 4");
            if (!tokeny.empty()) r.cislo = tokeny[0];
            return Odmitnout(text, std::move(r));
        }
        std::array<std::string, 3> v;
        for (size_t k = 0; k < 3; ++k) {
            Real metry = 0;
            const NumberStatus stav = ParseNumber(tokeny[k + 1], metry);
            if (stav != NumberStatus::Ok) {
                CoordinateFileResult r = SpatneCislo(stav, radek, 0, tokeny[k + 1]);
                r.cislo = tokeny[0];
                return Odmitnout(text, std::move(r));
            }
            v[k] = FormatFixed(MetresToLength(metry, jednotka), decimals);
            Real zpet = 0;
            if (!CteSeZpet(v[k], zpet)) {
                CoordinateFileResult r = NaRadku(CoordinateFileError::UnwritableValue, radek, 0);
                r.token = v[k];
                r.cislo = tokeny[0];
                return Odmitnout(text, std::move(r));
            }
        }
        if (yxz) std::swap(v[0], v[1]);
        vystup.push_back(tokeny[0] + ' ' + v[0] + ' ' + v[1] + ' ' + v[2]);
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
}

}  // namespace

CoordinateFileResult ReadCoordinatesXYZ(std::vector<std::string>& text, uint8_t jednotka) {
    return ReadCoordinates(text, jednotka, false);
}

CoordinateFileResult ReadCoordinatesYXZ(std::vector<std::string>& text, uint8_t jednotka) {
    return ReadCoordinates(text, jednotka, true);
}

CoordinateFileResult ReadScaleFactors(std::vector<std::string>& text) {
    const std::vector<PreparedLine> radky = PrepareLines(text);
    std::vector<std::string> vystup;
    vystup.reserve(radky.size());
    for (size_t i = 0; i < radky.size(); ++i) {
        const auto radek = static_cast<int32_t>(i + 1);
        const int32_t radekSouboru = radky[i].fileLine;
        const std::vector<std::string> tokeny = Tokenize(radky[i].text);
        if (tokeny.size() != 2) {
            CoordinateFileResult r = SpatnyPocet(radek, radekSouboru, tokeny.size(), "2");
            if (!tokeny.empty()) r.cislo = tokeny[0];
            return Odmitnout(text, std::move(r));
        }
        Real m = 0;
        NumberStatus stav = ParseNumber(tokeny[1], m);
        if (stav == NumberStatus::Ok && !JePlatneMeritko(m)) stav = NumberStatus::OutOfRange;
        if (stav != NumberStatus::Ok) {
            CoordinateFileResult r = SpatneCislo(stav, radek, radekSouboru, tokeny[1]);
            r.cislo = tokeny[0];
            if (stav == NumberStatus::OutOfRange) r.expected = kRozsahMeritka;
            return Odmitnout(text, std::move(r));
        }
        vystup.push_back(radky[i].text);
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
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
        if (tokeny.size() != 2) {
            CoordinateFileResult r = SpatnyPocet(radek, 0, tokeny.size(), "2");
            if (!tokeny.empty()) r.cislo = tokeny[0];
            return Odmitnout(text, std::move(r));
        }
        Real m = 0;
        const NumberStatus stav = ParseNumber(tokeny[1], m);
        if (stav != NumberStatus::Ok) {
            CoordinateFileResult r = SpatneCislo(stav, radek, 0, tokeny[1]);
            r.cislo = tokeny[0];
            return Odmitnout(text, std::move(r));
        }
        const std::string hodnota = FormatFixed(m, decimals);
        Real zpet = 0;
        if (!CteSeZpet(hodnota, zpet) || !JePlatneMeritko(zpet)) {
            CoordinateFileResult r = NaRadku(CoordinateFileError::UnwritableValue, radek, 0);
            r.token = hodnota;
            r.cislo = tokeny[0];
            return Odmitnout(text, std::move(r));
        }
        vystup.push_back(tokeny[0] + ' ' + hodnota);
    }
    text = std::move(vystup);
    return Uspech(static_cast<int32_t>(text.size()));
}

namespace {

CoordinateFileResult NeznamyFormat(std::vector<std::string>& text, uint8_t kod) {
    CoordinateFileResult r;
    r.error = CoordinateFileError::UnknownFormat;
    r.found = kod;
    return Odmitnout(text, std::move(r));
}

}  // namespace

CoordinateFileResult ReadCoordinateFile(std::vector<std::string>& text,
                                        const Tnastaveni& nastaveni) {
    const uint8_t kod = nastaveni.souborVstup.typSouradnice;
    const uint8_t jednotka = nastaveni.jednotky.souradnice;
    if (kod == kFormatXYZ) return ReadCoordinatesXYZ(text, jednotka);
    if (kod == kFormatYXZ) return ReadCoordinatesYXZ(text, jednotka);
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

CoordinateFileResult WriteScaleFile(std::vector<std::string>& text, const Tnastaveni& nastaveni) {
    return WriteScaleFactors(text, nastaveni.presnost.meritko);
}

}  // namespace vertano
