#include "files/MtxFormat.h"

#include "files/RawRows.h"

namespace vertano {

namespace {

constexpr size_t kMtxTokens = 8;

std::string TokenCountNote(size_t found, const char* expected) {
    return std::to_string(found) + " values, " + expected + " expected";
}

}  // namespace

RawFileResult ReadMtx(const std::vector<std::string>& lines, const Tnastaveni& nastaveni,
                      Tmereni& mereni) {
    return ReadMtxPrepared(PrepareLines(lines), nastaveni, mereni);
}

RawFileResult ReadMtxPrepared(const std::vector<PreparedLine>& lines, const Tnastaveni& nastaveni,
                              Tmereni& mereni) {
    mereni.Clear();
    Tmereni nove;
    nove.zaznam.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        const std::vector<std::string> t = Tokenize(lines[i].text);
        if (t.size() != kMtxTokens)
            return RawFailure(RawFileError::WrongTokenCount, counter, lines[i].fileLine,
                              TokenCountNote(t.size(), "8"));
        Tzaznam z;
        std::string bad;
        const RawFileError e = raw::RowFromTokens(t, nastaveni.jednotky, z, bad);
        if (e != RawFileError::None) return RawFailure(e, counter, lines[i].fileLine, bad);
        nove.zaznam.push_back(std::move(z));
    }
    RawFileError e = RawFileError::None;
    const int32_t bad = raw::FirstInconsistentRow(nove, e);
    if (bad >= 0) {
        const auto i = static_cast<size_t>(bad);
        return RawFailure(e, bad + 1, lines[i].fileLine, "station " + nove.zaznam[i].cislo_stn);
    }
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
                return RawFailure(RawFileError::UnwritableValue, static_cast<int32_t>(i + 1), 0,
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
    const nastaveni::Tjednotky internal = raw::InternalUnits();
    for (size_t i = 0; i < in.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        std::vector<std::string> t = Tokenize(in[i].text);
        if (t.size() < kMtxTokens || t.size() > 11)
            return RawFailure(RawFileError::WrongTokenCount, counter, in[i].fileLine,
                              TokenCountNote(t.size(), "8 to 11"));
        const struct {
            size_t index;
            raw::Kind kind;
        } converted[] = {{5, raw::Kind::Direction}, {6, raw::Kind::Angle}, {7, raw::Kind::Length}};
        for (const auto& c : converted) {
            Real v = 0;
            const RawFileError e = raw::ReadValue(t[c.index], c.kind, internal, v);
            if (e != RawFileError::None) return RawFailure(e, counter, in[i].fileLine, t[c.index]);
            if (!raw::FormatForFile(v, c.kind, nastaveni, t[c.index]))
                return RawFailure(RawFileError::UnwritableValue, counter, in[i].fileLine,
                                  t[c.index]);
        }
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
