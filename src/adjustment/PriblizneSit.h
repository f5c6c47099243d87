#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "data/Tbod.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "mereni/Tzaznam.h"
#include "processing/MedianMereni.h"
#include "processing/MedianSouradnice.h"

namespace vertano {

// Working rows of the approximate coordinates: full rows whose iStn and iCil
// index the point list and whose `poradi` numbers the station occupations
// 1 ... puvodniPoradi.size() densely. puvodniPoradi[k] is the input's number of
// occupation k + 1, for the explanation of the results.
struct PriblizneRadky {
    std::vector<Tzaznam> radky;
    std::vector<int32_t> puvodniPoradi;
    int32_t pocetVynechanych = 0;
};

// Working rows from the set means. Station and target are found by exact name
// (the first entry of `cislaBodu` with that name); rows that no construction
// could read are counted and left out. A single face II row is turned into its
// face I equivalent, since its direction would otherwise spoil an orientation.
PriblizneRadky PripravitRadky(const Tmereni& mereni, const std::vector<std::string>& cislaBodu);

// The propagation of the approximate coordinates: the known points, the
// candidate and orientation stores, and the pending and bearing lists of rows.
// Every construction only adds candidates; a point's value is the lower median
// of its candidates and an occupation's orientation the lower median of its
// samples. Passes repeat while one of them changes something; each change
// consumes a row, so they end.
class SitPriblizne {
  public:
    SitPriblizne(const std::vector<std::string>& cislaBodu, PriblizneRadky radky,
                 VysledekPriblizne& vysledek);

    // The known points, by exact name. A fixed point keeps its given value.
    void VlozitZname(const Tsouradnice& souradnice);
    // Initial orientation and the passes. An arithmetic fault outside the
    // constructions ends the passes (marked in the result). May be called again
    // after candidates were added from outside: the rows left pending carry on,
    // and the passes keep counting.
    void Propagovat();
    // The medians by point order (empty points where nothing was found); fills
    // the determined/undetermined part of the result. Returns the number of
    // points with coordinates.
    int32_t Vystup(Tsouradnice& souradnice);

    // ---- for the local systems ----
    bool JeZnamyBod(int32_t i) const { return JeZnamy(i); }
    bool JeFixniBod(int32_t i) const { return JeZmrazeny(i); }
    Tbod PolohaBodu(int32_t i) const { return Poloha(i); }
    // Orients the occupation of `zaznam` (dense numbering) with the orientation
    // 0: its zero direction becomes the X axis of the system.
    bool ZalozitOrientaci(const Tzaznam& zaznam);
    // A candidate of point i transformed from local system `lokalni`, which was
    // started by the row `zacatek` (for the history).
    bool PridatZLokalnihoSystemu(int32_t i, const Tbod& poloha, int32_t lokalni,
                                 const Tzaznam& zacatek);

  private:
    // ---- state ----
    bool JeZnamy(int32_t i) const;
    bool JeZmrazeny(int32_t i) const;
    Tbod Poloha(int32_t i) const;
    bool Orientace(int32_t poradi, Real& posun) const;
    bool VsechnyZname() const;

    // ---- stores ----
    bool PridatKandidata(int32_t i, const Tbod& poloha, ZpusobUrceni zpusob, const Tzaznam& zaznam);
    void VlozitOrientovany(Tzaznam zaznam);
    bool OrientacniVzorek(Tzaznam& zaznam) const;

    // ---- passes ----
    void PocatecniOrientace();
    bool PruchodCekajicich();
    bool PruchodSmerniku();

    // ---- constructions on one row (PriblizneSitKonstrukce.cpp) ----
    bool Polarni(Tzaznam& z, bool vlozitOrientaci);
    bool Volne(Tzaznam& z);
    bool Zpet(Tzaznam& z);
    bool Prenos(Tzaznam& z);
    bool MeziZnamymi(const Tzaznam& z, bool maVzorek);
    bool Vpred(const Tzaznam& z);
    bool UrcitStanovisko(Tzaznam& z, const Tbod& stanovisko, ZpusobUrceni zpusob);

    // ---- partner rows ----
    std::optional<Tzaznam> PartnerSDelkou(const Tzaznam& z) const;
    bool PartneriSmeru(const Tzaznam& z, std::array<Tzaznam, 2>& partneri) const;
    std::optional<Tzaznam> PartnerVpred(const Tzaznam& z) const;

    const std::vector<std::string>& cisla_;
    std::vector<int32_t> puvodniPoradi_;
    VysledekPriblizne& vysledek_;

    TmaticeSouradnice kandidati_;
    std::vector<bool> zmrazeny_;
    // The oriented rows, with per target the stations that have one to it
    // (ascending), for the intersection's partner search.
    TmaticeMereni orientovane_;
    std::vector<std::vector<int32_t>> stanoviskaKCili_;
    // All set means, for the partners of free stations and resections.
    TmaticeMereni vsechna_;
    std::vector<Tzaznam> cekajici_;
    std::vector<Tzaznam> smerniky_;
    int32_t pruchod_ = 0;
};

}  // namespace vertano
