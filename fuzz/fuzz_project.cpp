// The project reader. The first byte of an input chooses:
//   bit 0   0: the input is the whole file; 1: it follows a valid settings
//           section ("<1>", the 146 default lines, "</1>"), so that the fuzzer
//           spends its effort on the lists;
// the rest is the content of the file. A refused file leaves the defaults and no
// data and names a section and a line of the file; an accepted one is written
// again, reads back, and the second writing gives the same text as the first.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "files/ProjektNastaveni.h"
#include "files/ProjektSoubor.h"

namespace vertano::fuzz {
namespace {

constexpr size_t kMaxLines = 600;

std::vector<std::string> DefaultSettingsSection() {
    Tnastaveni n;
    n.Default();
    std::vector<std::string> lines;
    ZapsatNastaveni(n, lines);
    lines.insert(lines.begin(), "<1>");
    lines.push_back("</1>");
    return lines;
}

bool EmptyAndDefault(const ProjektObsah& o) {
    Tnastaveni d;
    d.Default();
    std::vector<std::string> a;
    std::vector<std::string> b;
    ZapsatNastaveni(o.nastaveni, a);
    ZapsatNastaveni(d, b);
    bool empty = o.suroveMereni.zaznam.empty() && o.bodyFixni.bod.empty() &&
                 o.bodyIdenticke.bod.empty() && o.meritko.bod.empty();
    for (const Tmereni& m : o.doplnek) empty = empty && m.zaznam.empty();
    return empty && a == b;
}

void Run(const std::vector<std::string>& lines) {
    ProjektObsah obsah;
    const ProjektResult r = CistProjektText(lines, obsah);
    if (!r.ok) {
        Require(!r.message.empty() && r.sekce >= 0 && r.sekce <= kPocetSekciProjektu,
                "refusal without a message or section", r.message);
        Require(
            r.vysledek.fileLine >= 0 && static_cast<size_t>(r.vysledek.fileLine) <= lines.size(),
            "refusal names a line outside the file", r.message);
        Require(EmptyAndDefault(obsah), "a refused project leaves data or settings", r.message);
        return;
    }
    std::vector<std::string> text;
    const ProjektResult w = ProjektText(ProjektZdroj::Z(obsah), text);
    Require(w.ok, "an accepted project cannot be written", w.message);
    ProjektObsah back;
    const ProjektResult again = CistProjektText(text, back);
    Require(again.ok, "a written project does not read back", again.message);
    std::vector<std::string> text2;
    Require(ProjektText(ProjektZdroj::Z(back), text2).ok, "second writing fails");
    Require(text2 == text, "writing again changes the project");
}

}  // namespace
}  // namespace vertano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano::fuzz;
    Input in;
    std::vector<std::string> lines;
    if (!ReadLines(data, size, kMaxLines, in, lines)) return 0;
    if (in.selector & 1) {
        static const std::vector<std::string> settings = DefaultSettingsSection();
        lines.insert(lines.begin(), settings.begin(), settings.end());
    }
    Run(lines);
    return 0;
}
