#include "files/AscFormat.h"

#include <utility>

#include "files/RawRows.h"
#include "matice/Konstanty.h"

namespace vertano {

namespace {

const std::string kHeader = "1";
const std::string kSkipped = "-1";
const std::string kBlockEnd = "/";
const std::string kFileEnd = "-2";

// A target named like a control line would be skipped or end its block.
bool IsReservedTarget(const std::string& name) {
    return name == kSkipped || name == kBlockEnd;
}

struct Station {
    int32_t poradi = 0;
    std::string name;
    Real height = 0;
};

// The walk over the prepared lines of one file.
template <class Lines>
class AscReader {
  public:
    AscReader(const Lines& lines, const nastaveni::Tjednotky& j) : lines_(lines), units_(j) {}

    RawFileResult Read(Tmereni& nove) {
        const auto n = static_cast<int32_t>(lines_.size());
        RawFileResult r = CheckControlCharacters(lines_);
        if (!r.ok) return r;
        if (n < 2) return Fail(FileError::TooFewLines, n, "");
        // The last line first: a file without its "-2" would otherwise be told that
        // its second-to-last line must be "/".
        if (First(n - 1) != kFileEnd) return Fail(FileError::MissingFileEnd, n, "");
        if (First(n - 2) != kBlockEnd) return Fail(FileError::MissingBlockEnd, n, "");
        for (const int32_t end : {n - 2, n - 1}) {
            r = NoMoreThan(end, 1, "1");
            if (!r.ok) return r;
        }
        Station st;
        r = Header(0, st);
        if (!r.ok) return r;
        for (int32_t i = 1; i <= n - 3; ++i) {
            const std::string first = First(i);
            if (first == kSkipped) continue;
            if (first == kBlockEnd) {
                r = NoMoreThan(i, 1, "1");
                if (!r.ok) return r;
                r = Header(++i, st);
                if (!r.ok) return r;
                continue;
            }
            Tzaznam z;
            r = Measurement(i, st, z);
            if (!r.ok) return r;
            nove.zaznam.push_back(std::move(z));
        }
        return {};
    }

  private:
    std::string First(int32_t i) const {
        const std::vector<std::string> t = Tokenize(lines_[static_cast<size_t>(i)].text);
        return t.empty() ? std::string() : t[0];
    }

    int32_t FileLine(int32_t counter) const {
        return counter >= 1 && counter <= static_cast<int32_t>(lines_.size())
                   ? lines_[static_cast<size_t>(counter - 1)].fileLine
                   : 0;
    }

    RawFileResult Fail(FileError e, int32_t counter, std::string detail) const {
        return FileFailure(e, counter, FileLine(counter), std::move(detail));
    }

    RawFileResult Note(FileError e, int32_t counter, std::string note) const {
        return NotedFailure(e, counter, FileLine(counter), std::move(note));
    }

    // Values the line does not have room for are refused, as in MTX: dropping them
    // would read a line of another layout as if it were this one.
    RawFileResult NoMoreThan(int32_t i, size_t count, std::string_view expected) const {
        const size_t found = Tokenize(lines_[static_cast<size_t>(i)].text).size();
        if (found <= count) return {};
        return TokenCountFailure(i + 1, FileLine(i + 1), found, expected);
    }

    // Line i (0-based) must open a station: "1", name, optional height.
    RawFileResult Header(int32_t i, Station& st) const {
        const std::vector<std::string> t = Tokenize(lines_[static_cast<size_t>(i)].text);
        if (t.empty() || t[0] != kHeader)
            return Fail(FileError::MissingStationHeader, i + 1,
                        std::string(lines_[static_cast<size_t>(i)].text));
        if (t.size() < 2) return Note(FileError::TooFewTokens, i + 1, "station name missing");
        if (t.size() > 3) return TokenCountFailure(i + 1, FileLine(i + 1), t.size(), "2 or 3");
        Real height = 0;
        if (t.size() >= 3) {
            const FileError e = raw::ReadValue(t[2], raw::Kind::Length, units_, height);
            if (e != FileError::None) return ValueFailure(e, i + 1, FileLine(i + 1), t[2]);
        }
        st.poradi += 1;
        st.name = t[1];
        st.height = height;
        return {};
    }

    RawFileResult Measurement(int32_t i, const Station& st, Tzaznam& z) const {
        const std::vector<std::string> t = Tokenize(lines_[static_cast<size_t>(i)].text);
        if (t.size() < 4)
            return Note(
                FileError::TooFewTokens, i + 1,
                FormatInteger(static_cast<int64_t>(t.size())) + " values, at least 4 expected");
        if (t.size() > 5) return TokenCountFailure(i + 1, FileLine(i + 1), t.size(), "4 or 5");
        z = Tzaznam::Prazdny();
        z.poradi = st.poradi;
        z.cislo_stn = st.name;
        z.vyska_stn = st.height;
        z.cislo_cil = t[0];
        const bool withHeight = t.size() >= 5;
        const size_t dir = withHeight ? 3 : 2;
        z.vyska_cil = 0;
        if (withHeight) {
            const FileError e = raw::ReadValue(t[2], raw::Kind::Length, units_, z.vyska_cil);
            if (e != FileError::None) return ValueFailure(e, i + 1, FileLine(i + 1), t[2]);
        }
        std::string bad;
        const FileError e = raw::ReadPointing(t[dir], t[dir + 1], t[1], units_, z, bad);
        if (e != FileError::None) return ValueFailure(e, i + 1, FileLine(i + 1), bad);
        return {};
    }

