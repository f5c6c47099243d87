#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "files/FileResult.h"

namespace vertano {

// Which measurements the user switches off, by station and target: "A/B" names
// every pointing from A to B (and every supplementary measurement from A to B);
// "*" stands for any run of characters in either name, so "A/*" is every
// pointing of the station A and "*/B" every sight to B. In a file, one pattern a
// line, written "A/B" or "A B" (the latter for names that hold a "/"); blank
// lines and lines beginning with "#" are skipped.
struct VzorVyrazeni {
    std::string stanovisko;
    std::string cil;
    std::string text;  // as the user wrote it, for messages
};

// One pattern of the command line; false with the reason when it is not one.
bool CistVzorVyrazeni(const std::string& text, VzorVyrazeni& vzor, std::string& chyba);

// A file of patterns; a failure names the file line.
FileResult CistSouborVyrazeni(const std::filesystem::path& cesta, std::vector<VzorVyrazeni>& vzory);

// The name matches the pattern, "*" matching any run of characters (none too).
bool OdpovidaJmenuVzoru(const std::string& vzor, const std::string& jmeno);

}  // namespace vertano
