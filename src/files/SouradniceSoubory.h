#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "files/FileResult.h"

namespace vertano {

class Tchyby;
class Tinfo;
class Tnastaveni;
class Tsouradnice;

// What happened to one file of a load command.
struct LoadedCoordinateFile {
    std::filesystem::path path;
    int32_t id = 0;  // entry in the file list of Tinfo; 0 when not registered
    int32_t pointsAdded = 0;
    CoordinateFileResult result;  // the reader's outcome; CannotOpen when not read
    std::string message;          // English, names the file; empty when it loaded
};

struct CoordinateLoadReport {
    std::vector<LoadedCoordinateFile> files;
    // True when a file could not be opened: the command stopped there, files read
    // before it stay loaded and the rest were not tried.
    bool stopped = false;

    // Entries the command added to the file list (for the file report).
    int32_t RegisteredFiles() const;
    // Every file given was read and added at least one point.
    bool AllLoaded() const;
};

// The "add points" command for the files the user chose, in that order, into the
// list served by okno.bodyVstup: 1 the given network points (file list
// souborySouradniceFixni, points fixed), 2 the identical points
// (souborySouradniceTransformaceVstup, not fixed, lines with up to three
// standard deviations: ReadIdenticalPointFile); any other value does nothing.
// Each file is read with the format souborVstup.typSouradnice in the unit
// jednotky.souradnice and registered in `info` (a refused file too, with nacteni
// false and the failing line); trailing empty records of the list are dropped and
// the points appended. A refused file adds no point. Afterwards the list is checked
// (duplicate numbers, coincident points) into `chyby`. A file that cannot be opened
// is not registered and stops the command.
CoordinateLoadReport NacteniSouboru(Tsouradnice& souradnice, Tinfo& info,
                                    const Tnastaveni& nastaveni,
                                    const std::vector<std::filesystem::path>& cesty, Tchyby& chyby);

// The same for scale-factor files into the scale-factor list (file list
// souborySouradniceMeritkoVstup, format code souborVstup.typMeritko, points
// fixed), followed by the scale-factor check.
CoordinateLoadReport NacteniSouboruMeritko(Tsouradnice& meritko, Tinfo& info,
                                           const Tnastaveni& nastaveni,
                                           const std::vector<std::filesystem::path>& cesty,
                                           Tchyby& chyby);

struct CoordinateSaveReport {
    bool ok = false;
    bool cancelled = false;       // a blank path: nothing was done
    CoordinateFileResult result;  // of the writers; counter = lines written on success
    std::string message;          // English; empty on success and when cancelled
};

// Saves the full points of the list to `cesta` as given (the dialog appends the
// extension) in the format souborVystup.typSouradnice, unit jednotky.souradnice,
// presnost.souradnice.hodnota decimals; an empty list gives an empty file. When a
// point cannot be written or the file cannot be saved, the file on disk is left as
// it was and the report says why.
CoordinateSaveReport UlozeniSouboru(const Tsouradnice& souradnice, const Tnastaveni& nastaveni,
                                    const std::filesystem::path& cesta);

// The same with the standard deviations of the points after their coordinates
// (WriteCoordinateFileWithDeviations): a file that loads again as identical points.
CoordinateSaveReport UlozeniSouboruSOdchylkami(const Tsouradnice& souradnice,
                                               const Tnastaveni& nastaveni,
                                               const std::filesystem::path& cesta);

// The same for the scale factors, with presnost.meritko decimals.
CoordinateSaveReport UlozeniSouboruMeritko(const Tsouradnice& meritko, const Tnastaveni& nastaveni,
                                           const std::filesystem::path& cesta);

}  // namespace vertano
