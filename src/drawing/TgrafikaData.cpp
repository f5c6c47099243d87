#include "drawing/TgrafikaData.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"

namespace vertano {

namespace {

std::size_t Delka(int32_t pocet) {
    return pocet > 0 ? static_cast<std::size_t>(pocet) : 0;
}

}  // namespace

std::string PopisDvojice(const TgrafikaZaznam& z) {
    std::string s =
        FormatInteger(z.smer) + ":" + FormatInteger(z.zenit) + ":" + FormatInteger(z.delkaS);
    if (z.delkaH > 0 || z.smernik > 0 || z.prevyseni > 0)
        s += "(" + FormatInteger(z.delkaH) + ":" + FormatInteger(z.smernik) + ":" +
             FormatInteger(z.prevyseni) + ")";
    return s;
}

std::array<Real, 2> VrcholElipsy(const TgrafikaBod& b, int j, Real s0, Real m) {
    const Real t = j * kPi / 20;
    const Real p = b.a_delka * std::cos(t);
    const Real q = b.b_delka * std::sin(t);
    const Real r = std::sqrt(p * p + q * q);
    const Real phi = Atan2(q, p);
    return {b.X + std::cos(phi + b.a_smernik) * r * s0 * m,
            b.Y + std::sin(phi + b.a_smernik) * r * s0 * m};
}

void TgrafikaData::Create(int32_t pocetBod, int32_t pocetZaznam) {
    Clear();
    body.assign(Delka(pocetBod), TgrafikaBod{});
    mereni.assign(Delka(pocetZaznam), TgrafikaZaznam{});
}

void TgrafikaData::Clear() {
    body.clear();
    mereni.clear();
    odchylkaJednotkovaAprior = 0;
    odchylkaJednotkovaAposterior = 0;
    pocetBodu = 0;
    pocetMereni = 0;
    chyba.clear();
}

void TgrafikaData::Kopiruj(const TgrafikaData& vstup) {
    if (&vstup == this) return;
    body = vstup.body;
    mereni = vstup.mereni;
    odchylkaJednotkovaAprior = vstup.odchylkaJednotkovaAprior;
    odchylkaJednotkovaAposterior = vstup.odchylkaJednotkovaAposterior;
    pocetBodu = vstup.pocetBodu;
    pocetMereni = vstup.pocetMereni;
}

void TgrafikaData::KopirujDXF(const TgrafikaData& vstup, bool souradnicovySystem) {
    Kopiruj(vstup);
    if (souradnicovySystem) return;
    const std::size_t n = Delka(PocetPlatnychBodu());
    for (std::size_t i = 0; i < n; ++i) {
        // 0 - v rather than -v: a zero coordinate stays +0 and is never written
        // as "-0".
        body[i].X = 0 - body[i].X;
        body[i].Y = 0 - body[i].Y;
    }
}

void TgrafikaData::SmazPrazdneZaznamy() {
    std::erase_if(mereni, [](const TgrafikaZaznam& z) { return !z.JePlny; });
    pocetMereni = static_cast<int32_t>(mereni.size());
}

std::string TgrafikaData::mereni2Str() const {
    std::string text;
    const std::size_t n = std::min(Delka(pocetMereni), mereni.size());
    for (std::size_t j = 0; j < n; ++j) {
        const TgrafikaZaznam& z = mereni[j];
        if (j > 0) text += "\r\n";
        for (const int32_t hodnota :
             {z.iStn, z.iCil, z.delkaS, z.smer, z.zenit, z.smernik, z.delkaH, z.prevyseni}) {
            text += FormatInteger(hodnota);
            text += ' ';
        }
        text += z.JePlny ? "-1" : "0";
    }
    return text;
}

std::optional<DrawingExtents> TgrafikaData::Extents() const {
    const std::size_t n = Delka(PocetPlatnychBodu());
    if (n == 0) return std::nullopt;
    DrawingExtents e{body[0].X, body[0].X, body[0].Y, body[0].Y};
    for (std::size_t i = 1; i < n; ++i) {
        e.minX = std::min(e.minX, Real(body[i].X));
        e.maxX = std::max(e.maxX, Real(body[i].X));
        e.minY = std::min(e.minY, Real(body[i].Y));
        e.maxY = std::max(e.maxY, Real(body[i].Y));
    }
    return e;
}

int32_t TgrafikaData::PocetPlatnychBodu() const {
    return static_cast<int32_t>(std::min(Delka(pocetBodu), body.size()));
}

}  // namespace vertano
