// The GSI reader of the data exchange. The first byte of an input is not used
// (the selector of the other targets); the rest is the file. Whatever the
// reader accepts must be full rows with writable names that survive the MTX
// writer and reader; whatever it refuses must leave nothing behind.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/Tnastaveni.h"
#include "exchange/Gsi.h"
#include "files/MtxFormat.h"
#include "mereni/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano;
    using namespace vertano::fuzz;
    Input in;
    std::vector<std::string> lines;
    if (!ReadLines(data, size, 400, in, lines)) return 0;
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    Tmereni mereni;
    std::vector<exchange::Poznamka> notes;
    const FileResult r = exchange::ReadGsiText(text, mereni, notes);
    CheckOutcome(r, CountPrepared(lines), "GSI reader");
    if (!r.ok) {
        Require(mereni.zaznam.empty() && notes.empty(), "a refused GSI file leaves rows or notes");
        return 0;
    }
    Require(r.counter == static_cast<int32_t>(mereni.zaznam.size()), "GSI row count");
    for (const exchange::Poznamka& p : notes)
        Require(p.fileLine >= 1 && static_cast<size_t>(p.fileLine) <= lines.size(),
                "a GSI note names a line outside the file");
    for (const Tzaznam& z : mereni.zaznam) {
        Require(z.JePlny(), "an empty GSI row");
        Require(IsSingleToken(z.cislo_stn) && IsSingleToken(z.cislo_cil), "an unwritable GSI name");
    }
    if (mereni.zaznam.empty()) return 0;
    Tnastaveni s;
    s.Default();
    std::vector<std::string> out;
    if (!WriteMtx(mereni, s, out).ok) return 0;  // a value too large for the MTX format
    Tmereni again;
    const FileResult back = ReadMtx(out, s, again);
    Require(back.ok, "GSI rows written as MTX do not read back", DescribeFileFailure(back));
    Require(again.zaznam.size() == mereni.zaznam.size(), "GSI rows lost as MTX");
    return 0;
}
