#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Tnastaveni.h"

namespace vertano {

// The sections of the reports by their codes (A-01 ... C-05 of the network
// adjustment, D-01 ... D-07 of the transformation with adjustment, E-01 ... E-04
// of the point-and-bearing transformation), as a user names them to choose what
// a report holds. Each code stands for one switch of the settings' report
// record; the parts A to E for all of theirs.

// The codes in report order.
const std::vector<std::string>& KodyOddilu();

// Every section on, in its fullest variant: fixed points and coordinates before
// the adjustment with scale factors, measurements before the adjustment and
// identical points with standard deviations, a-priori and a-posteriori accuracy
// side by side.
void VsechnyOddily(nastaveni::Tprotokol& p);

// Every section off (the variants stay).
void ZadneOddily(nastaveni::Tprotokol& p);

// Switches on the section of `kod` (e.g. "C-02", "c-02"), or all sections of a
// part ("A" ... "E"). False for an unknown code.
bool ZapnoutOddil(std::string_view kod, nastaveni::Tprotokol& p);

// The code of the file-adding report ("F", any case), which the command line
// appends to its reports; it has no switch in the settings.
inline constexpr std::string_view kKodPridanychSouboru = "F";
bool JeKodPridanychSouboru(std::string_view kod);

}  // namespace vertano
