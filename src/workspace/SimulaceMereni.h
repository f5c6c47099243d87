#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "workspace/Simulace.h"
#include "workspace/SimulaceNahoda.h"

namespace vertano::simulace {

// The raw measurements of a generated network.

// One target of an occupation with the values a perfect instrument would read
// in face I: direction on the circle of the occupation, zenith angle and slope
// distance from the instrument to the signal.
struct Zacileni {
    int32_t cil = 0;  // index of the point
    Real vyskaCil = 0;
    Real smer = 0;
    Real zenit = 0;
    Real delka = 0;
};

// One set-up of the instrument on a point; targets in the order of their circle
// readings, as the telescope turns clockwise.
struct Obsazeni {
    int32_t stanovisko = 0;  // index of the point
    Real vyskaStn = 0;
    Real orientace = 0;  // bearing of the zero of the circle
    std::vector<Zacileni> cile;
};

// Sights shorter than this share of the spacing in plan are not taken: a point
// straight below another cannot be sighted from it.
inline constexpr Real kMinZaberu = 0.01L;

// The radius of the sphere the distance reduction works on by default: that of
// the default settings (redukceMereni.polomerRefPlochy), so that a generated
// network fits the reduction a new project applies to it.
Real PolomerZeme();

// What an instrument `vyskaStn` above mark `s` reads to a signal `vyskaCil` above
// mark `c`: the slope distance and the zenith angle of the straight line between
// them on the earth. The coordinates are those of the zero level with scale
// factor 1, so their horizontal distance is the arc of the sphere of radius
// PolomerZeme() between the two verticals and Z the height above it. The
// program reduces readings on this model (marks, curvature, level); readings of
// a flat earth would carry an error of half the central angle in every zenith
// angle (0.5 mgon per 100 m) and of the height in every distance.
void ZameritNaKouli(const Tbod& s, Real vyskaStn, const Tbod& c, Real vyskaCil, Real& delka,
                    Real& zenit);

// Instrument and signal heights as measured on site: 1.3 to 1.7 m, to the mm.
Real NahodnaVyska(SimulaceNahoda& nahoda);

// Bearing from a to b in [0, 2 pi), counted from X towards Y. The two points of
// a sight never coincide in plan (kMinZaberu).
Real Smernik(const Tbod& a, const Tbod& b);

// The occupations of the points `stanoviska`, each with its `pocetCilu` nearest
// neighbours, a random circle setting and random heights, and the exact values.
// A point with fewer than two neighbours in sight is not occupied.
std::vector<Obsazeni> NaplanovatObsazeni(const Tsouradnice& body,
                                         const std::vector<int32_t>& stanoviska, int32_t pocetCilu,
                                         Real rozestup, SimulaceNahoda& nahoda);

// The raw rows: per occupation (station numbers 1, 2, ...) `pocetSkupin` sets, each
// face I to the targets in order, then face II in reverse order, every reading
// with its normal noise. The circle setting is the same in every set, so that the
// sets can be compared reading by reading.
Tmereni ZmeritSkupiny(const std::vector<Obsazeni>& plan, const Tsouradnice& body,
                      const SimulaceParametry& p, SimulaceNahoda& nahoda);

// Adds p.pocetHrubych gross errors, each to one reading of one row (no reading
// twice), of the kinds whose size is not 0, with a random sign. The errors are
// listed in the order of the rows. False when there are not enough readings.
bool PridatHrubeChyby(const SimulaceParametry& p, SimulaceNahoda& nahoda, Tmereni& mereni,
                      std::vector<HrubaChyba>& chyby, std::string& zprava);

}  // namespace vertano::simulace
