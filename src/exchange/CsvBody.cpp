#include "exchange/CsvBody.h"

#include <algorithm>

#include "mereni/Jednotky.h"
#include "mereni/Text.h"

namespace vertano::exchange {

namespace {

bool Hodnota(const std::string& pole, char desetinna, uint8_t jednotka, Real& metry) {
    const char jina = desetinna == '.' ? ',' : '.';
    if (pole.find(jina) != std::string::npos) return false;
    Real v = 0;
    if (ParseNumber(Trim(pole), v) != NumberStatus::Ok) return false;
    metry = LengthToMetres(v, jednotka);
    return true;
}

// The same into a field of a point (written only on success).
bool Hodnota(const std::string& pole, char desetinna, uint8_t jednotka, StoredReal& metry) {
    Real v = 0;
    if (!Hodnota(pole, desetinna, jednotka, v)) return false;
    metry = v;
    return true;
}

struct Sloupce {
    size_t n = 0, x = 0, y = 0, z = 0;
};

Sloupce Indexy(const std::string& poradi) {
    Sloupce s;
    for (size_t i = 0; i < poradi.size(); ++i) {
        switch (poradi[i]) {
            case 'N':
                s.n = i;
                break;
            case 'X':
                s.x = i;
                break;
            case 'Y':
                s.y = i;
                break;
            case 'Z':
                s.z = i;
                break;
            default:
                break;
        }
    }
    return s;
}

}  // namespace

std::string KontrolaVoleb(const CsvVolby& v) {
    for (const char c : std::string("NXYZ")) {
        if (std::count(v.poradi.begin(), v.poradi.end(), c) != 1)
            return std::string("the column order must name ") + c + " once";
    }
    for (const char c : v.poradi) {
        if (std::string("NXYZ-").find(c) == std::string::npos)
            return "the column order may hold only N, X, Y, Z and -";
    }
    if (std::string(",;\t ").find(v.oddelovac) == std::string::npos)
        return "the separator must be a comma, a semicolon, a tab or a blank";
    if (v.desetinna != '.' && v.desetinna != ',') return "the decimal mark must be . or ,";
    if (v.desetinna == v.oddelovac) return "the decimal mark cannot be the separator";
    return {};
}

bool ParseCsvVolby(std::string_view text, CsvVolby& volby, std::string& chyba) {
    CsvVolby v;
    // "sep=," and "decimal=," hold a comma themselves: a key starts a part.
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t rovno = text.find('=', pos);
        if (rovno == std::string_view::npos) {
            chyba = "expected key=value in '" + std::string(text.substr(pos)) + "'";
            return false;
        }
        const std::string klic(text.substr(pos, rovno - pos));
        size_t konec = rovno + 1;
        // The value is one character when it is a separator or a decimal mark.
        if (klic == "sep" || klic == "decimal") {
            konec = text.find(',', rovno + 2);
        } else {
            konec = text.find(',', rovno + 1);
        }
        if (konec == std::string_view::npos) konec = text.size();
        const std::string hodnota(text.substr(rovno + 1, konec - rovno - 1));
        pos = konec + 1;
        if (klic == "order") {
            v.poradi = hodnota;
            for (char& c : v.poradi) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        } else if (klic == "sep") {
            if (hodnota == "comma")
                v.oddelovac = ',';
            else if (hodnota == "semicolon")
                v.oddelovac = ';';
            else if (hodnota == "tab")
                v.oddelovac = '\t';
            else if (hodnota == "space")
                v.oddelovac = ' ';
            else if (hodnota.size() == 1)
                v.oddelovac = hodnota[0];
            else {
                chyba = "unknown separator '" + hodnota + "'";
                return false;
            }
        } else if (klic == "decimal") {
            if (hodnota.size() != 1) {
                chyba = "the decimal mark is one character";
                return false;
            }
            v.desetinna = hodnota[0];
        } else if (klic == "header") {
            if (hodnota == "yes")
                v.hlavicka = CsvVolby::Hlavicka::Ano;
            else if (hodnota == "no")
                v.hlavicka = CsvVolby::Hlavicka::Ne;
            else if (hodnota == "auto")
                v.hlavicka = CsvVolby::Hlavicka::Zjistit;
            else {
                chyba = "header is yes, no or auto";
                return false;
            }
        } else {
            chyba = "unknown key '" + klic + "' (order, sep, decimal, header)";
            return false;
        }
    }
    chyba = KontrolaVoleb(v);
    if (!chyba.empty()) return false;
    volby = v;
    return true;
}

