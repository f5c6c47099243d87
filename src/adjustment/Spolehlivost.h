#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adjustment/TmodelSite.h"
#include "adjustment/VysledekSite.h"
#include "data/Tjazyk.h"
#include "matice/Real.h"

namespace vertano {

// An observation whose redundancy number is below this is uncontrolled: the
// adjustment cannot tell a gross error in it from the truth.
inline constexpr Real kMezNekontrolovane = 0.01L;
// The power of the test for which the minimal detectable errors are given.
inline constexpr Real kSilaTestu = 0.8L;

// Why a determined point is not controlled by the measurements.
enum class DuvodNekontrolovanosti : int32_t {
    // Not a station and seen from one station only: one polar measurement
    // places it, however many faces and sets repeat it.
    PostranniBod,
    // An uncontrolled observation moves it.
    ZavisiNaNekontrolovanych,
};

struct NekontrolovanyBod {
    std::string cislo;
    int32_t index = -1;  // in the model's point list
    DuvodNekontrolovanosti duvod = DuvodNekontrolovanosti::ZavisiNaNekontrolovanych;
};

// What the reliability of an adjusted network comes to.
struct SouhrnSpolehlivosti {
    bool jeSpocteno = false;
    // delta0 = k(1 - alpha/2) + k(power): the shift of the normalised residual
    // that the outlier test finds with the chosen power.
    Real delta0 = 0;
    Real soucetRedundanci = 0;  // equals the redundancy of the network
    bool jeVliv = false;        // the moves of the points (mdbPosun) were computed
    int32_t pocetNekontrolovanych = 0;
    // The determined points that an uncontrolled observation moves (by at least
    // half of an error in it), in the model's point order.
    std::vector<std::string> zavisleBody;
    // The side shots and the points depending on uncontrolled observations.
    std::vector<NekontrolovanyBod> nekontrolovaneBody;
};

// The reliability of every observation of `model` after Vyhodnoceni, from the a
// priori weights p_i (diagonalaVah) and the cofactors q_i of the adjusted
// observations (vektorRedukovanychMereni) that the evaluation leaves:
// the redundancy number r_i = 1 - p_i q_i, the minimal detectable error
// delta0 / sqrt(p_i r_i) for a unit standard deviation of 1 (alpha the
// significance level of the outlier test), and, where the cofactors of the
// unknowns are at hand, the largest move of the observation's own points that
// such an error causes (Q a_i^T p_i times the error). An observation with
// r_i < kMezNekontrolovane is marked uncontrolled with the points it moves.
// Repeated pointings (the observations of one kind from one station point to
// one target in every face, set and occupation) count as one measurement for
// control: an error common to all of them (a wrong target height or prism
// constant) shows in no residual of theirs when the rest of the network does
// not see the target. When the redundancy of such a common error is below
// kMezNekontrolovane every one of them is uncontrolled and takes the figures
// of the common error (its redundancy, detectable error and move of the
// points); otherwise each keeps its own.
// Writes TmerenaVelicina::redundance, mdb, mdbPosun, jeNekontrolovane,
// zavisiStanovisko, zavisiCil. A plumbing tie sums the redundancy of its two
// equations and takes the larger of their errors. False (nothing written to
// `souhrn` but jeSpocteno false) when the model holds no evaluation.
bool VypocetSpolehlivosti(TmodelSite& model, Real alfa, SouhrnSpolehlivosti& souhrn);

// From the records as VypocetSpolehlivosti marked them: the number of
// uncontrolled observations, and the determined points that depend on them (in
// the model's point order).
int32_t PocetNekontrolovanych(const VysledekSite& model);
// Whether VypocetSpolehlivosti gave the observations of `model` their figures.
bool JeSpolehlivostSpoctena(const VysledekSite& model);
std::vector<std::string> ZavisleBody(const VysledekSite& model);
// The determined points that are not stations and that the observations tie
// to one other point only, a station (model point indices, ascending).
std::vector<int32_t> PostranniBody(const VysledekSite& model);
// The side shots and the points that depend on uncontrolled observations, in
// the model's point order, once VypocetSpolehlivosti gave the figures.
std::vector<NekontrolovanyBod> NekontrolovaneBody(const VysledekSite& model);
// "name (reason)" in the language of `jazyk`.
std::string PopisNekontrolovanehoBodu(const Tjazyk& jazyk, const NekontrolovanyBod& bod);
// The points of `body` so described, separated by ", ".
std::string PopisNekontrolovanychBodu(const Tjazyk& jazyk,
                                      const std::vector<NekontrolovanyBod>& body);

}  // namespace vertano
