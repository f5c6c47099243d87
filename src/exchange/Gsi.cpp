#include "exchange/Gsi.h"

#include <cmath>
#include <map>
#include <optional>
#include <string>

#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"

namespace vertano::exchange {

namespace {

struct Slovo {
    std::string index;  // word index, two digits
    char jednotka = 0;  // position 6
    char znamenko = '+';
    std::string_view data;
};

// Why a line is refused; empty when it was read.
struct Chyba {
    FileError error = FileError::None;
    std::string detail;
    std::string note;
};

Chyba Spatne(FileError e, std::string_view detail, std::string note = {}) {
    return {e, std::string(detail), std::move(note)};
}

bool JenCislice(std::string_view s) {
    if (s.empty()) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The words of a line: GSI-16 when it begins with "*". The words point into the
// line.
Chyba Slova(std::string_view radek, std::vector<Slovo>& slova) {
    slova.clear();
    const bool gsi16 = !radek.empty() && radek.front() == '*';
    if (gsi16) radek.remove_prefix(1);
    const size_t delka = gsi16 ? 23 : 15;
    size_t pos = 0;
    while (pos < radek.size()) {
        if (radek[pos] == ' ' || radek[pos] == '\t') {
            ++pos;
            continue;
        }
        size_t konec = pos;
        while (konec < radek.size() && radek[konec] != ' ' && radek[konec] != '\t') ++konec;
        const std::string_view t = radek.substr(pos, konec - pos);
        pos = konec;
        if (t.size() != delka)
            return Spatne(FileError::WrongTokenCount, t,
                          "a word of GSI-" + std::string(gsi16 ? "16" : "8") + " has " +
                              FormatInteger(static_cast<int64_t>(delka)) +
                              " characters, this one " +
                              FormatInteger(static_cast<int64_t>(t.size())));
        Slovo s;
        s.index = std::string(t.substr(0, 2));
        if (!JenCislice(s.index))
            return Spatne(FileError::BadNumber, t, "the word index is not two digits");
        s.jednotka = t[5];
        s.znamenko = t[6];
        s.data = t.substr(7);
        if (s.znamenko != '+' && s.znamenko != '-')
            return Spatne(FileError::BadNumber, t, "no sign before the value");
        slova.push_back(std::move(s));
    }
    return {};
}

bool Hodnota(const Slovo& s, Real delitel, Real& hodnota) {
    if (!JenCislice(s.data)) return false;
    Real v = 0;
    for (const char c : s.data) v = v * 10 + (c - '0');
    hodnota = (s.znamenko == '-' ? -v : v) / delitel;
    // The limit of the program's own files: a value no instrument writes.
    return std::fabs(hodnota) <= kMaxMagnitude;
}

Chyba Uhel(const Slovo& s, Real& radiany) {
    Real v = 0;
    const Real delitel = s.jednotka == '5' ? 1e4L : 1e5L;
    if (!Hodnota(s, delitel, v))
        return Spatne(FileError::BadNumber, s.data,
                      "word " + s.index + ": not a number, or beyond 1e12");
    switch (s.jednotka) {
        case '2':
            radiany = v * kPi / 200;
            return {};
        case '3':
            radiany = v * kPi / 180;
            return {};
        case '4': {
            // D.MMSSs with five decimals: the minutes and seconds from the digits.
            std::string text(s.data);
            text.insert(text.size() - 5, ".");
            Real stupne = 0;
            if (DecodeDms(text, stupne) != NumberStatus::Ok)
                return Spatne(FileError::BadDms, s.data, "word " + s.index);
            radiany = (s.znamenko == '-' ? -stupne : stupne) * kPi / 180;
            return {};
        }
        case '5':
            radiany = v * kPi / 3200;
            return {};
        default:
            return Spatne(FileError::UnknownFormat, std::string(1, s.jednotka),
                          "word " + s.index + ": not a unit of angles");
    }
}

Chyba Delka(const Slovo& s, Real& metry) {
    Real delitel = 0;
    Real jednotka = 1;
    switch (s.jednotka) {
        case '0':
            delitel = 1e3L;
            break;
        case '1':
            delitel = 1e3L;
            jednotka = kStopaVMetrech;
            break;
        case '6':
            delitel = 1e4L;
            break;
        case '7':
            delitel = 1e4L;
            jednotka = kStopaVMetrech;
            break;
        case '8':
            delitel = 1e5L;
            break;
        default:
            return Spatne(FileError::UnknownFormat, std::string(1, s.jednotka),
                          "word " + s.index + ": not a unit of lengths");
    }
    Real v = 0;
    if (!Hodnota(s, delitel, v))
        return Spatne(FileError::BadNumber, s.data,
                      "word " + s.index + ": not a number, or beyond 1e12");
    metry = v * jednotka;
    return {};
}

// The point number of word 11: the leading zeros the instrument pads with go.
std::string CisloBodu(std::string_view data) {
    size_t i = 0;
    while (i + 1 < data.size() && data[i] == '0') ++i;
    return std::string(data.substr(i));
}

// The state of the reader between lines.
struct Stav {
    int32_t poradi = 0;
    std::string stanovisko;
    Real vyskaStn = 0;
    std::optional<Real> vyskaCil;
    bool bezVyskyCile = false;  // a note was made already at this station
};

Chyba Stanovisko(const std::map<std::string, const Slovo*>& w, int32_t fileLine, Stav& st,
                 std::vector<Poznamka>& poznamky) {
    const auto bod = w.find("11");
    if (bod == w.end())
        return Spatne(FileError::MissingStationHeader, "",
                      "a station record without its point (11)");
    Real vyska = 0;
    if (const auto h = w.find("88"); h != w.end()) {
        if (Chyba c = Delka(*h->second, vyska); c.error != FileError::None) return c;
    } else {
        poznamky.push_back({fileLine, "station record without instrument height (88): 0 taken"});
    }
    if (w.count("84") || w.count("85") || w.count("86"))
        poznamky.push_back({fileLine, "station coordinates (84-86) not used"});
    // A reflector height of the set-up holds for its pointings until one of
    // them gives another.
    std::optional<Real> vyskaCil;
    if (const auto h = w.find("87"); h != w.end()) {
        Real v = 0;
        if (Chyba c = Delka(*h->second, v); c.error != FileError::None) return c;
        vyskaCil = v;
    }
    ++st.poradi;
    st.stanovisko = CisloBodu(bod->second->data);
    st.vyskaStn = vyska;
    st.vyskaCil = vyskaCil;
    st.bezVyskyCile = false;
    std::string jine;
    for (const auto& [index, slovo] : w) {
        if (index != "11" && index != "88" && index != "84" && index != "85" && index != "86" &&
            index != "87")
            jine += (jine.empty() ? "" : ", ") + index;
    }
    if (!jine.empty()) poznamky.push_back({fileLine, "words " + jine + " of the station not used"});
    return {};
}

Chyba Cil(const std::map<std::string, const Slovo*>& w, int32_t fileLine, Stav& st, Tzaznam& z,
          std::vector<Poznamka>& poznamky) {
    if (st.poradi == 0)
        return Spatne(FileError::MissingStationHeader, "",
                      "a target record before the first station record");
    const auto bod = w.find("11");
    if (bod == w.end())
        return Spatne(FileError::BadName, "", "a target record without its point (11)");
    const auto smer = w.find("21");
    const auto zenit = w.find("22");
    // A pointing keeps what was measured: a direction without a zenith angle, or
    // a distance alone; a record with none of the three is no measurement.
    if (smer == w.end() && zenit == w.end() && w.find("31") == w.end())
        return Spatne(FileError::TooFewTokens, "",
                      "a target record needs a horizontal direction (21), a zenith angle (22) "
                      "or a slope distance (31)");
    z = Tzaznam::Prazdny();
    z.poradi = st.poradi;
    z.cislo_stn = st.stanovisko;
    z.cislo_cil = CisloBodu(bod->second->data);
    z.vyska_stn = st.vyskaStn;
    z.delka = 0;  // none measured unless word 31 says
    Real v = 0;
    z.bezSmeru = smer == w.end();
    z.smer = 0;
    if (smer != w.end()) {
        if (Chyba c = Uhel(*smer->second, v); c.error != FileError::None) return c;
        z.smer = v;
    }
    z.bezZenitu = zenit == w.end();
    z.zenit = 0;
    z.poloha = true;  // without a zenith angle the reading is taken as face I
    if (zenit != w.end()) {
        if (Chyba c = Uhel(*zenit->second, v); c.error != FileError::None) return c;
        z.zenit = v;
        z.poloha = z.zenit <= kPi;
    }
    if (const auto d = w.find("31"); d != w.end()) {
        if (Chyba c = Delka(*d->second, v); c.error != FileError::None) return c;
        z.delka = v;
    }
    if (!z.MaHodnotu())
        return Spatne(FileError::NothingMeasured, "", "a distance of 0 and nothing else");
    if (const auto h = w.find("88"); h != w.end()) {
        if (Chyba c = Delka(*h->second, v); c.error != FileError::None) return c;
        if (v != st.vyskaStn)
            return Spatne(FileError::InconsistentInstrumentHeight, h->second->data,
                          "the instrument height differs from that of station " + st.stanovisko);
    }
    if (const auto h = w.find("87"); h != w.end()) {
        if (Chyba c = Delka(*h->second, v); c.error != FileError::None) return c;
        st.vyskaCil = v;
    } else if (!st.vyskaCil && !st.bezVyskyCile) {
        poznamky.push_back({fileLine, "no reflector height (87) at station " + st.stanovisko +
                                          " yet: 0 taken until one is given"});
        st.bezVyskyCile = true;
    }
    z.vyska_cil = st.vyskaCil.value_or(0);
    std::string jine;
    for (const auto& [index, slovo] : w) {
        if (index != "11" && index != "21" && index != "22" && index != "31" && index != "87" &&
            index != "88")
            jine += (jine.empty() ? "" : ", ") + index;
    }
    if (!jine.empty())
        poznamky.push_back({fileLine, "words " + jine + " of the target record not used"});
    return {};
}

// One line: a row appended to `nove`, the state changed, or a note.
Chyba Radek(std::string_view radek, int32_t fileLine, Stav& st, Tmereni& nove,
            std::vector<Poznamka>& poznamky) {
    std::vector<Slovo> slova;
    if (Chyba c = Slova(radek, slova); c.error != FileError::None) return c;
    std::map<std::string, const Slovo*> w;
    for (const Slovo& s : slova) {
        if (!w.emplace(s.index, &s).second)
            return Spatne(FileError::WrongTokenCount, s.index,
                          "word " + s.index + " twice in the block");
    }
    if (w.count("21") || w.count("22") || w.count("31")) {
        Tzaznam z;
        if (Chyba c = Cil(w, fileLine, st, z, poznamky); c.error != FileError::None) return c;
        nove.zaznam.push_back(std::move(z));
        return {};
    }
    if (w.count("88") || w.count("84") || w.count("85") || w.count("86"))
        return Stanovisko(w, fileLine, st, poznamky);
    if (!slova.empty() && slova.front().index.front() == '4') {
        poznamky.push_back({fileLine, "code block not used"});
    } else {
        poznamky.push_back({fileLine, "block without measurements not used"});
    }
    return {};
}

template <class Walk>
FileResult ReadGsiWalk(const Walk& walk, Tmereni& mereni, std::vector<Poznamka>& poznamky) {
    mereni.Clear();
    poznamky.clear();
    int32_t counter = 0;
    FileResult r;
    FileResult read = walk([&](std::string_view line, int32_t fileLine) {
        ++counter;
        if (HasControlCharacter(line))
            r = FileFailure(FileError::ControlCharacter, counter, fileLine, std::string(line));
        return r.ok;
    });
    if (!read.ok) return read;
    if (!r.ok) return r;
    Tmereni nove;
    nove.zaznam.reserve(static_cast<size_t>(counter));
    std::vector<Poznamka> zapsane;
    Stav st;
    counter = 0;
    read = walk([&](std::string_view line, int32_t fileLine) {
        ++counter;
        const Chyba c = Radek(line, fileLine, st, nove, zapsane);
        if (c.error == FileError::None) return true;
        r = FileFailure(c.error, counter, fileLine, c.detail);
        r.note = c.note;
        return false;
    });
    if (!read.ok) return read;
    if (!r.ok) return r;
    nove.SeradPoradi();
    mereni.zaznam = std::move(nove.zaznam);
    poznamky = std::move(zapsane);
    FileResult ok;
    ok.counter = static_cast<int32_t>(mereni.zaznam.size());
    return ok;
}

}  // namespace

FileResult ReadGsiText(std::string_view text, Tmereni& mereni, std::vector<Poznamka>& poznamky) {
    const auto walk = [text](auto&& visit) {
        ForEachPreparedLine(text, visit);
        return FileResult{};
    };
    return ReadGsiWalk(walk, mereni, poznamky);
}

FileResult ReadGsiStream(const TextStream& text, Tmereni& mereni, std::vector<Poznamka>& poznamky) {
    const auto walk = [&text](auto&& visit) {
        std::string message;
        if (text.ForEachPreparedLine(visit, message)) return FileResult{};
        return NotedFailure(FileError::CannotOpen, 0, 0, message);
    };
    return ReadGsiWalk(walk, mereni, poznamky);
}

}  // namespace vertano::exchange
