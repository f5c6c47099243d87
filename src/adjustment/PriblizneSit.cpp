#include "adjustment/PriblizneSit.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "adjustment/PriblizneKonstrukce.h"
#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

bool MaKonecneHodnoty(const Tzaznam& z) {
    return std::isfinite(z.smer) && std::isfinite(z.zenit) && std::isfinite(z.delka) &&
           z.delka >= 0 && std::isfinite(z.zkresleniDelky);
}

// A row measured in face II only: the same pointing in face I.
void NaPrvniPolohu(Tzaznam& z) {
    if (z.zenit > kPi && z.zenit < kDvePi) {
        z.zenit = kDvePi - z.zenit;
        z.smer = Normalise(z.smer + kPi);
    }
}

}  // namespace

PriblizneRadky PripravitRadky(const Tmereni& mereni, const std::vector<std::string>& cislaBodu) {
    std::unordered_map<std::string_view, int32_t> body;
    for (std::size_t i = 0; i < cislaBodu.size(); ++i) {
        body.try_emplace(cislaBodu[i], static_cast<int32_t>(i));
    }
    // Occupations numbered densely: `poradi` comes from the caller and sizes the
    // orientation store, so a stray large number must not allocate for nothing.
    std::unordered_map<int32_t, int32_t> stanoviska;
    PriblizneRadky vysledek;
    for (const Tzaznam& zaznam : mereni.zaznam) {
        if (!zaznam.JePlny()) continue;
        const auto stn = body.find(zaznam.cislo_stn);
        const auto cil = body.find(zaznam.cislo_cil);
        if (stn == body.end() || cil == body.end() || stn->second == cil->second ||
            !MaPouzitelnySmer(zaznam) || !MaKonecneHodnoty(zaznam)) {
            ++vysledek.pocetVynechanych;
            continue;
        }
        const auto [it, novy] = stanoviska.try_emplace(
            zaznam.poradi, static_cast<int32_t>(vysledek.puvodniPoradi.size()) + 1);
        if (novy) vysledek.puvodniPoradi.push_back(zaznam.poradi);
        Tzaznam z = zaznam;
        z.iStn = stn->second;
        z.iCil = cil->second;
        z.poradi = it->second;
        NaPrvniPolohu(z);
        vysledek.radky.push_back(std::move(z));
    }
    return vysledek;
}

SitPriblizne::SitPriblizne(const std::vector<std::string>& cislaBodu, PriblizneRadky radky,
                           VysledekPriblizne& vysledek)
    : cisla_(cislaBodu),
      puvodniPoradi_(std::move(radky.puvodniPoradi)),
      vysledek_(vysledek),
      kandidati_(cislaBodu),
      zmrazeny_(cislaBodu.size(), false),
      stanoviskaKCili_(cislaBodu.size()),
      cekajici_(std::move(radky.radky)) {
    const auto pocetBodu = static_cast<int32_t>(cislaBodu.size());
    const auto pocetStanovisek = static_cast<int32_t>(puvodniPoradi_.size());
    orientovane_.Create(pocetBodu, pocetStanovisek);
    vsechna_.Create(pocetBodu, pocetStanovisek);
    for (const Tzaznam& z : cekajici_) vsechna_.PridejZaznam(z);
    vysledek_.body.assign(cislaBodu.size(), PuvodBodu{});
    for (std::size_t i = 0; i < cislaBodu.size(); ++i) vysledek_.body[i].cislo = cislaBodu[i];
}

void SitPriblizne::VlozitZname(const Tsouradnice& souradnice) {
    kandidati_.PridejSouradnice(souradnice);
    for (int32_t i = 0; i < kandidati_.Pocet(); ++i) {
        if (!JeZnamy(i)) continue;
        const auto u = static_cast<std::size_t>(i);
        PuvodBodu& puvod = vysledek_.body[u];
        puvod.jeZadany = true;
        puvod.jeFixni = kandidati_.median[u].JeFixni;
        puvod.pocetKandidatu[static_cast<std::size_t>(ZpusobUrceni::Zadany)] =
            kandidati_.PocetKandidatu(i);
        zmrazeny_[u] = puvod.jeFixni;
    }
}

