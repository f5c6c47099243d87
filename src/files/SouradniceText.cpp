#include "files/SouradniceText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "data/FixniOsy.h"
#include "data/Tsouradnice.h"
#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"
#include "mereni/Text.h"

namespace vertano {

namespace {

// ---- writing ----

// The multiple of 10^pocetDecimal nearest to the value, halves away from zero.
Real Zaokrouhlit(Real hodnota, int pocetDecimal) {
    const int rad = std::min(std::abs(pocetDecimal), 18);
    const Real nasobek = Pow10(rad);
    if (pocetDecimal < 0) return RoundHalfAway(hodnota * nasobek) / nasobek;
    return RoundHalfAway(hodnota / nasobek) * nasobek;
}

struct Zaokrouhleni {
    int pocetDecimal = 0;
    bool zaokrouhlovat = false;
    Real operator()(Real v) const { return zaokrouhlovat ? Zaokrouhlit(v, pocetDecimal) : v; }
};

CoordinateFileResult Chyba(FileError fault, const Tbod& b, std::string token) {
    CoordinateFileResult r = FileFailure(fault, 0, 0, "\"" + token + "\"");
    r.cislo = b.cislo;
    return r;
}

// Appends TAB and the value; false when the readers could not take it back.
bool PridatHodnotu(std::string& radek, Real hodnota) {
    if (!FitForParser(hodnota)) return false;
    radek += '\t';
    radek += FormatExact(hodnota);
    return true;
}

// "number TAB X TAB Y TAB Z", or the reason why the point cannot be written.
bool ZacatekRadku(const Tbod& b, const Zaokrouhleni& zaokrouhli, std::string& radek,
                  CoordinateFileResult& chyba) {
    if (!IsSingleToken(b.cislo)) {
        chyba = Chyba(FileError::UnwritableName, b, b.cislo);
        return false;
    }
    radek = b.cislo;
    for (const Real v : {b.X, b.Y, b.Z}) {
        const Real zaokrouhleno = zaokrouhli(v);
        if (!PridatHodnotu(radek, zaokrouhleno)) {
            chyba = Chyba(FileError::UnwritableValue, b, FormatGeneral(zaokrouhleno));
            return false;
        }
    }
    return true;
}

// A deviation the readers can take back, or 0 (not set): one they would refuse
// was never one a survey gives (nor one a file or a project could bring).
Real ZapisovatelnaOdchylka(Real odchylka) {
    if (!(odchylka > 0) || !PlatnaOdchylkaBodu(odchylka) || !FitForParser(odchylka)) return 0;
    return odchylka;
}

// The deviation group: only as many columns as the last deviation set needs.
void PridatOdchylky(const Tbod& b, const Zaokrouhleni& zaokrouhli, std::string& radek) {
    const Real sx = ZapisovatelnaOdchylka(zaokrouhli(b.Presnost().sig_X));
    const Real sy = ZapisovatelnaOdchylka(zaokrouhli(b.Presnost().sig_Y));
    const Real sz = ZapisovatelnaOdchylka(b.Presnost().sig_Z);
    std::vector<Real> skupina;
    if (sz > 0) {
        skupina = {sx, sy, sz};
    } else if (sy > 0) {
        skupina = {sx, sy};
    } else if (sx > 0) {
        skupina = {sx};
    }
    // Each value brings its own TAB; with the one after Z the group starts after
    // an empty column.
    for (const Real s : skupina) PridatHodnotu(radek, s);
}

// Writes one line per full point with `radek`; on failure removes the lines it
// added and returns the reason with the number of the line that failed.
template <class Radek>
CoordinateFileResult ZapsatBody(const Tsouradnice& souradnice, std::vector<std::string>& text,
                                Radek&& radek) {
    // A NaN or huge value is refused or left out by explicit checks; the guard
    // keeps the flags those values raise on the way from the caller's own guard.
    const FpGuard guard;
    const size_t puvodne = text.size();
    int32_t pocet = 0;
    for (const Tbod& b : souradnice.bod) {
        if (!b.JePlny) continue;
        ++pocet;
        std::string radekText;
        CoordinateFileResult chyba;
        if (!radek(b, radekText, chyba)) {
            text.resize(puvodne);
            chyba.counter = pocet;
            return chyba;
        }
        text.push_back(std::move(radekText));
    }
    CoordinateFileResult r;
    r.counter = pocet;
    return r;
}

CoordinateFileResult ZapsatSFixaci(const Tsouradnice& souradnice, std::vector<std::string>& text,
                                   const Zaokrouhleni& zaokrouhli, bool sAktivitou) {
    return ZapsatBody(souradnice, text, [&](const Tbod& b, std::string& radek, auto& chyba) {
        if (!ZacatekRadku(b, zaokrouhli, radek, chyba)) return false;
        radek += b.JeFixni ? "\t-1" : "\t0";
        if (sAktivitou) radek += "\t-1";
        // Older files know fully fixed points only: the column is written only
        // for a point fixed in plan or in height alone.
        if (!sAktivitou && b.JeCastecneFixni())
            radek += "\t" + std::string(SlovoFixnichOs(b.fixniOsy));
        return true;
    });
}

// ---- reading ----

// The line numbers are added by CtiRadky, which knows them.
CoordinateFileResult SpatnyPocet(size_t nalezeno, std::string_view ocekavano) {
    return TokenCountFailure(0, 0, nalezeno, ocekavano);
}

bool CtiCislo(const std::string& token, Real& hodnota, CoordinateFileResult& chyba) {
    const NumberStatus stav = ParseNumber(token, hodnota);
    if (stav == NumberStatus::Ok) return true;
    chyba = ValueFailure(
        stav == NumberStatus::NotANumber ? FileError::BadNumber : FileError::NumberOutOfRange, 0, 0,
        token);
    return false;
}

// The same into a field of a point (written only on success).
bool CtiCislo(const std::string& token, StoredReal& pole, CoordinateFileResult& chyba) {
    Real hodnota = 0;
    if (!CtiCislo(token, hodnota, chyba)) return false;
    pole = hodnota;
    return true;
}

// Number and the three coordinates from tokens 1-4.
bool CtiSouradnice(const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
    b.cislo = tokeny[0];
    return CtiCislo(tokeny[1], b.X, chyba) && CtiCislo(tokeny[2], b.Y, chyba) &&
           CtiCislo(tokeny[3], b.Z, chyba);
}

// Reads each non-blank line into a point made by `novyBod` and filled by `cti`;
// the points are handed to `prevzit` only when every line was read.
template <class NovyBod, class Cti, class Prevzit>
CoordinateFileResult CtiRadky(const std::vector<std::string>& text, NovyBod&& novyBod, Cti&& cti,
                              Prevzit&& prevzit) {
    const std::vector<PreparedLine> radky = PrepareLines(text);
    const CoordinateFileResult ridici = CheckControlCharacters(radky);
    if (!ridici.ok) return ridici;
    std::vector<Tbod> body;
    body.reserve(radky.size());
    for (size_t i = 0; i < radky.size(); ++i) {
        const std::vector<std::string> tokeny = Tokenize(radky[i].text);
        Tbod b = novyBod(i);
        CoordinateFileResult chyba;
        if (!cti(tokeny, b, chyba)) {
            chyba.counter = static_cast<int32_t>(i + 1);
            chyba.fileLine = radky[i].fileLine;
            if (!tokeny.empty()) chyba.cislo = tokeny[0];
            return chyba;
        }
        body.push_back(std::move(b));
    }
    prevzit(body);
    CoordinateFileResult r;
    r.counter = static_cast<int32_t>(body.size());
    return r;
}

// Appends points read from canonical or scale lines to the list.
template <class Cti>
CoordinateFileResult Pridat(Tsouradnice& souradnice, const std::vector<std::string>& text,
                            int32_t identifikator, bool fix, Cti&& cti) {
    const size_t zacatek = souradnice.bod.size();
    return CtiRadky(
        text,
        [&](size_t i) {
            Tbod b = Tbod::Prazdny();
            b.soubor = identifikator;
            b.poradi = static_cast<int32_t>(zacatek + i + 1);
            b.JePlny = true;
            b.JeFixni = fix;
            return b;
        },
        cti,
        [&](std::vector<Tbod>& body) {
            souradnice.bod.insert(souradnice.bod.end(), std::make_move_iterator(body.begin()),
                                  std::make_move_iterator(body.end()));
        });
}

// Replaces the list by the points of a project section; empty on failure.
template <class Cti>
CoordinateFileResult Nahradit(Tsouradnice& souradnice, const std::vector<std::string>& text,
                              Cti&& cti) {
    souradnice.Clear();
    return CtiRadky(
        text,
        [](size_t i) {
            Tbod b;  // zero-filled: what the line does not give stays 0
            b.poradi = static_cast<int32_t>(i + 1);
            b.JePlny = true;
            return b;
        },
        cti, [&](std::vector<Tbod>& body) { souradnice.bod = std::move(body); });
}

// A deviation from a project line, by the rule of the identical-point files: 0
// is not set, a value outside (0, 100 m) is refused.
bool CtiOdchylku(const std::string& token, StoredReal& odchylka, CoordinateFileResult& chyba) {
    Real hodnota = 0;
    if (!CtiCislo(token, hodnota, chyba)) return false;
    if (!PlatnaOdchylkaBodu(hodnota)) {
        chyba = ValueFailure(FileError::NumberOutOfRange, 0, 0, token, kRozsahOdchylkyBodu);
        return false;
    }
    odchylka = hodnota > 0 ? hodnota : -1;
    return true;
}

bool CtiOdchylky(const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
    b.SmazOdchylky();
    const size_t n = tokeny.size();
    std::array<StoredReal, 3> odchylky{-1, -1, -1};
    for (size_t k = 4; k < n; ++k) {
        // A "0" that only holds the place of a later deviation leaves this one
        // unset; the last deviation of the line is read as it stands.
        if (k + 1 < n && tokeny[k] == "0") continue;
        if (!CtiOdchylku(tokeny[k], odchylky[k - 4], chyba)) return false;
    }
    // A point without deviations takes no room for them.
    if (odchylky[0] > 0 || odchylky[1] > 0 || odchylky[2] > 0) {
        Tpresnost& p = b.UpravPresnost();
        p.sig_X = odchylky[0];
        p.sig_Y = odchylky[1];
        p.sig_Z = odchylky[2];
    }
    return true;
}

}  // namespace

// ---- writers ----

CoordinateFileResult UlozDoStringList(const Tsouradnice& souradnice, std::vector<std::string>& text,
                                      int pocetDecimal, bool zaokrouhlovat) {
    text.clear();
    const Zaokrouhleni zaokrouhli{pocetDecimal, zaokrouhlovat};
    return ZapsatBody(souradnice, text, [&](const Tbod& b, std::string& radek, auto& chyba) {
        if (!ZacatekRadku(b, zaokrouhli, radek, chyba)) return false;
        radek += '\t';
        PridatOdchylky(b, zaokrouhli, radek);
        return true;
    });
}

CoordinateFileResult UlozDoStringListFix(const Tsouradnice& souradnice,
                                         std::vector<std::string>& text, int pocetDecimal,
                                         bool zaokrouhlovat) {
    text.clear();
    return ZapsatSFixaci(souradnice, text, {pocetDecimal, zaokrouhlovat}, false);
}

CoordinateFileResult UlozDoStringListFixAktiv(const Tsouradnice& souradnice,
                                              std::vector<std::string>& text, int pocetDecimal,
                                              bool zaokrouhlovat) {
    return ZapsatSFixaci(souradnice, text, {pocetDecimal, zaokrouhlovat}, true);
}

CoordinateFileResult UlozDoStringListMeritko(const Tsouradnice& souradnice,
                                             std::vector<std::string>& text) {
    text.clear();
    return ZapsatBody(souradnice, text, [](const Tbod& b, std::string& radek, auto& chyba) {
        if (!IsSingleToken(b.cislo)) {
            chyba = Chyba(FileError::UnwritableName, b, b.cislo);
            return false;
        }
        radek = b.cislo;
        if (!PridatHodnotu(radek, b.zkresleni)) {
            chyba = Chyba(FileError::UnwritableValue, b, FormatGeneral(b.zkresleni));
            return false;
        }
        return true;
    });
}

// ---- appending from file lines ----

CoordinateFileResult PridejBody(Tsouradnice& souradnice, const std::vector<std::string>& text,
                                int32_t identifikator) {
    return PridejBodyFixVse(souradnice, text, identifikator, false);
}

CoordinateFileResult PridejBodyFixVse(Tsouradnice& souradnice, const std::vector<std::string>& text,
                                      int32_t identifikator, bool fix) {
    return Pridat(souradnice, text, identifikator, fix,
                  [](const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
                      if (tokeny.size() < 4) {
                          chyba = SpatnyPocet(tokeny.size(), "at least 4");
                          return false;
                      }
                      // The fixed coordinates of a given point after its
                      // coordinates (ReadCoordinateFile); other tokens are ignored.
                      if (tokeny.size() > 4) {
                          if (const auto osy = CtiFixniOsy(tokeny[4])) b.fixniOsy = *osy;
                      }
                      return CtiSouradnice(tokeny, b, chyba);
                  });
}

CoordinateFileResult PridejBodySOdchylkami(Tsouradnice& souradnice,
                                           const std::vector<std::string>& text,
                                           int32_t identifikator) {
    return Pridat(souradnice, text, identifikator, false,
                  [](const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
                      if (tokeny.size() < 4 || tokeny.size() > 7) {
                          chyba = SpatnyPocet(tokeny.size(), "4 to 7");
                          return false;
                      }
                      return CtiSouradnice(tokeny, b, chyba) && CtiOdchylky(tokeny, b, chyba);
                  });
}

CoordinateFileResult PridejBodyMeritko(Tsouradnice& souradnice,
                                       const std::vector<std::string>& text, int32_t identifikator,
                                       bool fix) {
    return Pridat(souradnice, text, identifikator, fix,
                  [](const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
                      if (tokeny.size() < 2) {
                          chyba = SpatnyPocet(tokeny.size(), "at least 2");
                          return false;
                      }
                      b.cislo = tokeny[0];
                      return CtiCislo(tokeny[1], b.zkresleni, chyba);
                  });
}

// ---- project readers ----

CoordinateFileResult ReadFixationForm(Tsouradnice& souradnice,
                                      const std::vector<std::string>& text) {
    return Nahradit(
        souradnice, text,
        [](const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
            if (tokeny.size() != 5 && tokeny.size() != 6) {
                chyba = SpatnyPocet(tokeny.size(), "5 or 6");
                return false;
            }
            if (!CtiSouradnice(tokeny, b, chyba)) return false;
            if (!ParseBooleanToken(tokeny[4], b.JeFixni)) {
                chyba = FileFailure(FileError::BadBoolean, 0, 0, tokeny[4]);
                return false;
            }
            if (tokeny.size() == 5) return true;
            // The coordinates a point fixed in plan or in height alone holds.
            const auto osy = CtiFixniOsy(tokeny[5]);
            if (!osy) {
                chyba = FileFailure(FileError::BadFixedAxes, 0, 0, tokeny[5]);
                return false;
            }
            b.fixniOsy = *osy;
            return true;
        });
}

CoordinateFileResult ReadCoordinateForm(Tsouradnice& souradnice,
                                        const std::vector<std::string>& text) {
    return Nahradit(
        souradnice, text,
        [](const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
            if (tokeny.size() < 4 || tokeny.size() > 7) {
                chyba = SpatnyPocet(tokeny.size(), "4 to 7");
                return false;
            }
            return CtiSouradnice(tokeny, b, chyba) && CtiOdchylky(tokeny, b, chyba);
        });
}

CoordinateFileResult ReadScaleForm(Tsouradnice& souradnice, const std::vector<std::string>& text) {
    return Nahradit(
        souradnice, text,
        [](const std::vector<std::string>& tokeny, Tbod& b, CoordinateFileResult& chyba) {
            if (tokeny.size() != 2) {
                chyba = SpatnyPocet(tokeny.size(), "2");
                return false;
            }
            b.cislo = tokeny[0];
            return CtiCislo(tokeny[1], b.zkresleni, chyba);
        });
}

bool ParseBooleanToken(std::string_view token, bool& value) {
    const std::string slovo = AsciiLower(token);
    if (slovo == "true" || slovo == "false") {
        value = slovo == "true";
        return true;
    }
    Real cislo = 0;
    if (ParseNumber(token, cislo) != NumberStatus::Ok) return false;
    value = cislo != 0;
    return true;
}

}  // namespace vertano
