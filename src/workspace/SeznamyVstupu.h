#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/TabulkaMereni.h"

namespace vertano {

class Workspace;

// The rules of the list input windows. A window edits a working copy of its
// list (made when it opens) with these commands; each returns whether the copy
// changed. Closing writes the copy back: the list then holds no empty entry, is
// checked, and when anything changed the results that depend on it are no
// longer current. Names given are trimmed by the window and must be valid
// (JePlatneJmeno); values are in internal units.

// ---- point lists ----

enum class SeznamBodu { Fixni, Identicke, Meritko };

Tsouradnice& Seznam(Workspace& ws, SeznamBodu druh);

// The fields of the point-record window; std::nullopt for an empty field.
struct HodnotyBodu {
    std::optional<std::string> cislo;
    std::optional<Real> X, Y, Z;
    std::optional<Real> zkresleni;  // scale-factor lists
};

// A new point before the first selected row (appended when none is selected):
// number and coordinates (fixed and identical points) or number and scale
// factor (scale factors) must be given. A new fixed point is fixed.
bool VlozitBod(Tsouradnice& body, Tvyber& vyber, SeznamBodu druh, const HodnotyBodu& h);
// The selected points take the fields given; the number only when exactly one
// point is selected.
bool UpravitBody(Tsouradnice& body, const Tvyber& vyber, const HodnotyBodu& h);
bool SmazatBody(Tsouradnice& body, Tvyber& vyber);
// The selected points into the coordinate clipboard (its flag set, the others
// cleared); the number copied.
int32_t KopirovatBody(Workspace& ws, const Tsouradnice& body, const Tvyber& vyber);
bool VyjmoutBody(Workspace& ws, Tsouradnice& body, Tvyber& vyber);
// The clipboard before the single selected point, or after the last one when
// none is selected; nothing with two or more selected.
bool VlozitSchrankuBodu(Workspace& ws, Tsouradnice& body, Tvyber& vyber);
bool PosunoutBod(Tsouradnice& body, Tvyber& vyber, bool nahoru);
// Sorts by a quantity code of Tsouradnice::Sort; the selection is cleared.
bool SeraditBody(Tsouradnice& body, Tvyber& vyber, int velicina);
// X and Y of the selected points exchanged.
bool ZamenitXY(Tsouradnice& body, const Tvyber& vyber);
bool FixovatBody(Tsouradnice& body, const Tvyber& vyber, bool fixni);
// Fixes the selected full points in the coordinates `osy` only (FixniOsy::Vse:
// in all three); true when one changed.
bool FixovatOsyBodu(Tsouradnice& body, const Tvyber& vyber, FixniOsy osy);
// Flags and error counters of the list as a window shows it.
void ZkontrolovatBody(Workspace& ws, SeznamBodu druh, Tsouradnice& body);
// Closing the window: the copy without empty points replaces the list, which is
// checked; a change makes the analysis that reads the list (the raw-data
// analysis for fixed points and scale factors, the transformation analysis for
// identical points) and the reports no longer current.
void ZapsatBody(Workspace& ws, SeznamBodu druh, Tsouradnice kopie, bool zmeneno);

// ---- supplementary measurements (kinds doplnek::k...) ----

// The fields of a supplementary record; the value is the bearing, distance or
// height difference (none for a plumbing tie), odchylka its own standard
// deviation (-1 or nothing: the kind's deviation of the settings).
struct HodnotyDoplnku {
    std::optional<std::string> cisloStn, cisloCil;
    std::optional<Real> vyskaStn, vyskaCil;
    std::optional<Real> hodnota;
    std::optional<Real> odchylka;
};

// A new row before the first selected row (appended when none is selected):
// both points, the value and for distances both heights must be given; the
// deviation may be left empty.
bool VlozitDoplnek(Tmereni& seznam, Tvyber& vyber, DruhDoplnku druh, const HodnotyDoplnku& h);
bool UpravitDoplnky(Tmereni& seznam, const Tvyber& vyber, DruhDoplnku druh,
                    const HodnotyDoplnku& h);
bool SmazatDoplnky(Tmereni& seznam, Tvyber& vyber);
int32_t KopirovatDoplnky(Workspace& ws, const Tmereni& seznam, const Tvyber& vyber);
bool VyjmoutDoplnky(Workspace& ws, Tmereni& seznam, Tvyber& vyber);
bool VlozitSchrankuDoplnku(Workspace& ws, Tmereni& seznam, Tvyber& vyber);
bool PosunoutDoplnek(Tmereni& seznam, Tvyber& vyber, bool nahoru);
// Sorts by a quantity code of Tmereni::Sort; the selection is cleared.
bool SeraditDoplnky(Tmereni& seznam, Tvyber& vyber, int32_t velicina);
// Flags and the error counter of the kind.
void ZkontrolovatDoplnky(Workspace& ws, DruhDoplnku druh, Tmereni& seznam);
// Closing: empty rows removed, rows numbered, the list replaced and checked; a
// change makes the raw-data analysis no longer current. The supplementary
// clipboard is emptied either way.
void ZapsatDoplnky(Workspace& ws, DruhDoplnku druh, Tmereni kopie, bool zmeneno);

// ---- a-priori deviations of the measurements prepared for the adjustment ----

struct HodnotyOdchylek {
    std::optional<Real> smer, zenit, delka;
};
// The selected rows take the deviations given (each > 0).
bool UpravitOdchylky(Tmereni& seznam, const Tvyber& vyber, const HodnotyOdchylek& h);
// The deviations of the selected rows are no longer set (the kind's deviation
// applies again).
bool SmazatOdchylky(Tmereni& seznam, const Tvyber& vyber);
// Closing: the deviations of the copy go into the prepared list and its display
// copy; a change makes the adjustment no longer current.
void ZapsatOdchylky(Workspace& ws, const Tmereni& kopie, bool zmeneno);

// ---- a-priori deviations of the identical points ----

// The output-system points of the identical pairs of the transformation
// analysis, in pair order, as the deviation window edits them.
Tsouradnice IdentickeVystup(const Workspace& ws);
struct HodnotyOdchylekBodu {
    std::optional<Real> X, Y, Z;
};
// The selected points take the deviations given (each > 0).
bool UpravitOdchylkyBodu(Tsouradnice& body, const Tvyber& vyber, const HodnotyOdchylekBodu& h);
// The deviations of the selected points are no longer given (the default of
// the settings applies again).
bool SmazatOdchylkyBodu(Tsouradnice& body, const Tvyber& vyber);
// Closing: the deviations go into the pairs and into the identical points of
// the output system (so a project keeps them); a change makes both
// transformations and their reports no longer current.
void ZapsatOdchylkyIdentickych(Workspace& ws, const Tsouradnice& kopie, bool zmeneno);

}  // namespace vertano