// ---- state ----

bool SitPriblizne::JeZnamy(const int32_t i) const {
    return i >= 0 && i < kandidati_.Pocet() &&
           kandidati_.median[static_cast<std::size_t>(i)].JePlny;
}

bool SitPriblizne::JeZmrazeny(const int32_t i) const {
    return i >= 0 && static_cast<std::size_t>(i) < zmrazeny_.size() &&
           zmrazeny_[static_cast<std::size_t>(i)];
}

Tbod SitPriblizne::Poloha(const int32_t i) const {
    Tbod bod = Tbod::Prazdny();
    kandidati_.VratBodMedian(bod, i);
    return bod;
}

bool SitPriblizne::Orientace(const int32_t poradi, Real& posun) const {
    if (poradi < 1 || poradi > orientovane_.PocetStanovisek()) return false;
    const Tzaznam& median = orientovane_.median[static_cast<std::size_t>(poradi - 1)];
    if (!median.JePlny()) return false;
    posun = median.posun;
    return true;
}

bool SitPriblizne::VsechnyZname() const {
    for (int32_t i = 0; i < kandidati_.Pocet(); ++i) {
        if (!JeZnamy(i)) return false;
    }
    return true;
}

// ---- stores ----

bool SitPriblizne::PridatKandidata(const int32_t i, const Tbod& poloha, const ZpusobUrceni zpusob,
                                   const Tzaznam& zaznam) {
    // The construction did apply; a fixed point just keeps its given value.
    if (JeZmrazeny(i)) return true;
    if (i < 0 || i >= kandidati_.Pocet()) return false;
    const auto u = static_cast<std::size_t>(i);
    Tbod kandidat = Tbod::Prazdny();
    kandidat.cislo = cisla_[u];
    kandidat.poradi = i + 1;
    kandidat.X = poloha.X;
    kandidat.Y = poloha.Y;
    kandidat.Z = poloha.Z;
    kandidat.JePlny = true;
    const bool prvni = !JeZnamy(i);
    if (!kandidati_.VlozitBod(kandidat, i)) return false;
    PuvodBodu& puvod = vysledek_.body[u];
    if (prvni) {
        puvod.prvni = zpusob;
        puvod.pruchod = pruchod_;
        const auto k = static_cast<std::size_t>(zaznam.poradi - 1);
        puvod.poradiStanoviska = k < puvodniPoradi_.size() ? puvodniPoradi_[k] : 0;
        puvod.cisloStn = zaznam.cislo_stn;
        puvod.cisloCil = zaznam.cislo_cil;
    }
    ++puvod.pocetKandidatu[static_cast<std::size_t>(zpusob)];
    return true;
}

void SitPriblizne::VlozitOrientovany(Tzaznam zaznam) {
    // Orientation samples are angles: kept next to the current median, samples on
    // both sides of the zero bearing stay neighbours in the ascending vector, and
    // a gross error cannot end up between them and become the median.
    Real median = 0;
    if (Orientace(zaznam.poradi, median)) zaznam.posun = Unwrap(zaznam.posun, median);
    if (!orientovane_.VlozZaznam(zaznam)) return;
    std::vector<int32_t>& stanoviska = stanoviskaKCili_[static_cast<std::size_t>(zaznam.iCil)];
    const auto misto = std::lower_bound(stanoviska.begin(), stanoviska.end(), zaznam.iStn);
    if (misto == stanoviska.end() || *misto != zaznam.iStn) stanoviska.insert(misto, zaznam.iStn);
}

bool SitPriblizne::OrientacniVzorek(Tzaznam& zaznam) const {
    Real smernik = 0;
    if (!SmernikBodu(Poloha(zaznam.iStn), Poloha(zaznam.iCil), smernik)) return false;
    zaznam.smernik = smernik;
    zaznam.posun = Normalise(smernik - zaznam.smer);
    return true;
}

