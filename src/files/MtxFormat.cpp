#include "files/MtxFormat.h"

#include "files/RawRows.h"

namespace vertano {

namespace {

constexpr size_t kMtxTokens = 8;

// One line into a row; counter and fileLine name the line in a failure.
RawFileResult MtxRow(std::string_view line, int32_t counter, int32_t fileLine,
                     const nastaveni::Tjednotky& jednotky, Tzaznam& z) {
    const std::vector<std::string> t = Tokenize(line);
    if (t.size() != kMtxTokens) return TokenCountFailure(counter, fileLine, t.size(), "8");
    std::string bad;
    const FileError e = raw::RowFromTokens(t, jednotky, z, bad);
    if (e != FileError::None) return ValueFailure(e, counter, fileLine, bad);
    return {};
}

RawFileResult Accepted(Tmereni& nove, Tmereni& mereni) {
    nove.SeradPoradi();
    mereni.zaznam = std::move(nove.zaznam);
    RawFileResult ok;
    ok.counter = static_cast<int32_t>(mereni.zaznam.size());
    return ok;
}

template <class Lines>
RawFileResult ReadMtxLines(const Lines& lines, const Tnastaveni& nastaveni, Tmereni& mereni) {
    mereni.Clear();
    const RawFileResult control = CheckControlCharacters(lines);
    if (!control.ok) return control;
    Tmereni nove;
    nove.zaznam.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        Tzaznam z;
        const RawFileResult r = MtxRow(lines[i].text, static_cast<int32_t>(i + 1),
                                       lines[i].fileLine, nastaveni.jednotky, z);
        if (!r.ok) return r;
        nove.zaznam.push_back(std::move(z));
    }
    const RawFileResult stanice = raw::CheckStations(nove, lines);
    if (!stanice.ok) return stanice;
    return Accepted(nove, mereni);
}

}  // namespace

RawFileResult ReadMtx(const std::vector<std::string>& lines, const Tnastaveni& nastaveni,
                      Tmereni& mereni) {
    return ReadMtxPrepared(PrepareLines(lines), nastaveni, mereni);
}

RawFileResult ReadMtxPrepared(const std::vector<PreparedLine>& lines, const Tnastaveni& nastaveni,
                              Tmereni& mereni) {
    return ReadMtxLines(lines, nastaveni, mereni);
}

RawFileResult ReadMtxPrepared(const std::vector<PreparedLineView>& lines,
                              const Tnastaveni& nastaveni, Tmereni& mereni) {
    return ReadMtxLines(lines, nastaveni, mereni);
}

namespace {

// Reads the prepared lines that walk(visit) gives, in two passes as ReadMtxLines
// checks them: control characters anywhere first, then line by line. walk
// returns a failure when the text cannot be read again.
template <class Walk>
RawFileResult ReadMtxWalk(const Walk& walk, const Tnastaveni& nastaveni, Tmereni& mereni) {
    mereni.Clear();
    int32_t counter = 0;
    RawFileResult r;
    RawFileResult read = walk([&](std::string_view line, int32_t fileLine) {
        ++counter;
        if (HasControlCharacter(line))
            r = FileFailure(FileError::ControlCharacter, counter, fileLine, std::string(line));
        return r.ok;
    });
    if (!read.ok) return read;
    if (!r.ok) return r;
    Tmereni nove;
    // Counted first, so that the rows do not grow (and hold twice their size).
    nove.zaznam.reserve(static_cast<size_t>(counter));
    std::vector<int32_t> fileLines;  // for the station check's message
    fileLines.reserve(static_cast<size_t>(counter));
    counter = 0;
    read = walk([&](std::string_view line, int32_t fileLine) {
        Tzaznam z;
        r = MtxRow(line, ++counter, fileLine, nastaveni.jednotky, z);
        if (!r.ok) return false;
        nove.zaznam.push_back(std::move(z));
        fileLines.push_back(fileLine);
        return true;
    });
    if (!read.ok) return read;
    if (!r.ok) return r;
    const RawFileResult stanice = raw::CheckStations(nove, fileLines);
    if (!stanice.ok) return stanice;
    return Accepted(nove, mereni);
}

}  // namespace

RawFileResult ReadMtxText(std::string_view text, const Tnastaveni& nastaveni, Tmereni& mereni) {
    const auto walk = [text](auto&& visit) {
        ForEachPreparedLine(text, visit);
        return RawFileResult{};
    };
    return ReadMtxWalk(walk, nastaveni, mereni);
}

RawFileResult ReadMtxStream(const TextStream& text, const Tnastaveni& nastaveni, Tmereni& mereni) {
    const auto walk = [&text](auto&& visit) {
        std::string message;
        if (text.ForEachPreparedLine(visit, message)) return RawFileResult{};
        return NotedFailure(FileError::CannotOpen, 0, 0, message);
    };
    return ReadMtxWalk(walk, nastaveni, mereni);
}

RawFileResult WriteMtx(const Tmereni& mereni, const Tnastaveni& nastaveni,
                       std::vector<std::string>& lines) {
    lines.clear();
    RawFileResult check = raw::CheckRowsForWriting(mereni);
    if (!check.ok) return check;
    std::vector<std::string> out;
    out.reserve(mereni.zaznam.size());
    std::string t[6];
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny()) continue;
        const Real values[] = {z.vyska_stn, z.vyska_cil, z.smer, z.zenit, z.delka};
        const raw::Kind kinds[] = {raw::Kind::Length, raw::Kind::Length, raw::Kind::Direction,
                                   raw::Kind::Angle, raw::Kind::Length};
        const std::string chybi[] = {{}, {}, raw::ChybejiciSmer(z), raw::ChybejiciZenit(z), {}};
        for (size_t k = 0; k < 5; ++k) {
            if (!chybi[k].empty()) {
                t[k] = chybi[k];
            } else if (!raw::FormatForFile(values[k], kinds[k], nastaveni, t[k])) {
                return FileFailure(FileError::UnwritableValue, static_cast<int32_t>(i + 1), 0,
                                   FormatGeneral(values[k]));
            }
        }
        std::string line = std::to_string(z.poradi);
        line.append(" ").append(z.cislo_stn).append(" ").append(t[0]);
        line.append(" ").append(z.cislo_cil).append(" ").append(t[1]);
        line.append(" ").append(t[2]).append(" ").append(t[3]).append(" ").append(t[4]);
        out.push_back(std::move(line));
    }
    lines = std::move(out);
    RawFileResult ok;
    ok.counter = static_cast<int32_t>(lines.size());
    return ok;
}

RawFileResult ExportMtx(std::vector<std::string>& lines, const Tnastaveni& nastaveni) {
    const std::vector<PreparedLine> in = PrepareLines(lines);
    lines.clear();
    std::vector<std::string> out;
    out.reserve(in.size());
    std::vector<std::string> t;
    for (size_t i = 0; i < in.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        RawFileResult r = raw::InternalFormTokens(in[i], counter, t);
        const struct {
            size_t index;
            raw::Kind kind;
        } converted[] = {{5, raw::Kind::Direction}, {6, raw::Kind::Angle}, {7, raw::Kind::Length}};
        for (const auto& c : converted) {
            if (r.ok)
                r = raw::ConvertForExport(t[c.index], c.kind, nastaveni, counter, in[i].fileLine);
        }
        if (!r.ok) return r;
        t.erase(t.begin() + 4);
        t.erase(t.begin() + 2);
        out.push_back(raw::Join(t));
    }
    lines = std::move(out);
    RawFileResult ok;
    ok.counter = static_cast<int32_t>(lines.size());
    return ok;
}

}  // namespace vertano
