#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "exchange/CsvBody.h"
#include "exchange/GamaSit.h"
#include "exchange/Poznamky.h"
#include "exchange/VyrovnanaSit.h"
#include "files/FileResult.h"
#include "mereni/Tmereni.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano::exchange {

// The formats of other programs, each with one reader and/or writer behind the
// two entry points below (Importovat, Exportovat), beside the program's own
// formats of files/.
enum class Format {
    Gsi,      // raw data of total stations (GSI-8, GSI-16)
    Gama,     // the XML network of GNU Gama (gama-local)
    Csv,      // points (read) or results (written)
    GeoJson,  // the adjusted network for GIS (written)
};

// What a format holds.
enum class Obsah { SurovaMereni, Sit, Body, Vysledky };

struct PopisFormatu {
    Format format;
    const char* jmeno;                 // the name of --format
    std::vector<const char*> pripony;  // with the dot, lower case
    const char* popis;                 // English, for file type filters
    std::vector<Obsah> cteni;          // what its reader reads
    bool zapis;                        // it has a writer of results
};

const std::vector<PopisFormatu>& Formaty();
const PopisFormatu& Popis(Format f);
std::optional<Format> FormatPodleJmena(std::string_view jmeno);
// By the extension in any letter case; a format whose reader reads `obsah`.
std::optional<Format> FormatPodlePripony(const std::filesystem::path& cesta, Obsah obsah);
// "*.gsi *.GSI" style patterns of a format's extensions.
std::string VzoryPripon(Format f);

// The code of a raw file of another format in the raw-file list of the project
// state (beside files/' format::kMtx and kAsc); never a setting.
inline constexpr int kKodGsi = 2;
inline constexpr int kKodGama = 3;

// What an import brings: each reader fills what its format holds.
struct Import {
    Tmereni mereni;                    // raw measurements
    Tsouradnice body = Tsouradnice();  // given points (with their fixation)
    TdoplnkoveMereni doplnky;          // supplementary measurements
    // The file gives a standard deviation to every observation: the weights of
    // the adjustment are then the given ones.
    bool vlastniOdchylky = false;
    std::vector<GamaBod> osy;  // per-axis information of the points (Gama)
    std::vector<Poznamka> poznamky;
};

// Reads a file of format `f` for `obsah`. Failures name the line and the reason
// (FileError::CannotOpen: the file cannot be read at all); on failure `import` is
// empty. Large raw files are read piece by piece.
FileResult Importovat(Format f, Obsah obsah, const std::filesystem::path& cesta,
                      const Tnastaveni& nastaveni, const CsvVolby& csv, Import& import);

struct VolbyExportu {
    char oddelovac = ',';
    char desetinna = '.';
    bool csvMereni = false;  // CSV: the observations instead of the points
    Real meritkoElips = 50000;
};

// The lines of a file of format `f` from an adjusted network.
FileResult Exportovat(Format f, const VyrovnanaSit& sit, const VolbyExportu& volby,
                      std::vector<std::string>& radky);

}  // namespace vertano::exchange
