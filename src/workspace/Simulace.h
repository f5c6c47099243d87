#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Tsouradnice.h"
#include "matice/Konstanty.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {

// A synthetic network: true coordinates of a chosen shape, a total station set up
// on the points observing their nearest neighbours in two faces and several sets,
// with normal noise and optional gross errors, the raw rows that it would have
// recorded, the given points and, on request, supplementary measurements. It
// feeds the examples, the end-to-end tests and the benchmarks, so the same
// parameters always give the same network.

enum class SimulaceTvar {
    Grid,      // points on a jittered square grid, heights varying with the terrain
    Traverse,  // a winding chain of points
    Tiny,      // a quadrilateral with a point in the middle: 5 points
    Random,    // points scattered at random over a square, as the grid's terrain
};

// Limits of the parameters (checked by OveritParametry).
namespace simulace {
inline constexpr int32_t kMaxBodu = 100000;
inline constexpr int32_t kMaxSousedu = 50;
inline constexpr int32_t kMaxSkupin = 20;
inline constexpr Real kMinRozestup = 1;
inline constexpr Real kMaxRozestup = 1000;
inline constexpr Real kMaxSigmaUhel = GonNaRad(1);  // 1 gon
inline constexpr Real kMaxSigmaDelka = 1;           // 1 m
inline constexpr Real kMaxPpm = 1000;
inline constexpr Real kMaxHrubaUhel = GonNaRad(50);  // keeps every zenith angle in its face
inline constexpr Real kMaxHrubaDelka = 100;
}  // namespace simulace

// Angles in radians, lengths in metres. A count of 0 where noted takes the default.
struct SimulaceParametry {
    SimulaceTvar tvar = SimulaceTvar::Grid;
    int32_t pocetBodu = 0;        // 0: grid and random 12, traverse 10; tiny has always 5
    Real rozestup = 100;          // distance between neighbouring points
    int32_t pocetSousedu = 0;     // targets per station; 0: 8, at most the other points
    int32_t pocetStanovisek = 0;  // occupied points; 0: every point
    int32_t pocetSkupin = 2;
    int32_t pocetZadanych = 3;  // given points, chosen well spread
    Real sigmaSmer = MgonNaRad(0.3L);
    Real sigmaZenit = MgonNaRad(0.3L);
    Real sigmaDelka = MmNaM(1);
    Real ppm = 0;  // distance noise: sigmaDelka + ppm * 1e-6 * distance
    int32_t pocetHrubych = 0;
    Real hrubaUhel = MgonNaRad(50);  // size of a gross error in an angle; 0: no angles
    Real hrubaDelka = MmNaM(50);     // size in a distance; 0: no distances
    // Supplementary measurements of all four kinds; the layout then gets one more
    // point, straight below a point near the middle, for the plumbing tie.
    bool doplnky = false;
    uint64_t seed = 1;
};

// The quantity a gross error spoils.
enum class HrubaVelicina { Smer, Zenit, Delka };

// A gross error added to one raw row.
struct HrubaChyba {
    int32_t poradi = 0;  // station number of the row
    std::string stanovisko;
    std::string cil;
    int32_t skupina = 0;
    bool poloha = true;  // true face I
    HrubaVelicina velicina = HrubaVelicina::Smer;
    Real velikost = 0;  // what was added to the measured value [rad or m]
};

struct SimulovanaSit {
    Tsouradnice skutecne;  // every point with its true coordinates, in layout order
    Tsouradnice zadane;    // the given points: true coordinates, fixed
    Tmereni mereni;        // the raw rows in the order observed, stations 1, 2, ...
    std::vector<HrubaChyba> hrubeChyby;
    TdoplnkoveMereni doplnek;  // filled only when asked for
    bool maDoplnky = false;
};

// The parameters with every default filled in (counts of 0 replaced).
SimulaceParametry UplneParametry(const SimulaceParametry& p);

// Checks the parameters; false with an English message naming the first that is
// out of range.
bool OveritParametry(const SimulaceParametry& p, std::string& chyba);

// Generates the network into `sit` (replacing what it held). False with an
// English message when the parameters are out of range or the computation failed;
// `sit` is then empty.
bool Simulovat(const SimulaceParametry& p, SimulovanaSit& sit, std::string& chyba);

}  // namespace vertano
