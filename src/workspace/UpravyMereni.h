#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "matice/Real.h"
#include "workspace/TabulkaMereni.h"

namespace vertano {

class Workspace;

// The rules of the record windows on the raw list: a new station, a new row in a
// station, editing the selected rows, and relocating rows to another station.
// Each changes the raw list of the workspace, identifies the sets again, runs
// the check run and marks the raw-data analysis as no longer current; each
// returns false and changes nothing when its input does not allow it.

// A name (point number) as typed: blanks and control characters at both ends
// are dropped.
std::string OrezatJmeno(std::string_view text);
// A name the files can hold: not empty, no blank, TAB or control character
// inside (a name with one would split or vanish when the file is read back).
bool JePlatneJmeno(std::string_view jmeno);

// The fields of the raw-record window in internal units (radians, metres); an
// empty field is std::nullopt. A direction or zenith angle typed as not
// measured ("-"; a zenith angle "-II" in face II) is std::nullopt with its
// flag set; a distance not measured is 0.
struct HodnotyMereni {
    std::optional<std::string> cisloStn;
    std::optional<Real> vyskaStn;
    std::optional<std::string> cisloCil;
    std::optional<Real> vyskaCil;
    std::optional<Real> smer;
    std::optional<Real> zenit;
    std::optional<Real> delka;  // 0: no distance measured
    bool bezSmeru = false;
    bool bezZenitu = false;
    bool zenitDruhaPoloha = false;  // with bezZenitu: the face it was not measured in
};

// Whether the text of a direction, zenith-angle or distance field says "not
// measured": "-", and for a zenith angle also "-I" and "-II".
bool JeNemerenoPole(std::string_view text, bool zenit);

// A new station after the last one: every field must be given (a value may be
// not measured, but not all three of a row) and the names valid. Empty rows at the end of the list
// are removed first.
bool VlozitStanovisko(Workspace& ws, const HodnotyMereni& h);
// A new row at the place of the first selected row, in its station (its number
// and height; the station fields of `h` are not used): the five target fields
// must be given. The selection moves with the rows it marked.
bool VlozitMereni(Workspace& ws, Tvyber& vyber, const HodnotyMereni& h);
// Every station with a selected row takes the station number and height that
// are given, on all its rows; only the selected rows take the target fields
// that are given (the face follows the zenith angle). A given name must be
// valid. False, with nothing changed, when nothing is selected, nothing is
// given or a selected row would be left with no value measured.
bool UpravitMereni(Workspace& ws, const Tvyber& vyber, const HodnotyMereni& h);
// The selected rows move to the end of station `poradi` (1 to the last station
// + 1, which makes a new station) and take its number and instrument height, as
// pasted rows do; a new station takes those of the first moved row. The
// stations they leave and the one they join are checked again. The moved rows
// stay selected; the current row becomes the first of them. False when nothing
// is selected or `poradi` is out of range.
bool PremistitVybrane(Workspace& ws, Tvyber& vyber, int32_t poradi);

// The serial numbers the relocation offers: 1 to the last station + 1.
int32_t PocetCiluPremisteni(const Tmereni& mereni);

}  // namespace vertano
