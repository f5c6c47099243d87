#pragma once

#include <cstdint>

#include "data/Tbod.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "transformation/TtransformacniKlic.h"

namespace vertano {

// The identical points of a transformation and what is computed on them before
// any transformation.
//
// The pair list is one point list: entry 2k is the network point (input system)
// and entry 2k + 1 the user's point of the same number (output system); in each
// entry `poradi` is the index of the point in its source list and `soubor` the
// pair number k.

// At least this many pairs make a transformation.
inline constexpr int32_t kNejmenePar = 2;

// Pairs every filled network point with every filled user point of exactly the
// same number (a network point matching several user points forms several
// pairs), network order first. `pary` is emptied first; false when either list
// has no filled point or fewer than kNejmenePar pairs were formed (the pairs
// found are kept).
bool ParovatIdentickeBody(const Tsouradnice& sit, const Tsouradnice& identicke, Tsouradnice& pary);

// Number of pairs of a pair list: entries / 2, a fraction dropped.
int32_t PocetPar(const Tsouradnice& pary);

// Two points coincide when both are filled and their X and their Y are equal.
bool SplyvajiBody(const Tbod& a, const Tbod& b);

// The first pairs a < c (a from the first pair, c from a + 1) whose input points
// and whose output points do not coincide: the default base and orientation of
// the point-and-bearing transformation. Input point k is vstup.bod[k], output
// point k vystup.bod[k]. False (a and c -1) when there is none.
bool VychoziParIdentickych(const Tsouradnice& vstup, const Tsouradnice& vystup, int32_t& a,
                           int32_t& c);

// The mean X and Y of the input points of all pairs; false when there is no
// pair or a value is not finite.
bool TezisteVstup(const Tsouradnice& pary, Real& x, Real& y);

// The lower median of the rotations (output bearing - input bearing in [0, 2pi))
// of the lines between every two pairs whose input points do not coincide; 0
// without any such line.
Real PribliznaRotace(const Tsouradnice& pary);

// The approximate key: jePlny, translations 0, rotaceZ := the approximate
// rotation of the pairs; the other fields keep their values.
void PribliznyKlic(const Tsouradnice& pary, TtransformacniKlic& klic);

// An angle reduced to [0, 2pi); within 1e-15 of the full circle it is 0, so that
// it is never shown as 400 gon.
Real UhelVKruhu(Real uhel);

// The bearing from p to q, atan2(dY, dX) in [0, 2pi) as UhelVKruhu gives it.
Real Smernik(const Tbod& p, const Tbod& q);

// The point-and-bearing key of base pair a and orientation pair c: from the empty
// key, the base point's output coordinates and minus its input coordinates, the
// height difference, both bearings and rotaceZ = output - input bearing. False,
// with the empty key, when a or c is not a pair, a == c, or the input or output
// points of the two pairs coincide.
bool KlicBodSmernik(const Tsouradnice& vstup, const Tsouradnice& vystup, int32_t a, int32_t c,
                    TtransformacniKlic& klic);

}  // namespace vertano
