#pragma once

#include <cstdint>
#include <string>

#include "data/Tbod.h"
#include "matice/Real.h"

namespace vertano {

// The coordinate an identical-point record observes (TsouradnicovaVelicina::typ);
// Zadna in an empty record. The numbers are those a sorted table compares.
enum class Osa : int32_t {
    Zadna = 0,
    X = 1,
    Y = 2,
    Z = 3,
};

inline constexpr int32_t KodOsy(Osa o) {
    return static_cast<int32_t>(o);
}

// One coordinate of one identical point taken as an observation: the value in the
// output system with its a-priori standard deviation, weight and, after the
// adjustment, its residual and the test values. Lengths in metres; -1 marks a
// value that is not set. A default-constructed record is the empty record.
struct TsouradnicovaVelicina {
    Osa typ = Osa::Zadna;
    int32_t poradi = 0;  // 1-based pair number in the transformation
    std::string cislo;   // point number
    Real hodnota = -1;   // the coordinate in the output system
    Real odchylka = -1;  // a-priori standard deviation
    Real vaha = -1;      // (sigma0 / odchylka)^2
    Real oprava = -1;
    Real normOprava = -1;  // oprava / odchylka
    // During the outlier test the limit residual; after the evaluation the
    // adjusted value (hodnota + oprava).
    Real mezniOprava = -1;
    // During the outlier test the standard deviation of the residual; after the
    // evaluation the square root of the cofactor of the adjusted value.
    Real odchylkaOprava = -1;
    bool typSoustavy = false;  // system flag copied from the caller of NactiSouradnice
    bool jeOdlehly = false;
    bool jePlny = false;
    int32_t iVstup = 0;   // the pair's input-system point in the pair list
    int32_t iVystup = 0;  // the pair's output-system point in the pair list
    Telipsoid elipsoid = Tpresnost{}.elipsoid;

    static TsouradnicovaVelicina Prazdny() { return {}; }
};

}  // namespace vertano
