#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileResult.h"

namespace vertano {

class Tsouradnice;

// The internal text forms of a coordinate list: the lines the project and epoch
// files store and the file writers start from. Values are unconverted (metres) in
// general notation with every digit they need to read back exactly, fields separated by TAB, one
// line per full point in list order.
//
// Writers refuse, rather than write a line that could not be read again: a full
// point whose number is empty or contains a blank or control character, or a
// coordinate or scale factor that is not finite or exceeds 1e12 in magnitude.
// Magnitudes below 1e-12 are written as 0. A standard deviation the readers
// would refuse (not finite, or not below 100 m) is written as not set. On failure
// the lines the writer added are removed again and the result names the point.

// "number X Y Z" then, by the deviations set (> 0): sx sy sig_Z, or sx sig_Y, or
// sig_X, an unset one before a set one as "0". With `zaokrouhlovat` X, Y, Z and the
// written sig_X, sig_Y are first rounded to a multiple of 10^pocetDecimal (-6: six
// decimals). Replaces the contents of `text`.
CoordinateFileResult UlozDoStringList(const Tsouradnice& souradnice, std::vector<std::string>& text,
                                      int pocetDecimal = 0, bool zaokrouhlovat = false);
// "number X Y Z fix" with fix "-1" for a fixed point, "0" otherwise. Replaces.
CoordinateFileResult UlozDoStringListFix(const Tsouradnice& souradnice,
                                         std::vector<std::string>& text, int pocetDecimal = 0,
                                         bool zaokrouhlovat = false);
// "number X Y Z fix -1" (the activity column is always -1). Appends to `text`.
CoordinateFileResult UlozDoStringListFixAktiv(const Tsouradnice& souradnice,
                                              std::vector<std::string>& text, int pocetDecimal = 0,
                                              bool zaokrouhlovat = false);
// "number zkresleni". Replaces.
CoordinateFileResult UlozDoStringListMeritko(const Tsouradnice& souradnice,
                                             std::vector<std::string>& text);

// Append points from canonical lines (the output of the coordinate-file readers):
// tokens 1-4 are number, X, Y, Z, further tokens are ignored. Each point starts as
// the empty point, takes `soubor` := identifikator, `poradi` := its 1-based
// position in the whole list and JePlny. Every line is checked before anything is
// appended, so a bad line adds no point at all.
CoordinateFileResult PridejBody(Tsouradnice& souradnice, const std::vector<std::string>& text,
                                int32_t identifikator);
// As PridejBody, and JeFixni := fix.
CoordinateFileResult PridejBodyFixVse(Tsouradnice& souradnice, const std::vector<std::string>& text,
                                      int32_t identifikator, bool fix);
// As PridejBody (never fixed), with the standard deviations of tokens 5-7 read
// as the coordinate form reads them (the output of ReadIdenticalPoints...).
CoordinateFileResult PridejBodySOdchylkami(Tsouradnice& souradnice,
                                           const std::vector<std::string>& text,
                                           int32_t identifikator);
// From scale lines (the output of ReadScaleFactors): number and zkresleni.
CoordinateFileResult PridejBodyMeritko(Tsouradnice& souradnice,
                                       const std::vector<std::string>& text, int32_t identifikator,
                                       bool fix);

// Readers of the internal forms as a project file stores them. Each replaces the
// list: record i gets poradi i + 1, JePlny and the fields of line i; fields the
// line does not give stay zero. Blank lines are skipped. On failure the list is
// left empty and the result names the line (counted among the non-blank lines).
//
// Fixation form: exactly 5 tokens, the fifth a Boolean (ParseBooleanToken).
CoordinateFileResult ReadFixationForm(Tsouradnice& souradnice,
                                      const std::vector<std::string>& text);
// Coordinate form: 4 to 7 tokens; deviations by count (5: sig_X; 6: sig_X, sig_Y;
// 7: sig_X, sig_Y, sig_Z), "0" meaning not set (-1); any other deviation must
// lie strictly between 0 and 100 m, as in an identical-point file, or the
// line is refused.
CoordinateFileResult ReadCoordinateForm(Tsouradnice& souradnice,
                                        const std::vector<std::string>& text);
// Scale form: exactly 2 tokens, number and zkresleni.
CoordinateFileResult ReadScaleForm(Tsouradnice& souradnice, const std::vector<std::string>& text);

// A Boolean as the project file writes it: "True"/"False" in any case, or a number
// (zero false, anything else true, so "-1" is true). False when it is neither.
bool ParseBooleanToken(std::string_view token, bool& value);

}  // namespace vertano
