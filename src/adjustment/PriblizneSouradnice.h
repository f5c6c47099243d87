#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"

namespace vertano {

// How a candidate value of a point came about. The given coordinates count as
// one candidate of their own.
enum class ZpusobUrceni : int32_t {
    Zadany = 0,       // known on entry
    Polarni,          // polar point from an oriented station
    VolneStanovisko,  // free station from two known targets with distances
    ProtinaniZpet,    // resection on three known points
    ProtinaniVpred,   // forward intersection from two oriented stations
};
inline constexpr int32_t kPocetZpusobu = 5;

// A stable English key of the construction ("given", "polar", "free-station",
// "resection", "intersection") for front ends that explain the results.
std::string_view KlicZpusobu(ZpusobUrceni zpusob);

// The history of one point of the measurements, so that a surveyor can see why a
// point has the value it has, or why it has none.
struct PuvodBodu {
    std::string cislo;
    bool jeUrcen = false;   // has approximate coordinates on return
    bool jeZadany = false;  // was known on entry
    bool jeFixni = false;   // was known on entry as a fixed point: kept as given
    // How its first value came about, in which pass (0 = given, or found before
    // the passes) and from which row: the station occupation as numbered in the
    // input (`poradi`), with the row's station and target.
    ZpusobUrceni prvni = ZpusobUrceni::Zadany;
    int32_t pruchod = 0;
    int32_t poradiStanoviska = 0;
    std::string cisloStn;
    std::string cisloCil;
    // Candidates taken into the median, per construction (index ZpusobUrceni).
    std::array<int32_t, kPocetZpusobu> pocetKandidatu{};
};

struct VysledekPriblizne {
    std::vector<PuvodBodu> body;        // by point order
    std::vector<std::string> neurcene;  // points left without coordinates, point order
    int32_t pocetPruchodu = 0;
    // Full rows that no construction can read: a station or target name that is
    // not in the point list, the station as its own target, no direction, or
    // values that are not numbers.
    int32_t pocetVynechanychZaznamu = 0;
    // An internal fault ended the propagation early; what was found is returned.
    bool jePreruseno = false;
};

// Approximate coordinates of all points of the measurements.
//
// `souradnice` holds the known points on entry (looked up by exact name in
// `cislaBodu`; other points and empty slots are ignored) and on return one record
// per entry of `cislaBodu`: the lower median of the point's candidates, or the
// empty point where no construction reached it. `mereni` are the set means; their
// station and target are found by name, so stale iStn/iCil do no harm.
// Fixed points (JeFixni) keep their given coordinates: a value computed from the
// measurements must not pull a point that is exact by definition, nor anything
// derived from it afterwards.
//
// True when at least one point has coordinates on return. Any internal fault ends
// the propagation early and what was found so far is still returned.
bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu);
bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu,
                                VysledekPriblizne& vysledek);

}  // namespace vertano
