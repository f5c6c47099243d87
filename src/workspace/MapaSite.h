#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "adjustment/TmerenaVelicina.h"
#include "data/Tsouradnice.h"
#include "drawing/TContainer.h"
#include "workspace/VystupySite.h"

namespace vertano {

class TgrafikaData;
class Workspace;

// One observation from or to a point of the network map, as the result windows
// show it: the adjusted value (mezniOprava), its standard deviation
// (odchylkaOprava), the residual, the normed residual and the reliability, the
// accuracy figures for the unit standard deviation looked at. An outlier the
// outlier test rejected is not in the adjusted network: it comes with its
// measured value and its residual in the outlier test.
struct MereniBodu {
    TmerenaVelicina z;  // z.typ: Velicina
    bool jeOdlehle = false;
};

// What the results hold for one point of the map.
struct BodMapy {
    // The point of the result (adjusted or transformed) with its standard
    // deviations and ellipse for the unit standard deviation looked at.
    Tbod bod;
    // A side shot, or a point depending on uncontrolled observations.
    bool jeNekontrolovany = false;
    // Every observation of the adjusted network from or to the point and the
    // rejected outliers at it, by kind in the order of the equations, each
    // kind's outliers after its adjusted observations.
    std::vector<MereniBodu> mereni;
};

// The point `cislo` of result `vysledek` (DruhVysledku) for the a priori
// or the a posteriori unit standard deviation. False when the network is not
// adjusted, the result is not current or has no such point.
bool InformaceBodu(const Workspace& ws, DruhVysledku vysledek, std::string_view cislo, bool apriori,
                   BodMapy& bod);

// The lines of the map in colours of their own: a pair with an uncontrolled
// observation of the adjusted network, a pair with a rejected outlier (each
// pair once per kind of line), by the point numbers of `data`. Empty when the
// network is not adjusted.
std::vector<ZvlastniSpojnice> ZvlastniSpojniceMapy(const Workspace& ws, const TgrafikaData& data);

// The index of the point named `cislo` (blanks around it ignored) in the
// drawing data; -1 when there is none.
int NajitBodKresby(const TgrafikaData& data, std::string_view cislo);

}  // namespace vertano
