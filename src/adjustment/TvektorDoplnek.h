#pragma once

#include <cstdint>
#include <string>

#include "adjustment/TvektorMereni.h"
#include "matice/Real.h"

namespace vertano {

class TdoplnkoveMereni;
class Tnastaveni;
class Tsouradnice;

// Why TvektorDoplnek::Nacist could not build the observation vectors.
enum class DoplnekVektorChyba {
    None,
    BadPointIndex,  // iStn/iCil of a prepared row outside the adjustment's point list
    NoWeight,       // neither the row nor the settings give a usable deviation
};

struct DoplnekVektorVysledek {
    bool ok = true;
    DoplnekVektorChyba chyba = DoplnekVektorChyba::None;
    Velicina typ = Velicina::Zadna;  // Velicina::Doplnek... of the offending row
    int32_t radek = -1;              // its 0-based index in the prepared list of that kind
    std::string message;             // English; empty when ok
};

// The supplementary observations of one adjustment, one vector per kind, in the
// order in which the model writes their equations: distances (typ 4), bearings
// (5), height differences (6), plumbing ties (7). Each TmodelSite owns one.
class TvektorDoplnek {
  public:
    TvektorMereni delka;
    TvektorMereni smernik;
    TvektorMereni prevyseni;
    TvektorMereni provazeni;

    // Counts are -1 until PocetVse has run (after Clear and Nacist).
    int32_t pocet = -1;  // observation equations: a plumbing tie gives two
    int32_t pocetDelka = -1;
    int32_t pocetSmernik = -1;
    int32_t pocetPrevyseni = -1;
    int32_t pocetProvazeni = -1;
    // Outliers found among them; set by the outlier detection.
    int32_t pocetDelkaOdlehly = -1;
    int32_t pocetSmernikOdlehly = -1;
    int32_t pocetPrevyseniOdlehly = -1;
    int32_t pocetProvazeniOdlehly = -1;
    bool jeDoplnek = false;
    bool jeDelka = false;
    bool jeSmernik = false;
    bool jePrevyseni = false;
    bool jeProvazeni = false;

    TvektorDoplnek() = default;
    // Four vectors of `pocet` all-zero records each, the counts cleared.
    explicit TvektorDoplnek(int32_t pocet) { Create(pocet); }

    void Create(int32_t pocet);
    // Empties the four vectors, sets the nine counts to -1 and the flags to false.
    void Clear();
    // The four vectors, the nine counts and the five flags.
    void Kopiruj(const TvektorDoplnek& vektor);

    // Builds the four vectors from the prepared container `doplnek` (filled by
    // TdoplnkoveMereni::ZpracovaniDoVyrovnani with the same point list), then
    // counts them (PocetVse). A row whose two points are both fixed is left out: it
    // constrains nothing. Each observation takes its row's deviation when that is
    // a usable one (positive, finite), otherwise the kind's deviation of the
    // settings (doplnek.odchylka_...), and the weight (sigma0 / deviation)^2.
    //
    // On failure (a point index outside `souradnice`, or no usable deviation and
    // hence no weight) the vectors are emptied, the counts say so (0, jeDoplnek
    // false) and the result names the row; an adjustment must not run on that.
    DoplnekVektorVysledek Nacist(const TdoplnkoveMereni& doplnek, const Tsouradnice& souradnice,
                                 const Tnastaveni& nastaveni, Real odchylkaJednotkova);

    // Counts the records of each vector; pocet = distances + bearings + height
    // differences + 2 x plumbing ties (an X and a Y equation each).
    void PocetVse();
};

}  // namespace vertano
