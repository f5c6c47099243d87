#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tnastaveni.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Jednotky.h"
#include "workspace/Simulace.h"

namespace vertano {

// Formats and units of the files of a generated network.
struct SimulaceFormat {
    int format = format::kMtx;  // raw measurements: format::kMtx or format::kAsc
    uint8_t uhel = jednotka::kGon;
    uint8_t delka = jednotka::kMetr;
    uint8_t souradnice = jednotka::kMetr;
    // Decimals of angles and lengths in the raw and supplementary files; -1: as
    // many as keep the noise of a good instrument visible (below).
    int desetinyUhlu = -1;
    int desetinyDelky = -1;
};

// The settings the files are written with: the units of `f` and as many decimals
// as keep the noise of a good instrument visible (angles 0.01 mgon or finer,
// lengths 0.1 mm or finer). A reader of the files uses the same units.
Tnastaveni NastaveniSimulace(const SimulaceFormat& f);

// The file names of a network written under `prefix`: prefix + `konec`, e.g.
// ".mtx", "-given.txt".
std::filesystem::path SouborSimulace(const std::filesystem::path& prefix, std::string_view konec);

inline constexpr std::string_view kKonecZadane = "-given.txt";
inline constexpr std::string_view kKonecSkutecne = "-truth.txt";
inline constexpr std::string_view kKonecHrube = "-gross.txt";
// Supplementary files by kind, index doplnek::k... - 1.
inline constexpr std::string_view kKonecDoplnku[4] = {"-supp-bearing.txt", "-supp-distance.txt",
                                                      "-supp-height.txt", "-supp-plumb.txt"};

struct SimulaceUlozeni {
    bool ok = false;
    std::vector<std::filesystem::path> soubory;  // written, in the order written
    std::string message;                         // English, names the file; empty on success
};

// Writes the network under `prefix`: the raw measurements (prefix.mtx or .asc),
// the given points (-given.txt, XYZ), the true coordinates of every point
// (-truth.txt, XYZ), the gross errors (-gross.txt) and, when the network has
// them, the four supplementary files (-supp-....txt). Each file replaces an
// existing one only when completely written; the first file that fails stops the
// writing (those written before stay).
SimulaceUlozeni UlozitSimulaci(const SimulovanaSit& sit, const SimulaceFormat& f,
                               const std::filesystem::path& prefix);

// The lines of the gross-error file: a header, then per error the station number,
// station, target, set, face (I or II), quantity, size and its unit (mgon for
// angles, mm for distances), separated by TABs.
std::vector<std::string> RadkyHrubychChyb(const std::vector<HrubaChyba>& chyby);

}  // namespace vertano
