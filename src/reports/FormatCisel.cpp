#include "reports/FormatCisel.h"

#include <cmath>

#include "data/Tjazyk.h"
#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "reports/Tprotokol.h"

namespace vertano {

namespace {

Real Konecne(Real hodnota) {
    if (!std::isfinite(hodnota)) throw ChybaProtokolu("A value of the report is not a number");
    return hodnota;
}

}  // namespace

FormatCisel::FormatCisel(const Tnastaveni& nastaveni)
    : jednotky_(nastaveni.jednotky), presnost_(nastaveni.presnost) {}

std::string FormatCisel::Uhel(Real radiany) const {
    return FormatAngle(Konecne(radiany), jednotky_.uhel, presnost_.uhel.hodnota);
}

Real FormatCisel::UhelOdchylkaVJednotce(Real radiany) const {
    if (jednotky_.uhel == jednotka::kDms) return radiany * (180 / kPi) * 3600;
    return RadiansToAngle(radiany, jednotky_.uhel) * 1000;
}

Real FormatCisel::DelkaOdchylkaVJednotce(Real metry, uint8_t jednotka) const {
    if (jednotka == jednotka::kStopa) return metry / kStopaVMetrech * 864;
    return metry * 1000;
}

std::string FormatCisel::UhelOdchylka(Real radiany) const {
    return FormatFixed(Konecne(UhelOdchylkaVJednotce(Konecne(radiany))), presnost_.uhel.odchylka);
}

std::string FormatCisel::Delka(Real metry) const {
    return FormatFixed(Konecne(MetresToLength(Konecne(metry), jednotky_.delka)),
                       presnost_.delka.hodnota);
}

std::string FormatCisel::DelkaOdchylka(Real metry) const {
    return FormatFixed(Konecne(DelkaOdchylkaVJednotce(Konecne(metry), jednotky_.delka)),
                       presnost_.delka.odchylka);
}

std::string FormatCisel::Souradnice(Real metry) const {
    return FormatFixed(Konecne(MetresToLength(Konecne(metry), jednotky_.souradnice)),
                       presnost_.souradnice.hodnota);
}

std::string FormatCisel::SouradniceOdchylka(Real metry) const {
    return FormatFixed(Konecne(DelkaOdchylkaVJednotce(Konecne(metry), jednotky_.souradnice)),
                       presnost_.souradnice.odchylka);
}

std::string FormatCisel::Meritko(Real meritko) const {
    return FormatFixed(Konecne(meritko), presnost_.meritko);
}

std::string FormatCisel::Hodnota(bool uhel, Real hodnota) const {
    return uhel ? Uhel(hodnota) : Delka(hodnota);
}

std::string FormatCisel::Odchylka(bool uhel, Real odchylka) const {
    return uhel ? UhelOdchylka(odchylka) : DelkaOdchylka(odchylka);
}

std::string TriDesetinna(Real hodnota) {
    return FormatFixed(Konecne(hodnota), 3);
}

std::string TextHladiny(Real hladina) {
    std::string s = TriDesetinna(hladina);
    if (s.find('.') == std::string::npos) return s;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

std::string Pomer(int32_t n, int32_t celkem) {
    const std::string podil =
        celkem > 0 ? TriDesetinna(static_cast<Real>(n) / static_cast<Real>(celkem)) : "-";
    return CeleCislo(n) + "/" + CeleCislo(celkem) + " [" + podil + "]";
}

std::string CeleCislo(int64_t n) {
    return FormatInteger(n);
}

JednotkyProtokolu::JednotkyProtokolu(const Tjazyk& j)
    : uhel(j.popisJednotky.smer_hodnota),
      uhelOdchylka(j.popisJednotky.smer_odchylka),
      delka(j.popisJednotky.delka_hodnota),
      delkaOdchylka(j.popisJednotky.delka_odchylka),
      souradnice(j.popisJednotky.x_hodnota),
      souradniceOdchylka(j.popisJednotky.x_odchylka) {}

}  // namespace vertano
