// Readers of raw measurements. The first byte of an input chooses:
//   bits 0-1  0 MTX, 1 ASC, 2 the internal form, 3 the internal form appended to a
//             list that holds a station already (PridejMereni);
//   bits 2-3  angle unit (rad, gon, deg, D.MMSS);
//   bit 4     length unit (metre, foot);
//   bits 5-7  decimals the writers use for angles and lengths (0-7).
// Whatever a reader accepts must survive its own writer and the internal form, and
// the whole text of a file must read as its lines.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/Tnastaveni.h"
#include "files/MtxFormat.h"
#include "files/SurovaMereniSoubory.h"
#include "files/VnitrniForma.h"
#include "mereni/Tmereni.h"

namespace vertano::fuzz {
namespace {

constexpr size_t kMaxLines = 400;

std::vector<Tzaznam> FullRows(const Tmereni& m) {
    std::vector<Tzaznam> rows;
    for (const Tzaznam& z : m.zaznam)
        if (z.JePlny()) rows.push_back(z);
    return rows;
}

void RequireSameRows(const Tmereni& before, const Tmereni& after, Real resolution,
                     std::string_view what) {
    const std::vector<Tzaznam> a = FullRows(before);
    const std::vector<Tzaznam> b = FullRows(after);
    Require(a.size() == b.size(), what, "rows lost or gained");
    for (size_t i = 0; i < a.size(); ++i) {
        Require(a[i].cislo_stn == b[i].cislo_stn && a[i].cislo_cil == b[i].cislo_cil, what,
                "names changed: " + a[i].cislo_stn + " " + a[i].cislo_cil);
        Require(a[i].poradi == b[i].poradi, what, "station numbers changed");
        Require(SameValue(a[i].delka, b[i].delka, resolution) &&
                    SameValue(a[i].vyska_stn, b[i].vyska_stn, resolution) &&
                    SameValue(a[i].vyska_cil, b[i].vyska_cil, resolution),
                what, "lengths changed");
    }
}

// The internal form (project files, export) of anything read must read back.
void CheckInternalForm(const Tmereni& mereni, const Tnastaveni& s) {
    std::vector<std::string> text;
    const RawFileResult w = UlozDoStringList(mereni, text);
    if (!w.ok) return;
    Tmereni again;
    const RawFileResult r = ReadVnitrniForma(text, again);
    Require(r.ok, "internal form does not read back", DescribeRawFailure(r));
    RequireSameRows(mereni, again, 0, "internal form");
    // The exporters start from this text; they must cope with whatever it holds.
    for (const int code : {format::kMtx, format::kAsc}) {
        std::vector<std::string> exported = text;
        ExportRaw(code, exported, s);
    }
    const std::vector<Tzaznam> a = FullRows(mereni);
    const std::vector<Tzaznam> b = FullRows(again);
    for (size_t i = 0; i < a.size(); ++i) {
        Require(SameValue(a[i].smer, b[i].smer, 0) && SameValue(a[i].zenit, b[i].zenit, 0),
                "internal form changes angles");
    }
}

// A file written from what was read must read back with the same rows.
void CheckWriter(int code, const Tmereni& mereni, const Tnastaveni& s) {
    // The save command refuses a list without a full row before any writer runs.
    if (!mereni.ExistujePlnyZaznam()) return;
    std::vector<std::string> lines;
    if (!WriteRaw(code, mereni, s, lines).ok) return;
    Tmereni again;
    const RawFileResult r = ReadRaw(code, lines, s, again);
    Require(r.ok, "written file does not read back", DescribeRawFailure(r));
    const Real unit = s.jednotky.delka == 1 ? 0.3048L : 1;
    RequireSameRows(mereni, again, 0.5L * std::pow(10.0L, -s.presnost.delka.hodnota) * unit,
                    "written file");
}

// The load command reads a file from its whole text: MTX without a list of lines,
// ASC through views into the text. Both must read as the lines read.
void CheckWholeText(int kind, const std::vector<std::string>& lines, const Tnastaveni& s,
                    const RawFileResult& expected, const Tmereni& rows) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    Tmereni again;
    const RawFileResult r = kind == format::kMtx
                                ? ReadMtxText(text, s, again)
                                : ReadRawLines(kind, PrepareLineViews(text), s, again);
    Require(DescribeRawFailure(r) == DescribeRawFailure(expected) && r.counter == expected.counter,
            "the whole text reads otherwise than its lines", DescribeRawFailure(r));
    RequireSameRows(rows, again, 0, "whole text");
}

void RunAppend(const std::vector<std::string>& lines) {
    Tmereni mereni;
    const std::vector<std::string> first = {"1 S1 1.5 T1 1.6 1 1.5 100"};
    Require(PridejMereni(mereni, first, 1).ok, "PridejMereni refuses a good line");
    const Tmereni before = mereni;
    const RawFileResult r = PridejMereni(mereni, lines, 2);
    CheckOutcome(r, CountPrepared(lines), "PridejMereni");
    if (!r.ok) RequireSameRows(before, mereni, 0, "PridejMereni changed the list on failure");
}

}  // namespace
}  // namespace vertano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano;
    using namespace vertano::fuzz;
    Input in;
    std::vector<std::string> lines;
    if (!ReadLines(data, size, kMaxLines, in, lines)) return 0;
    const int kind = in.selector & 3;
    if (kind == 3) {
        RunAppend(lines);
        return 0;
    }
    const Tnastaveni s = MeasurementSettings(in.selector);
    Tmereni mereni;
    const RawFileResult r =
        kind == 2 ? ReadVnitrniForma(lines, mereni) : ReadRaw(kind, lines, s, mereni);
    CheckOutcome(r, CountPrepared(lines), "raw reader");
    if (kind != 2) CheckWholeText(kind, lines, s, r, mereni);
    if (!r.ok) {
        Require(mereni.zaznam.empty(), "rejected file leaves rows");
        return 0;
    }
    CheckInternalForm(mereni, s);
    if (kind != 2) CheckWriter(kind, mereni, s);
    return 0;
}
