#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adjustment/Tmodel2.h"
#include "matice/Real.h"

namespace vertano {

// An observation whose redundancy number is below this is uncontrolled: the
// adjustment cannot tell a gross error in it from the truth.
inline constexpr Real kMezNekontrolovane = 0.01L;
// The power of the test for which the minimal detectable errors are given.
inline constexpr Real kSilaTestu = 0.8L;

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
// Writes TmerenaVelicina::redundance, mdb, mdbPosun, jeNekontrolovane,
// zavisiStanovisko, zavisiCil. A plumbing tie sums the redundancy of its two
// equations and takes the larger of their errors. False (nothing written to
// `souhrn` but jeSpocteno false) when the model holds no evaluation.
bool VypocetSpolehlivosti(Tmodel2& model, Real alfa, SouhrnSpolehlivosti& souhrn);

// From the records as VypocetSpolehlivosti marked them: the number of
// uncontrolled observations, and the determined points that depend on them (in
// the model's point order).
int32_t PocetNekontrolovanych(const Tmodel2& model);
// Whether VypocetSpolehlivosti gave the observations of `model` their figures.
bool JeSpolehlivostSpoctena(const Tmodel2& model);
std::vector<std::string> ZavisleBody(const Tmodel2& model);

}  // namespace vertano
