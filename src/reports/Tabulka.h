#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vertano {

class Tjazyk;
class Tprotokol;

// The layout shared by every report: tables with right-aligned columns, the
// section around a table, and the lines under titles. Widths count characters,
// not bytes, so Czech titles get lines of their own length.

// Number of characters of UTF-8 text.
std::size_t DelkaTextu(std::string_view text);
// A line of `znak` as long as `text`, or `delka` characters long.
std::string Cara(char znak, std::string_view text);
std::string Cara(char znak, std::size_t delka);

// One column of a table: the name of the legend, the unit (without brackets,
// empty when the column has none) and a note (without its brackets, empty when
// none).
struct Sloupec {
    std::string nazev;
    std::string jednotka;
    std::string poznamka;
};

using RadekTabulky = std::vector<std::string>;

// The rows of one station (or point) of a grouped table under the line that
// names it.
struct SkupinaRadku {
    std::string zahlavi;
    std::vector<RadekTabulky> radky;
};

// A table: the columns, and either flat rows or groups. The header label of
// column i is the letter A, B, ... followed by "[unit]" where the column has
// one. Each column is as wide as its widest label or cell; everything is
// right-aligned, columns are separated by two blanks.
struct Tabulka {
    std::vector<Sloupec> sloupce;
    bool seskupena = false;
    std::vector<RadekTabulky> radky;    // flat table
    std::vector<SkupinaRadku> skupiny;  // grouped table

    // The header line, then for a flat table a "-" line and the rows, for a
    // grouped one per group a "-" line, the group's line, a "-" line and its
    // rows. A row with another number of cells than there are columns is a
    // fault of the writer (ChybaProtokolu).
    std::vector<std::string> Radky() const;
};

// The column legend: one line "A: name [unit] (note)" per column, each ended by
// CR LF, as one entry.
std::string LegendaSloupcu(const Tabulka& tabulka);

// A section: the title, the legend of the groups (grouped tables only) and the
// table.
struct Sekce {
    std::string nadpis;
    std::string legendaSkupin;
    Tabulka tabulka;
};

// Appends a section as entries: "\r\n", the title, a "=" line, the "Legend:"
// block, the group legend between "--" lines (grouped tables), one legend line
// per column ("A: name [unit] (note)"), "Data:" with its "~" line and the lines
// of the table.
void ZapsatSekci(Tprotokol& protokol, const Tjazyk& jazyk, const Sekce& sekce);

}  // namespace vertano
