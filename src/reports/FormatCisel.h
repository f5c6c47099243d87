#pragma once

#include <cstdint>
#include <string>

#include "data/Tnastaveni.h"
#include "matice/Real.h"

namespace vertano {

class Tjazyk;

// Numbers of a report: converted from radians and metres to the display units of
// the settings and written in fixed notation with the configured decimals, "."
// as decimal separator whatever the locale. A value that is not a finite number
// cannot be reported: the writers throw ChybaProtokolu, and the report is not
// made.
//
//   angle values      rad, gon, deg, D.MMSS (carries of 60" and 60' done)
//   angle deviations  mrad, mgon, mdeg (x 1000), arc seconds for D.MMSS
//   length values     m, ft
//   length deviations mm, pt (1 ft = 864 pt)
//
// Coordinates take the coordinate unit and decimals, other lengths the length
// unit and decimals.
class FormatCisel {
  public:
    explicit FormatCisel(const Tnastaveni& nastaveni);

    std::string Uhel(Real radiany) const;
    std::string UhelOdchylka(Real radiany) const;
    std::string Delka(Real metry) const;
    std::string DelkaOdchylka(Real metry) const;
    std::string Souradnice(Real metry) const;
    std::string SouradniceOdchylka(Real metry) const;
    std::string Meritko(Real meritko) const;

    // A value of an observation kind (angles or lengths, see JeUhlovyDruhProtokolu).
    std::string Hodnota(bool uhel, Real hodnota) const;
    std::string Odchylka(bool uhel, Real odchylka) const;

    // The deviations in their display unit as numbers (for the figures of
    // notes and tests).
    Real UhelOdchylkaVJednotce(Real radiany) const;
    Real DelkaOdchylkaVJednotce(Real metry, uint8_t jednotka) const;

  private:
    nastaveni::Tjednotky jednotky_;
    nastaveni::Tpresnost presnost_;
};

// Three decimals: normed residuals and the statistics of the information
// sections.
std::string TriDesetinna(Real hodnota);

// A significance level with three decimals, trailing zeros and a trailing "."
// removed: 0.05 gives "0.05", 0.1 gives "0.1".
std::string TextHladiny(Real hladina);

// "n/total [n/total with 3 decimals]"; "-" in the brackets when total is 0.
std::string Pomer(int32_t n, int32_t celkem);

// A whole number.
std::string CeleCislo(int64_t n);

// The unit labels of the settings in force (from the language tables).
struct JednotkyProtokolu {
    std::string uhel, uhelOdchylka, delka, delkaOdchylka, souradnice, souradniceOdchylka;
    explicit JednotkyProtokolu(const Tjazyk& jazyk);
    const std::string& Hodnota(bool uhelDruh) const { return uhelDruh ? uhel : delka; }
    const std::string& Odchylka(bool uhelDruh) const {
        return uhelDruh ? uhelOdchylka : delkaOdchylka;
    }
};

}  // namespace vertano
