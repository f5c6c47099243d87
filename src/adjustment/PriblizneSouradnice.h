#pragma once

#include <array>
#include <cstdint>
#include <functional>
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
    LokalniSystem,    // a local system fitted onto the known points
};
inline constexpr int32_t kPocetZpusobu = 6;

// A stable English key of the construction ("given", "polar", "free-station",
// "resection", "intersection", "local-system") for front ends that explain the
// results.
std::string_view KlicZpusobu(ZpusobUrceni zpusob);

// Why a point of the measurements has no approximate coordinates. The "part" of
// such a point is the group of undetermined points linked to it by measurements.
enum class DuvodNeurceni : int32_t {
    Zadny = 0,      // the point is determined
    BezSpojeni,     // no measurement links its part to a known point
    JedenSpolecny,  // its part shares only one point with the known ones
    BezDelky,       // no distance is measured in its part (nothing gives the scale)
    Nedosazen,      // linked and measured, but no construction reached it
};

// A stable English key of the reason ("no-link", "one-common-point",
// "no-distance", "not-reached"; "" for Zadny).
std::string_view KlicDuvodu(DuvodNeurceni duvod);

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
    // The local system (index into VysledekPriblizne::lokalniSystemy) that gave
    // the point its first value; -1 when none did.
    int32_t lokalniSystem = -1;
    // Why the point stayed without coordinates (Zadny when it has them).
    DuvodNeurceni duvod = DuvodNeurceni::Zadny;
};

// A point that a local system has in common with the known points, with the
// residuals of the fit (known minus transformed local) [m].
struct SpolecnyBod {
    std::string cislo;
    Real vX = 0;
    Real vY = 0;
    Real vZ = 0;
    // Left out of the fit: it disagreed with the others beyond any noise.
    bool jeVyloucen = false;
};

// One local system: started at an occupation whose station is put at the
// origin with its zero direction along the local X axis, grown by the same
// constructions, then fitted in plan onto the points already known (rotation and
// translation, scale 1) and in height by a shift.
struct LokalniSystemPriblizne {
    int32_t poradiStanoviska = 0;  // the occupation that started it, input numbering
    std::string cisloStn;
    int32_t pocetCilu = 0;      // targets that occupation measured with distances
    int32_t pocetBodu = 0;      // points the local system reached
    int32_t pocetUrcenych = 0;  // points that got their first coordinates from it
    // Fitted onto the known points, or placed as computed when nothing is known.
    bool jeUmisten = false;
    bool jeBezZnamych = false;  // nothing was known: placed as computed
    // Why it could not be fitted (BezSpojeni: no common point; JedenSpolecny: one
    // common point, or all common points in one place in plan).
    DuvodNeurceni duvod = DuvodNeurceni::Zadny;
    std::vector<SpolecnyBod> spolecne;
    // The fit: rotation [rad], translation [m], height shift [m], and the scale
    // the common points would ask for (a check of the reduction; not applied).
    Real natoceni = 0;
    Real posunX = 0;
    Real posunY = 0;
    Real posunZ = 0;
    Real meritko = 1;
};

// The robust refinement after the constructions: every station's orientation
// and every computed point re-estimated from all the measurements at once, with
// gross errors weighted down.
struct ZpresneniPriblizne {
    bool jeProvedeno = false;  // the refined coordinates were taken
    int32_t pocetIteraci = 0;
    Real maxPosun = 0;             // largest move of a point in plan [m]
    int32_t pocetPotlacenych = 0;  // measurements weighted down as gross errors
    std::string chyba;             // why it was not taken (English), if it ran
};

struct VysledekPriblizne {
    std::vector<PuvodBodu> body;                  // by point order
    std::vector<std::string> neurcene;            // points left without coordinates, point order
    std::vector<DuvodNeurceni> duvodyNeurcenych;  // why, one per entry of `neurcene`
    int32_t pocetPruchodu = 0;
    // Full rows that no construction can read: a station or target name that is
    // not in the point list, the station as its own target, no direction, or
    // values that are not numbers.
    int32_t pocetVynechanychZaznamu = 0;
    // An internal fault ended the propagation early; what was found is returned.
    bool jePreruseno = false;
    // The local systems started after the constructions of the known points
    // stopped, in the order started (those that could not be fitted included).
    std::vector<LokalniSystemPriblizne> lokalniSystemy;
    ZpresneniPriblizne zpresneni;
};

// What the computation may do beyond the classical constructions from the
// known points. Both are on for the analysis; tests switch them off to compare.
struct MoznostiPriblizne {
    // Points the constructions cannot reach from the known points are computed
    // in local systems fitted onto them.
    bool lokalniSystemy = true;
    // The constructed coordinates are refined robustly from all measurements.
    bool zpresnit = true;
    // Asked between the passes and the iterations of the refinement: true
    // abandons the computation at once (what it hands back is then of no use;
    // the caller that asked throws it away).
    std::function<bool()> zrusit;
    // Threads of the factorisations of the refinement; the coordinates do
    // not depend on their number.
    int vlakna = 1;
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
// When the constructions stop with points left over, local systems carry on
// (MoznostiPriblizne::lokalniSystemy): a part of the network that shares two or
// more points with the known ones is computed; when nothing at all is known, the
// network is placed in the local system of its best occupation. Finally the
// computed points are refined from all measurements (MoznostiPriblizne::zpresnit);
// the points known on entry keep their values.
//
// True when at least one point has coordinates on return. Any internal fault ends
// the propagation early and what was found so far is still returned.
bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu);
bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu,
                                VysledekPriblizne& vysledek,
                                const MoznostiPriblizne& moznosti = {});

}  // namespace vertano
