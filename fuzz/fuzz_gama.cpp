// The reader of the XML network format of GNU Gama and its mapping onto the
// program's lists. The first byte of an input is not used; the rest is the
// file. A refusal names a line of the file and leaves nothing; an accepted
// network gives rows in face pairs with writable names, points with their
// three coordinates and supplementary rows of the four kinds only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/Tnastaveni.h"
#include "exchange/GamaImport.h"
#include "exchange/GamaSit.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano;
    using namespace vertano::fuzz;
    Input in;
    std::vector<std::string> lines;
    if (!ReadLines(data, size, 400, in, lines)) return 0;
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    exchange::GamaSit sit;
    FileResult r = exchange::ReadGamaText(text, sit);
    // Lines of the XML are counted in the file itself (blank ones too).
    CheckOutcome(r, lines.size() + 1, "Gama reader");
    if (!r.ok) {
        Require(sit.body.empty() && sit.mereni.empty(), "a refused Gama file leaves data");
        return 0;
    }
    for (const exchange::GamaMereni& m : sit.mereni)
        Require(m.odchylka && *m.odchylka > 0, "a Gama observation without its deviation");
    Tnastaveni s;
    s.Default();
    exchange::ImportovanaSit v;
    r = exchange::GamaDoSite(sit, s, v);
    CheckOutcome(r, lines.size() + 1, "Gama mapping");
    if (!r.ok) {
        Require(v.mereni.zaznam.empty() && v.body.bod.empty(),
                "a refused Gama network leaves data");
        return 0;
    }
    Require(v.mereni.zaznam.size() % 2 == 0, "Gama pointings without their face II");
    for (const Tzaznam& z : v.mereni.zaznam) {
        Require(z.JePlny() && IsSingleToken(z.cislo_stn) && IsSingleToken(z.cislo_cil),
                "an unusable Gama row");
        // A row without a zenith angle keeps its face in `poloha` alone.
        Require(!z.MaZenit() || z.poloha == (z.zenit <= 3.14159265358979323846L),
                "a Gama row in the wrong face");
    }
    for (const Tbod& b : v.body.bod)
        Require(b.JePlny && IsSingleToken(b.cislo), "an unusable Gama point");
    for (const DruhDoplnku druh : doplnek::kPoradiKontroly)
        for (const Tzaznam& z : v.doplnky.Seznam(druh)->zaznam)
            Require(z.JePlny(), "an empty supplementary row of a Gama network");
    return 0;
}
