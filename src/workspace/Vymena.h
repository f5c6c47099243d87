#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/Format.h"
#include "files/SouradniceSoubory.h"
#include "files/SurovaMereniSoubory.h"
#include "workspace/VystupySite.h"

namespace vertano {

class Workspace;

// The commands of the data exchange with other programs, as both front ends
// run them. A file that is refused adds nothing; the things of a file the
// program does not use come back as notes ("line 3: code block not used").

// One raw file of another format (exchange::kKodGsi), read as NactiSoubor reads
// the native ones: registered in the raw-file list, its rows appended with
// continuing station numbers. "Add ..." (PridatSurovaMereni) calls it for such a
// code.
LoadedRawFile NactiSurovaMereniVymena(Workspace& ws, const std::filesystem::path& cesta, int kod);
// The same into a list and file register held aside.
LoadedRawFile NactiSurovaMereniVymena(Tmereni& mereni, Tinfo& registr, const Tnastaveni& nastaveni,
                                      const std::filesystem::path& cesta, int kod);

// Points of CSV files added to the given points, as "Add ..." of the fixed
// points adds XYZ files (registered, checked; the analysis is no longer
// current). The notes of every file read go to `poznamky`, with its name.
CoordinateLoadReport PridatBodyCsv(Workspace& ws, const std::vector<std::filesystem::path>& cesty,
                                   const exchange::CsvVolby& volby,
                                   std::vector<std::string>& poznamky);

// What the import of a network did.
struct VysledekImportuSite {
    FileResult vysledek;       // of the reader; CannotOpen when not read
    std::string zprava;        // English, names the file; empty when it loaded
    int32_t pocetMereni = 0;   // raw rows added
    int32_t pocetBodu = 0;     // given points added
    int32_t pocetDoplnku = 0;  // supplementary measurements added
    std::vector<std::string> poznamky;
};

// A network of the XML format of GNU Gama: its pointings appended to the raw
// measurements (registered as a raw file), its fixed and adjusted points with
// coordinates to the given points (the adjusted ones not fixed), its bearings,
// slope distances and height differences to the supplementary measurements,
// and the weights of the settings switched to the given ones: every
// observation carries the file's standard deviation. The lists are checked
// and the analysis is no longer current. Nothing is added when the file is
// refused.
VysledekImportuSite ImportovatSit(Workspace& ws, const std::filesystem::path& cesta);

// ---- results ----

// The adjusted network for the exporters (the one adapter between the results
// of the adjustment and the exchange); false when the network is not adjusted.
bool VyrovnanaSitProVymenu(const Workspace& ws, exchange::VyrovnanaSit& sit);

// Writes the adjusted network as a file of format `f` (Gama, CSV, GeoJSON).
// Without an adjusted network, or when the file cannot be written, nothing is
// written and an existing file stays as it was.
VysledekUlozeni ExportovatVysledky(const Workspace& ws, exchange::Format f,
                                   const exchange::VolbyExportu& volby,
                                   const std::filesystem::path& cesta);

}  // namespace vertano
