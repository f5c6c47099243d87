#pragma once

#include <string>
#include <vector>

#include "files/FileResult.h"
#include "mereni/Text.h"

namespace vertano {

class Tnastaveni;

// The settings section of a project file: one value per line, 146 lines in a fixed
// order, in internal units. Integers are written in decimal (a byte setting is read
// as the low 8 bits of the integer, textFont as the low 16 bits), Booleans as "-1"
// or "0" (read as True/False or a number), reals with every digit they need.
// Each value must lie in its range; the limits of the reals are the current
// mezMaxVstup of the settings, which the file does not store.
inline constexpr int kPocetRadkuNastaveni = 146;

// The 146 lines of the settings. Every value is checked with the reader's rule
// first: a value the reader would refuse (out of its range, not finite) makes the
// writer fail without lines, and the result names the setting (counter = its line,
// `cislo` = its name, `detail` = the value, `allowed` = its range).
FileResult ZapsatNastaveni(const Tnastaveni& nastaveni, std::vector<std::string>& radky);

// Reads the settings section into `nastaveni`, all or nothing: every line is read
// and checked before anything is stored. Exactly 146 lines, one value each; the
// settings the file does not store keep their values. On failure the result names
// the line (counter among the 146, fileLine from the prepared line) and the
// setting (`cislo`).
FileResult NacistNastaveni(const std::vector<PreparedLine>& radky, Tnastaveni& nastaveni);

// The name of the setting on line `radek` (1-146), e.g. "jednotky.uhel"; empty
// outside.
std::string NazevNastaveni(int radek);

}  // namespace vertano
