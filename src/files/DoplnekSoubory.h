#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Tjazyk.h"
#include "files/DoplnekFormaty.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

class Tchyby;
class Tinfo;
class Tnastaveni;
class TdoplnkoveMereni;

// What happened to one file of a load command.
struct LoadedSupplementaryFile {
    std::filesystem::path path;
    int32_t id = 0;  // entry in the file list of the kind in Tinfo; 0 when not registered
    int32_t rowsAdded = 0;
    SupplementaryFileResult result;  // the reader's outcome; CannotOpen when not read
    std::string message;             // English, names the file; empty when it loaded
};

struct SupplementaryLoadReport {
    std::vector<LoadedSupplementaryFile> files;
    // True when a file could not be opened: the command stopped there, files read
    // before it stay loaded and the rest were not tried.
    bool stopped = false;

    // Entries the command added to the file list (for the file report).
    int32_t RegisteredFiles() const;
    // Registered files that produced at least one row.
    int32_t LoadedFiles() const;
    int32_t RowsAdded() const;
    // Every file given was read and added at least one row.
    bool AllLoaded() const;
};

// The "add" command of a supplementary input window for the files the user chose,
// in that order, into the list of kind `druh` (doplnek::k..., the window's
// okno.doplnek). Each file is read in the units of the settings and registered in
// the kind's file list of `info` with the format code souborVstup.typDoplnek (a
// rejected file too, with nacteni false and the failing line as hlaseni); a
// rejected file adds nothing. The rows of a file are appended after the list's
// last filled row (trailing empty rows are dropped), keeping their line numbers as
// poradi and the file's ID as soubor. Afterwards the list is checked (counters of
// the list and of the kind in `chyby`). A file that cannot be opened is not
// registered and stops the command. An unknown kind does nothing.
SupplementaryLoadReport NacteniSouboruDoplnek(TdoplnkoveMereni& doplnek, DruhDoplnku druh,
                                              Tinfo& info, const Tnastaveni& nastaveni,
                                              Tchyby& chyby,
                                              const std::vector<std::filesystem::path>& cesty);

// The notice after adding: title "Add measurements" (tlacitko.pridat + " " + lower
// popis.mereni), text hlaseni.pridaneSoubory + loaded files + "/" + registered
// files + " (" + hlaseni.poceZaznamu + rows added + ")".
jazyk::Toznameni OznameniPridaniDoplnku(const SupplementaryLoadReport& zprava, const Tjazyk& jazyk);

struct SupplementarySaveReport {
    bool ok = false;
    bool cancelled = false;          // a blank path: nothing was done
    SupplementaryFileResult result;  // of the writer; counter = lines written on success
    std::string message;             // English; empty on success and when cancelled
};

// Saves the filled rows of the list of kind `druh` to `cesta` as given (the dialog
// appends the extension), in the units and with the decimals of the settings.
// When a row cannot be written or the file cannot be saved, the file on disk is
// left as it was and the report says why.
SupplementarySaveReport UlozeniSouboruDoplnek(const TdoplnkoveMereni& doplnek, DruhDoplnku druh,
                                              const Tnastaveni& nastaveni,
                                              const std::filesystem::path& cesta);

}  // namespace vertano
