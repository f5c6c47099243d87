#pragma once

#include <array>
#include <cstdint>

#include "matice/Konstanty.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// Telescope faces and the reduction of a face pair to its differences and means.

// Face I exactly when the zenith angle is at most pi.
inline bool JePrvniPoloha(Real zenit) {
    return zenit <= kPi;
}

// Indices of the face reduction (Tzaznam::zapracovaniPoloha).
namespace redukce {
inline constexpr size_t kRozdilDelka = 0;  // dII - dI
inline constexpr size_t kRozdilSmer = 1;   // sII - pi - sI, in [-pi, pi)
inline constexpr size_t kRozdilZenit = 2;  // 2pi - zII - zI (twice the index error)
inline constexpr size_t kPrumerDelka = 3;
inline constexpr size_t kPrumerSmer = 4;   // in [0, 2pi)
inline constexpr size_t kPrumerZenit = 5;  // in the sense of face I
}  // namespace redukce

using RedukcePolohy = std::array<Real, Tzaznam::kPocetZapracovani>;

// The face reduction of one pointing from its face I and face II rows. When only
// one face measured a distance, the mean distance is that distance: half of it,
// as a plain mean with the missing 0 would give, is no measurement at all (the
// pair is flagged for the one-sided distance anyway). A direction or zenith
// angle of one face only is likewise the mean (in the sense of face I) with no
// face difference; one that neither face measured gives 0 for both.
RedukcePolohy RedukovatDvojici(const Tzaznam& prvni, const Tzaznam& druha);
// The same for the two rows of a pair in either order: the one in face I (poloha)
// is taken as the first.
RedukcePolohy RedukovatPar(const Tzaznam& a, const Tzaznam& b);

// The face pairs of a set of 2k rows p ... q are (p + i, q - i), i < k. Each row
// of a set gets iPrvni = p + i and iDruha = q - i of its pair; a row outside any
// set belongs to no pair and gets -1 in both.
void PoradiPrvniDruhaPoloha(Tmereni& mereni);

// Writes the current face reduction of every pair of every set into both rows of
// the pair. Flags and counters are left alone: this is what a consumer runs when
// it needs current face differences or means, whether or not the automatic
// checks are switched on. False on an arithmetic fault (nothing usable then).
bool RedukcePoloh(Tmereni& mereni);

// One row per face pair, in set order, copied from the first row of the pair:
// with `typ` 1 its distance, direction and zenith angle become the face
// differences, with any other value the face means. The reduction is computed
// from the rows as they are now and stored in the copy, and iPrvni / iDruha name
// the pair in `zdroj`, so the standard deviations can be carried over later
// (Tmereni::KopirovatSmerodatneOdchylky). `zdroj` may be `mereni1poloha` itself.
// False on an arithmetic fault; `mereni1poloha` is then left as it was.
bool ZpracujSkupinyPoloha(const Tmereni& zdroj, Tmereni& mereni1poloha, int32_t typ);

}  // namespace vertano