// ---- passes ----

void SitPriblizne::Propagovat() {
    if (VsechnyZname()) return;
    FpGuard guard;
    PocatecniOrientace();
    // Every change consumes a row from the pending list or from the bearing list,
    // and a row passes through each at most once: there are at most twice as
    // many changing passes as rows. The bound only guards that reasoning.
    const std::size_t mez = 2 * (cekajici_.size() + smerniky_.size()) + 2;
    for (std::size_t pruchod = 1; pruchod <= mez; ++pruchod) {
        ++pruchod_;
        vysledek_.pocetPruchodu = pruchod_;
        bool zmena = PruchodCekajicich();
        zmena = PruchodSmerniku() || zmena;
        if (!guard.Ok()) {
            vysledek_.jePreruseno = true;
            return;
        }
        if (!zmena) return;
    }
    vysledek_.jePreruseno = true;
}

void SitPriblizne::PocatecniOrientace() {
    for (Tzaznam& z : cekajici_) {
        if (!JeZnamy(z.iStn) || !JeZnamy(z.iCil)) continue;
        if (OrientacniVzorek(z)) VlozitOrientovany(z);
        z.poradi = 0;
    }
}

bool SitPriblizne::PruchodCekajicich() {
    std::erase_if(cekajici_, [](const Tzaznam& z) { return !z.JePlny(); });
    bool zmena = false;
    for (Tzaznam& z : cekajici_) {
        bool maVzorek = false;
        if (JeZnamy(z.iStn) && JeZnamy(z.iCil) && OrientacniVzorek(z)) {
            VlozitOrientovany(z);
            maVzorek = true;
        }
        if (Polarni(z, true) || Volne(z) || Zpet(z) || Prenos(z) || MeziZnamymi(z, maVzorek)) {
            z.poradi = 0;
            zmena = true;
        }
    }
    return zmena;
}

bool SitPriblizne::PruchodSmerniku() {
    std::erase_if(smerniky_, [](const Tzaznam& z) { return !z.JePlny(); });
    bool zmena = false;
    for (Tzaznam& z : smerniky_) {
        // A row of the bearing list is already in the oriented matrix; a second
        // copy would count its orientation sample twice.
        if (Polarni(z, false) || Vpred(z)) {
            z.poradi = 0;
            zmena = true;
        }
    }
    return zmena;
}

bool SitPriblizne::ZalozitOrientaci(const Tzaznam& zaznam) {
    Real posun = 0;
    if (Orientace(zaznam.poradi, posun)) return false;
    Tzaznam z = zaznam;
    z.posun = 0;
    z.smernik = Normalise(z.smer);
    VlozitOrientovany(z);
    return Orientace(zaznam.poradi, posun);
}

bool SitPriblizne::PridatZLokalnihoSystemu(const int32_t i, const Tbod& poloha,
                                           const int32_t lokalni, const Tzaznam& zacatek) {
    const bool prvni = !JeZnamy(i);
    if (!PridatKandidata(i, poloha, ZpusobUrceni::LokalniSystem, zacatek)) return false;
    if (prvni && JeZnamy(i)) vysledek_.body[static_cast<std::size_t>(i)].lokalniSystem = lokalni;
    return true;
}

int32_t SitPriblizne::Vystup(Tsouradnice& souradnice) {
    kandidati_.Median2Souradnice(souradnice);
    vysledek_.neurcene.clear();
    int32_t pocet = 0;
    for (int32_t i = 0; i < kandidati_.Pocet(); ++i) {
        const auto u = static_cast<std::size_t>(i);
        vysledek_.body[u].jeUrcen = JeZnamy(i);
        if (JeZnamy(i)) {
            ++pocet;
        } else {
            vysledek_.neurcene.push_back(cisla_[u]);
        }
    }
    return pocet;
}

}  // namespace vertano
