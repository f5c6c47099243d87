#include "workspace/TextTabulky.h"

#include <cctype>
#include <charconv>

#include "mereni/TextovySoubor.h"

namespace vertano {

namespace {

std::string_view Orezat(std::string_view s) {
    const auto mezera = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && mezera(s.front())) s.remove_prefix(1);
    while (!s.empty() && mezera(s.back())) s.remove_suffix(1);
    return s;
}

bool JeCislice(char c) {
    return c >= '0' && c <= '9';
}

// The whole text is a decimal number with an optional sign and point.
bool Cislo(std::string_view s, long double& hodnota) {
    s = Orezat(s);
    if (s.empty()) return false;
    std::size_t i = s.front() == '-' || s.front() == '+' ? 1 : 0;
    bool cislice = false;
    bool tecka = false;
    for (std::size_t j = i; j < s.size(); ++j) {
        if (JeCislice(s[j])) {
            cislice = true;
        } else if (s[j] == '.' && !tecka) {
            tecka = true;
        } else {
            return false;
        }
    }
    if (!cislice) return false;
    if (s.front() == '+') s.remove_prefix(1);
    const auto [konec, chyba] = std::from_chars(s.data(), s.data() + s.size(), hodnota);
    return chyba == std::errc{} && konec == s.data() + s.size();
}

// Two runs of digits by their value: leading zeros aside, the longer is larger.
int PorovnatCislice(std::string_view a, std::string_view b) {
    while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int PorovnatTexty(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (JeCislice(a[i]) && JeCislice(b[j])) {
            std::size_t ki = i;
            std::size_t kj = j;
            while (ki < a.size() && JeCislice(a[ki])) ++ki;
            while (kj < b.size() && JeCislice(b[kj])) ++kj;
            const int c = PorovnatCislice(a.substr(i, ki - i), b.substr(j, kj - j));
            if (c != 0) return c;
            i = ki;
            j = kj;
            continue;
        }
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[j]));
        if (x != y) return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    // Equal but for case or leading zeros: a fixed order all the same.
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::string Pole(std::string_view s) {
    s = Orezat(s);
    const bool uvozovky = s.find_first_of(",\"\r\n") != std::string_view::npos;
    if (!uvozovky) return std::string(s);
    std::string pole = "\"";
    for (const char c : s) {
        if (c == '"') pole += '"';
        pole += c;
    }
    pole += '"';
    return pole;
}

void Radek(const std::vector<std::string>& bunky, std::string& text) {
    for (std::size_t i = 0; i < bunky.size(); ++i) {
        if (i > 0) text += ',';
        text += Pole(bunky[i]);
    }
    text += "\r\n";
}

}  // namespace

int PorovnatBunky(std::string_view a, std::string_view b) {
    a = Orezat(a);
    b = Orezat(b);
    if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : a.empty() ? 1 : -1;
    long double x = 0;
    long double y = 0;
    if (Cislo(a, x) && Cislo(b, y)) {
        if (x != y) return x < y ? -1 : 1;
    }
    return PorovnatTexty(a, b);
}

std::string CsvTabulky(const std::vector<std::string>& zahlavi,
                       const std::vector<std::vector<std::string>>& radky) {
    std::string text;
    Radek(zahlavi, text);
    for (const std::vector<std::string>& r : radky) Radek(r, text);
    return text;
}

bool UlozitCsvTabulky(const std::filesystem::path& cesta, const std::vector<std::string>& zahlavi,
                      const std::vector<std::vector<std::string>>& radky, std::string& chyba) {
    return SaveBinaryFile(cesta, CsvTabulky(zahlavi, radky), chyba);
}

std::string ZahlaviNaRadek(std::string_view zahlavi) {
    const std::size_t konec = zahlavi.find('\n');
    if (konec == std::string_view::npos) return std::string(Orezat(zahlavi));
    const std::string_view skupina = Orezat(zahlavi.substr(0, konec));
    const std::string_view nazev = Orezat(zahlavi.substr(konec + 1));
    if (skupina.empty()) return std::string(nazev);
    return std::string(skupina) + " " + std::string(nazev);
}

}  // namespace vertano
