#pragma once

#include <cstdint>
#include <string>

#include "matice/Real.h"
#include "mereni/Velicina.h"

namespace vertano {

struct Tzaznam;

// One observation of the adjustment. Angles in radians, lengths in metres; -1 marks
// a value that is not set.
struct TmerenaVelicina {
    int32_t typ = 0;      // velicina::k...
    int32_t poradi = 0;   // group: station occupation, group counter or row number
    int32_t skupina = 0;  // measurement set, -1 for supplementary observations
    std::string cislo_stn;
    std::string cislo_cil;
    Real hodnota = 0;
    Real odchylka = 0;  // a-priori standard deviation
    Real vaha = 0;      // (sigma0 / odchylka)^2
    Real oprava = 0;
    Real normOprava = 0;
    Real mezniOprava = 0;     // limit residual; after evaluation the adjusted value
    Real odchylkaOprava = 0;  // std. dev. of the residual; after evaluation of the value
    Real smernik = 0;
    Real posun = 0;
    int32_t poradiPosun = 0;  // orientation unknown of a direction, 1-based
    Real odchylkaPosun = 0;
    Real zkresleni = 0;  // length scale factor
    bool jeOdlehly = false;
    bool jePlny = false;
    int32_t iStn = 0;  // indices in the model's point list
    int32_t iCil = 0;
    // Reliability, after the evaluation (VypocetSpolehlivosti): the redundancy
    // number r = 1 - p q (0 to 1), the minimal detectable error for a unit
    // standard deviation of 1 [m or rad; -1 when r is 0], the largest move of
    // its own points such an error causes [m; -1 when not computed]; an
    // uncontrolled observation (r < 0.01) and which of its points then depend
    // on it.
    Real redundance = -1;
    Real mdb = -1;
    Real mdbPosun = -1;
    bool jeNekontrolovane = false;
    bool zavisiStanovisko = false;
    bool zavisiCil = false;

    // A default-constructed record is the all-zero record of a grown vector;
    // Prazdny() is the empty observation that blanked records become.
    static TmerenaVelicina Prazdny();
    // The observation of kind `typ` that the measurement row `z` carries, with
    // its value and standard deviation of that kind: filled, with the row's
    // `poradi`, set and point numbers; everything else as in Prazdny().
    static TmerenaVelicina ZeZaznamu(const Tzaznam& z, int32_t typ, Real hodnota, Real odchylka);

    // Gives the observation its a-priori standard deviation and weight: its own
    // deviation when that is set (JeOdchylkaZadana), otherwise `odchylkaDruhu`,
    // else -1, and vaha = (odchylkaJednotkova / odchylka)^2. When no usable weight
    // results, vaha becomes -1 and the result is false; the caller must then not
    // adjust with this observation.
    bool UrcitPresnost(Real odchylkaDruhu, Real odchylkaJednotkova);
};

}  // namespace vertano
