// One step of the robust iteration: the adjustment with the current working
// weights, then new robust weights from its residuals.

#include "adjustment/TmodelSite.h"

namespace vertano {

bool TmodelSite::VyrovnatRobustne(bool& znovuVyrovnat) {
    znovuVyrovnat = false;
    if (!Naplnit() || !Vyrovnat()) return false;
    if (pocetIteraci < 0) pocetIteraci = 0;
    zmenaVahy = 0;
    if (!VypocistRobustniVahy(robustniStart.OdhadPruchodu(typOdhadu, pocetIteraci))) return false;
    ++pocetIteraci;
    // The coordinates move with every step, but the loop ends on the weights:
    // they are what the outlier test needs settled.
    znovuVyrovnat = robustniStart.Znovu(pocetIteraci, maxPocetIteraci, zmenaVahy, maxZmenaVahy);
    return true;
}

}  // namespace vertano
