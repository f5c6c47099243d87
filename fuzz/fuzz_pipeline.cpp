// The raw-data analysis on what the readers accepted. An input is the first byte
// and a text of up to three parts separated by lines "==": raw measurements,
// given points (XYZ), supplementary measurements. The first byte chooses:
//   bit 0     raw format (MTX, ASC);
//   bits 1-2  angle unit (rad, gon, deg, D.MMSS);
//   bit 3     "Find measurement sets" and mirroring before the last check;
//   bit 4     the network adjustment after a successful analysis;
//   bits 5-6  the kind of the supplementary part;
//   bit 7     lengths and coordinates in feet.
// Each part is cut to a couple of hundred lines so that a run stays short.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
#include "data/SouradniceKontrola.h"
#include "files/DoplnekFormaty.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceText.h"
#include "files/SurovaMereniSoubory.h"
#include "processing/KontrolaMereni.h"
#include "processing/PrikazySkupin.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano::fuzz {
namespace {

constexpr size_t kMaxRawLines = 200;
constexpr size_t kMaxPointLines = 40;
constexpr size_t kMaxSupplementaryLines = 20;

// With VERTANO_FUZZ_TRACE set, says how far an input got (to see what a seed
// reaches); silent otherwise, as the fuzzer runs millions of inputs.
void Trace(const char* a, int32_t x, const char* b, int32_t y, const char* c, int32_t z) {
    static const bool on = std::getenv("VERTANO_FUZZ_TRACE") != nullptr;
    if (on) std::fprintf(stderr, "%s %d, %s %d, %s %d\n", a, x, b, y, c, z);
}

void Configure(uint8_t selector, Tnastaveni& s) {
    s.jednotky.uhel = static_cast<uint8_t>((selector >> 1) & 3);
    const uint8_t feet = (selector >> 7) & 1;
    s.jednotky.delka = feet;
    s.jednotky.souradnice = feet;
    s.souborVstup.typSuroveMereni = selector & 1;
    s.souborVstup.typSouradnice = kFormatXYZ;
    s.okno.bodyVstup = kBodyVstupFixni;
    // One worker: the machine is shared, and libFuzzer runs one input at a time.
    s.pocetVlaknaVse = 1;
}

void LoadRaw(Workspace& ws, std::vector<std::string> lines) {
    CapLines(lines, kMaxRawLines);
    Tmereni nove;
    const int code = ws.nastaveni.souborVstup.typSuroveMereni;
    if (!ReadRaw(code, lines, ws.nastaveni, nove).ok) return;
    const int32_t id = ws.info.RegistrovatSoubor(info::kSurovaMereni, "fuzz.mtx", code,
                                                 nove.ExistujePlnyZaznam(), 0);
    ws.suroveMereni.PridejMereniSouboru(nove, id);
}

void LoadPoints(Workspace& ws, std::vector<std::string> lines) {
    CapLines(lines, kMaxPointLines);
    if (ReadCoordinateFile(lines, ws.nastaveni).ok) {
        const int32_t id =
            ws.info.RegistrovatSoubor(info::kSouradniceFixni, "fuzz.txt", 0, !lines.empty(), 0);
        Require(PridejBodyFixVse(ws.souradniceFixni, lines, id, true).ok,
                "accepted points are not appended");
    }
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
}

void LoadSupplementary(Workspace& ws, DruhDoplnku druh, std::vector<std::string> lines) {
    CapLines(lines, kMaxSupplementaryLines);
    Tmereni nove;
    if (ReadSupplementary(druh, lines, ws.nastaveni, nove).ok) {
        ws.doplnekVstup.Seznam(druh)->PridejMereniBezZmen(nove);
    }
    ws.doplnekVstup.Kontrola(druh, ws.nastaveni, ws.chyby);
}

void Check(Workspace& ws, bool findSets) {
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    if (!findSets) return;
    NajitMerickeSkupiny(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ZrcadlitMimoSkupiny(ws.suroveMereni, ws.nastaveni);
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
}

// Approximate coordinates are written to files and fixed in the adjustment: a
// point that has them has finite ones.
void RequireFinite(const Tsouradnice& points, std::string_view what) {
    for (const Tbod& b : points.bod) {
        if (!b.JePlny) continue;
        Require(std::isfinite(b.X) && std::isfinite(b.Y) && std::isfinite(b.Z), what, b.cislo);
    }
}

void Run(uint8_t selector, const std::vector<std::vector<std::string>>& parts) {
    Workspace ws;
    Configure(selector, ws.nastaveni);
    LoadRaw(ws, parts[0]);
    if (parts.size() > 1) LoadPoints(ws, parts[1]);
    if (parts.size() > 2) LoadSupplementary(ws, DruhZKodu(((selector >> 5) & 3) + 1), parts[2]);
    Check(ws, (selector >> 3) & 1);

    SilentInteraction ui(true);
    const VysledekAnalyzy analyza = AnalyzaSuroveMereni(ws, ui);
    Trace("rows", ws.suroveMereni.PocetPlnychZaznamu(), "check errors",
          ws.chyby.suroveMereniCekovyPocetChyb, "analysis", analyza.uspech);
    if (!analyza.uspech) return;
    RequireFinite(ws.souradnicePriblizne, "approximate coordinates not finite");
    if (((selector >> 4) & 1) == 0) return;
    const VysledekVyrovnani vyrovnani = VyrovnaniSite(ws, ui);
    Trace("approximate points", ws.souradnicePriblizne.Pocet(), "adjustment", vyrovnani.uspech,
          "iterations", vyrovnani.pocetIteraci);
    if (!vyrovnani.uspech) return;
    RequireFinite(ws.modelVyrovnany.Vysledek().Souradnice(), "adjusted coordinates not finite");
    const Real m0 = ws.modelVyrovnany.Vysledek().OdchylkaJednotkovaAposterior();
    Require(std::isfinite(m0), "unit standard deviation not finite");
}

}  // namespace
}  // namespace vertano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano::fuzz;
    Input in;
    std::vector<std::string> lines;
    if (!SplitInput(data, size, in) || !DecodeLines(in.bytes, lines)) return 0;
    Run(in.selector, SplitAt(lines, "=="));
    return 0;
}
