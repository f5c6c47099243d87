#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "data/Interaction.h"
#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "files/SurovaMereniSoubory.h"
#include "processing/PrikazySkupin.h"

namespace vertano {

class Workspace;

// The commands of the raw measurement list as both front ends run them: each
// changes the list, does the identification and the checks that must follow,
// shows its message through the Interaction and returns what it did.

// One file to add, with the format code to read it with (format::k...).
struct SouborKNacteni {
    std::filesystem::path cesta;
    int format = format::kMtx;
};

// What "Add ..." did.
struct VysledekPridaniSurovych {
    // Every file tried, in the order given; a file that cannot be opened does not
    // stop the others.
    std::vector<LoadedRawFile> soubory;
    int32_t nacteno = 0;       // files that added at least one row
    int32_t registrovano = 0;  // entries added to the raw-file list of the project
    int32_t pocetMereni = 0;   // full rows added
    // A stop was requested through the interaction: nothing was added, the
    // workspace is as it was.
    bool zruseno = false;

    // The message the main window shows after adding ("Added files: n/m (Number
    // of measurements: k)", titled "Add raw measurements").
    bool MaOznameni() const { return registrovano > 0; }
};

// "Add ...": reads the files into the raw list with continuing station numbers
// and registers them in the project state; then the sets of the new stations are
// identified and the check run follows. When a file was registered the raw-data
// analysis is no longer current.
VysledekPridaniSurovych PridatSurovaMereni(Workspace& ws,
                                           const std::vector<SouborKNacteni>& soubory);

// The same in two halves, so that the reading can run while a window goes on
// showing the workspace: NacistSurovaMereni only reads the workspace and
// prepares the new list, its file register and its checks aside, with the file
// being read as the stage and the files done as the progress; a stop requested
// through the interaction between the files or the steps after them makes it
// `zruseno`. PrevzitSurovaMereni then puts what was prepared into the
// workspace, exactly as PridatSurovaMereni would have left it; a stopped
// reading changes nothing.
struct PripravenaSurova {
    VysledekPridaniSurovych vysledek;
    Tmereni mereni;
    Tinfo info;
    Tchyby chyby;
};
PripravenaSurova NacistSurovaMereni(const Workspace& ws, const std::vector<SouborKNacteni>& soubory,
                                    Interaction& interakce);
VysledekPridaniSurovych PrevzitSurovaMereni(Workspace& ws, PripravenaSurova&& pripravena);

// The message after adding, in the language in force.
jazyk::Toznameni OznameniPridaniSurovych(const Workspace& ws, const VysledekPridaniSurovych& v);

// The set commands run in one go after reading, in this order.
struct VolbyZpracovani {
    bool soucasne = false;           // "Find measurement sets" (simultaneous order)
    bool zrcadlit = false;           // "Mirror measurements outside the sets"
    bool smazatMimoSkupiny = false;  // "Delete measurements outside the sets", after asking
};

struct VysledekZpracovani {
    std::optional<PocetSerazenych> nalezeno;             // the first search for sets
    std::optional<int32_t> zrcadleno;                    // rows added by mirroring
    std::optional<PocetSerazenych> nalezenoPoZrcadleni;  // the search after mirroring
    int32_t smazano = 0;                                 // rows deleted (0 after "No")
    int32_t pocetChyb = 0;                               // errors of the final check run
};

// The preparation of freshly read raw measurements:
// 1. every station is identified and checked, so that rows in sets of the
//    standard order are known before the simultaneous search (which works only
//    on rows outside sets; a standard set read in simultaneous order could
//    otherwise be torn apart);
// 2. soucasne: "Find measurement sets" with its message;
// 3. zrcadlit: every row outside a set gets its mirrored row, with its message;
//    mirroring leaves each row and its mirror side by side, the simultaneous
//    order, so with soucasne the search runs once more;
// 4. smazatMimoSkupiny: the rows still outside sets are deleted after asking;
// 5. a complete fresh identification and check.
// The busy stages are shown as the main window shows them.
VysledekZpracovani ZpracovatSurovaMereni(Workspace& ws, Interaction& interakce,
                                         const VolbyZpracovani& volby);

// The menu commands of the "Identification" menu, each with its message.
PocetSerazenych NajitSkupiny(Workspace& ws, Interaction& interakce);
PocetSerazenych SeraditPolohy(Workspace& ws, Interaction& interakce);
// Mirrors, then identifies and checks every station again: the new rows need
// their flags.
int32_t ZrcadlitMereni(Workspace& ws, Interaction& interakce);
// After asking; the number of rows deleted.
int32_t SmazatMimoSkupiny(Workspace& ws, Interaction& interakce);

// The errors the last check run found in the raw list.
int32_t ChybySurovychMereni(const Workspace& ws);

// The raw-data analysis may run: its result is not current, some row is in a
// set and the last check found no error. (The main window also needs its set
// display on.)
bool AnalyzaPovolena(const Workspace& ws);

// The network adjustment may run: the analysis is current and produced the
// measurements for the adjustment and approximate coordinates of at least one
// point to determine.
bool VyrovnaniPovoleno(const Workspace& ws);

}  // namespace vertano
