#pragma once

#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/Tbod.h"
#include "matice/Real.h"

namespace vertano {

class Tmereni;
class Tnastaveni;

// Anything that holds observation records with station and target numbers in a
// field `zaznam` (the observation vectors of the adjustment, measurement lists).
template <class T>
concept SeznamSCislyBodu = requires(const T& seznam) {
    { seznam.zaznam.front().cislo_stn } -> std::convertible_to<std::string_view>;
    { seznam.zaznam.front().cislo_cil } -> std::convertible_to<std::string_view>;
};

// A list of points. Slots may be empty (JePlny false), typically at the end after
// editing; most consumers skip them, and the operations say where they do not.
// Indices are 0-based; operations given an invalid index do nothing.
class Tsouradnice {
  public:
    std::vector<Tbod> bod;

    // Quantity codes of Sort.
    enum Velicina : int {
        kCislo = 1,
        kX = 2,
        kY = 3,
        kZ = 4,
        kSigX = 5,
        kSigY = 6,
        kSigZ = 7,
        kElipsoidADelka = 8,
        kElipsoidASmernik = 9,
        kElipsoidAZenit = 10,
        kElipsoidBDelka = 11,
        kElipsoidBSmernik = 12,
        kSoubor = 13,
        kPoradi = 14,
        kElipsoidBZenit = 15,
        kElipsoidCDelka = 16,
        kElipsoidCSmernik = 17,
        kElipsoidCZenit = 18,
        kZkresleni = 19,
    };

    // `pocet` zero-filled records (a negative count gives an empty list).
    explicit Tsouradnice(int pocet = 0);

    int Pocet() const { return static_cast<int>(bod.size()); }

    // Sets the length; new records are zero-filled, surplus records dropped.
    void Velikost(int pocet);
    void Clear() { bod.clear(); }
    void PridejBod(const Tbod& novy) { bod.push_back(novy); }
    void PridejPrazdnyBod() { bod.push_back(Tbod::Prazdny()); }
    // Appends all records of another list, empty ones included.
    void PridejBody2(const Tsouradnice& souradnice);
    void Kopiruj(const Tsouradnice& souradnice);

    // Inserts before the record at `poradi`; never appends.
    void VlozitBodNaPoradi(const Tbod& novy, int poradi);
    // Makes the record the empty point (its check flags stay).
    void VyprazdniZaznamDlePoradi(int poradi);
    // Removes every empty record; order and `poradi` of the others unchanged.
    void SmazPrazdneZaznamy();
    // Removes empty records from the end; true when it removed any.
    bool SmazPrazdneZaznamyNaKonci();
    // Numbers the full records 1, 2, ... in list order.
    void SeraditPoradi();
    // Moves the record one place (smer true towards the start) when the neighbour
    // exists and is full; `poradi` then follows the record.
    void PosunZaznam(int& poradi, bool smer);
    // Stable ascending sort by a quantity code; other codes leave the list as it is.
    void Sort(int velicina);

    // Look-ups by exact number; they consider every record, full or not.
    Tbod BodSCislem(std::string_view cislo) const;  // the empty point if none
    bool ExitujeBod(std::string_view cislo) const;
    bool PoradiBodu(std::string_view cislo, int& poradi) const;  // -1, false if none

    bool ExistujePlnyBod() const;
    int PocetPlnychBodu() const;
    int PocetFixnichBodu() const;  // records with JeFixni, full or not

    // Keeps only the points the observations use, each once, in name order.
    // Numbers this list does not know are skipped.
    template <SeznamSCislyBodu Vektor>
    void DoVyrovnani(const Vektor& mereni);

    // Keeps, in their order, the records whose number is a station or target of
    // some row (empty rows included); true when any record was removed.
    bool OdstranitNeobsazeneVMereni(const Tmereni& mereni);

    // Scale factor of every full point from the scale-factor list, or the basic
    // scale distortion of the settings for points the list does not name.
    void NacistZkresleni(const Tnastaveni& nastaveni, const Tsouradnice& souradniceMeritko);

    // The computations below return false and leave the list unchanged when a
    // count exceeds the input lists or a floating-point fault occurs.

    // Record a := adjusted record a with X, Y, Z replaced by adjusted minus
    // approximate, for the first `pocetBodu` points.
    bool Prirustky(const Tsouradnice& vyrovnane, const Tsouradnice& priblizne, int pocetBodu);
    // Copies of the first `pocetUrcovanych` points with deviations and ellipsoid
    // semi-axes scaled by the unit standard deviation chosen for display.
    bool KopirujVyrovnaneProZobrazeni(const Tsouradnice& souradnice, Real odchylkaJednotkova,
                                      int pocetUrcovanych);
    // Three rows per point (axes a, b, c) with X = scaled axis length, Y = bearing,
    // Z = zenith angle, as the error-ellipsoid table shows them.
    bool UlozeniElipsoiduDoSouradnice(const Tsouradnice& vstup, Real odchylkaJednotkova,
                                      int pocetBodu);

  private:
    // Index of the first record with this number, -1 if none.
    int IndexBodu(std::string_view cislo) const;
    // DoVyrovnani on the numbers in the order the observations name them.
    void PonechatPouziteBody(const std::vector<std::string_view>& cisla);
    // Keeps the records whose number is in `cisla`; true when any was removed.
    bool PonechatBodySCisly(const std::vector<std::string_view>& cisla);
};

// The index of the first record of each number in the list (of the first full
// record when `jenPlne`), for look-ups of many names at once. Numbers compare
// exactly. The keys view the numbers of the list: valid while it is not changed.
std::unordered_map<std::string_view, std::size_t> IndexyCisel(const Tsouradnice& souradnice,
                                                              bool jenPlne);

template <SeznamSCislyBodu Vektor>
void Tsouradnice::DoVyrovnani(const Vektor& mereni) {
    std::vector<std::string_view> cisla;
    cisla.reserve(2 * mereni.zaznam.size());
    for (const auto& zaznam : mereni.zaznam) {
        cisla.emplace_back(zaznam.cislo_stn);
        cisla.emplace_back(zaznam.cislo_cil);
    }
    PonechatPouziteBody(cisla);
}

}  // namespace vertano
