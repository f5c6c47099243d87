#pragma once

#include <cstdint>

#include "adjustment/PriblizneSouradnice.h"
#include "data/Interaction.h"
#include "workspace/PripravaMereni.h"

namespace vertano {

class Workspace;

// What the reduction of the means did.
struct VysledekRedukovanychPrumeru {
    // The means are in Workspace::mereniJednaPoloha.
    bool uspech = false;
    // The notification that stopped it (1 faulty given points, 17 faulty scale
    // factors, 0 an arithmetic failure), already shown; -1 when it did not stop.
    int32_t oznameni = -1;
    // Given points were there, and the means are reduced to the marks.
    bool redukovano = false;
    // How the approximate coordinates came about; `neurcene` names the points
    // without coordinates, whose rows were left out.
    VysledekPriblizne priblizne;
    RedukceNaZnacky redukce;
};

// The face means (prumeryPoloh) or the set means of the raw list, its sets
// identified, into ws.mereniJednaPoloha. When the workspace has given points the
// means are reduced to the marks, the level and the projection exactly as the
// raw-data analysis reduces its measurements: with the approximate coordinates it
// computes from the given points and the scale factors. Faulty given points or
// scale factors (their checks are run again) stop it with their notification:
// a point looked up by its number could be any of its duplicates. The products of
// the analysis are not touched.
VysledekRedukovanychPrumeru RedukovanePrumery(Workspace& ws, Interaction& interakce,
                                              bool prumeryPoloh);

}  // namespace vertano
