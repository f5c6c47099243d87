#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adjustment/TmerenaVelicina.h"

namespace vertano {

class Tmereni;
class Tvahy;

// The observations of one kind (or a mix of kinds, for display copies), in the
// order of the adjustment. Indices are 0-based. Every Kopiruj... may be given this
// vector itself.
// A run of consecutive full records with the same poradi: the station's number
// and the indices of its first and last record.
struct SkupinaZaznamu {
    int32_t poradi = 0;
    std::string cislo_stn;
    int32_t prvni = 0;
    int32_t posledni = 0;
};

class TvektorMereni {
  public:
    std::vector<TmerenaVelicina> zaznam;

    TvektorMereni() = default;
    explicit TvektorMereni(int32_t pocet) { Create(pocet); }

    // ---- whole vector ----
    // `pocet` all-zero records (which are not full); a negative count gives none.
    void Create(int32_t pocet);
    void Velikost(int32_t pocet);
    void Clear() { zaznam.clear(); }
    void Kopiruj(const TvektorMereni& mereni);
    void KopirujVelicinu(const TvektorMereni& mereni, Velicina typ);
    // The records of `mereni` whose jeOdlehly equals `typ`.
    void KopirujOdlehle(const TvektorMereni& mereni, bool typ);
    // One record per orientation unknown: for every poradiPosun 1, 2, ... of
    // `mereni` the first direction record carrying it, in ascending order. A
    // number that no direction carries gets no record.
    void KopirujPosun(const TvektorMereni& mereni);

    // ---- single records ----
    void PridejZaznam(const TmerenaVelicina& zaznam_novy);
    void PridejPrazdnyZaznam();
    // An index outside the vector is ignored.
    void VyprazdniZaznamDlePoradi(int32_t poradi);
    // Keeps the records with jePlny, in order.
    void SmazPrazdneZaznamy();
    // Blanks every outlier, then drops all records that are not full.
    void SmazOdlehleHodnoty();

    // ---- counting and tests ----
    int32_t PocetPlnychZaznamu() const;
    int32_t PocetPrazdnychZaznamu() const;
    int32_t PocetOdlehlychHodnot() const;
    int32_t PocetOdlehlychDelek() const;
    int32_t PocetOdlehlychSmeru() const;
    int32_t PocetOdlehlychZenitu() const;
    int32_t PocetDelek() const;
    int32_t PocetSmeru() const;
    int32_t PocetZenitu() const;
    bool ExistujePlnyZaznam() const;
    // Some full record is an outlier.
    bool ExistujeOdlehlyZaznam() const;
    // Largest poradiPosun, 0 when there is none (or none is positive).
    int32_t NejvetsiPoradiPosunu() const;
    // poradi of the last record with a positive one; 0 if none.
    int32_t PosledniPoradi() const;

    // ---- groups ----
    // Renumbers the poradiPosun of the direction records 1, 2, ... along the
    // vector: a record keeps the current number while its old number equals that
    // of the previous direction record. Other kinds are left alone.
    void SeradPoradiPosunu();
    // First and last index of the run of records with the given poradi, scanning
    // from `pocatekProhledavani`; the scan stops at the first other record after
    // a match. Both are -1 when nothing matches. Returns where the scan stopped.
    // Note the argument order: poradi comes before the start of the scan (the
    // measurement list has them the other way round).
    int32_t IndexyZaznamuDleStanoviska(int32_t& pocatek, int32_t& konec, int32_t poradi,
                                       int32_t pocatekProhledavani) const;
    // The groups along the vector. Records that are not full belong to no group
    // and end the run.
    std::vector<SkupinaZaznamu> SkupinyZaznamu() const;

    // ---- loading ----
    // Replaces the contents by the observations of the full rows of `mereni`:
    // slope distances of the rows that have one, then directions, then zenith
    // angles, each with the row's value, standard deviation and weight of that
    // kind. See the definition for the fields taken.
    void NactiMereni(const Tmereni& mereni);
    // Every distance, direction and zenith record takes the standard deviation
    // selected for its kind; other kinds are left alone.
    void NacistVahy(const Tvahy& vahy);
};

}  // namespace vertano
