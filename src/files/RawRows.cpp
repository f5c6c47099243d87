#include "files/RawRows.h"

#include <cmath>

#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"

namespace vertano::raw {

namespace {

RawFileError FromStatus(NumberStatus st) {
    switch (st) {
        case NumberStatus::Ok:
            return RawFileError::None;
        case NumberStatus::OutOfRange:
            return RawFileError::NumberOutOfRange;
        case NumberStatus::NotANumber:
            break;
    }
    return RawFileError::BadNumber;
}

std::string ZeroText(Kind kind, const Tnastaveni& s) {
    if (kind == Kind::Length) return "0";
    return FormatAngle(0, s.jednotky.uhel, s.presnost.uhel.hodnota);
}

}  // namespace

nastaveni::Tjednotky InternalUnits() {
    nastaveni::Tjednotky j;
    j.uhel = jednotka::kRadian;
    j.delka = jednotka::kMetr;
    return j;
}

RawFileError ReadStationNumber(const std::string& token, int32_t& poradi) {
    if (!ParseInteger(token, poradi)) return RawFileError::BadStationNumber;
    if (poradi < 0) return RawFileError::NegativeStation;
    return RawFileError::None;
}

RawFileError ReadValue(const std::string& token, Kind kind, const nastaveni::Tjednotky& j,
                       Real& value) {
    const NumberStatus st = kind == Kind::Length ? ParseLength(token, j.delka, value)
                                                 : ParseAngle(token, j.uhel, value);
    return FromStatus(st);
}

RawFileError RowFromTokens(const std::vector<std::string>& t, const nastaveni::Tjednotky& j,
                           Tzaznam& z, std::string& bad) {
    z = Tzaznam::Prazdny();
    RawFileError e = ReadStationNumber(t[0], z.poradi);
    if (e != RawFileError::None) {
        bad = t[0];
        return e;
    }
    z.cislo_stn = t[1];
    z.cislo_cil = t[3];
    const struct {
        size_t index;
        Kind kind;
        Real* target;
    } values[] = {{2, Kind::Length, &z.vyska_stn},
                  {4, Kind::Length, &z.vyska_cil},
                  {5, Kind::Direction, &z.smer},
                  {6, Kind::Angle, &z.zenit},
                  {7, Kind::Length, &z.delka}};
    for (const auto& v : values) {
        e = ReadValue(t[v.index], v.kind, j, *v.target);
        if (e != RawFileError::None) {
            bad = t[v.index];
            return e;
        }
    }
    z.poloha = z.zenit <= kPi;
    return RawFileError::None;
}

int32_t FirstInconsistentRow(const Tmereni& mereni, RawFileError& error) {
    const Tzaznam* current = nullptr;
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny()) continue;
        if (current == nullptr || z.poradi != current->poradi) {
            current = &z;
            continue;
        }
        if (z.cislo_stn != current->cislo_stn) {
            error = RawFileError::InconsistentStationName;
            return static_cast<int32_t>(i);
        }
        if (z.vyska_stn != current->vyska_stn) {
            error = RawFileError::InconsistentInstrumentHeight;
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool IsWritableName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
    return true;
}

bool FormatForFile(Real value, Kind kind, const Tnastaveni& s, std::string& text) {
    if (!std::isfinite(value)) return false;
    if (kind == Kind::Length) {
        text = FormatLength(value, s.jednotky.delka, s.presnost.delka.hodnota);
    } else {
        text = FormatAngle(value, s.jednotky.uhel, s.presnost.uhel.hodnota);
    }
    Real back = 0;
    const NumberStatus st = ParseNumber(text, back);
    if (st == NumberStatus::Ok) {
        if (kind == Kind::Direction && value >= 0 && value < kDvePi) {
            Real angle = 0;
            // The same allowance as the value check, so "400.00000" gon (the full
            // circle, rounded) never reaches a file.
            if (ParseAngle(text, s.jednotky.uhel, angle) == NumberStatus::Ok &&
                angle >= kDvePi - 1e-15L)
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
            return RawFailure(RawFileError::NegativeStation, row, 0, std::to_string(z.poradi));
        if (!z.JePlny()) continue;
        if (!IsWritableName(z.cislo_stn))
            return RawFailure(RawFileError::UnwritableName, row, 0, "\"" + z.cislo_stn + "\"");
        if (!IsWritableName(z.cislo_cil))
            return RawFailure(RawFileError::UnwritableName, row, 0, "\"" + z.cislo_cil + "\"");
    }
    RawFileError e = RawFileError::None;
    const int32_t bad = FirstInconsistentRow(mereni, e);
    if (bad >= 0) {
        const Tzaznam& z = mereni.zaznam[static_cast<size_t>(bad)];
        return RawFailure(e, bad + 1, 0, "station " + z.cislo_stn);
    }
    return {};
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
