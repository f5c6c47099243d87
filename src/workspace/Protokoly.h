#pragma once

#include <cstdint>
#include <string>

#include "data/Interaction.h"
#include "reports/CasProtokolu.h"
#include "reports/Tprotokol.h"

namespace vertano {

class Workspace;

// The report commands of the front ends. The reports are built in memory from
// the workspace; a front end shows them or saves them (UlozitProtokol).

struct VysledekProtokolu {
    // The report is built (or was current already).
    bool uspech = false;
    // It was current: nothing was built, the caller only shows it.
    bool jenZobrazeni = false;
    // The notification shown on failure (26), -1 when none.
    int32_t oznameni = -1;
    // Why it failed (English), for logs and the command line.
    std::string chyba;
};

// The network adjustment report into ws.protokolVyrovnani, with the switches,
// units, decimals and language of the settings. Built only while
// it is not current (WorkflowState), and it is current afterwards. On a failure
// the report is empty, it stays not current and notification 26 is shown.
VysledekProtokolu ProtokolVyrovnani(Workspace& ws, Interaction& interakce,
                                    const Hodiny& hodiny = MistniCas);

// The part of the report that raw measurements alone give (part A: raw
// measurements, face differences and means, set means, every section on) into
// `protokol`, whatever the report switches; the workspace's reports and flags
// are left alone.
VysledekProtokolu ProtokolSurovychMereni(Workspace& ws, Interaction& interakce, Tprotokol& protokol,
                                         const Hodiny& hodiny = MistniCas);

// The report of the transformation with adjustment into ws.protokolTransSVyr
// (built only while it is not current, which it then is), and of the
// point-and-bearing transformation into ws.protokolTransBodASmer (the same way).
// A transformation that is not current has no
// report: the command fails with notification 26 (the point-and-bearing report
// would otherwise print the empty key of a failed transformation).
VysledekProtokolu ProtokolTransformaceSVyrovnanim(Workspace& ws, Interaction& interakce,
                                                  const Hodiny& hodiny = MistniCas);
VysledekProtokolu ProtokolTransformaceBodASmernik(Workspace& ws, Interaction& interakce,
                                                  const Hodiny& hodiny = MistniCas);

// The file-adding report of the last `pocetSouboru` files of the file list
// `typSouboru` (info::k...) into ws.protokolPridatSoubor, as the add-files
// commands build it after every addition.
VysledekProtokolu ProtokolPridanychSouboru(Workspace& ws, int typSouboru, int32_t pocetSouboru);

// The file-adding reports of every file list that has files, each under the
// title of its add command, appended to `protokol`: the appendix the command
// line adds to its reports.
void PripojitPridaneSoubory(const Workspace& ws, Tprotokol& protokol);

}  // namespace vertano
