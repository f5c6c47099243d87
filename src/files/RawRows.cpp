#include "files/RawRows.h"

#include <algorithm>
#include <cmath>

#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"

namespace vertano::raw {

namespace {

FileError FromStatus(NumberStatus st) {
    switch (st) {
        case NumberStatus::Ok:
            return FileError::None;
        case NumberStatus::OutOfRange:
            return FileError::NumberOutOfRange;
        case NumberStatus::BadDms:
            return FileError::BadDms;
        case NumberStatus::NotANumber:
            break;
    }
    return FileError::BadNumber;
}

std::string ZeroText(Kind kind, const Tnastaveni& s) {
    if (kind == Kind::Length) return "0";
    return FormatAngle(0, s.jednotky.uhel, AngleDecimalsForFile(s));
}

}  // namespace

int AngleDecimalsForFile(const Tnastaveni& s) {
    const int decimals = s.presnost.uhel.hodnota;
    return s.jednotky.uhel == jednotka::kRadian ? std::max(decimals, kMinRadianDecimals) : decimals;
}

nastaveni::Tjednotky InternalUnits() {
    nastaveni::Tjednotky j;
    j.uhel = jednotka::kRadian;
    j.delka = jednotka::kMetr;
    return j;
}

FileError ReadStationNumber(const std::string& token, int32_t& poradi) {
    const NumberStatus st = ParseInteger32(token, poradi);
    if (st == NumberStatus::OutOfRange) return FileError::StationOutOfRange;
    if (st != NumberStatus::Ok) return FileError::BadStationNumber;
    if (poradi < 0) return FileError::NegativeStation;
    return FileError::None;
}

FileError ReadValue(const std::string& token, Kind kind, const nastaveni::Tjednotky& j,
                    Real& value) {
    const NumberStatus st = kind == Kind::Length ? ParseLength(token, j.delka, value)
                                                 : ParseAngle(token, j.uhel, value);
    return FromStatus(st);
}

FileError ReadValue(const std::string& token, Kind kind, const nastaveni::Tjednotky& j,
                    StoredReal& value) {
    Real v = 0;
    const FileError e = ReadValue(token, kind, j, v);
    if (e == FileError::None) value = v;
    return e;
}

FileError RowFromTokens(const std::vector<std::string>& t, const nastaveni::Tjednotky& j,
                        Tzaznam& z, std::string& bad) {
    z = Tzaznam::Prazdny();
    FileError e = ReadStationNumber(t[0], z.poradi);
    if (e != FileError::None) {
        bad = t[0];
        return e;
    }
    z.cislo_stn = t[1];
    z.cislo_cil = t[3];
    const struct {
        size_t index;
        StoredReal* target;
    } values[] = {{2, &z.vyska_stn}, {4, &z.vyska_cil}};
    for (const auto& v : values) {
        e = ReadValue(t[v.index], Kind::Length, j, *v.target);
        if (e != FileError::None) {
            bad = t[v.index];
            return e;
        }
    }
    return ReadPointing(t[5], t[6], t[7], j, z, bad);
}

bool JeNemereno(const std::string& token) {
    return token == kNemereno || token == kNemerenoPrvni || token == kNemerenoDruha;
}

FileError ReadPointing(const std::string& smer, const std::string& zenit, const std::string& delka,
                       const nastaveni::Tjednotky& j, Tzaznam& z, std::string& bad) {
    const auto cist = [&](const std::string& token, Kind kind, StoredReal& value, bool& chybi) {
        chybi = JeNemereno(token);
        // Only a zenith angle says a face with its missing value.
        if (chybi && (kind == Kind::Angle || token == kNemereno)) {
            value = 0;
            return FileError::None;
        }
        const FileError e = ReadValue(token, kind, j, value);
        if (e != FileError::None) bad = token;
        return e;
    };
    bool bezDelky = false;
    FileError e = cist(smer, Kind::Direction, z.smer, z.bezSmeru);
    if (e == FileError::None) e = cist(zenit, Kind::Angle, z.zenit, z.bezZenitu);
    if (e == FileError::None) e = cist(delka, Kind::Length, z.delka, bezDelky);
    if (e != FileError::None) return e;
    z.poloha = z.bezZenitu ? zenit != kNemerenoDruha : z.zenit <= kPi;
    if (!z.MaHodnotu()) {
        bad = "nothing measured to " + z.cislo_cil;
        return FileError::NothingMeasured;
    }
    return FileError::None;
}

std::string ChybejiciSmer(const Tzaznam& z) {
    return z.MaSmer() ? std::string() : std::string(kNemereno);
}

std::string ChybejiciZenit(const Tzaznam& z) {
    if (z.MaZenit()) return {};
    return z.poloha ? kNemereno : kNemerenoDruha;
}

int32_t FirstInconsistentRow(const Tmereni& mereni, FileError& error) {
    const Tzaznam* current = nullptr;
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny()) continue;
        if (current == nullptr || z.poradi != current->poradi) {
            current = &z;
            continue;
        }
        if (z.cislo_stn != current->cislo_stn) {
            error = FileError::InconsistentStationName;
            return static_cast<int32_t>(i);
        }
        if (z.vyska_stn != current->vyska_stn) {
            error = FileError::InconsistentInstrumentHeight;
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

namespace {

template <class FileLine>
RawFileResult Stations(const Tmereni& nove, size_t count, const FileLine& fileLineOf) {
    FileError e = FileError::None;
    const int32_t bad = FirstInconsistentRow(nove, e);
    if (bad < 0) return {};
    const auto i = static_cast<size_t>(bad);
    const int32_t fileLine = i < count ? fileLineOf(i) : 0;
    return FileFailure(e, bad + 1, fileLine, "station " + nove.zaznam[i].cislo_stn);
}

template <class Lines>
RawFileResult Stations(const Tmereni& nove, const Lines& lines) {
    return Stations(nove, lines.size(), [&lines](size_t i) { return lines[i].fileLine; });
}

}  // namespace

RawFileResult CheckStations(const Tmereni& nove, const std::vector<PreparedLine>& lines) {
    return Stations(nove, lines);
}

RawFileResult CheckStations(const Tmereni& nove, const std::vector<PreparedLineView>& lines) {
    return Stations(nove, lines);
}

RawFileResult CheckStations(const Tmereni& nove, const std::vector<int32_t>& fileLines) {
    return Stations(nove, fileLines.size(), [&fileLines](size_t i) { return fileLines[i]; });
}

RawFileResult InternalFormTokens(const PreparedLine& line, int32_t counter,
                                 std::vector<std::string>& tokens) {
    tokens = Tokenize(line.text);
    if (tokens.size() < 8 || tokens.size() > 11)
        return TokenCountFailure(counter, line.fileLine, tokens.size(), "8 to 11");
    return {};
}

RawFileResult ConvertForExport(std::string& token, Kind kind, const Tnastaveni& s, int32_t counter,
                               int32_t fileLine) {
    if (JeNemereno(token)) {
        // A distance not measured is 0; a direction or zenith angle keeps its token.
        if (kind == Kind::Length) token.assign(1, '0');
        return {};
    }
    Real v = 0;
    const FileError e = ReadValue(token, kind, InternalUnits(), v);
    if (e != FileError::None) return ValueFailure(e, counter, fileLine, token);
    std::string text;
    if (!FormatForFile(v, kind, s, text))
        return FileFailure(FileError::UnwritableValue, counter, fileLine, token);
    token = std::move(text);
    return {};
}

bool FormatForFile(Real value, Kind kind, const Tnastaveni& s, std::string& text) {
    if (!std::isfinite(value)) return false;
    if (kind == Kind::Length) {
        text = FormatLength(value, s.jednotky.delka, s.presnost.delka.hodnota);
    } else {
        text = FormatAngle(value, s.jednotky.uhel, AngleDecimalsForFile(s));
    }
    Real back = 0;
    const NumberStatus st = ParseNumber(text, back);
    if (st == NumberStatus::Ok) {
        if (kind == Kind::Direction && JeUhelVKruhu(value)) {
            Real angle = 0;
            // A valid direction rounded up to the full circle ("400.00000" gon) would
            // be flagged when read again; it is the direction 0.
            if (ParseAngle(text, s.jednotky.uhel, angle) == NumberStatus::Ok &&
                !JeUhelVKruhu(angle))
                text = ZeroText(kind, s);
        }
        return true;
    }
    if (st == NumberStatus::NotANumber) return false;
    // Out of range: either huge (cannot be written) or a tiny value printed with
    // more decimals than the readers accept; the latter is a zero.
    const Real unit = kind == Kind::Length ? MetresToLength(value, s.jednotky.delka)
                                           : RadiansToAngle(value, s.jednotky.uhel);
    if (std::fabs(unit) >= 1) return false;
    text = ZeroText(kind, s);
    return true;
}

RawFileResult CheckRowsForWriting(const Tmereni& mereni) {
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        const auto row = static_cast<int32_t>(i + 1);
        if (z.poradi < 0)
            return FileFailure(FileError::NegativeStation, row, 0, FormatInteger(z.poradi));
        if (!z.JePlny()) continue;
        if (!IsSingleToken(z.cislo_stn))
            return FileFailure(FileError::UnwritableName, row, 0, "\"" + z.cislo_stn + "\"");
        if (!IsSingleToken(z.cislo_cil))
            return FileFailure(FileError::UnwritableName, row, 0, "\"" + z.cislo_cil + "\"");
    }
    return CheckStations(mereni, std::vector<PreparedLine>{});
}

std::string Join(const std::vector<std::string>& tokens) {
    std::string s;
    for (const std::string& t : tokens) {
        if (!s.empty()) s += ' ';
        s += t;
    }
    return s;
}

}  // namespace vertano::raw