    const Lines& lines_;
    const nastaveni::Tjednotky units_;
};

}  // namespace

RawFileResult ReadAsc(const std::vector<std::string>& lines, const Tnastaveni& nastaveni,
                      Tmereni& mereni) {
    return ReadAscPrepared(PrepareLines(lines), nastaveni, mereni);
}

namespace {

template <class Lines>
RawFileResult ReadAscLines(const Lines& lines, const Tnastaveni& nastaveni, Tmereni& mereni) {
    mereni.Clear();
    Tmereni nove;
    nove.zaznam.reserve(lines.size());  // a little more than the measurements
    AscReader<Lines> reader(lines, nastaveni.jednotky);
    RawFileResult r = reader.Read(nove);
    if (!r.ok) return r;
    // A block without measurements would leave a gap in the station numbers.
    nove.SeradPoradi();
    mereni.zaznam = std::move(nove.zaznam);
    r.counter = static_cast<int32_t>(mereni.zaznam.size());
    return r;
}

}  // namespace

RawFileResult ReadAscPrepared(const std::vector<PreparedLine>& lines, const Tnastaveni& nastaveni,
                              Tmereni& mereni) {
    return ReadAscLines(lines, nastaveni, mereni);
}

RawFileResult ReadAscPrepared(const std::vector<PreparedLineView>& lines,
                              const Tnastaveni& nastaveni, Tmereni& mereni) {
    return ReadAscLines(lines, nastaveni, mereni);
}

RawFileResult WriteAsc(const Tmereni& mereni, const Tnastaveni& nastaveni,
                       std::vector<std::string>& lines) {
    lines.clear();
    RawFileResult check = raw::CheckRowsForWriting(mereni);
    if (!check.ok) return check;
    std::vector<std::string> out;
    out.reserve(mereni.zaznam.size() + 16);
    const Tzaznam* previous = nullptr;
    std::string t[5];
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny()) continue;
        const auto row = static_cast<int32_t>(i + 1);
        if (IsReservedTarget(z.cislo_cil))
            return FileFailure(FileError::UnwritableName, row, 0, "\"" + z.cislo_cil + "\"");
        if (previous == nullptr || previous->poradi != z.poradi) {
            if (!raw::FormatForFile(z.vyska_stn, raw::Kind::Length, nastaveni, t[0]))
                return FileFailure(FileError::UnwritableValue, row, 0, FormatGeneral(z.vyska_stn));
            if (previous != nullptr) out.push_back(kBlockEnd);
            out.push_back(kHeader + " " + z.cislo_stn + " " + t[0]);
            out.push_back(kSkipped);
        }
        previous = &z;
        const Real values[] = {z.delka, z.vyska_cil, z.smer, z.zenit};
        const raw::Kind kinds[] = {raw::Kind::Length, raw::Kind::Length, raw::Kind::Direction,
                                   raw::Kind::Angle};
        const std::string chybi[] = {{}, {}, raw::ChybejiciSmer(z), raw::ChybejiciZenit(z)};
        for (size_t k = 0; k < 4; ++k) {
            if (!chybi[k].empty()) {
                t[k] = chybi[k];
            } else if (!raw::FormatForFile(values[k], kinds[k], nastaveni, t[k])) {
                return FileFailure(FileError::UnwritableValue, row, 0, FormatGeneral(values[k]));
            }
        }
        out.push_back(z.cislo_cil + " " + t[0] + " " + t[1] + " " + t[2] + " " + t[3]);
    }
    if (previous != nullptr) out.push_back(kBlockEnd);
    out.push_back(kFileEnd);
    lines = std::move(out);
    RawFileResult ok;
    ok.counter = static_cast<int32_t>(lines.size());
    return ok;
}

RawFileResult ExportAsc(std::vector<std::string>& lines, const Tnastaveni& nastaveni) {
    const std::vector<PreparedLine> in = PrepareLines(lines);
    lines.clear();
    std::vector<std::string> out;
    out.reserve(in.size() + 16);
    std::vector<std::string> t;
    std::string station;
    for (size_t i = 0; i < in.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        RawFileResult r = raw::InternalFormTokens(in[i], counter, t);
        if (r.ok && IsReservedTarget(t[3]))
            r = FileFailure(FileError::UnwritableName, counter, in[i].fileLine, t[3]);
        // distance, direction, zenith angle
        const std::pair<size_t, raw::Kind> values[] = {
            {7, raw::Kind::Length}, {5, raw::Kind::Direction}, {6, raw::Kind::Angle}};
        for (const auto& [index, kind] : values) {
            if (r.ok) r = raw::ConvertForExport(t[index], kind, nastaveni, counter, in[i].fileLine);
        }
        if (!r.ok) return r;
        // Headers carry no instrument height: the export has no heights at all.
        if (i == 0 || t[0] != station) {
            if (i != 0) out.push_back(kBlockEnd);
            out.push_back(kHeader + " " + t[1]);
            out.push_back(kSkipped);
            station = t[0];
        }
        out.push_back(t[3] + " " + t[7] + " " + t[5] + " " + t[6]);
    }
    // An empty list still gives a well-formed file.
    if (!in.empty()) out.push_back(kBlockEnd);
    out.push_back(kFileEnd);
    lines = std::move(out);
    RawFileResult ok;
    ok.counter = static_cast<int32_t>(lines.size());
    return ok;
}

}  // namespace vertano
