#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "matice/Real.h"

namespace vertano::exchange {

// An adjusted network as the exporters write it: plain values, filled from the
// results of the adjustment by one adapter of the workspace (VymenaVysledky),
// so that a change of the adjustment's interface touches that adapter only.
// Metres and radians; bearings clockwise from X (north) towards Y (east);
// -1 marks a figure that does not exist (the accuracy of a fixed point).

struct VyrovnanyBod {
    std::string cislo;
    Real X = 0, Y = 0, Z = 0;
    bool fixni = false;
    // A determined point fixed in plan alone (X and Y held) or in height alone
    // (Z held); the accuracy of a held coordinate is 0.
    bool drziPolohu = false;
    bool drziVysku = false;
    Real sigX = -1, sigY = -1, sigZ = -1;
    Real elipsaA = -1, elipsaB = -1, elipsaSmernik = 0;  // plane ellipse, major axis
};

// Observation kinds, as the adjustment numbers them.
enum class DruhMereni {
    Delka = 1,         // slope distance
    Smer = 2,          // horizontal direction (circle reading)
    Zenit = 3,         // zenith angle
    DoplnekDelka = 4,  // supplementary slope distance
    Smernik = 5,       // supplementary bearing
    Prevyseni = 6,     // supplementary height difference
    Provazeni = 7,     // supplementary plumbing tie (X and Y equal)
};

struct VyrovnaneMereni {
    DruhMereni druh = DruhMereni::Smer;
    std::string od, k;
    // Directions: the orientation (station occupation) they share, from 1.
    int32_t orientace = 0;
    // The observation as the adjustment used it: reduced to the marks, the
    // level and the projection; a distance is the mark-to-mark distance times
    // `zkresleni`, which the equations of distances and zenith angles carry.
    Real hodnota = 0;
    Real zkresleni = 1;
    Real odchylka = -1;  // a priori standard deviation
    Real oprava = 0;     // residual
    Real normOprava = 0;
    Real vyrovnana = 0;  // adjusted value
    Real odchylkaVyrovnane = -1;
    bool odlehle = false;  // rejected as an outlier (not in the final adjustment)
};

struct VyrovnanaSit {
    // Determined points first, then the fixed ones.
    std::vector<VyrovnanyBod> body;
    std::vector<VyrovnaneMereni> mereni;
    Real odchylkaJednotkova = 1;  // a priori unit standard deviation
    Real odchylkaJednotkovaAposteriorni = -1;
    int32_t pocetNadbytecnych = 0;
    // The datum took conditions (a free network, or too few fixed points to
    // fix rotation or scale): the determined points are its constraints.
    bool podminkyDatumu = false;
};

}  // namespace vertano::exchange
