// Readers of coordinate and scale-factor files and of the point forms a project
// file stores. The first byte of an input chooses:
//   bits 0-1  0 XYZ file, 1 YXZ file, 2 scale-factor file, 3 a project form;
//   bit 2     coordinate unit (metre, foot);
//   bits 3-4  the project form: 0 and 3 coordinates with deviations, 1 with
//             fixation, 2 scale factors; for a coordinate file, bit 3 reads it
//             as identical points (with standard deviations);
//   bits 5-7  decimals the writers use (0-7).
// Whatever a reader accepts must be appended whole and survive its writer.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/SouradniceKontrola.h"
#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceText.h"

namespace vertano::fuzz {
namespace {

constexpr size_t kMaxLines = 400;

size_t FullPoints(const Tsouradnice& s) {
    size_t n = 0;
    for (const Tbod& b : s.bod) n += b.JePlny ? 1 : 0;
    return n;
}

void RequireSamePoints(const Tsouradnice& a, const Tsouradnice& b, Real resolution,
                       std::string_view what) {
    Require(a.bod.size() == b.bod.size(), what, "points lost or gained");
    for (size_t i = 0; i < a.bod.size(); ++i) {
        const Tbod& p = a.bod[i];
        const Tbod& q = b.bod[i];
        Require(p.cislo == q.cislo, what, "point number changed: " + p.cislo + " / " + q.cislo);
        Require(SameValue(p.X, q.X, resolution) && SameValue(p.Y, q.Y, resolution) &&
                    SameValue(p.Z, q.Z, resolution),
                what, "coordinates changed: " + p.cislo);
    }
}

// The load commands read a file a line at a time: they must take and refuse
// what the readers of a whole text take and refuse, with the same lines.
void RequireSameAsLineReader(const std::vector<std::string>& file, CoordinateFileKind kind,
                             const Tnastaveni& s, const CoordinateFileResult& whole,
                             const std::vector<std::string>& canonical) {
    const std::vector<PreparedLine> prepared = PrepareLines(file);
    if (!CheckControlCharacters(prepared).ok) return;  // found before any line is read
    for (size_t i = 0; i < prepared.size(); ++i) {
        std::string line;
        const CoordinateFileResult one = CanonicalFileLine(
            kind, s, prepared[i].text, static_cast<int32_t>(i + 1), prepared[i].fileLine, line);
        if (!one.ok) {
            Require(!whole.ok && whole.counter == one.counter && whole.error == one.error,
                    "the line reader refuses another line", DescribeCoordinateFailure(one));
            return;
        }
        if (whole.ok)
            Require(i < canonical.size() && canonical[i] == line,
                    "the line reader gives another line", line);
    }
    Require(whole.ok, "the line reader takes a refused file", DescribeCoordinateFailure(whole));
}

void RunCoordinateFile(std::vector<std::string> lines, const Tnastaveni& s, bool identicke) {
    const size_t prepared = CountPrepared(lines);
    const std::vector<std::string> file = lines;
    const CoordinateFileResult r =
        identicke ? ReadIdenticalPointFile(lines, s) : ReadCoordinateFile(lines, s);
    CheckOutcome(r, prepared, "coordinate reader");
    RequireSameAsLineReader(
        file, identicke ? CoordinateFileKind::IdenticalPoints : CoordinateFileKind::Points, s, r,
        lines);
    if (!r.ok) {
        Require(lines.empty(), "refused coordinate file keeps lines");
        return;
    }
    Tsouradnice points;
    const CoordinateFileResult added = identicke ? PridejBodySOdchylkami(points, lines, 1)
                                                 : PridejBodyFixVse(points, lines, 1, true);
    Require(added.ok && points.bod.size() == lines.size(), "accepted points are not appended",
            DescribeCoordinateFailure(added));
    for (const Tbod& b : points.bod) {
        for (const Real sig : {b.Presnost().sig_X, b.Presnost().sig_Y, b.Presnost().sig_Z})
            Require(sig == -1 || (sig > 0 && sig < 100), "deviation out of range", b.cislo);
    }
    Tchyby chyby;
    KontrolaSouradnic(points, identicke ? kBodyVstupIdenticke : kBodyVstupFixni, chyby);

    std::vector<std::string> text;
    if (!UlozDoStringList(points, text).ok || !WriteCoordinateFile(text, s).ok) return;
    const CoordinateFileResult again = ReadCoordinateFile(text, s);
    Require(again.ok, "written coordinate file does not read back",
            DescribeCoordinateFailure(again));
    Tsouradnice back;
    Require(PridejBodyFixVse(back, text, 1, true).ok, "written points are not appended");
    // Half of the last decimal written, in metres.
    const Real unit = s.jednotky.souradnice == 1 ? 0.3048L : 1;
    const Real resolution = 0.5L * std::pow(10.0L, -s.presnost.souradnice.hodnota) * unit;
    RequireSamePoints(points, back, resolution, "coordinate file round trip");
}

void RunScaleFile(std::vector<std::string> lines, const Tnastaveni& s) {
    const size_t prepared = CountPrepared(lines);
    const std::vector<std::string> file = lines;
    const CoordinateFileResult r = ReadScaleFactors(lines);
    CheckOutcome(r, prepared, "scale reader");
    RequireSameAsLineReader(file, CoordinateFileKind::ScaleFactors, s, r, lines);
    if (!r.ok) return;
    Tsouradnice meritko;
    const CoordinateFileResult added = PridejBodyMeritko(meritko, lines, 1, true);
    Require(added.ok && meritko.bod.size() == lines.size(), "accepted factors are not appended",
            DescribeCoordinateFailure(added));
    Tchyby chyby;
    KontrolaMeritka(meritko, s, chyby);

    std::vector<std::string> text;
    if (!UlozDoStringListMeritko(meritko, text).ok || !WriteScaleFile(text, s).ok) return;
    const CoordinateFileResult again = ReadScaleFactors(text);
    Require(again.ok && text.size() == FullPoints(meritko), "written scale file does not read back",
            DescribeCoordinateFailure(again));
}

void RunProjectForm(const std::vector<std::string>& lines, int form) {
    Tsouradnice points;
    const CoordinateFileResult r = form == 1   ? ReadFixationForm(points, lines)
                                   : form == 2 ? ReadScaleForm(points, lines)
                                               : ReadCoordinateForm(points, lines);
    CheckOutcome(r, CountPrepared(lines), "project point form");
    if (!r.ok) {
        Require(points.bod.empty(), "refused project form keeps points");
        return;
    }
    std::vector<std::string> text;
    Tsouradnice back;
    CoordinateFileResult again;
    if (form == 2) {
        if (!UlozDoStringListMeritko(points, text).ok) return;
        again = ReadScaleForm(back, text);
    } else if (form == 1) {
        if (!UlozDoStringListFix(points, text).ok) return;
        again = ReadFixationForm(back, text);
    } else {
        if (!UlozDoStringList(points, text).ok) return;
        again = ReadCoordinateForm(back, text);
    }
    Require(again.ok, "project form does not read back", DescribeCoordinateFailure(again));
    RequireSamePoints(points, back, 0, "project form round trip");
    for (size_t i = 0; i < points.bod.size(); ++i) {
        const Tbod& p = points.bod[i];
        const Tbod& q = back.bod[i];
        Require(p.JeFixni == q.JeFixni, "fixation changed", p.cislo);
        if (form == 2) Require(SameValue(p.zkresleni, q.zkresleni, 0), "scale changed", p.cislo);
        if (form != 0 && form != 3) continue;
        for (const auto sig : {&Tpresnost::sig_X, &Tpresnost::sig_Y, &Tpresnost::sig_Z}) {
            const Real sp = p.Presnost().*sig;
            const Real sq = q.Presnost().*sig;
            Require((sp > 0) == (sq > 0), "deviation set or lost", p.cislo);
            if (sp > 0) Require(SameValue(sp, sq, 0), "deviation changed", p.cislo);
        }
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
    Tnastaveni s;
    s.Default();
    s.jednotky.souradnice = static_cast<uint8_t>((in.selector >> 2) & 1);
    s.presnost.souradnice.hodnota = s.presnost.meritko = static_cast<uint8_t>(in.selector >> 5);
    const int kind = in.selector & 3;
    if (kind <= 1) {
        s.souborVstup.typSouradnice = static_cast<uint8_t>(kind);
        s.souborVystup.typSouradnice = static_cast<uint8_t>(kind);
        RunCoordinateFile(lines, s, ((in.selector >> 3) & 1) != 0);
    } else if (kind == 2) {
        RunScaleFile(lines, s);
    } else {
        RunProjectForm(lines, (in.selector >> 3) & 3);
    }
    return 0;
}
