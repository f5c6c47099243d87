#pragma once

#include <memory>

#include "OknoSeznamu.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/SeznamyAnalyzy.h"

namespace vertano {
class Workspace;
}

namespace vertano::ui {

// The result windows of the raw-data analysis. Each copies the list it shows
// when it is made; the caller shows it.

// The one-face table of a mode (face differences, face means, marked point
// values, measurements before adjustment, set means, differences from
// coordinates), drawn with the marks of the raw table.
std::unique_ptr<OknoSeznamu> OknoJednePolohy(QWidget* rodic, Workspace& ws, RezimJednePolohy rezim);
// Internal and external precision of a kind (Velicina::Delka, Smer, Zenit)
// with the total standard deviation of the kind under the table.
std::unique_ptr<OknoSeznamu> OknoVnitrniPresnosti(QWidget* rodic, Workspace& ws, Velicina typ);
std::unique_ptr<OknoSeznamu> OknoVnejsiPresnosti(QWidget* rodic, Workspace& ws, Velicina typ);
// The supplementary measurements of a kind (doplnek::k...) as prepared for the
// adjustment, and their differences from the coordinates.
std::unique_ptr<OknoSeznamu> OknoDoplnkuPredVyrovnanim(QWidget* rodic, Workspace& ws,
                                                       DruhDoplnku druh);
std::unique_ptr<OknoSeznamu> OknoDoplnkuRozdil(QWidget* rodic, Workspace& ws, DruhDoplnku druh);

}  // namespace vertano::ui
