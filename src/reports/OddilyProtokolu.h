#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Tnastaveni.h"

namespace vertano {

// The sections of the network adjustment report by their codes (A-01 ... C-05),
// as a user names them to choose what a report holds. Each code stands for one
// switch of the settings' report record; the parts A, B and C for all of
// theirs. Only the switches of this report are touched.

// The codes in report order.
const std::vector<std::string>& KodyOddilu();

// Every section of the adjustment report on, in its fullest variant: fixed
// points and coordinates before the adjustment with scale factors, measurements
// before the adjustment with standard deviations, a-priori and a-posteriori
// accuracy side by side.
void VsechnyOddily(nastaveni::Tprotokol& p);

// Every section of the adjustment report off (the variants stay).
void ZadneOddily(nastaveni::Tprotokol& p);

// Switches on the section of `kod` (e.g. "C-02", "c-02"), or all sections of a
// part ("A", "B", "C"). False for an unknown code.
bool ZapnoutOddil(std::string_view kod, nastaveni::Tprotokol& p);

}  // namespace vertano
