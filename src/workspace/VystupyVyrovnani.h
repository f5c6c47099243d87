#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "adjustment/TmerenaVelicina.h"
#include "files/SouradniceSoubory.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano {

class Workspace;

// The results of the analysis and the adjustment as the front ends hand them
// out (files, the command line's JSON document, the windows' summaries). They
// only read the workspace.

// ---- the datum ----

struct VysledekUvolneni {
    bool ok = true;
    // Names that are not among the full given points (most likely typing errors:
    // adjusting with that point fixed would go unnoticed). Nothing was changed.
    std::vector<std::string> nenalezene;
};

// Frees given points, so that the adjustment determines them too (their given
// coordinates serve as approximate ones): every point when `vse`, otherwise the
// points named (exact names). A name that is not among the given points changes
// nothing at all. Freeing a point makes the analysis no longer current.
VysledekUvolneni UvolnitBody(Workspace& ws, bool vse, const std::vector<std::string>& jmena);

// Fixes given points in plan only (`poloha`: X and Y held, the height
// determined) or in height only (`vyska`); a point named in both is fixed in
// all three coordinates. A name that is not among the full given points
// changes nothing at all. A change makes the analysis no longer current.
VysledekUvolneni FixovatOsy(Workspace& ws, const std::vector<std::string>& poloha,
                            const std::vector<std::string>& vyska);

// ---- the adjusted network ----

// One rejected observation with the values of its test (metres and radians):
// the residual exceeded `mezniOprava` (the quantile times odchylkaOprava).
struct OdlehleMereni {
    Velicina typ = Velicina::Zadna;
    TmerenaVelicina zaznam;
};

// Everything an export of the adjusted network needs.
struct VysledkyVyrovnani {
    SouhrnVyrovnani souhrn;
    // Points, observations and orientations with the accuracy figures for the a
    // priori unit standard deviation.
    ZobrazeneVyrovnani zobrazeni;
    // The rejected observations of the outlier model, by kind in the order of the
    // equations.
    std::vector<OdlehleMereni> odlehle;
};

// The results of the adjusted network; false when the network is not adjusted
// or an accuracy figure cannot be scaled (a figure that is not finite).
bool SestavitVysledky(const Workspace& ws, VysledkyVyrovnani& vysledky,
                      RozsahZobrazeni rozsah = RozsahZobrazeni::Vse);

// Writes the adjusted coordinates of every point of the adjusted model
// (determined points first, then fixed points) as an XYZ file in the coordinate
// unit of the settings. A network that is not adjusted writes nothing.
CoordinateSaveReport UlozitVyrovnaneSouradnice(const Workspace& ws,
                                               const std::filesystem::path& cesta);

// ---- the approximate coordinates of the analysis ----

// Writes the approximate coordinates of the points to determine as XYZ; to
// `cesta`, or when it is empty into `radky` (the lines of such a file).
CoordinateSaveReport UlozitPribliznesouradnice(const Workspace& ws,
                                               const std::filesystem::path& cesta,
                                               std::vector<std::string>& radky);

// How each point with approximate coordinates was found first, in the order of
// the approximate list (given points left out), the local systems and the
// refinement, and the points no construction reached with why (parallel lists).
struct VysvetleniPriblizne {
    std::vector<PuvodBodu> urcene;
    std::vector<LokalniSystemPriblizne> lokalniSystemy;
    ZpresneniPriblizne zpresneni;
    std::vector<std::string> neurcene;
    std::vector<DuvodNeurceni> duvodyNeurcenych;
};
VysvetleniPriblizne VysvetlitPriblizne(const Workspace& ws, const VysledekPriblizne& historie);

}  // namespace vertano
