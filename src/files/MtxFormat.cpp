#include "files/MtxFormat.h"

#include "files/RawRows.h"

namespace vertano {

namespace {

constexpr size_t kMtxTokens = 8;

}  // namespace

RawFileResult ReadMtx(const std::vector<std::string>& lines, const Tnastaveni& nastaveni,
                      Tmereni& mereni) {
    return ReadMtxPrepared(PrepareLines(lines), nastaveni, mereni);
}

RawFileResult ReadMtxPrepared(const std::vector<PreparedLine>& lines, const Tnastaveni& nastaveni,
                              Tmereni& mereni) {
    mereni.Clear();
    const RawFileResult control = CheckControlCharacters(lines);
    if (!control.ok) return control;
    Tmereni nove;
    nove.zaznam.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        const std::vector<std::string> t = Tokenize(lines[i].text);
        if (t.size() != kMtxTokens)
            return TokenCountFailure(counter, lines[i].fileLine, t.size(), "8");
        Tzaznam z;
        std::string bad;
        const FileError e = raw::RowFromTokens(t, nastaveni.jednotky, z, bad);
        if (e != FileError::None) return ValueFailure(e, counter, lines[i].fileLine, bad);
        nove.zaznam.push_back(std::move(z));
    }
    RawFileResult stanice = raw::CheckStations(nove, lines);
    if (!stanice.ok) return stanice;
    nove.SeradPoradi();
    mereni.zaznam = std::move(nove.zaznam);
    RawFileResult ok;
    ok.counter = static_cast<int32_t>(mereni.zaznam.size());
    return ok;
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
        for (size_t k = 0; k < 5; ++k) {
            if (!raw::FormatForFile(values[k], kinds[k], nastaveni, t[k]))
                return FileFailure(FileError::UnwritableValue, static_cast<int32_t>(i + 1), 0,
                                   FormatGeneral(values[k]));
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