bool PoleCsv(std::string_view radek, char oddelovac, std::vector<std::string>& pole) {
    pole.clear();
    if (oddelovac == ' ') {
        for (std::string& t : Tokenize(radek)) pole.push_back(std::move(t));
        return true;
    }
    size_t i = 0;
    while (true) {
        std::string p;
        if (i < radek.size() && radek[i] == '"') {
            ++i;
            bool zavreno = false;
            while (i < radek.size()) {
                if (radek[i] == '"') {
                    if (i + 1 < radek.size() && radek[i + 1] == '"') {
                        p += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    zavreno = true;
                    break;
                }
                p += radek[i++];
            }
            if (!zavreno) return false;
            if (i < radek.size() && radek[i] != oddelovac) return false;
        } else {
            while (i < radek.size() && radek[i] != oddelovac) p += radek[i++];
            p = std::string(Trim(p));
        }
        pole.push_back(std::move(p));
        if (i >= radek.size()) return true;
        ++i;  // the separator
    }
}

std::string PoleProCsv(std::string_view text, char oddelovac) {
    const bool uvozovky = text.find(oddelovac) != std::string_view::npos ||
                          text.find('"') != std::string_view::npos ||
                          (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!uvozovky) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

FileResult ReadCsvBody(std::string_view text, const CsvVolby& volby, uint8_t jednotka,
                       Tsouradnice& body, std::vector<Poznamka>& poznamky) {
    body.Clear();
    poznamky.clear();
    if (const std::string chyba = KontrolaVoleb(volby); !chyba.empty())
        return NotedFailure(FileError::UnknownFormat, 0, 0, chyba);
    const Sloupce s = Indexy(volby.poradi);
    Tsouradnice nove;
    std::vector<Poznamka> zapsane;
    FileResult r;
    int32_t counter = 0;
    std::vector<std::string> pole;
    ForEachPreparedLine(text, [&](std::string_view line, int32_t fileLine) {
        ++counter;
        if (HasControlCharacter(line)) {
            r = FileFailure(FileError::ControlCharacter, counter, fileLine, std::string(line));
            return false;
        }
        if (!PoleCsv(line, volby.oddelovac, pole)) {
            r = NotedFailure(FileError::BadNumber, counter, fileLine,
                             "a quote is not closed, or text follows a closing quote");
            return false;
        }
        if (pole.size() != volby.poradi.size()) {
            r = TokenCountFailure(counter, fileLine, pole.size(),
                                  FormatInteger(static_cast<int64_t>(volby.poradi.size())));
            return false;
        }
        Tbod b = Tbod::Prazdny();
        const bool cisla = Hodnota(pole[s.x], volby.desetinna, jednotka, b.X) &&
                           Hodnota(pole[s.y], volby.desetinna, jednotka, b.Y) &&
                           Hodnota(pole[s.z], volby.desetinna, jednotka, b.Z);
        // A header names the columns: none of its coordinates is a number of any
        // decimal mark (a number with the wrong mark is an error, not a header).
        const auto slovo = [](const std::string& p) {
            Real v = 0;
            return ParseNumber(Trim(p), v) != NumberStatus::Ok;
        };
        const bool hlavicka = slovo(pole[s.x]) && slovo(pole[s.y]) && slovo(pole[s.z]);
        if (counter == 1 && volby.hlavicka != CsvVolby::Hlavicka::Ne &&
            (volby.hlavicka == CsvVolby::Hlavicka::Ano || hlavicka)) {
            zapsane.push_back({fileLine, "header line (names of the columns) not used"});
            return true;
        }
        if (!cisla) {
            for (const size_t i : {s.x, s.y, s.z}) {
                Real v = 0;
                if (!Hodnota(pole[i], volby.desetinna, jednotka, v)) {
                    r = ValueFailure(FileError::BadNumber, counter, fileLine, pole[i]);
                    r.note = std::string("decimal mark '") + volby.desetinna + "'";
                    return false;
                }
            }
        }
        b.cislo = pole[s.n];
        if (!IsSingleToken(b.cislo)) {
            r = FileFailure(FileError::UnwritableName, counter, fileLine, b.cislo);
            return false;
        }
        b.JePlny = true;
        b.JeFixni = true;
        nove.PridejBod(b);
        return true;
    });
    if (!r.ok) return r;
    body = std::move(nove);
    body.SeraditPoradi();
    poznamky = std::move(zapsane);
    FileResult ok;
    ok.counter = body.PocetPlnychBodu();
    return ok;
}

}  // namespace vertano::exchange
