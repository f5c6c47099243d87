#pragma once

#include <cstdint>

#include "adjustment/Tvaha.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "matice/Real.h"
#include "mereni/Velicina.h"

namespace vertano {

// The a-priori precision of the three kinds of terrestrial observation, from every
// source, and the standard deviation selected for each kind. The weight of a
// single observation is formed when the adjustment model is loaded, from the
// observation's own deviation or, when it has none, the kind's `odchylka`.
// A new object is in the cleared state of Prazdny.
class Tvahy {
  public:
    Tvaha delka;
    Tvaha smer;
    Tvaha zenit;
    Real odchylkaJednotkovaApriorni = -1;  // sigma0 of the settings, by VypocetVah
    int32_t pocetVlaknoHotovo = -1;
    bool jeVlaknoHotovo = false;

    void Prazdny();

    // Stores the given deviations of the settings and marks the given source as
    // available for every kind.
    void NastavitZadanouPresnost(const Tnastaveni& nastaveni, Tinfo& info);
    // True while the stored given deviations equal those of the settings exactly,
    // i.e. the weights need not be computed again.
    bool ZadanaPresnostAktualni(const Tnastaveni& nastaveni) const;

    // Selects each kind's `odchylka` from the source info.infoVahy.typVah and
    // copies sigma0 from the settings. An unknown source leaves the deviations as
    // they are. A kind whose selected value is not a usable deviation (not set,
    // zero or negative: sets that agree exactly scatter by 0) takes the given
    // deviation instead, or -1 when that is not usable either.
    // Returns true when every kind got a usable deviation from the selected source.
    bool VypocetVah(const Tinfo& info, const Tnastaveni& nastaveni);

    // The selected deviation of an observation kind (Velicina::Delka, Smer,
    // kZenit); -1 for any other kind.
    Real OdchylkaDruhu(Velicina typ) const;

    // ---- inner and outer precision (VypocetPresnosti.cpp) ----
    // Computes from the reduced measurements of the raw-data analysis (one row per
    // set, station and target) the inner precision of every kind (scatter of the
    // sets) and the outer precision (reciprocal zenith angles and distances,
    // closed triangles of directions), sets the availability flags of
    // info.infoVahy and resolves info.infoVahy.typVah from the setting: a source
    // that is not available for all three kinds gives way to the other one, and
    // when neither is, to the given precision.
    // A pooled deviation of 0 (sets that agree to the last decimal; up to 1e-15,
    // the noise of the arithmetic) is no usable precision: not available.
    // Returns true only when both empirical sources are available for all kinds.
    // False is NOT a failure: it says the weights come from the fallback the
    // resolution chose, which is the intended path for, e.g., a network measured
    // in one set. The caller goes on with VypocetVah either way.
    bool VypocetPresnosti(const Tmereni& mereni, Tinfo& info, const Tnastaveni& nastaveni);
};

}  // namespace vertano
