#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/FileResult.h"
#include "mereni/Text.h"
#include "mereni/Tmereni.h"

namespace vertano {

// The internal text form of measurement rows, used inside project files and as the
// source of the exporters: one line per full row, values in radians and metres in
// general notation with every digit they need to read back exactly (FormatExact,
// so that a project reopened computes exactly as before): poradi, station, instrument height,
// target, target height, direction, zenith angle, distance, then the standard deviations that are
// set (sig_smer, sig_zenit, sig_delka; an unset one before a set one as "0").

// Renders the full rows of `mereni` into `strList` (replaced). Values whose
// magnitude is below 1e-12 are written as 0 so that the text reads back. Fails,
// leaving `strList` empty, on a row that could not be read back (a name with blanks,
// a value that is not finite or exceeds 1e12, a station whose rows differ in name
// or instrument height).
RawFileResult UlozDoStringList(const Tmereni& mereni, std::vector<std::string>& strList);

// Reads lines of the internal form (8 to 11 values) into `mereni` (cleared first,
// left empty on failure), with the station checks and the renumbering of MTX
// reading. A deviation outside (0, pi/20) rad or (0, 100) m is left unset.
RawFileResult ReadVnitrniForma(const std::vector<std::string>& lines, Tmereni& mereni);
RawFileResult ReadVnitrniFormaPrepared(const std::vector<PreparedLine>& lines, Tmereni& mereni);

// Appends rows read from the first eight values of each line, with station numbers
// continuing after the last station of `mereni` and `soubor` = `identifikator`, as
// PridejMereniSouboru does. All or nothing: on failure `mereni` is unchanged.
RawFileResult PridejMereni(Tmereni& mereni, const std::vector<std::string>& strList,
                           int32_t identifikator);

}  // namespace vertano
