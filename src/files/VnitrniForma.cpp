#include "files/VnitrniForma.h"

#include "files/RawRows.h"
#include "matice/Konstanty.h"

namespace vertano {

namespace {

constexpr Real kMaxSigUhel = kPi / 20;
// PridejMereni reads the first eight values of a line and ignores the rest.
constexpr size_t kBezLimitu = SIZE_MAX;

bool Written(Real v, std::string& text) {
    if (!FitForParser(v)) return false;
    text = FormatExact(v);
    return true;
}

// The deviation tokens of a row: the set ones (> 0), with "0" for an unset one that
// precedes a set one.
std::vector<Real> Deviations(const Tzaznam& z) {
    const auto orZero = [](Real v) { return v > 0 ? v : Real{0}; };
    if (z.sig_delka > 0) return {orZero(z.sig_smer), orZero(z.sig_zenit), z.sig_delka};
    if (z.sig_zenit > 0) return {orZero(z.sig_smer), z.sig_zenit};
    if (z.sig_smer > 0) return {z.sig_smer};
    return {};
}

// A deviation token: "0" and values outside (0, limit) leave it unset.
FileError ReadDeviation(const std::string& token, Real limit, StoredReal& sig) {
    Real v = 0;
    const NumberStatus st = ParseNumber(token, v);
    if (st == NumberStatus::NotANumber) return FileError::BadNumber;
    if (st == NumberStatus::OutOfRange) return FileError::NumberOutOfRange;
    sig = (v > 0 && v < limit) ? v : Real{-1};
    return FileError::None;
}

// Rows of the form, 8 tokens read, `maxTokens` accepted.
RawFileResult ReadRows(const std::vector<PreparedLine>& lines, size_t maxTokens,
                       bool withDeviations, Tmereni& nove) {
    const nastaveni::Tjednotky internal = raw::InternalUnits();
    const RawFileResult control = CheckControlCharacters(lines);
    if (!control.ok) return control;
    nove.zaznam.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto counter = static_cast<int32_t>(i + 1);
        const std::vector<std::string> t = Tokenize(lines[i].text);
        if (t.size() < 8 || t.size() > maxTokens)
            return TokenCountFailure(
                counter, lines[i].fileLine, t.size(),
                maxTokens == kBezLimitu ? "at least 8"
                                        : "8 to " + FormatInteger(static_cast<int64_t>(maxTokens)));
        Tzaznam z;
        std::string bad;
        FileError e = raw::RowFromTokens(t, internal, z, bad);
        if (e != FileError::None) return ValueFailure(e, counter, lines[i].fileLine, bad);
        if (withDeviations) {
            StoredReal* const sig[] = {&z.sig_smer, &z.sig_zenit, &z.sig_delka};
            const Real limit[] = {kMaxSigUhel, kMaxSigUhel, kMaxOdchylkaDelky};
            for (size_t k = 8; k < t.size(); ++k) {
                e = ReadDeviation(t[k], limit[k - 8], *sig[k - 8]);
                if (e != FileError::None) return ValueFailure(e, counter, lines[i].fileLine, t[k]);
            }
        }
        nove.zaznam.push_back(std::move(z));
    }
    RawFileResult stanice = raw::CheckStations(nove, lines);
    if (stanice.ok) nove.SeradPoradi();
    return stanice;
}

}  // namespace

RawFileResult UlozDoStringList(const Tmereni& mereni, std::vector<std::string>& strList) {
    strList.clear();
    RawFileResult check = raw::CheckRowsForWriting(mereni);
    if (!check.ok) return check;
    std::vector<std::string> out;
    out.reserve(mereni.zaznam.size());
    std::string v;
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny()) continue;
        std::string line = std::to_string(z.poradi) + " " + z.cislo_stn;
        const auto add = [&](Real x) {
            if (!Written(x, v)) return false;
            line.append(" ").append(v);
            return true;
        };
        const auto name = [&](const std::string& n) { line.append(" ").append(n); };
        bool ok = add(z.vyska_stn);
        name(z.cislo_cil);
        ok = ok && add(z.vyska_cil);
        const auto addOr = [&](Real x, const std::string& chybi) {
            if (chybi.empty()) return add(x);
            line.append(" ").append(chybi);
            return true;
        };
        ok = ok && addOr(z.smer, raw::ChybejiciSmer(z)) && addOr(z.zenit, raw::ChybejiciZenit(z)) &&
             add(z.delka);
        for (const Real s : Deviations(z)) ok = ok && add(s);
        if (!ok) return FileFailure(FileError::UnwritableValue, static_cast<int32_t>(i + 1), 0);
        out.push_back(std::move(line));
    }
    strList = std::move(out);
    RawFileResult r;
    r.counter = static_cast<int32_t>(strList.size());
    return r;
}

RawFileResult ReadVnitrniForma(const std::vector<std::string>& lines, Tmereni& mereni) {
    return ReadVnitrniFormaPrepared(PrepareLines(lines), mereni);
}

RawFileResult ReadVnitrniFormaPrepared(const std::vector<PreparedLine>& lines, Tmereni& mereni) {
    mereni.Clear();
    Tmereni nove;
    RawFileResult r = ReadRows(lines, 11, true, nove);
    if (!r.ok) return r;
    mereni.zaznam = std::move(nove.zaznam);
    r.counter = static_cast<int32_t>(mereni.zaznam.size());
    return r;
}

RawFileResult PridejMereni(Tmereni& mereni, const std::vector<std::string>& strList,
                           int32_t identifikator) {
    Tmereni nove;
    RawFileResult r = ReadRows(PrepareLines(strList), kBezLimitu, false, nove);
    if (!r.ok) return r;
    r.counter = static_cast<int32_t>(nove.zaznam.size());
    mereni.PridejMereniSouboru(nove, identifikator);
    return r;
}

}  // namespace vertano
