#pragma once

#include <string>
#include <vector>

namespace vertano {

class Tprotokol;

// The information sections of the reports (basic information about the
// adjustment, the identical points, the transformation key): groups of rows
// "label  value" under sub-headings. Labels are padded to the longest label of
// the whole section, values right-aligned to the longest value, two blanks
// between them.

struct InfoRadek {
    std::string popis;  // with its ":"
    std::string hodnota;
    // A line of its own (e.g. "Translation:"): written as it is, not aligned
    // and not counted in the widths.
    bool jenText = false;
};

struct InfoSkupina {
    std::string nadpis;
    std::vector<InfoRadek> radky;
};

// "\r\n", the title, a "=" line and an empty entry; then each group: its
// sub-heading, a "-" line and its rows, the groups separated by an empty entry.
void ZapsatInfo(Tprotokol& protokol, const std::string& nadpis,
                const std::vector<InfoSkupina>& skupiny);

}  // namespace vertano
