#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "OknoSeznamu.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"
#include "mereni/Velicina.h"

namespace vertano {
class Workspace;
class VysledekSite;
}  // namespace vertano

namespace vertano::ui {

// The result windows of the adjusted network. Each makes its own copy of what
// it shows, in the display units of the settings, when it is made; the caller
// shows it (exec). A window of results that do not exist shows an empty table.

// What a coordinate window shows in its three coordinate columns.
enum class DruhSouradnic { Hodnoty, Odchylky, Prirustky };

// Points of a list with their number and three columns in the coordinate order
// of the settings; fixed points carry the "F" mark. `status` is the window's
// own status text.
std::unique_ptr<OknoSeznamu> OknoBodu(QWidget* rodic, Workspace& ws, const QString& nadpis,
                                      std::vector<Tbod> body, DruhSouradnic druh);

// Coordinates before the adjustment: the approximate (determined) points, then
// the fixed points of the analysis.
std::unique_ptr<OknoSeznamu> OknoPribliznychSouradnic(QWidget* rodic, Workspace& ws);
// Standard deviations of the adjusted coordinates (a priori or a posteriori).
std::unique_ptr<OknoSeznamu> OknoOdchylekSouradnic(QWidget* rodic, Workspace& ws, bool apriori);
// Adjusted minus approximate coordinates of the determined points.
std::unique_ptr<OknoSeznamu> OknoPrirustku(QWidget* rodic, Workspace& ws);
// Error ellipsoids: three rows (axes a, b, c) per determined point.
std::unique_ptr<OknoSeznamu> OknoElipsoidu(QWidget* rodic, Workspace& ws, const QString& nadpis,
                                           const std::vector<Tbod>& body);
std::unique_ptr<OknoSeznamu> OknoElipsoiduVyrovnani(QWidget* rodic, Workspace& ws, bool apriori);
// Adjusted observations of a kind (velicina::k...): adjusted value, standard
// deviation, residual, normed residual.
std::unique_ptr<OknoSeznamu> OknoVyrovnanychMereni(QWidget* rodic, Workspace& ws, Velicina typ,
                                                   bool apriori);
// Adjusted orientation shifts with their standard deviations.
std::unique_ptr<OknoSeznamu> OknoPosunu(QWidget* rodic, Workspace& ws, bool apriori);
// Every observation of a kind in the outlier model, the outliers marked:
// measured value, residual, maximal residual, normed residual.
std::unique_ptr<OknoSeznamu> OknoOdlehlych(QWidget* rodic, Workspace& ws, Velicina typ);

// The kind's name as menus and titles show it ("Slope distance (supplement)").
QString NazevDruhu(const Workspace& ws, Velicina typ);

}  // namespace vertano::ui
