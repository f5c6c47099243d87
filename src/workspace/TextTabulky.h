#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vertano {

// How a table orders two cells when the user sorts it by a column: negative
// when `a` goes first, 0 for equal, positive when `b` goes first. Two cells
// that are both plain numbers ("-12.503", "7") compare by value; any other texts
// piece by piece, a run of digits by its value ("P2" before "P10") and the rest
// letter by letter without regard to case. An empty cell goes after every full
// one, so that blank values gather at the end whichever way the column sorts.
int PorovnatBunky(std::string_view a, std::string_view b);

// A table as CSV text, UTF-8 as the cells are: the header line, then one line
// per row, every line ending in CR LF. Fields are separated by commas; a field
// is quoted (inner quotes doubled) when it holds a comma, a quote or a line
// break. The cells keep their decimal point ("."); the blanks that pad a cell
// of the table are not part of its value and are dropped.
std::string CsvTabulky(const std::vector<std::string>& zahlavi,
                       const std::vector<std::vector<std::string>>& radky);

// Saves CsvTabulky of the table through the safe writer of the program; false
// with the reason (English) when it cannot be written (an existing file then
// stays as it was).
bool UlozitCsvTabulky(const std::filesystem::path& cesta, const std::vector<std::string>& zahlavi,
                      const std::vector<std::vector<std::string>>& radky, std::string& chyba);

// The caption of a table column for a single line: "Group\nName [unit]"
// becomes "Group Name [unit]" (no group: "Name [unit]").
std::string ZahlaviNaRadek(std::string_view zahlavi);

}  // namespace vertano
