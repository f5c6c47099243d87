#include "AdjustSummary.h"

#include <string>

#include "workspace/SouhrnVyrovnaniText.h"

namespace vertano::cli {

void PrintAdjustmentSummary(Session& s, const VysledekVyrovnani& vysledek) {
    for (const std::string& line : RadkySouhrnuVyrovnani(s.ws, vysledek)) s.out << line << "\n";
}

}  // namespace vertano::cli
