#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tsouradnice.h"
#include "exchange/Poznamky.h"
#include "files/FileResult.h"

namespace vertano::exchange {

// How a CSV file of points is laid out.
struct CsvVolby {
    // One letter per column: N point number, X, Y, Z, "-" a column to skip. Each
    // of N, X, Y and Z exactly once; columns after the last one named are not
    // allowed (a file with more columns says so with dashes).
    std::string poradi = "NXYZ";
    char oddelovac = ',';  // ',', ';', '\t' or ' ' (runs of blanks)
    char desetinna = '.';  // '.' or ','
    // The first line holds the names of the columns. Unknown: it is a header when
    // one of its coordinate fields is not a number (a note says so).
    enum class Hlavicka { Ne, Ano, Zjistit } hlavicka = Hlavicka::Zjistit;
};

// A wrong choice of options (a letter twice, a decimal comma with the comma as
// separator, ...); empty when they can be used.
std::string KontrolaVoleb(const CsvVolby& volby);

// Reads the options as the command line gives them: "order=NYXZ,sep=;,decimal=,,
// header=yes"; keys order, sep (comma, semicolon, tab, space or the character),
// decimal (. or ,), header (yes, no, auto). False with the reason.
bool ParseCsvVolby(std::string_view text, CsvVolby& volby, std::string& chyba);

// Reads the points of a CSV file, one per line, coordinates in the unit
// `jednotka` (jednotky.souradnice), into `body` (cleared first) as fixed given
// points. Fields may be quoted ("..." with "" for a quote). A line with another
// number of fields, a number that is not a number with the decimal mark chosen,
// or a point name with a blank or a control character refuses the file with the
// line and the reason, and `body` is left empty.
FileResult ReadCsvBody(std::string_view text, const CsvVolby& volby, uint8_t jednotka,
                       Tsouradnice& body, std::vector<Poznamka>& poznamky);

// The fields of one CSV line with `oddelovac` (quotes removed); false for a quote
// that is not closed or text after a closing quote.
bool PoleCsv(std::string_view radek, char oddelovac, std::vector<std::string>& pole);

// A field of a CSV file written by the program: quoted when it holds the
// separator, a quote or a blank at an end.
std::string PoleProCsv(std::string_view text, char oddelovac);

}  // namespace vertano::exchange
