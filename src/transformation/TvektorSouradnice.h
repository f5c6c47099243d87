#pragma once

#include <cstdint>
#include <vector>

#include "transformation/TsouradnicovaVelicina.h"

namespace vertano {

class Tsouradnice;

// Field numbers of TsouradnicovaVelicina for PrevedNaSouradnice and for sorting
// tables: flags count as 0 / 1, 13 to 21 are the ellipsoid's a, b and c axes
// (length, bearing, zenith each).
namespace poleVeliciny {
inline constexpr int32_t kTyp = 1;
inline constexpr int32_t kPoradi = 2;
inline constexpr int32_t kHodnota = 3;
inline constexpr int32_t kOdchylka = 4;
inline constexpr int32_t kVaha = 5;
inline constexpr int32_t kOprava = 6;
inline constexpr int32_t kNormOprava = 7;
inline constexpr int32_t kMezniOprava = 8;
inline constexpr int32_t kOdchylkaOprava = 9;
inline constexpr int32_t kTypSoustavy = 10;
inline constexpr int32_t kJeOdlehly = 11;
inline constexpr int32_t kJePlny = 12;
inline constexpr int32_t kElipsoidADelka = 13;
inline constexpr int32_t kElipsoidCZenit = 21;
}  // namespace poleVeliciny

// The value of field number `pole` of a record; 0 for an unknown number.
Real HodnotaPole(const TsouradnicovaVelicina& z, int32_t pole);

// A vector of coordinate observations (one vector per coordinate in the
// transformation adjustment, a mixed one for display copies). Indices are
// 0-based; an index outside the vector is ignored.
class TvektorSouradnice {
  public:
    std::vector<TsouradnicovaVelicina> zaznam;

    TvektorSouradnice() = default;
    explicit TvektorSouradnice(int32_t pocet) { Create(pocet); }

    // `pocet` empty records; a negative count gives none.
    void Create(int32_t pocet);
    void Clear() { zaznam.clear(); }
    void Velikost(int32_t pocet);

    void PridejZaznam(const TsouradnicovaVelicina& zaznam_novy) { zaznam.push_back(zaznam_novy); }
    void PridejPrazdnyZaznam() { zaznam.emplace_back(); }
    void VyprazdniZaznamDlePoradi(int32_t poradi);
    // Keeps the filled records, in order.
    void SmazPrazdneZaznamy();
    // Empties every outlier, then drops the empty records.
    void SmazOdlehleHodnoty();
    void Kopiruj(const TvektorSouradnice& souradnice) { zaznam = souradnice.zaznam; }
    // This := the records of `souradnice` whose typ is `typ`, in order (this
    // vector itself may be given).
    void KopirujVelicinu(const TvektorSouradnice& souradnice, Osa typ);

    int32_t PocetPlnychZaznamu() const;
    int32_t PocetPrazdnychZaznamu() const;
    int32_t PocetOdlehlychHodnot() const;
    int32_t PocetX() const { return PocetTypu(Osa::X, false); }
    int32_t PocetY() const { return PocetTypu(Osa::Y, false); }
    int32_t PocetZ() const { return PocetTypu(Osa::Z, false); }
    int32_t PocetOdlehlychX() const { return PocetTypu(Osa::X, true); }
    int32_t PocetOdlehlychY() const { return PocetTypu(Osa::Y, true); }
    int32_t PocetOdlehlychZ() const { return PocetTypu(Osa::Z, true); }
    bool ExistujePlnyZaznam() const;
    // A record that is filled and flagged exists.
    bool ExistujeOdlehlyZaznam() const;

    // Rebuilds the vector from the filled points of a list: one X record per
    // point in list order, then one Y record each, then one Z record each, with
    // the point's poradi, number, coordinate, standard deviation and ellipsoid.
    void NactiSouradnice(const Tsouradnice& souradnice, bool typSoustavy);
    // For each filled point of `souradniceVstup`, in order, a point of the same
    // number whose X, Y, Z take field `pole` of this vector's records of that
    // number (by the record's typ); appended to `souradniceVystup` (which is
    // emptied first) only when some record matched.
    void PrevedNaSouradnice(Tsouradnice& souradniceVystup, const Tsouradnice& souradniceVstup,
                            int32_t pole) const;

  private:
    int32_t PocetTypu(Osa typ, bool jenOdlehle) const;
};

}  // namespace vertano
