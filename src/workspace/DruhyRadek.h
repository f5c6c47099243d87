#pragma once

#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "adjustment/VysledekSite.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/NevyuzitaData.h"

namespace vertano {

class Workspace;

// The second line of the notifications that stop the analysis or the
// adjustment, saying what caused them, and the warnings about input that would
// otherwise go unused: in the language of the workspace. Lists name up to ten
// items and then how many more there are. An empty text when there is nothing
// to name.

// Message 1: the given point that is alone, doubled or coincident, and the
// files it comes from (the list as checked by KontrolaSouradnic).
std::string RadekZadanychBodu(const Workspace& ws);
// Message 17: the rows of the scale-factor list that failed their check.
std::string RadekMeritka(const Workspace& ws);
// Messages 18-21: the rows of the supplementary list of kind `druh`
// (doplnek::k...) that failed their check.
std::string RadekDoplnku(const Workspace& ws, DruhDoplnku druh);
// Message 2 (and the warning when the analysis goes on): the points without
// approximate coordinates, grouped by why (parallel lists).
std::string RadekNeurcenych(const Workspace& ws, const std::vector<std::string>& neurcene,
                            const std::vector<DuvodNeurceni>& duvody);
// Message 2 when no given point occurs in the measurements.
std::string RadekBezZadanychVMereni(const Workspace& ws);
// Message 4: unknowns, observations, datum conditions, redundancy, and the
// datum defect of a free network.
std::string RadekRedundance(const Workspace& ws, const PoctyNacteni& pocty);

// The warnings about given points that no measurement mentions: one text for
// the list, one for every name that is a measured one but for letter case or
// invisible characters.
std::vector<std::string> VarovaniNevyuzitych(const Workspace& ws, const NevyuzitaData& data);

// The warning after an adjustment with uncontrolled observations: how many,
// which (station - target and kind), and the points that depend on them.
std::string VarovaniNekontrolovanych(const Workspace& ws, const VysledekSite& model);

// The warning after an adjustment that held coordinates no observation reaches
// (the height of a point fixed in plan and sighted by directions only): they
// keep their given values and are not determined.
std::string VarovaniNeurcenych(const Workspace& ws, const std::vector<std::string>& souradnice);

// The name of an observation kind (Velicina) in the workspace's language,
// supplementary kinds marked as such.
std::string NazevVeliciny(const Workspace& ws, Velicina typ);
// The question before an epoch file of `bajty` (estimated) is written: its size
// and why it is so large, ending with whether to write it.
std::string OtazkaVelkeEtapy(const Workspace& ws, int64_t bajty);

// "a, b, c and 5 more" (Czech: "a 5 dalších") of at most ten items.
std::string SeznamSDalsimi(const Workspace& ws, const std::vector<std::string>& polozky);

}  // namespace vertano
