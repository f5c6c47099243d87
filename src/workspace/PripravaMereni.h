#pragma once

#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "adjustment/TmodelSite.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "processing/RedukceDelek.h"

namespace vertano {

// The steps that turn the raw measurements into measurements between point
// marks, shared by the raw-data analysis and the reduction of the means, so that
// both give the same numbers.

// The means of the raw list: the face means (one row per face pair of every set)
// and the set means (one row per station and target), with the point order of
// the face means (`cislaBodu`; the rows' iStn and iCil index it).
struct PrumeryMereni {
    Tmereni polohy;
    Tmereni skupiny;
    std::vector<std::string> cislaBodu;
};

// Refreshes the face reduction of the raw list (the only change to it) and
// computes both means. False on an arithmetic fault.
bool SpocitatPrumery(Tmereni& suroveMereni, PrumeryMereni& prumery);

// The given points that the measurements name: all of them, fixed ones first,
// and the fixed ones alone.
struct ZadaneBody {
    Tsouradnice vse;
    Tsouradnice fixni;
};
ZadaneBody ZadaneVMereni(const Tsouradnice& zadane, const std::vector<std::string>& cislaBodu);

// The approximate coordinates of every point of the set means `skupiny`, from the
// given points `zadane` (full points of the result; a given point keeps its
// coordinates). They are constructed twice: the first coordinates serve only the
// reduction of the means to the marks, and the construction on the reduced means
// gives the final ones. With zachovatSouradnice the given non-fixed points keep
// their values (the fixed ones always do). `historie` tells how the final
// coordinates came about, its `neurcene` naming every point of the measurements
// that no construction reached. `moznosti` are those of the final construction
// (the first one is never refined; both use the threads of `nastaveni`). False
// on an arithmetic failure of the reduction, or when `moznosti.zrusit` asked it
// to stop.
bool PribliznePoRedukci(const Tsouradnice& zadane, const Tmereni& skupiny,
                        const Tsouradnice& meritko, const Tnastaveni& nastaveni,
                        Tsouradnice& priblizne, VysledekPriblizne& historie,
                        const MoznostiPriblizne& moznosti = {});

// How a list was reduced to the marks.
struct RedukceNaZnacky {
    VysledekRedukce pocty;
    Real hladina = 0;        // the level the distances were reduced to
    bool jeHladina = false;  // the level could be determined
    // The rows dropped because their station or target has no coordinates.
    std::vector<VynechaneMereni> vynechane;
};

// Reduces the distances and zenith angles of `mereni` to the marks, the level and
// the projection with the coordinates `body` and the scale factors `meritko`;
// rows to a point without coordinates are dropped and listed. False on an
// arithmetic failure (`mereni` is then as it was).
bool RedukovatNaZnacky(Tmereni& mereni, const Tsouradnice& body, const Tsouradnice& meritko,
                       const Tnastaveni& nastaveni, RedukceNaZnacky& vysledek);

}  // namespace vertano
