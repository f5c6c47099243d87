#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "data/Tbod.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// What the refinement may do with a point.
enum class RoleBodu : uint8_t {
    Urcovany,  // computed: refined
    Drzeny,    // known on entry (or the origin of a local system): kept as it is
};

// Robust refinement of approximate coordinates. The constructions give each
// point from a few measurements of one or two stations, so their errors add up
// from leg to leg and a large network drifts by metres. Here every computed
// point and every station orientation is estimated from all the measurements at
// once: a least-squares fit in plan (directions with one orientation per
// occupation, horizontal distances), then one of the heights (height
// differences from zenith angles), each linearised at the current values and
// iterated. Once it has converged the residuals give a robust scale per kind of
// measurement (median absolute residual), and the iterations go on with Huber
// weights, so that a gross error can pull its points by a few of its
// neighbours' noise at most. Every point is also tied loosely to where it
// started, which only matters where the measurements leave it free (a network
// without fixed points keeps its place and rotation).
//
// `radky` are working rows (iStn and iCil index `body`, `poradi` numbers the
// occupations); rows to a point without a value (JePlny false) are skipped.
// `body` holds the values on entry and the refined ones on return; points with
// RoleBodu::Drzeny keep theirs. When the computation fails (a singular system or
// a step that is no number) `body` is left as it was and `vysledek.chyba` says
// why. True when the refined values were taken. `zrusit`, when given, is asked
// before every iteration; true abandons the refinement (`body` as it was).
// `vlakna` threads share the factorisations of large fits; the results do
// not depend on their number.
bool ZpresnitPriblizne(const std::vector<Tzaznam>& radky, std::vector<Tbod>& body,
                       const std::vector<RoleBodu>& role, ZpresneniPriblizne& vysledek,
                       const std::function<bool()>& zrusit = {}, int vlakna = 1);

}  // namespace vertano
