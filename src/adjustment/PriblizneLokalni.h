#pragma once

#include <string>
#include <vector>

#include "adjustment/PriblizneSit.h"
#include "adjustment/PriblizneSouradnice.h"

namespace vertano {

// Carries on where the constructions from the known points stop. While points
// remain undetermined, a local system is started at the occupation with the
// most targets measured with distances (among those that still have something
// to find): its station at the origin, its zero direction along the local X
// axis, grown over the measurements of its connected part by the same
// constructions, refined (with MoznostiPriblizne::zpresnit), and fitted onto the
// points it shares with the known ones (LokalniUmisteni). The fitted points
// become candidates of `sit`, whose propagation then resumes. A local system
// with fewer than two common points is recorded with its reason and leaves its
// points undetermined; when nothing at all is known, the first local system is
// taken as it is. `radky` are all working rows of `sit`, unconsumed.
void DoplnitLokalnimiSystemy(SitPriblizne& sit, const PriblizneRadky& radky,
                             const std::vector<std::string>& cislaBodu,
                             const MoznostiPriblizne& moznosti, VysledekPriblizne& vysledek);

// Fills PuvodBodu::duvod of every point without coordinates (jeUrcen false) from
// its part: the group of undetermined points linked by measurements, with the
// determined points it is measured to. No such point: BezSpojeni; no distance in
// the rows of the part: BezDelky; a single one: JedenSpolecny; else Nedosazen.
void UrcitDuvodyNeurceni(const PriblizneRadky& radky, VysledekPriblizne& vysledek);

}  // namespace vertano
