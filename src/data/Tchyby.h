#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/Tbod.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// Error counters of the last checks and the notification a command leaves for the
// user interface to show when it ends. One instance lives for the whole run.
//
// The counters are overwritten by every check run; the checks of the measurement
// rows, the coordinate lists and the supplementary measurements write them, the
// windows and reports read them.
class Tchyby {
  public:
    int32_t cislo = 0;            // message number; nothing sets it
    int32_t cisloOznameni = 0;    // pending notification (0 = the generic failure)
    int32_t cisloPotvrzeni = 0;   // pending confirmation; no command sets it
    bool vypnoutHlaseni = false;  // suppress the next notification
    std::vector<std::string> hlaseni;

    // The numeric fields of this row hold error counts per column; cislo_cil holds
    // a count written as text.
    Tzaznam suroveMereniPocetChyb;
    int32_t suroveMereniCekovyPocetChyb = 0;
    // Error counts per column of the coordinate lists (numeric fields hold counts).
    Tbod souradniceTransformaceVstupPocetChyb;
    int32_t souradniceTransformaceVstupCekovyPocetChyb = 0;
    Tbod souradniceFixniPocetChyb;
    int32_t souradniceFixniCekovyPocetChyb = 0;
    Tbod souradniceMeritkoPocetChyb;
    int32_t souradniceMeritkoCekovyPocetChyb = 0;
    int32_t doplnekSmernikCekovyPocetChyb = 0;
    int32_t doplnekDelkaCekovyPocetChyb = 0;
    int32_t doplnekPrevyseniCekovyPocetChyb = 0;
    int32_t doplnekProvazeniCekovyPocetChyb = 0;

    // Per-column counters back to the empty row / empty point, all totals to 0.
    // The pending notification and the suppression flag are left as they are.
    void Default();

    // A command announces the notification to show when it ends.
    void Oznameni(int32_t vstup) { cisloOznameni = vstup; }
    void Potvrzeni(int32_t vstup) { cisloPotvrzeni = vstup; }
    // The next notification is not shown (the command has told the user itself).
    void Nehlasit() { vypnoutHlaseni = true; }

    // Takes the pending notification for display: its number, or nothing when it
    // is suppressed. Either way the pending state is consumed: the number returns
    // to 0 and the suppression ends, so a later failure that announces no number
    // of its own shows the generic message rather than a stale one.
    std::optional<int32_t> PrevzitOznameni();
};

}  // namespace vertano
