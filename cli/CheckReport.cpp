#include "CheckReport.h"

#include <string>
#include <utility>
#include <vector>

#include "CheckTexts.h"
#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/CislaOznameni.h"
#include "workspace/PoctyChyb.h"
#include "workspace/PrikazySurovychMereni.h"

namespace vertano::cli {

namespace {

void PrintSection(Session& s, const std::string& title, const std::vector<CountLine>& lines,
                  int32_t total) {
    s.out << title << ":\n";
    for (const CountLine& line : lines)
        s.out << "  " << line.name << ": " << std::to_string(line.count) << "\n";
    s.out << "  " << s.ws.jazyk.tlacitko.prehledChyb << ": " << std::to_string(total) << "\n";
}

}  // namespace

int32_t PrintRawChecks(Session& s) {
    const Workspace& ws = s.ws;
    s.out << "Stations: " << std::to_string(ws.suroveMereni.PosledniPoradi()) << "\n";
    const int32_t total = ChybySurovychMereni(ws);
    PrintSection(s, ws.jazyk.tlacitko.kontrola,
                 RawCheckCounts(ws.jazyk, SpocitatPoctyChyb(ws.suroveMereni)), total);
    return total;
}

void PrintRawRows(Session& s) {
    const Tjazyk& j = s.ws.jazyk;
    s.out << j.popis.poradi << "\t" << j.popis.stanovisko << "\t" << j.popis.cil << "\t"
          << j.popis.skupina << "\t" << j.popis.poloha << "\t" << j.tlacitko.kontrola << "\n";
    const Tmereni& mereni = s.ws.suroveMereni;
    for (const ChybnyZaznam& c : ChybneZaznamy(mereni)) {
        const Tzaznam& z = mereni.zaznam[static_cast<size_t>(c.index)];
        s.out << std::to_string(z.poradi) << "\t" << z.cislo_stn << "\t" << z.cislo_cil << "\t"
              << std::to_string(z.skupina) << "\t" << (z.poloha ? "I" : "II") << "\t"
              << RowFlagNames(j, c) << "\n";
    }
}

int32_t PrintPointChecks(Session& s) {
    Workspace& ws = s.ws;
    const Tjazyk& j = ws.jazyk;
    const PoctyChybZadanych c = PoctyChybZadanychBodu(ws.chyby);
    const int32_t total = c.celkem;
    PrintSection(s, j.popis.body,
                 {{j.popis.cisloBod, c.duplicity},
                  {j.popis.souradnice + " X, Y, Z", c.vProstoru},
                  {j.popis.souradnice + " X, Y", c.vRovine}},
                 total);
    if (total > 0) s.Show(oznameni::kBody);
    return total;
}

int32_t PrintScaleChecks(Session& s) {
    Workspace& ws = s.ws;
    const Tjazyk& j = ws.jazyk;
    const PoctyChybMeritka c = PoctyChybMeritek(ws.chyby);
    const int32_t total = c.celkem;
    PrintSection(s, j.popis.meritkoveKoeficienty,
                 {{j.popis.cisloBod, c.duplicity}, {j.popis.meritkovyKoeficient, c.mimoRozsah}},
                 total);
    if (total > 0) s.Show(oznameni::kMeritko);
    return total;
}

int32_t PrintSupplementaryChecks(Session& s) {
    Workspace& ws = s.ws;
    int32_t all = 0;
    for (const DruhDoplnku kind : doplnek::kPoradiKontroly) {
        if (!s.HasSupplementary(kind)) continue;
        const Tmereni& list = *ws.doplnekVstup.Seznam(kind);
        std::vector<CountLine> lines;
        for (int k = 0; k < 4; ++k) {
            const std::string name = SupplementaryCheckName(ws.jazyk, kind, k);
            if (!name.empty()) lines.push_back({name, list.kontrola[static_cast<size_t>(k)]});
        }
        const int32_t total = doplnek::CitacChyb(std::as_const(ws.chyby), kind);
        PrintSection(s, ws.jazyk.popis.doplnek + " - " + doplnek::NazevDruhu(ws.jazyk, kind), lines,
                     total);
        if (total > 0) s.Show(doplnek::OznameniChyby(kind));
        all += total;
    }
    return all;
}

}  // namespace vertano::cli
