// Readers of the four kinds of supplementary measurement files. The first byte of
// an input chooses:
//   bits 0-1  the kind (bearing, slope distance, height difference, plumbing);
//   bits 2-3  angle unit (rad, gon, deg, D.MMSS);
//   bit 4     length unit (metre, foot);
//   bits 5-7  decimals the writer uses for angles and lengths (0-7).
// Whatever the reader accepts is checked and must survive the writer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "files/DoplnekFormaty.h"
#include "supplementary/KontrolaDoplnku.h"

namespace vertano::fuzz {
namespace {

constexpr size_t kMaxLines = 400;

void Run(DruhDoplnku druh, const std::vector<std::string>& lines, const Tnastaveni& s) {
    Tmereni mereni;
    const SupplementaryFileResult r = ReadSupplementary(druh, lines, s, mereni);
    CheckOutcome(r, CountPrepared(lines), "supplementary reader");
    if (!r.ok) {
        Require(mereni.zaznam.empty(), "refused supplementary file keeps rows");
        return;
    }
    Require(r.counter == static_cast<int32_t>(mereni.zaznam.size()), "row count misreported");
    Tchyby chyby;
    KontrolaDoplnku(mereni, druh, s, chyby);
    DescribeSupplementaryErrors(mereni, druh);

    std::vector<std::string> text;
    if (!WriteSupplementary(druh, mereni, s, text).ok) return;
    Tmereni back;
    const SupplementaryFileResult again = ReadSupplementary(druh, text, s, back);
    Require(again.ok, "written supplementary file does not read back",
            DescribeSupplementaryFailure(again));
    Require(back.zaznam.size() == mereni.zaznam.size(), "supplementary rows lost");
    for (size_t i = 0; i < back.zaznam.size(); ++i) {
        Require(back.zaznam[i].cislo_stn == mereni.zaznam[i].cislo_stn &&
                    back.zaznam[i].cislo_cil == mereni.zaznam[i].cislo_cil,
                "supplementary point names changed");
    }
}

}  // namespace
}  // namespace vertano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano;
    using namespace vertano::fuzz;
    Input in;
    std::vector<std::string> lines;
    if (!ReadLines(data, size, kMaxLines, in, lines)) return 0;
    const Tnastaveni s = MeasurementSettings(in.selector);
    Run(DruhZKodu((in.selector & 3) + 1), lines, s);
    return 0;
}
