#include "reports/Tabulka.h"

#include <algorithm>

#include "data/Tjazyk.h"
#include "reports/Tprotokol.h"

namespace vertano {

namespace {

std::string Pismeno(std::size_t i) {
    // Beyond Z the letters continue as AA, AB, ...; no report has that many.
    std::string s;
    ++i;
    while (i > 0) {
        --i;
        s.insert(s.begin(), static_cast<char>('A' + i % 26));
        i /= 26;
    }
    return s;
}

std::string Zahlavi(const Sloupec& s, std::size_t i) {
    return Pismeno(i) + (s.jednotka.empty() ? "" : "[" + s.jednotka + "]");
}

std::string Vpravo(const std::string& text, std::size_t sirka) {
    const std::size_t n = DelkaTextu(text);
    return n >= sirka ? text : std::string(sirka - n, ' ') + text;
}

std::string Radek(const RadekTabulky& bunky, const std::vector<std::size_t>& sirky) {
    std::string radek;
    for (std::size_t i = 0; i < bunky.size(); ++i) {
        if (i > 0) radek += "  ";
        radek += Vpravo(bunky[i], sirky[i]);
    }
    return radek;
}

void Zkontrolovat(const RadekTabulky& r, std::size_t pocet) {
    if (r.size() != pocet) throw ChybaProtokolu("A table row does not fit its columns");
}

void Rozsirit(std::vector<std::size_t>& sirky, const RadekTabulky& r) {
    for (std::size_t i = 0; i < r.size(); ++i) sirky[i] = std::max(sirky[i], DelkaTextu(r[i]));
}

}  // namespace

std::size_t DelkaTextu(std::string_view text) {
    // Every byte that does not continue a UTF-8 sequence starts a character.
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Cara(char znak, std::string_view text) {
    return Cara(znak, DelkaTextu(text));
}

std::string Cara(char znak, std::size_t delka) {
    return std::string(delka, znak);
}

std::vector<std::string> Tabulka::Radky() const {
    const std::size_t n = sloupce.size();
    RadekTabulky hlava;
    for (std::size_t i = 0; i < n; ++i) hlava.push_back(Zahlavi(sloupce[i], i));
    std::vector<std::size_t> sirky(n, 0);
    Rozsirit(sirky, hlava);
    for (const RadekTabulky& r : radky) {
        Zkontrolovat(r, n);
        Rozsirit(sirky, r);
    }
    for (const SkupinaRadku& s : skupiny) {
        for (const RadekTabulky& r : s.radky) {
            Zkontrolovat(r, n);
            Rozsirit(sirky, r);
        }
    }
    std::vector<std::string> vystup;
    vystup.push_back(Radek(hlava, sirky));
    const std::string cara = Cara('-', vystup.front());
    if (!seskupena) {
        vystup.push_back(cara);
        for (const RadekTabulky& r : radky) vystup.push_back(Radek(r, sirky));
        return vystup;
    }
    for (const SkupinaRadku& s : skupiny) {
        vystup.push_back(cara);
        vystup.push_back(s.zahlavi);
        vystup.push_back(cara);
        for (const RadekTabulky& r : s.radky) vystup.push_back(Radek(r, sirky));
    }
    return vystup;
}

std::string LegendaSloupcu(const Tabulka& tabulka) {
    std::string sloupce;
    for (std::size_t i = 0; i < tabulka.sloupce.size(); ++i) {
        const Sloupec& s = tabulka.sloupce[i];
        sloupce += Pismeno(i) + ": " + s.nazev;
        if (!s.jednotka.empty()) sloupce += " [" + s.jednotka + "]";
        if (!s.poznamka.empty()) sloupce += " (" + s.poznamka + ")";
        sloupce += "\r\n";
    }
    return sloupce;
}

void ZapsatSekci(Tprotokol& protokol, const Tjazyk& jazyk, const Sekce& sekce) {
    const std::vector<std::string> tabulka = sekce.tabulka.Radky();
    protokol.Pridej("\r\n");
    protokol.Pridej(sekce.nadpis);
    protokol.Pridej(Cara('=', sekce.nadpis));
    const std::string legenda = jazyk.protokol.legenda + ":";
    protokol.Pridej("\r\n" + legenda + "\r\n" + Cara('~', legenda));
    if (sekce.tabulka.seskupena) protokol.Pridej("--\r\n" + sekce.legendaSkupin + "\r\n--");
    protokol.Pridej(LegendaSloupcu(sekce.tabulka));
    const std::string data = jazyk.protokol.data + ":";
    protokol.Pridej(data);
    protokol.Pridej(Cara('~', data));
    for (const std::string& r : tabulka) protokol.Pridej(r);
}

}  // namespace vertano
