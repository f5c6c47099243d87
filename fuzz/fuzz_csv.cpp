// The reader of CSV point files. The first byte of an input chooses the layout:
//   bits 0-1  the separator (comma, semicolon, tab, blank);
//   bit 2     the decimal comma (a comma separator then becomes a semicolon);
//   bits 3-4  the header (auto, yes, no);
//   bits 5-7  the column order (NXYZ, NYXZ, -NXYZ, XYZN, N-XYZ, ZXYN, NXY-Z, XNYZ).
// A refusal names a line and leaves no point; accepted points have writable
// names and finite coordinates, one per data line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "exchange/CsvBody.h"
#include "mereni/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano;
    using namespace vertano::fuzz;
    Input in;
    std::vector<std::string> lines;
    if (!ReadLines(data, size, 400, in, lines)) return 0;
    exchange::CsvVolby v;
    static const char separators[] = {',', ';', '\t', ' '};
    static const char* const orders[] = {"NXYZ",  "NYXZ", "-NXYZ", "XYZN",
                                         "N-XYZ", "ZXYN", "NXY-Z", "XNYZ"};
    v.oddelovac = separators[in.selector & 3];
    if (in.selector & 4) {
        v.desetinna = ',';
        if (v.oddelovac == ',') v.oddelovac = ';';
    }
    const int header = (in.selector >> 3) & 3;
    v.hlavicka = header == 1   ? exchange::CsvVolby::Hlavicka::Ano
                 : header == 2 ? exchange::CsvVolby::Hlavicka::Ne
                               : exchange::CsvVolby::Hlavicka::Zjistit;
    v.poradi = orders[(in.selector >> 5) & 7];
    Require(exchange::KontrolaVoleb(v).empty(), "a layout of the target is refused");
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    Tsouradnice body;
    std::vector<exchange::Poznamka> notes;
    const FileResult r = exchange::ReadCsvBody(text, v, 0, body, notes);
    CheckOutcome(r, CountPrepared(lines), "CSV reader");
    if (!r.ok) {
        Require(body.bod.empty(), "a refused CSV file leaves points");
        return 0;
    }
    Require(body.bod.size() + notes.size() == CountPrepared(lines), "CSV lines lost");
    for (const Tbod& b : body.bod) {
        Require(IsSingleToken(b.cislo), "an unwritable CSV name");
        Require(std::isfinite(b.X) && std::isfinite(b.Y) && std::isfinite(b.Z), "a CSV coordinate");
    }
    return 0;
}
