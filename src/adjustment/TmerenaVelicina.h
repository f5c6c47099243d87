#pragma once

#include <cstdint>
#include <string>

#include "matice/Real.h"
#include "matice/StoredReal.h"
#include "mereni/Velicina.h"

namespace vertano {

struct Tzaznam;

// One observation of the adjustment. Angles in radians, lengths in metres; -1 marks
// a value that is not set. A network of 10,000 points holds about a million of
// them in its two models, so the values are kept without the padding of the
// extended format (StoredReal: the same bits in 10 bytes instead of 16).
struct TmerenaVelicina {
    Velicina typ = Velicina::Zadna;
    int32_t poradi = 0;       // group: station occupation, group counter or row number
    int32_t skupina = 0;      // measurement set, -1 for supplementary observations
    int32_t poradiPosun = 0;  // orientation unknown of a direction, 1-based
    int32_t iStn = 0;         // indices in the model's point list
    int32_t iCil = 0;
    std::string cislo_stn;
    std::string cislo_cil;
    StoredReal hodnota = 0;
    StoredReal odchylka = 0;  // a-priori standard deviation
    StoredReal vaha = 0;      // (sigma0 / odchylka)^2
    StoredReal oprava = 0;
    StoredReal normOprava = 0;
    StoredReal mezniOprava = 0;     // limit residual; after evaluation the adjusted value
    StoredReal odchylkaOprava = 0;  // std. dev. of the residual; after evaluation of the value
    StoredReal smernik = 0;
    StoredReal posun = 0;
    StoredReal odchylkaPosun = 0;
    StoredReal zkresleni = 0;  // length scale factor
    bool jeOdlehly = false;
    bool jePlny = false;
    // Reliability, after the evaluation (VypocetSpolehlivosti): the redundancy
    // number r = 1 - p q (0 to 1), the minimal detectable error for a unit
    // standard deviation of 1 [m or rad; -1 when r is 0], the largest move of
    // its own points such an error causes [m; -1 when not computed]; an
    // uncontrolled observation (r < 0.01) and which of its points then depend
    // on it.
    StoredReal redundance = -1;
    StoredReal mdb = -1;
    StoredReal mdbPosun = -1;
    bool jeNekontrolovane = false;
    bool zavisiStanovisko = false;
    bool zavisiCil = false;

    // A default-constructed record is the all-zero record of a grown vector;
    // Prazdny() is the empty observation that blanked records become.
    static TmerenaVelicina Prazdny();
    // The observation of kind `typ` that the measurement row `z` carries, with
    // its value and standard deviation of that kind: filled, with the row's
    // `poradi`, set and point numbers; everything else as in Prazdny().
    static TmerenaVelicina ZeZaznamu(const Tzaznam& z, Velicina typ, Real hodnota, Real odchylka);

    // Gives the observation its a-priori standard deviation and weight: its own
    // deviation when that is set (JeOdchylkaZadana), otherwise `odchylkaDruhu`,
    // else -1, and vaha = (odchylkaJednotkova / odchylka)^2. When no usable weight
    // results, vaha becomes -1 and the result is false; the caller must then not
    // adjust with this observation.
    bool UrcitPresnost(Real odchylkaDruhu, Real odchylkaJednotkova);
};

}  // namespace vertano
