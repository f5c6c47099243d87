#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "files/FileResult.h"
#include "files/ProjektDoplnky.h"
#include "mereni/Tmereni.h"

namespace vertano {

// A project file keeps a whole job: the settings, the raw measurements, the given
// network points (with their fixation), the identical points of the
// transformation, the scale factors and the four kinds of supplementary
// measurements. It is a text of nine sections, each between its tags "<n>" and
// "</n>" (n = 1 to 9, in this order, each tag once as a whole line); lines outside
// the sections are ignored. Values are in radians and metres.
inline constexpr int kPocetSekciProjektu = 9;

// What a project file holds. The supplementary lists are in the order of the
// sections (DoplnekProjekt: distances, bearings, height differences, plumbing).
struct ProjektObsah {
    ProjektObsah() { nastaveni.Default(); }

    Tnastaveni nastaveni;
    Tmereni suroveMereni;
    Tsouradnice bodyFixni;
    Tsouradnice bodyIdenticke;
    Tsouradnice meritko;
    std::array<Tmereni, 4> doplnek;

    Tmereni& Doplnek(DoplnekProjekt druh) { return doplnek[static_cast<size_t>(druh)]; }
    const Tmereni& Doplnek(DoplnekProjekt druh) const { return doplnek[static_cast<size_t>(druh)]; }
};

// The lists a project is written from; the caller keeps them alive.
struct ProjektZdroj {
    const Tnastaveni* nastaveni = nullptr;
    const Tmereni* suroveMereni = nullptr;
    const Tsouradnice* bodyFixni = nullptr;
    const Tsouradnice* bodyIdenticke = nullptr;
    const Tsouradnice* meritko = nullptr;
    std::array<const Tmereni*, 4> doplnek{};  // by DoplnekProjekt

    static ProjektZdroj Z(const ProjektObsah& obsah);
};

// Outcome of reading or writing a project.
struct ProjektResult {
    bool ok = true;
    // The section that failed (1-9); 0 when the file as a whole did (it cannot be
    // read or saved, a tag is missing, repeated or out of order).
    int sekce = 0;
    // The failure inside the section: reading names the line (fileLine counts
    // every line of the file), writing the row or point of the list (counter).
    FileResult vysledek;
    // English and complete: the file, the section, the line or row, the point or
    // setting, and the reason. Control characters of the file are shown escaped.
    std::string message;
};

// English name of a section ("given points"); empty outside 1-9.
const char* NazevSekceProjektu(int sekce);

// The text of the project. Every name and value is checked against the rules of
// the reader first; when one fails nothing is rendered (`radky` empty) and the
// result names the section and the row. The text is then read back, so that a
// text the reader refuses is never returned.
ProjektResult ProjektText(const ProjektZdroj& zdroj, std::vector<std::string>& radky);

// Reads the text of a project into `obsah`, all or nothing. `obsah.nastaveni`
// holds the current settings when called (the defaults of a new ProjektObsah):
// those the file does not store keep their values. On failure every list of `obsah` is empty and
// its settings are the defaults (Tnastaveni::Default over the current ones), whatever was read
// before the failing line.
ProjektResult CistProjektText(const std::vector<std::string>& radky, ProjektObsah& obsah);

// The same with a file: writing goes through the safe writer (the old file stays
// until the new one is complete, and stays untouched when anything fails);
// reading decodes the file as every text file is decoded. The messages begin with
// the file name.
ProjektResult ZapsatProjekt(const std::filesystem::path& cesta, const ProjektZdroj& zdroj);
ProjektResult CistProjekt(const std::filesystem::path& cesta, ProjektObsah& obsah);

}  // namespace vertano
