// The inner and outer precision of the three kinds of observation and the
// resolution of the source the weights are taken from.

#include <array>
#include <atomic>
#include <exception>
#include <new>

#include "adjustment/MereniMeziBody.h"
#include "adjustment/TmerenaVelicina.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VahaPozorovani.h"
#include "adjustment/VnejsiPresnostProtismer.h"
#include "adjustment/VnejsiPresnostSmer.h"
#include "adjustment/VnitrniPresnost.h"
#include "matice/ParallelWork.h"

namespace vertano {

namespace {

// A source is available for a kind when it produced a usable total. A total of
// 0 comes from sets (or reciprocal pairs, or triangles) that agree to the
// written decimal: it says nothing about the real precision and would give an
// infinite weight, so the fallback must apply as if there were no sets. After
// the reductions such agreement is 0 only up to the noise of the arithmetic,
// so the noise limit of the measurement checks (1e-15 rad or m, far below any
// real precision) counts as 0 as well.
bool JeDostupna(const Tzaznam& celkova) {
    constexpr Real kSum = 1e-15L;
    return JeOdchylkaZadana(celkova.vyska_stn) && celkova.vyska_stn > kSum;
}

// The source the weights are taken from, given the one the settings ask for.
// A value the settings cannot hold (a damaged project) takes the given
// precision, the one source that is always there, so that every observation
// still gets a weight.
ZdrojVah UrcitZdroj(ZdrojVah pozadovany, bool vnitrni, bool vnejsi) {
    switch (pozadovany) {
        case ZdrojVah::Vnitrni:
            return vnitrni ? ZdrojVah::Vnitrni : vnejsi ? ZdrojVah::Vnejsi : ZdrojVah::Zadana;
        case ZdrojVah::Vnejsi:
            return vnejsi ? ZdrojVah::Vnejsi : vnitrni ? ZdrojVah::Vnitrni : ZdrojVah::Zadana;
        default:
            return ZdrojVah::Zadana;
    }
}

struct Druh {
    Velicina velicina;
    Tvaha& vaha;
    TtypVah& typ;
};

bool MaHodnotuDruhu(const Tzaznam& z, Velicina druh) {
    if (druh == Velicina::Smer) return z.MaSmer();
    if (druh == Velicina::Zenit) return z.MaZenit();
    return true;  // a distance of 0 is left out where distances are taken
}

bool ObsahujeRadekBez(const Tmereni& mereni, Velicina druh) {
    for (const Tzaznam& z : mereni.zaznam) {
        if (z.JePlny() && !MaHodnotuDruhu(z, druh)) return true;
    }
    return false;
}

bool VnitrniPresnostDruhu(const Tmereni& mereni, const nastaveni::Tmez& mezSkupina, Druh& d) {
    const bool dostupna =
        VypocetVnitrniPresnosti(mereni, d.velicina, mezSkupina, d.vaha.vnitrniPresnost) &&
        JeDostupna(d.vaha.vnitrniPresnost.odchylkaCelkova);
    d.typ.vnitrniPresnost = dostupna;
    return dostupna;
}

bool VnejsiPresnostDruhu(const MereniMeziBody& sit, const nastaveni::Tmez& mezProtismer, Druh& d) {
    const bool spocteno =
        d.velicina == Velicina::Smer
            ? VypocetVnejsiPresnostiSmer(sit, mezProtismer, d.vaha.vnejsiPresnost)
            : VypocetVnejsiPresnostiProtismer(sit, d.velicina, mezProtismer, d.vaha.vnejsiPresnost);
    const bool dostupna = spocteno && JeDostupna(d.vaha.vnejsiPresnost.odchylkaCelkova);
    d.typ.vnejsiPresnost = dostupna;
    return dostupna;
}

}  // namespace

bool Tvahy::VypocetPresnosti(const Tmereni& mereni, Tinfo& info, const Tnastaveni& nastaveni) {
    TinfoVahy& iv = info.infoVahy;
    std::array<Druh, 3> druhy{Druh{Velicina::Delka, delka, iv.delka},
                              Druh{Velicina::Smer, smer, iv.smer},
                              Druh{Velicina::Zenit, zenit, iv.zenit}};
    for (Druh& d : druhy) {
        d.vaha.vnitrniPresnost.Prazdny();
        d.vaha.vnejsiPresnost.Prazdny();
        d.typ.vnitrniPresnost = false;
        d.typ.vnejsiPresnost = false;
    }
    bool vnitrni = true;
    bool vnejsi = true;
    const auto vnitrniVse = [&] {
        for (Druh& d : druhy) {
            vnitrni = VnitrniPresnostDruhu(mereni, nastaveni.mezSkupina, d) && vnitrni;
        }
    };
    const auto vnejsiVse = [&] {
        const MereniMeziBody sit = SestavitMereniMeziBody(mereni);
        for (Druh& d : druhy) {
            // Pointings without a value of this kind would enter its closures with 0.
            const bool neuplne = ObsahujeRadekBez(mereni, d.velicina);
            const MereniMeziBody sitDruhu =
                neuplne ? SestavitMereniMeziBody(mereni,
                                                 [druh = d.velicina](const Tzaznam& z) {
                                                     return MaHodnotuDruhu(z, druh);
                                                 })
                        : MereniMeziBody{};
            vnejsi =
                VnejsiPresnostDruhu(neuplne ? sitDruhu : sit, nastaveni.mezProtismer, d) && vnejsi;
        }
    };
    // The inner and the outer precision read the same means and write
    // their own lists and flags: with two threads they are computed side by
    // side, each as it would be alone. A failure of either (out of memory on
    // a huge list) is handled below as if one thread had met it.
    std::atomic<bool> vyjimka{false};
    try {
        detail::InRangesAsOne(2, detail::kParallelWork, nastaveni.pocetVlaknaVse,
                              [&](int prvni, int konec) {
                                  try {
                                      for (int cast = prvni; cast < konec; ++cast) {
                                          if (cast == 0) {
                                              vnitrniVse();
                                          } else {
                                              vnejsiVse();
                                          }
                                      }
                                  } catch (const std::exception&) {
                                      vyjimka = true;
                                  }
                                  return true;
                              });
        if (vyjimka) throw std::bad_alloc();
    } catch (const std::exception&) {
        // Out of memory on a huge list: neither source, nothing half-filled.
        for (Druh& d : druhy) {
            d.vaha.vnitrniPresnost.Prazdny();
            d.vaha.vnejsiPresnost.Prazdny();
            d.typ.vnitrniPresnost = false;
            d.typ.vnejsiPresnost = false;
        }
        vnitrni = vnejsi = false;
    }
    iv.vnitrniPresnost = vnitrni;
    iv.vnejsiPresnost = vnejsi;
    iv.typVah = UrcitZdroj(nastaveni.vyrovnani.typVah, vnitrni, vnejsi);
    return vnitrni && vnejsi;
}

}  // namespace vertano
