#include "support/SyntetickaSit.h"

#include <cmath>

#include "matice/Konstanty.h"

namespace vertano::test {

namespace {

Real DoKruhu(const Real uhel) {
    Real r = std::fmod(uhel, kDvePi);
    if (r < 0) r += kDvePi;
    return r >= kDvePi ? 0 : r;
}

}  // namespace

void SyntetickaSit::Bod(const std::string& cislo, const Real x, const Real y, const Real z) {
    Tbod b = Tbod::Prazdny();
    b.cislo = cislo;
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.JePlny = true;
    body_.push_back(b);
}

int32_t SyntetickaSit::Stanovisko(const std::string& stanovisko, const Real orientace,
                                  const Real vyskaStn) {
    obsazeni_.push_back(Obsazeni{stanovisko, orientace, vyskaStn, {}});
    return static_cast<int32_t>(obsazeni_.size());
}

void SyntetickaSit::Cil(const std::string& cil, const bool sDelkou, const Real vyskaCil) {
    if (obsazeni_.empty()) return;
    obsazeni_.back().cile.push_back(Zacileni{cil, sDelkou, vyskaCil});
}

Tzaznam SyntetickaSit::Radek(const Obsazeni& o, const Zacileni& c, const int32_t poradi,
                             const int32_t skupina) const {
    const Tbod s = Skutecny(o.stanovisko);
    const Tbod t = Skutecny(c.cil);
    const Real dx = t.X - s.X;
    const Real dy = t.Y - s.Y;
    const Real dz = (t.Z + c.vyskaCil) - (s.Z + o.vyskaStn);
    const Real h = std::hypot(dx, dy);
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.skupina = skupina;
    z.poloha = true;
    z.cislo_stn = o.stanovisko;
    z.cislo_cil = c.cil;
    z.vyska_stn = o.vyskaStn;
    z.vyska_cil = c.vyskaCil;
    z.smer = DoKruhu(std::atan2(dy, dx) - o.orientace);
    z.zenit = std::atan2(h, dz);
    z.delka = c.sDelkou ? std::hypot(h, dz) : 0;
    return z;
}

Tmereni SyntetickaSit::Mereni(const int32_t pocetSkupin) const {
    Tmereni m;
    for (std::size_t k = 0; k < obsazeni_.size(); ++k) {
        const auto poradi = static_cast<int32_t>(k + 1);
        for (int32_t skupina = 1; skupina <= pocetSkupin; ++skupina) {
            for (const Zacileni& c : obsazeni_[k].cile) {
                m.PridejZaznam(Radek(obsazeni_[k], c, poradi, skupina));
            }
        }
    }
    return m;
}

Tsouradnice SyntetickaSit::Zadane(const std::vector<std::string>& cisla, const bool fixni) const {
    Tsouradnice s;
    for (const std::string& cislo : cisla) {
        Tbod b = Skutecny(cislo);
        b.JeFixni = fixni;
        b.poradi = s.Pocet() + 1;
        s.PridejBod(b);
    }
    return s;
}

Tbod SyntetickaSit::Skutecny(const std::string_view cislo) const {
    for (const Tbod& b : body_) {
        if (b.cislo == cislo) return b;
    }
    return Tbod::Prazdny();
}

int32_t IndexZaznamu(const Tmereni& mereni, const int32_t poradi, const int32_t skupina,
                     const std::string_view cil) {
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (z.poradi == poradi && z.skupina == skupina && z.cislo_cil == cil) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

}  // namespace vertano::test
